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

inline constexpr const char* kCigaretteBox = "consumable_cigarette_box";
inline constexpr const char* kCheapCigaretteBox = "consumable_cigarette_box_cheap";
inline constexpr const char* kCigar = "consumable_cigar";

bool HasCigaretteItem();
bool HasCigarItem();
void ConsumeCigaretteBox();
void ConsumeCheapCigaretteBox();
ItemSlot FindItemSlot(Hash item);
