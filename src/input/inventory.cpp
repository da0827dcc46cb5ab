#include "input/inventory.h"

#include <cstring>

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/natives.h"
#include "smoking/smoking_state.h"

namespace {

constexpr int kPlayerInventory = 1;
constexpr int kCigarBlockAfterQuickUseMs = 2000;

// Item groups, as the game's item info reports them at byte 16.
constexpr Hash kUpgradeGroup = 0x80FB92CD;
constexpr Hash kHorseGroup = 0x95A6F147;
constexpr Hash kWardrobeGroup = 0xC2286F01;

struct ItemInfo {
  uint8_t bytes[56];
};

int ItemCount(const char* item) {
  return native::InventoryItemCount(kPlayerInventory, native::HashString(item), 1);
}

void RemoveItems(const char* item, int count) {
  native::InventoryRemoveItem(kPlayerInventory, native::HashString(item), count,
                              native::HashString("REMOVE_REASON_USED"));
}

bool ItemFits(Hash item, const char* slot) { return native::ItemFitsSlot(item, native::HashString(slot)); }

Hash ItemGroup(const ItemInfo& info) {
  Hash group;
  std::memcpy(&group, info.bytes + 16, sizeof group);
  return group;
}

}  // namespace

bool HasCigaretteItem() {
  if (!BLOCK_SMOKING_IF_NO_ITEM) return true;
  return ItemCount(kCheapCigaretteBox) != 0 || ItemCount(kCigaretteBox) != 0;
}

bool HasCigarItem() {
  if (BLOCK_SMOKING_IF_NO_ITEM && ItemCount(kCigar) == 0) return false;
  if (quickUseItemPressTime == 0) return true;
  const int now = FrameGameTimer();
  if (now <= quickUseItemPressTime) return true;
  // The game's own quick-use of the item just took a cigar out of the
  // satchel; starting another one on the same press would smoke two.
  return now - quickUseItemPressTime >= kCigarBlockAfterQuickUseMs;
}

void ConsumeCigaretteBox() {
  const int cheap = ItemCount(kCheapCigaretteBox);
  const int regular = ItemCount(kCigaretteBox);
  if (regular > 0) RemoveItems(kCigaretteBox, 1);
  else if (cheap > 0) RemoveItems(kCheapCigaretteBox, 1);
}

// The game's smoking emote prefers the cheap boxes; hiding them for a moment
// makes it draw from the regular ones. They are given back by the controller.
void ConsumeCheapCigaretteBox() {
  if (ItemCount(kCigaretteBox) <= 0) return;
  const int cheap = ItemCount(kCheapCigaretteBox);
  if (cheap <= 0) return;
  removedCheapBoxCount = cheap;
  RemoveItems(kCheapCigaretteBox, cheap);
  cheapBoxRemovalTime = FrameGameTimer();
}

ItemSlot FindItemSlot(Hash item) {
  ItemSlot slot{};
  uint8_t noParent[32] = {};
  native::InventoryItemGuid(kPlayerInventory, noParent, native::HashString("CHARACTER"),
                            native::HashString("SLOTID_NONE"), slot.parentGuid);
  slot.slot = native::HashString("SLOTID_SATCHEL");

  ItemInfo info{};
  if (native::ItemKeyIsValid(item, 0) && native::ItemInfoFill(item, &info)) {
    switch (ItemGroup(info)) {
      case kUpgradeGroup:
        if (ItemFits(item, "SLOTID_UPGRADE")) slot.slot = native::HashString("SLOTID_UPGRADE");
        return slot;
      case kHorseGroup:
        slot.slot = native::HashString("SLOTID_ACTIVE_HORSE");
        return slot;
      case kWardrobeGroup:
        if (ItemFits(item, "SLOTID_WARDROBE")) {
          slot.slot = native::HashString("SLOTID_WARDROBE");
        } else {
          uint8_t parent[32];
          std::memcpy(parent, slot.parentGuid, sizeof parent);
          native::InventoryItemGuid(kPlayerInventory, parent, native::HashString("WARDROBE"),
                                    native::HashString("SLOTID_WARDROBE"), slot.parentGuid);
          slot.slot = native::DefaultSlotForItem(item, native::HashString("WARDROBE"));
        }
        return slot;
      default:
        break;
    }
  }
  if (ItemFits(item, "SLOTID_SATCHEL")) slot.slot = native::HashString("SLOTID_SATCHEL");
  else if (ItemFits(item, "SLOTID_WARDROBE")) slot.slot = native::HashString("SLOTID_WARDROBE");
  else slot.slot = native::DefaultSlotForItem(item, native::HashString("CHARACTER"));
  return slot;
}
