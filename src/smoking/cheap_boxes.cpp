// Giving back the cheap cigarette boxes that were hidden from the game's
// smoking emote.
#include "host/game_names.h"
#include "host/natives.h"
#include "input/inventory.h"
#include "smoking/smoking_controller.h"

void RestoreCheapBoxes(int count) {
  if (count <= 0) return;
  const Hash item = GameName(kCheapCigaretteBox);
  ItemSlot record = FindItemSlot(item);
  if (!native::InventoryItemCheck(&record)) return;
  uint8_t guid[32] = {};
  native::InventoryAddItem(1, guid, &record, item, record.slot, count, GameName("ADD_REASON_DEFAULT"));
}
