#include "smoking/inventory.h"

#include <cstring>

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "smoking/smoking_state.h"

int removedCheapBoxCount = 0;
int cheapBoxRemovalTime = 0;

namespace {

constexpr int kPlayerInventory = 1;
constexpr int kCigarBlockAfterQuickUseMs = 2000;

// Item groups, as the game's item info reports them at byte 16.
constexpr Hash kUpgradeGroup = 0x80FB92CD;
constexpr Hash kHorseGroup = 0x95A6F147;
constexpr Hash kWardrobeGroup = 0xC2286F01;

constexpr Hash kCigaretteBoxHash = GameName(kCigaretteBoxItem);
constexpr Hash kCheapCigaretteBoxHash = GameName(kCheapCigaretteBoxItem);
constexpr Hash kCigarHash = GameName(kCigarItem);

struct ItemInfo {
  uint8_t bytes[56];
};

int ItemCount(Hash item) { return native::InventoryItemCount(kPlayerInventory, item, 1); }

void RemoveItems(Hash item, int count) {
  native::InventoryRemoveItem(kPlayerInventory, item, count, GameName("REMOVE_REASON_USED"));
}

bool ItemFits(Hash item, Hash slot) { return native::ItemFitsSlot(item, slot); }

Hash ItemGroup(const ItemInfo& info) {
  Hash group;
  std::memcpy(&group, info.bytes + 16, sizeof group);
  return group;
}

}  // namespace

bool HasCigaretteItem() {
  if (!BLOCK_SMOKING_IF_NO_ITEM) return true;
  return ItemCount(kCheapCigaretteBoxHash) != 0 || ItemCount(kCigaretteBoxHash) != 0;
}

bool HasCigarItem() {
  if (BLOCK_SMOKING_IF_NO_ITEM && ItemCount(kCigarHash) == 0) return false;
  if (quickUseItemPressTime == 0) return true;
  const int now = FrameGameTimer();
  if (now <= quickUseItemPressTime) return true;
  // The game's own quick-use of the item just took a cigar out of the
  // satchel; starting another one on the same press would smoke two.
  return now - quickUseItemPressTime >= kCigarBlockAfterQuickUseMs;
}

void ConsumeCigaretteBox() {
  const int cheap = ItemCount(kCheapCigaretteBoxHash);
  const int regular = ItemCount(kCigaretteBoxHash);
  if (regular > 0) RemoveItems(kCigaretteBoxHash, 1);
  else if (cheap > 0) RemoveItems(kCheapCigaretteBoxHash, 1);
}

// The game's smoking emote prefers the cheap boxes; hiding them for a moment
// makes it draw from the regular ones. A world rule gives them back.
void ConsumeCheapCigaretteBox() {
  if (ItemCount(kCigaretteBoxHash) <= 0) return;
  const int cheap = ItemCount(kCheapCigaretteBoxHash);
  if (cheap <= 0) return;
  removedCheapBoxCount = cheap;
  RemoveItems(kCheapCigaretteBoxHash, cheap);
  cheapBoxRemovalTime = FrameGameTimer();
}

void ConsumeCigar() { RemoveItems(kCigarHash, 1); }

ItemSlot FindItemSlot(Hash item) {
  ItemSlot slot{};
  uint8_t noParent[32] = {};
  native::InventoryItemGuid(kPlayerInventory, noParent, GameName("CHARACTER"),
                            GameName("SLOTID_NONE"), slot.parentGuid);
  slot.slot = GameName("SLOTID_SATCHEL");

  ItemInfo info{};
  if (native::ItemKeyIsValid(item, 0) && native::ItemInfoFill(item, &info)) {
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
          native::InventoryItemGuid(kPlayerInventory, parent, GameName("WARDROBE"),
                                    GameName("SLOTID_WARDROBE"), slot.parentGuid);
          slot.slot = native::DefaultSlotForItem(item, GameName("WARDROBE"));
        }
        return slot;
      default:
        break;
    }
  }
  if (ItemFits(item, GameName("SLOTID_SATCHEL"))) slot.slot = GameName("SLOTID_SATCHEL");
  else if (ItemFits(item, GameName("SLOTID_WARDROBE"))) slot.slot = GameName("SLOTID_WARDROBE");
  else slot.slot = native::DefaultSlotForItem(item, GameName("CHARACTER"));
  return slot;
}
