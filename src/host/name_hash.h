// The game's name hash: Jenkins one-at-a-time over the lower-cased name, 32
// bits, the same number the GetHashKey native answers. Asking the game costs
// a trip through the hook; this costs nothing for a name known when the
// plug-in is built, and a few instructions for one read from the settings.
#pragma once

#include <string_view>

#include "host/native_types.h"

constexpr Hash HashName(std::string_view name) {
  Hash hash = 0;
  for (char raw : name) {
    unsigned char c = static_cast<unsigned char>(raw);
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    hash += c;
    hash += hash << 10;
    hash ^= hash >> 6;
  }
  hash += hash << 3;
  hash ^= hash >> 11;
  hash += hash << 15;
  return hash;
}
