#include "smoking/inventory.h"

#include <cstring>

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

Hash hiddenCheaperItem = 0;
int removedCheapBoxCount = 0;
int cheapBoxRemovalTime = 0;

namespace {

constexpr int kPlayerInventory = 1;
constexpr int kBlockAfterQuickUseMs = 2000;

// Item groups, as the game's item info reports them at byte 16.
constexpr Hash kUpgradeGroup = 0x80FB92CD;
constexpr Hash kHorseGroup = 0x95A6F147;
constexpr Hash kWardrobeGroup = 0xC2286F01;

struct ItemInfo {
  uint8_t bytes[56];
};

// The last argument is false in every call of the game's own scripts.
int ItemCount(Hash item) { return native::InventoryGetInventoryItemCountWithItemId(kPlayerInventory, item, false); }

void RemoveItems(Hash item, int count) {
  native::InventoryRemoveInventoryItemWithItemId(kPlayerInventory, item, count, GameName("REMOVE_REASON_USED"));
}

bool ItemFits(Hash item, Hash slot) { return native::InventoryFitsSlotId(item, slot); }

Hash ItemGroup(const ItemInfo& info) {
  Hash group;
  std::memcpy(&group, info.bytes + 16, sizeof group);
  return group;
}

bool Carries(const SmokeItem& use) {
  return (use.cheaperItem.hash != 0 && ItemCount(use.cheaperItem.hash) != 0) || ItemCount(use.item.hash) != 0;
}

// The game's own quick-use of the item just took one out of the satchel;
// starting a smoke of it on the same press would smoke two.
bool QuickUseJustTookOne() {
  if (quickUseItemPressTime == 0) return false;
  const int now = FrameGameTimer();
  if (now <= quickUseItemPressTime) return false;
  return now - quickUseItemPressTime < kBlockAfterQuickUseMs;
}

}  // namespace

bool HasItemFor(const SmokeKind& kind) {
  if (BLOCK_SMOKING_IF_NO_ITEM && !Carries(kind.item)) return false;
  return !kind.item.takenByQuickUse || !QuickUseJustTookOne();
}

// With a cheaper item the regular one goes first; without, one is taken
// whatever the count (the game takes nothing from none).
void TakeItemFor(const SmokeKind& kind) {
  const SmokeItem& use = kind.item;
  if (use.cheaperItem.hash == 0) {
    RemoveItems(use.item.hash, 1);
    return;
  }
  const int cheap = ItemCount(use.cheaperItem.hash);
  const int regular = ItemCount(use.item.hash);
  if (regular > 0) RemoveItems(use.item.hash, 1);
  else if (cheap > 0) RemoveItems(use.cheaperItem.hash, 1);
}

// Only while there is a regular item for the emote to take instead; a world
// rule gives the hidden ones back.
void HideCheaperItemsFor(const SmokeKind& kind) {
  const SmokeItem& use = kind.item;
  if (use.cheaperItem.hash == 0 || ItemCount(use.item.hash) <= 0) return;
  const int cheap = ItemCount(use.cheaperItem.hash);
  if (cheap <= 0) return;
  hiddenCheaperItem = use.cheaperItem.hash;
  removedCheapBoxCount = cheap;
  RemoveItems(use.cheaperItem.hash, cheap);
  cheapBoxRemovalTime = FrameGameTimer();
}

ItemSlot FindItemSlot(Hash item) {
  ItemSlot slot{};
  uint8_t noParent[32] = {};
  native::InventoryGetGuidFromItemId(kPlayerInventory, noParent, GameName("CHARACTER"), GameName("SLOTID_NONE"),
                                     slot.parentGuid);
  slot.slot = GameName("SLOTID_SATCHEL");

  ItemInfo info{};
  if (native::ItemDatabaseIsKeyValid(item, 0) && native::ItemDatabaseFilloutItemInfo(item, &info)) {
    switch (ItemGroup(info)) {
      case kUpgradeGroup:
        if (ItemFits(item, GameName("SLOTID_UPGRADE"))) slot.slot = GameName("SLOTID_UPGRADE");
        return slot;
      case kHorseGroup:
        slot.slot = GameName("SLOTID_ACTIVE_HORSE");
        return slot;
      case kWardrobeGroup:
        if (ItemFits(item, GameName("SLOTID_WARDROBE"))) {
          slot.slot = GameName("SLOTID_WARDROBE");
        } else {
          uint8_t parent[32];
          std::memcpy(parent, slot.parentGuid, sizeof parent);
          native::InventoryGetGuidFromItemId(kPlayerInventory, parent, GameName("WARDROBE"),
                                             GameName("SLOTID_WARDROBE"), slot.parentGuid);
          slot.slot = native::GetDefaultItemSlotInfo(item, GameName("WARDROBE"));
        }
        return slot;
      default:
        break;
    }
  }
  if (ItemFits(item, GameName("SLOTID_SATCHEL"))) slot.slot = GameName("SLOTID_SATCHEL");
  else if (ItemFits(item, GameName("SLOTID_WARDROBE"))) slot.slot = GameName("SLOTID_WARDROBE");
  else slot.slot = native::GetDefaultItemSlotInfo(item, GameName("CHARACTER"));
  return slot;
}
