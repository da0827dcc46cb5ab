// The session explorer: any bytes become a whole play session in the text
// that emberwick-sim reads, played through libEmberwick.so with the world's
// invariants checked on every frame.
//
// A session is the bytes read as a list of events, each followed by a wait:
// presses, holds and releases of every bound key, game controls (prompts
// complete when their control is held), world events (weapons, horses, falls,
// death, water, melee hits, cutscenes, control loss, first person, Dead Eye,
// sprinting, character models, missing bones, assets that load late or never),
// settings files assembled from a dictionary of interesting values, settings
// reloads, unloading the module and loading it again, and a real PC (another
// window taking the front, frame rates from 10 to 360 fps, hitches of up to
// 5 s, the game's timer or the tick count standing still, the tick count
// passing 2^32 ms, the system clock set back or forward, key auto-repeat).
// Every session ends the same way: all input let go, the world back to
// normal, the player falls over, the world settles ("expect settled"), and
// the module is unloaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace explore {

// The session these bytes stand for; the same bytes always give the same text.
std::string DecodeSession(const uint8_t* data, size_t size);

// Plays sessions through one loaded copy of the module. The module stays
// mapped for the life of the process (its coverage counters must stay valid),
// and each session starts with DllMain attach and ends with detach, as if the
// game had unloaded it and loaded it again. The plug-in keeps its timestamps
// over that, so the game's clocks never go back: each session starts ten
// minutes of game time after the last one ended (and once in some two
// thousand sessions they start over, before the game timer would wrap); a
// tick count a session moved on stays moved on.
class SessionPlayer {
 public:
  // Loads the module; false with a message when it cannot.
  bool Load(const std::string& modulePath, std::string& error);
  // Plays the session; `onError` is called at the first error of the
  // simulator (a broken invariant among them), before anything else runs.
  // Returns the frames played.
  uint64_t Play(const std::string& session, const std::function<void(const std::string&)>& onError);
  // Frames played by all sessions so far, counted as they end.
  volatile uint64_t framesPlayed = 0;

 private:
  using DllMainFn = int (*)(void*, uint32_t, void*);
  DllMainFn dllMain_ = nullptr;
  int64_t clockMs_ = 0;     // where the next session's clocks start, past the first's
  int64_t tickLeadMs_ = 0;  // how far sessions moved the tick count on besides
};

}  // namespace explore
