// What the plug-in writes on screen: game texts and drawn messages.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace sim {

struct Screen {
  std::unordered_set<std::string> texts;  // game texts made by VarString, kept for their addresses
  // The frame each text was last drawn on: a text drawn again on the next
  // frame is still the same showing of it (a notice and a message may be on
  // screen together).
  std::unordered_map<std::string, uint64_t> lastDrawnFrame;
  uint64_t drawCount = 0;
};

}  // namespace sim
