// Game controls (pad 0): held, just pressed, just released, disabled for a
// frame, and the values the plug-in pushes to replay a swallowed input.
#pragma once

#include <cstdint>
#include <unordered_map>

namespace sim {

struct ControlState {
  bool down = false;
  uint64_t pressFrame = UINT64_MAX;    // the frame on which it went down
  uint64_t releaseFrame = UINT64_MAX;  // the frame after it went up
  uint64_t disabledFrame = UINT64_MAX;
  uint64_t pushedFrame = UINT64_MAX;   // pushed by the plug-in for the next frame
};

struct Controls {
  std::unordered_map<uint32_t, ControlState> byHash;
  bool keyboardActive = true;  // false while a controller is in use

  bool Down(uint32_t hash) const {
    auto it = byHash.find(hash);
    return it != byHash.end() && it->second.down;
  }
};

}  // namespace sim
