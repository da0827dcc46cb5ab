#include <cstdlib>

#include "simulator.h"

namespace sim {

namespace {

// The first request of a configured asset is on the timeline, with what will
// become of it.
void NoteRequest(Simulator& sim, uint32_t hash, const Assets::Config& config) {
  if (config.neverLoads) sim.Event("asset", sim.hashes.Name(hash) + " requested; it never loads");
  else if (config.missing) sim.Event("asset", sim.hashes.Name(hash) + " requested; it does not exist");
  else sim.Event("asset", sim.hashes.Name(hash) + " requested; it loads in " + std::to_string(config.delayFrames) +
                              " frames");
}

}  // namespace

void Assets::Configure(Simulator& sim, const std::string& name, Config config) {
  const uint32_t hash = sim.Hash(name);
  configs[hash] = config;
  requestedFrame.erase(hash);
  particleRequests.erase(hash);
}

void Assets::Request(Simulator& sim, uint32_t hash) {
  auto config = configs.find(hash);
  if (config == configs.end() || requestedFrame.count(hash)) return;
  requestedFrame[hash] = sim.Frame();
  NoteRequest(sim, hash, config->second);
}

void Assets::RequestParticleAsset(Simulator& sim, uint32_t hash) {
  if (particleRequests.count(hash)) return;
  particleRequests[hash] = sim.Frame();
  auto config = configs.find(hash);
  if (config != configs.end()) NoteRequest(sim, hash, config->second);
}

bool Assets::Exists(uint32_t hash) const {
  auto config = configs.find(hash);
  return config == configs.end() || !config->second.missing;
}

bool Assets::Loaded(const Simulator& sim, uint32_t hash) const {
  auto config = configs.find(hash);
  if (config == configs.end()) return true;
  if (config->second.missing || config->second.neverLoads) return false;
  auto requested = requestedFrame.find(hash);
  if (requested == requestedFrame.end()) return config->second.delayFrames <= 0;
  return sim.Frame() - requested->second >= static_cast<uint64_t>(config->second.delayFrames);
}

bool Assets::ParticleAssetLoaded(const Simulator& sim, uint32_t hash) const {
  auto requested = particleRequests.find(hash);
  if (requested == particleRequests.end()) return false;
  auto config = configs.find(hash);
  if (config == configs.end()) return true;
  if (config->second.missing || config->second.neverLoads) return false;
  return sim.Frame() - requested->second >= static_cast<uint64_t>(config->second.delayFrames);
}

bool Assets::Answer(const Simulator& sim, uint32_t hash, bool loaded) {
  if (!loaded) {
    lastNotLoaded = hash;
    lastNotLoadedCall = sim.TotalCalls();
    if (lastNotLoadedCall == callsAtFrameStart + 1) {
      firstCallNotLoaded = hash;
      firstCallNotLoadedFrame = sim.Frame() + 1;
    }
  }
  return loaded;
}

void InstallAssetNatives(Simulator& sim) {
  Assets& assets = sim.world.assets;
  sim.AddFrameStartHook([&sim, &assets] { assets.callsAtFrameStart = sim.TotalCalls(); });

  sim.Handle("IsModelInCdImage", [&assets](const Call& c, Result& r) { r.Bool(assets.Exists(c.U(0))); });
  sim.Handle("IsModelValid", [&assets](const Call& c, Result& r) { r.Bool(assets.Exists(c.U(0))); });
  sim.Handle("RequestModel", [&sim, &assets](const Call& c, Result&) {
    ++assets.modelRequests[c.U(0)];
    assets.Request(sim, c.U(0));
  });
  sim.Handle("HasModelLoaded", [&sim, &assets](const Call& c, Result& r) {
    r.Bool(assets.Answer(sim, c.U(0), assets.Loaded(sim, c.U(0))));
  });
  sim.Handle("SetModelAsNoLongerNeeded", [&assets](const Call& c, Result&) { ++assets.modelReleases[c.U(0)]; });

  sim.Handle("RequestAnimDict", [&sim, &assets](const Call& c, Result&) { assets.Request(sim, sim.Hash(c.S(0))); });
  // A particle asset loads only when asked for by its name's hash: a request
  // for a clip dictionary of the same name loads nothing of it.
  sim.Handle("RequestNamedPtfxAsset",
             [&sim, &assets](const Call& c, Result&) { assets.RequestParticleAsset(sim, c.U(0)); });
  sim.Handle("HasNamedPtfxAssetLoaded", [&sim, &assets](const Call& c, Result& r) {
    r.Bool(assets.Answer(sim, c.U(0), assets.ParticleAssetLoaded(sim, c.U(0))));
  });
  sim.Handle("HasAnimDictLoaded", [&sim, &assets](const Call& c, Result& r) {
    const uint32_t hash = sim.Hash(c.S(0));
    r.Bool(assets.Answer(sim, hash, assets.Loaded(sim, hash)));
  });
  sim.Handle("DoesAnimDictExist",
             [&sim, &assets](const Call& c, Result& r) { r.Bool(assets.Exists(sim.Hash(c.S(0)))); });
  // The game starts loading a sound set on the first call and answers true
  // once it is in; from then on it holds the set until it is released.
  sim.Handle("PrepareSoundSet", [&sim, &assets](const Call& c, Result& r) {
    const std::string name = c.S(0);
    const uint32_t hash = sim.Hash(name);
    assets.Request(sim, hash);
    const bool ready = assets.Answer(sim, hash, assets.Loaded(sim, hash));
    auto& prepared = sim.world.effects.preparedSoundSets;
    if (ready && prepared.emplace(hash, name).second) {
      sim.Event("sound", "sound set " + name + " prepared", SoundSetSubject(name), Span::Begin);
    }
    r.Bool(ready);
  });
  sim.Handle("UseParticleFxAsset", [&sim](const Call& c, Result&) { sim.world.effects.nextAsset = c.S(0); });

  auto nameOnly = [](const std::string& value, std::string& name) {
    name = value;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return !name.empty() && name.find(' ') == std::string::npos;
  };
  // set asset.missing NAME: the model, dictionary, effect asset or sound set does not exist.
  sim.AddSetter("asset.missing", [&sim, &assets, nameOnly](const std::string& value) {
    std::string name;
    if (!nameOnly(value, name)) return false;
    assets.Configure(sim, name, {true, false, 0});
    return true;
  });
  // set asset.never NAME: it exists, but its load never completes.
  sim.AddSetter("asset.never", [&sim, &assets, nameOnly](const std::string& value) {
    std::string name;
    if (!nameOnly(value, name)) return false;
    assets.Configure(sim, name, {false, true, 0});
    return true;
  });
  // set asset.delay NAME FRAMES: it is loaded FRAMES frames after it is first requested.
  sim.AddSetter("asset.delay", [&sim, &assets](const std::string& value) {
    const size_t space = value.find(' ');
    if (space == std::string::npos || space == 0) return false;
    const std::string name = value.substr(0, space);
    char* end = nullptr;
    const long frames = std::strtol(value.c_str() + space + 1, &end, 10);
    if (end == value.c_str() + space + 1 || frames < 0 || frames > 1'000'000) return false;
    while (*end == ' ') ++end;
    if (*end != '\0') return false;
    assets.Configure(sim, name, {false, false, static_cast<int>(frames)});
    return true;
  });
}

}  // namespace sim
