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

inline constexpr const char* kCigaretteBoxItem = "consumable_cigarette_box";
inline constexpr const char* kCheapCigaretteBoxItem = "consumable_cigarette_box_cheap";
inline constexpr const char* kCigarItem = "consumable_cigar";

// The cheap boxes hidden from the game's smoking emote, and when: they are
// given back a moment later.
extern int removedCheapBoxCount;
extern int cheapBoxRemovalTime;  // game ms; 0 = none hidden

bool HasCigaretteItem();
bool HasCigarItem();
void ConsumeCigaretteBox();
void ConsumeCheapCigaretteBox();
void ConsumeCigar();
ItemSlot FindItemSlot(Hash item);
