#include "invariants.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <strings.h>

#include "animations/asset_loading.h"
#include "simulator.h"
#include "world/leftovers.h"

namespace sim {
namespace {

constexpr const char* kMatchModel = "p_matchstick01x";

struct InvariantState {
  bool on = false;
  struct Wait {
    uint64_t lastFrame = 0;
    int frames = 0;
  };
  std::map<uint32_t, Wait> waits;  // by asset: the frames it has held the script
  uint32_t yieldedAfter = 0;       // the asset the last frame ended asking for
  int64_t matchHeldUs = 0;         // on the player, frames of waiting aside
  int64_t lastGameUs = -1;         // the game's time at the last frame
  bool matchReported = false;
  bool propsReported = false;
};

bool IsModel(const SimEntity& entity, const char* model) { return strcasecmp(entity.modelName.c_str(), model) == 0; }

// The plug-in's smoke props on the player: whatever it attached there but the
// match and the invisible mouth marker.
int SmokePropsOnPlayer(const Simulator& sim, const SimEntity** match) {
  int count = 0;
  const int player = sim.world.entities.player;
  for (const auto& [handle, entity] : sim.world.entities.all) {
    if (!entity.createdByPlugin || entity.attachedTo != player || entity.type != SimEntity::Type::Object) continue;
    if (IsModel(entity, kMatchModel)) {
      *match = &entity;
    } else if (!IsModel(entity, kMouthMarkerModel)) {
      ++count;
    }
  }
  return count;
}

// True when the script waited for an asset in this frame. A frame held by a
// wait is one the script, resumed in it, began by asking again for the asset
// it had yielded after; the frame a wait begins in ends on its first ask. A
// frame that merely ends on a query answered "not loaded" (an asset already
// given up, asked once more at the end of the main loop) holds nothing.
bool CheckAssetWaits(Simulator& sim, InvariantState& state) {
  const Assets& assets = sim.world.assets;
  const uint64_t frame = sim.Frame();
  const uint32_t asset = state.yieldedAfter;
  const bool resumedIntoWait = asset != 0 && assets.firstCallNotLoadedFrame == frame + 1 &&
                               assets.firstCallNotLoaded == asset;
  const bool endsOnAsk = assets.lastNotLoadedCall != 0 && assets.lastNotLoadedCall == sim.TotalCalls();
  state.yieldedAfter = endsOnAsk ? assets.lastNotLoaded : 0;
  if (!resumedIntoWait) return endsOnAsk;
  InvariantState::Wait& wait = state.waits[asset];
  // A frame or two of the script's own between two waits for the same asset
  // does not free it: those waits hold it together.
  wait.frames = wait.frames > 0 && frame - wait.lastFrame <= 3 ? wait.frames + 1 : 1;
  wait.lastFrame = frame;
  // A wait yields after each of its asks but the last.
  if (wait.frames == Animations::kAssetLoadTimeoutFrames + 1) {
    sim.Error("invariant: " + sim.hashes.Name(asset) + ", which is not loaded, held the script for " +
              std::to_string(wait.frames) + " frames (waits at most two frames apart); a wait gives up after " +
              std::to_string(Animations::kAssetLoadTimeoutFrames));
  }
  return true;
}

// The game time since the last frame in which the plug-in could act: a long
// frame (a hitch, 10 fps) gives it no chance to act inside it, so it counts
// as no more than a slow frame.
int64_t ActingUs(Simulator& sim, InvariantState& state) {
  const int64_t now = sim.GameUs();
  const int64_t passed = state.lastGameUs < 0 ? sim.FrameUs() : now - state.lastGameUs;
  state.lastGameUs = now;
  return passed < kSlowFrameUs ? passed : kSlowFrameUs;
}

void CheckFrame(Simulator& sim, InvariantState& state) {
  const int64_t actingUs = ActingUs(sim, state);
  const bool waiting = CheckAssetWaits(sim, state);
  const SimEntity* match = nullptr;
  const int props = SmokePropsOnPlayer(sim, &match);
  if (props > 1 && !state.propsReported) {
    sim.Error("invariant: " + std::to_string(props) + " smoke props of the plug-in on the player at once");
  }
  state.propsReported = props > 1;

  if (!match) {
    state.matchHeldUs = 0;
    state.matchReported = false;
    return;
  }
  if (!waiting) state.matchHeldUs += actingUs;
  if (state.matchHeldUs > kMatchHeldMs * 1000 && !state.matchReported) {
    state.matchReported = true;
    sim.Error("invariant: the match " + sim.world.entities.Label(match->handle) + " stayed on the player for " +
              std::to_string(kMatchHeldMs / 1000) + " s: its lighting is over or was interrupted");
  }
}

}  // namespace

void InstallInvariantChecks(Simulator& sim) {
  auto state = std::make_shared<InvariantState>();

  sim.AddFrameEndHook([&sim, state] {
    if (state->on) CheckFrame(sim, *state);
  });
  sim.AddUnloadHook([&sim, state] {
    // The unload ends the script: a wait of the next one is a wait of its own,
    // however soon after the last it begins.
    state->waits.clear();
    state->yieldedAfter = 0;
    if (!state->on) return;
    Leftovers left = FindLeftovers(sim);
    // The unload deletes every prompt of the plug-in, shown or not: a hidden
    // one kept would outlive the module, and a new load would not know it.
    for (const auto& [handle, prompt] : sim.world.prompts.all) {
      if (prompt.registered && !prompt.visible) left.keptPrompts.push_back("\"" + prompt.label + "\"");
    }
    if (!left.Clean()) sim.Error("invariant: after an unload the plug-in left in the world:\n" + FormatLeftovers(left));
  });

  sim.AddCommand("invariants", [&sim, state](const std::vector<std::string>& args, std::string& error) {
    if (args.size() != 1 || (args[0] != "on" && args[0] != "off")) {
      error = "usage: invariants on|off";
      return false;
    }
    state->on = args[0] == "on";
    state->lastGameUs = -1;
    sim.maxCallsPerFrame = state->on ? kMaxCallsPerFrame : 0;
    sim.hangHandler = [&sim](const std::string& message) {
      sim.Error("invariant: " + message);
      // The script cannot be brought back: end here rather than hang too.
      std::fflush(nullptr);
      std::_Exit(1);
    };
    return true;
  });

  sim.AddCommand("expect", [&sim](const std::vector<std::string>& args, std::string& error) {
    if (args.size() != 1 || args[0] != "settled") {
      error = "usage: expect settled";
      return false;
    }
    Leftovers left = FindLeftovers(sim);
    // A menu the player opened stays open until closed: prompts count at unload.
    left.visiblePrompts.clear();
    const SimEntity* match = nullptr;
    if (SmokePropsOnPlayer(sim, &match) > 0 || left.Clean()) return true;
    sim.Error("invariant: once the world settled the plug-in had left behind:\n" + FormatLeftovers(left));
    return true;
  });
}

}  // namespace sim
