// Particle effects, looped and one-shot, sounds and the sound sets they come from.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

struct LoopedEffect {
  int handle = 0;
  std::string name;
  std::string asset;  // the asset chosen with UseParticleFxAsset
  int entity = 0;     // the entity or ped it is on
  int bone = -1;      // the ped bone, -1 when on an entity
  float alpha = 1.0f;
  float scale = 1.0f;
  uint64_t startFrame = 0;
  bool endedWithEntity = false;  // stopped because its entity was deleted, not by the plug-in
};

struct OneShotEffect {
  std::string name;
  std::string asset;
  int entity = 0;
  int bone = -1;
  float alpha = 1.0f;  // from SetParticleFxNonLoopedAlpha
  float scale = 1.0f;
  uint64_t frame = 0;
};

struct Sound {
  std::string name;
  std::string soundSet;
  int entity = 0;  // 0 when played at a position
  float x = 0.0f, y = 0.0f, z = 0.0f;
  bool looped = false;
  uint64_t frame = 0;
};

struct Effects {
  std::map<int, LoopedEffect> looped;  // running looped effects by handle
  std::vector<LoopedEffect> stopped;   // looped effects stopped so far
  std::vector<OneShotEffect> oneShots;
  int nextHandle = 5000;
  std::string nextAsset;
  float nextAlpha = 1.0f;  // applies to the next one-shot effect only

  std::vector<Sound> soundsPlayed;  // every sound started
  std::vector<Sound> loopedSounds;  // looped sounds still playing
  // Sound sets the game holds for the plug-in, by name hash: prepared (their
  // preparation answered ready) and not yet released by their own name.
  std::map<uint32_t, std::string> preparedSoundSets;

  // The game ends looped effects on an entity when the entity goes away.
  void EndEffectsOn(int entity) {
    for (auto it = looped.begin(); it != looped.end();) {
      if (it->second.entity == entity) {
        it->second.endedWithEntity = true;
        stopped.push_back(it->second);
        it = looped.erase(it);
      } else {
        ++it;
      }
    }
  }
  bool Running(int handle) const { return looped.count(handle) != 0; }
  // Running looped effects with this name.
  size_t CountRunning(const std::string& name) const {
    size_t count = 0;
    for (const auto& [handle, effect] : looped) count += effect.name == name;
    return count;
  }
};

}  // namespace sim
