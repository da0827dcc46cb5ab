// What the plug-in left behind in the world when a session ends.
#pragma once

#include <string>
#include <vector>

namespace sim {

class Simulator;

struct Leftovers {
  // Left behind: each should be empty after a clean stop.
  std::vector<std::string> propsOnPlayer;   // plug-in props still attached to the player
  std::vector<std::string> helperEntities;  // dummy peds, mouth markers, props hanging on them
  std::vector<std::string> loopedEffects;   // looped particle effects still running
  std::vector<std::string> loopedSounds;    // looped sounds still playing
  std::vector<std::string> soundSets;       // sound sets prepared and never released
  std::vector<std::string> visiblePrompts;  // the plug-in's prompts still on screen
  std::vector<std::string> keptPrompts;     // hidden but still registered (counted only after an unload)
  // Counted apart: props thrown away or dropped lie where they fell.
  std::vector<std::string> propsInWorld;
  // The timeline subjects of everything left behind, so a picture can mark them.
  std::vector<std::string> subjects;

  bool Clean() const {
    return propsOnPlayer.empty() && helperEntities.empty() && loopedEffects.empty() && loopedSounds.empty() &&
           soundSets.empty() && visiblePrompts.empty() && keptPrompts.empty();
  }
};

Leftovers FindLeftovers(Simulator& sim);
// The text emberwick-sim prints at the end of a session.
std::string FormatLeftovers(const Leftovers& leftovers);

// The model of the invisible marker the hand-to-mouth easing places at the mouth.
inline constexpr const char* kMouthMarkerModel = "p_cigarettebox01x";

}  // namespace sim
