// Value types exchanged with the game's natives.
#pragma once

#include <cstddef>
#include <cstdint>

using Entity = int32_t;  // entity handle, 0 = none
using Ped = int32_t;     // ped handle, 0 = none
using Prompt = int32_t;  // prompt handle, 0 = none
using Hash = uint32_t;   // 32-bit name hash (models, controls, items, ...)

// The hook returns vectors as three 8-byte words with the float at the start
// of each; results are stored in this layout unchanged.
struct Vector3 {
  float x;
  uint32_t paddingX;
  float y;
  uint32_t paddingY;
  float z;
  uint32_t paddingZ;
};
static_assert(sizeof(Vector3) == 24);
static_assert(offsetof(Vector3, y) == 8);
static_assert(offsetof(Vector3, z) == 16);
