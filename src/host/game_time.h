// The game timer: milliseconds in a 32-bit counter that wraps. Differences
// and sums are taken in unsigned 32-bit arithmetic, so they stay right across
// the wrap and never overflow a signed int.
#pragma once

#include <cstdint>

namespace game_time {

inline int Since(int now, int then) {
  return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(then));
}
inline int Later(int now, uint32_t ms) { return static_cast<int32_t>(static_cast<uint32_t>(now) + ms); }
inline int Earlier(int now, uint32_t ms) { return static_cast<int32_t>(static_cast<uint32_t>(now) - ms); }

}  // namespace game_time
