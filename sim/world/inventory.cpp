#include "world/inventory.h"

#include <cstring>

#include "simulator.h"

namespace sim {
namespace {

constexpr int kPlayerInventory = 1;
constexpr size_t kGuidBytes = 32;
constexpr size_t kItemInfoBytes = 56;
constexpr size_t kSlotOffsetInRecord = 56;

const char* const kItemsWithSetters[] = {"consumable_cigarette_box", "consumable_cigarette_box_cheap",
                                         "consumable_cigar"};

// A guid that names the (parent, item, slot) triple, never all zero.
void FillGuid(uint8_t* out, const uint8_t* parent, uint32_t item, uint32_t slot) {
  uint32_t words[kGuidBytes / 4] = {};
  if (parent) std::memcpy(words, parent, kGuidBytes);
  words[0] = words[0] * 31u + item;
  words[1] = words[1] * 31u + slot;
  words[2] = 0x1D1D1D1Du ^ item ^ slot;
  std::memcpy(out, words, kGuidBytes);
}

bool ParseCount(const std::string& text, int& count) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 6) return false;
  count = std::stoi(text);
  return true;
}

bool CheckInventory(Simulator& sim, const Call& c, const char* native) {
  if (c.I(0) == kPlayerInventory) return true;
  sim.Event("inventory", std::string(native) + " on inventory " + std::to_string(c.I(0)) +
                             ", which the simulated world does not have");
  return false;
}

}  // namespace

void InstallInventoryNatives(Simulator& sim) {
  Inventory& inventory = sim.world.inventory;

  sim.Handle("InventoryGetInventoryItemCountWithItemId", [&sim, &inventory](const Call& c, Result& r) {
    r.Int(CheckInventory(sim, c, "InventoryGetInventoryItemCountWithItemId") ? inventory.Count(c.U(1)) : 0);
  });
  sim.Handle("InventoryRemoveInventoryItemWithItemId", [&sim, &inventory](const Call& c, Result& r) {
    if (!CheckInventory(sim, c, "InventoryRemoveInventoryItemWithItemId")) return;
    const uint32_t item = c.U(1);
    const int have = inventory.Count(item);
    const int asked = c.I(2);
    if (asked <= 0 || asked > have) {
      sim.Event("inventory", "refused to remove " + std::to_string(asked) + " " + sim.hashes.Name(item) +
                                 " (the player has " + std::to_string(have) + ")");
      r.Bool(false);
      return;
    }
    inventory.counts[item] = have - asked;
    inventory.changes.push_back({item, -asked, c.U(3), 0, sim.GameTimerMs()});
    sim.Event("inventory", "removed " + std::to_string(asked) + " " + sim.hashes.Name(item) + " (" +
                               sim.hashes.Name(c.U(3)) + "), " + std::to_string(have - asked) + " left");
    r.Bool(true);
  });
  sim.Handle("InventoryAddItemWithGuid", [&sim, &inventory](const Call& c, Result& r) {
    if (!CheckInventory(sim, c, "InventoryAddItemWithGuid")) return;
    const uint32_t item = c.U(3);
    const uint32_t slot = c.U(4);
    const int count = c.I(5);
    const uint8_t* record = c.P<const uint8_t>(2);
    uint32_t recordSlot = 0;
    if (record) std::memcpy(&recordSlot, record + kSlotOffsetInRecord, sizeof recordSlot);
    if (!record || recordSlot != slot) {
      sim.Error("InventoryAddItemWithGuid with an item record that does not name the slot " + sim.hashes.Name(slot));
    }
    if (count <= 0) {
      r.Bool(false);
      return;
    }
    if (uint8_t* guid = c.P<uint8_t>(1)) FillGuid(guid, record, item, slot);
    inventory.counts[item] += count;
    inventory.changes.push_back({item, count, c.U(6), slot, sim.GameTimerMs()});
    sim.Event("inventory", "added " + std::to_string(count) + " " + sim.hashes.Name(item) + " to " +
                               sim.hashes.Name(slot) + " (" + sim.hashes.Name(c.U(6)) + "), " +
                               std::to_string(inventory.counts[item]) + " now");
    r.Bool(true);
  });
  sim.Handle("InventoryGetGuidFromItemId", [&sim](const Call& c, Result& r) {
    if (!CheckInventory(sim, c, "InventoryGetGuidFromItemId")) return;
    uint8_t* out = c.P<uint8_t>(4);
    if (!out) {
      r.Bool(false);
      return;
    }
    FillGuid(out, c.P<const uint8_t>(1), c.U(2), c.U(3));
    r.Bool(true);
  });
  sim.Handle("InventoryIsGuidValid", [&inventory](const Call& c, Result& r) {
    r.Bool(c.P<const uint8_t>(0) != nullptr && inventory.itemCheckPasses);
  });
  sim.Handle("ItemDatabaseIsKeyValid",
             [&inventory](const Call& c, Result& r) { r.Bool(!inventory.invalidItems.count(c.U(0))); });
  sim.Handle("ItemDatabaseFilloutItemInfo", [&inventory](const Call& c, Result& r) {
    uint8_t* out = c.P<uint8_t>(1);
    if (!out || inventory.invalidItems.count(c.U(0))) {
      r.Bool(false);
      return;
    }
    std::memset(out, 0, kItemInfoBytes);
    auto group = inventory.groups.find(c.U(0));
    const uint32_t groupHash = group == inventory.groups.end() ? 0 : group->second;
    std::memcpy(out + 16, &groupHash, sizeof groupHash);
    r.Bool(true);
  });
  sim.Handle("InventoryFitsSlotId", [&sim, &inventory](const Call& c, Result& r) {
    auto fits = inventory.fits.find(c.U(0));
    if (fits == inventory.fits.end()) r.Bool(c.U(1) == sim.Hash("SLOTID_SATCHEL"));
    else r.Bool(fits->second.count(c.U(1)) != 0);
  });
  sim.Handle("GetDefaultItemSlotInfo", [&sim](const Call&, Result& r) {
    r.Int(static_cast<int32_t>(sim.Hash("SLOTID_SATCHEL")));
  });

  for (const char* item : kItemsWithSetters) {
    sim.AddSetter(std::string("inventory.") + item, [&sim, &inventory, item](const std::string& value) {
      int count = 0;
      if (!ParseCount(value, count)) return false;
      inventory.counts[sim.Hash(item)] = count;
      return true;
    });
  }
  sim.AddSetter("inventory.item_check", [&inventory](const std::string& value) {
    if (value != "pass" && value != "fail") return false;
    inventory.itemCheckPasses = value == "pass";
    return true;
  });
}

}  // namespace sim
