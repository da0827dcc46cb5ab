// Giving back the cheaper items (the cheap cigarette boxes) that were hidden
// from the game's smoking emote, 650 ms after they were hidden: also after a
// smoke that ended early.
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "rules/world_rules.h"
#include "smoking/inventory.h"

void RestoreCheapBoxes(int count) {
  if (count <= 0) return;
  const Hash item = hiddenCheaperItem;
  ItemSlot record = FindItemSlot(item);
  if (!native::InventoryIsGuidValid(&record)) return;
  uint8_t guid[32] = {};
  native::InventoryAddItemWithGuid(1, guid, &record, item, record.slot, count, GameName("ADD_REASON_DEFAULT"));
}

void GiveBackCheapBoxes() {
  if (cheapBoxRemovalTime == 0 || GameMsSince(cheapBoxRemovalTime) <= 650) return;
  RestoreCheapBoxes(removedCheapBoxCount);
  cheapBoxRemovalTime = 0;
}
