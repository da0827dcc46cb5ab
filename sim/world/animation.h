// Clips, emotes and item interactions playing on peds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct PlayingClip {
  int ped = 0;
  std::string dictionary;
  std::string clip;
  int durationMs = 0;  // as passed; -1 or 0: until replaced or cancelled
  int flags = 0;
  int ikFlags = 0;
  float blendIn = 0.0f, blendOut = 0.0f, rate = 1.0f;
  std::string filter;
  int64_t startUs = 0;  // when phase 0 was (SetEntityAnimCurrentTime moves it)
};

struct PlayingEmote {
  int ped = 0;
  uint32_t emote = 0;
  int flag = 0;
  int64_t startUs = 0;
  int durationMs = 0;
};

struct PlayingInteraction {
  int ped = 0;
  uint32_t item = 0;
  uint32_t interaction = 0;
  int64_t startUs = 0;
  int durationMs = 0;
  int gameProp = 0;  // the game's own prop for the interaction, if any
};

class Simulator;

// Ends what the ped plays, as clearing its tasks does in the game: its clip
// and emote at once, its item interactions at the next frame (when the game
// takes their prop back). Each end is a line of the timeline, `how` saying why.
void EndAnimationsOf(Simulator& sim, int ped, const std::string& how);

struct Animation {
  std::vector<PlayingClip> clips;  // one per ped: a new clip replaces the ped's current one
  std::vector<PlayingEmote> emotes;
  std::vector<PlayingInteraction> interactions;
  std::vector<PlayingClip> clipsPlayed;  // every clip started, for tests
  int emoteDurationMs = 4000;
  int interactionDurationMs = 2150;
  // Nominal length of a clip played without a duration of its own, for its phase.
  int nominalClipMs = 3000;

  const PlayingClip* ClipOn(int ped) const {
    for (const PlayingClip& clip : clips) {
      if (clip.ped == ped) return &clip;
    }
    return nullptr;
  }
  bool EmotePlaying(int ped) const {
    for (const PlayingEmote& emote : emotes) {
      if (emote.ped == ped) return true;
    }
    return false;
  }
};

}  // namespace sim
