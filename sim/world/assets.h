// Models, clip dictionaries, particle effect assets and sound sets, and how
// long each takes to load.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace sim {

class Simulator;

struct Assets {
  // How one asset behaves; assets nobody configured exist and are loaded at
  // once, but for a particle asset: the game loads one only when it is
  // requested by its name's hash (REQUEST_NAMED_PTFX_ASSET), and then at once.
  struct Config {
    bool missing = false;     // does not exist at all
    bool neverLoads = false;  // exists, but the load never completes
    int delayFrames = 0;      // frames from the first request until it is loaded
  };
  std::map<uint32_t, Config> configs;           // by name hash (names are case-insensitive)
  std::map<uint32_t, uint64_t> requestedFrame;  // first request of each configured asset
  std::map<uint32_t, uint64_t> particleRequests;  // first named request of each particle asset
  std::map<uint32_t, int> modelRequests;        // RequestModel calls by model
  std::map<uint32_t, int> modelReleases;        // SetModelAsNoLongerNeeded calls by model
  // The last load query that answered "not loaded", and the native call it
  // was: a script that yields right after it may be waiting for that asset.
  uint32_t lastNotLoaded = 0;
  uint64_t lastNotLoadedCall = 0;
  // The first native call of a frame, when it was such a query (the frame
  // is noted plus one, 0 meaning none): a script resumed inside a wait asks
  // again at once, where the main loop's next frame begins with other calls.
  uint32_t firstCallNotLoaded = 0;
  uint64_t firstCallNotLoadedFrame = 0;
  uint64_t callsAtFrameStart = 0;

  void Configure(Simulator& sim, const std::string& name, Config config);
  // Asked for the asset (RequestModel, RequestAnimDict, PrepareSoundSet).
  void Request(Simulator& sim, uint32_t hash);
  // Asked for a particle asset by its name's hash (RequestNamedPtfxAsset).
  void RequestParticleAsset(Simulator& sim, uint32_t hash);
  bool Exists(uint32_t hash) const;
  bool Loaded(const Simulator& sim, uint32_t hash) const;
  bool ParticleAssetLoaded(const Simulator& sim, uint32_t hash) const;
  // The answer to a load query of the script, noted in lastNotLoaded when it
  // is "not loaded".
  bool Answer(const Simulator& sim, uint32_t hash, bool loaded);
  // The game can create an entity of this model (it exists and is loaded).
  bool CanCreate(const Simulator& sim, uint32_t model) const { return Exists(model) && Loaded(sim, model); }
};

}  // namespace sim
