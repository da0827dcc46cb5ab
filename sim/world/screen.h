// What the plug-in writes on screen: game texts and drawn messages.
#pragma once

#include <string>
#include <unordered_set>

namespace sim {

struct Screen {
  std::unordered_set<std::string> texts;  // game texts made by MakeLiteralText, kept for their addresses
  std::string lastDrawn;
  uint64_t lastDrawnFrame = 0;
  uint64_t drawCount = 0;
};

}  // namespace sim
