// The invariants of the world: what must hold on every frame of any session
// and at the moments a session names. Each broken one is an error of the
// simulator, reported when it first breaks. Off until a session turns them on:
//
//   invariants on     check from now on
//   expect settled    nothing left behind, unless a smoke is still in the
//                     player's hand or mouth (an in-mouth smoke never ends by
//                     itself); prompts aside, as a menu the player opened
//                     stays open until closed
//
// Every frame, once on:
// - the script yields: a frame with more than kMaxCallsPerFrame native calls
//   is a script that never will (reported, then the process ends: it hangs);
// - an asset the script waits for holds it no longer than the plug-in's
//   bounded wait (kAssetLoadTimeoutFrames frames; waits for the same asset
//   at most two frames apart count as one);
// - at most one smoke prop of the plug-in is on the player;
// - a match of the plug-in stays on the player only while its lighting lasts:
//   at most kMatchHeldMs of game time, frames spent waiting for assets aside
//   and a long frame (a hitch) counting as no more than kSlowFrameUs.
// After every unload: nothing of the plug-in remains in the world and none of
// its prompts is visible.
#pragma once

#include <cstdint>

namespace sim {

class Simulator;

inline constexpr uint64_t kMaxCallsPerFrame = 20000;
inline constexpr int64_t kMatchHeldMs = 5000;
inline constexpr int64_t kSlowFrameUs = 100'000;  // a frame at 10 fps

void InstallInvariantChecks(Simulator& sim);

}  // namespace sim
