// Inventory checks and consumption: cigarette boxes and cigars.
#pragma once

#include <cstdint>

#include "host/native_types.h"

// The 64-byte record the inventory natives exchange: parent guid, slot hash.
struct ItemSlot {
  uint8_t parentGuid[32];
  uint8_t reserved[24];
  Hash slot;
  uint32_t reserved2;
};
static_assert(sizeof(ItemSlot) == 64);

struct SmokeKind;

// The cheaper items hidden from the game's smoking emote, how many and when:
// they are given back a moment later.
extern Hash hiddenCheaperItem;
extern int removedCheapBoxCount;
extern int cheapBoxRemovalTime;  // game ms; 0 = none hidden

// The kind's item (SmokeKind::item) lets it be lit: always, unless
// BLOCK_SMOKING_IF_NO_ITEM asks for one in the inventory.
bool HasItemFor(const SmokeKind& kind);
// One item used up by a lighting.
void TakeItemFor(const SmokeKind& kind);
// The game's smoking emote prefers a cheaper item; hiding those for a moment
// makes it draw from the regular ones.
void HideCheaperItemsFor(const SmokeKind& kind);
ItemSlot FindItemSlot(Hash item);
