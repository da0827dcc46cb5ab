#include <string>

#include "session.h"
#include "simulator.h"

namespace sim {
namespace {

// Runs at each frame start: a key newly seen down starts its repeat delay, a
// key held past it sends the repeats that have fallen due since.
void SendAutoRepeats(Simulator& sim) {
  Keyboard& keyboard = sim.world.keyboard;
  const KeyboardHandlerFn relay = sim.KeyboardHandlerRegistered();
  const int64_t now = sim.NowUs();
  for (int key = 0; key < 256; ++key) {
    if (!keyboard.down[key]) {
      keyboard.tracked[key] = false;
      continue;
    }
    if (!keyboard.tracked[key]) {
      keyboard.tracked[key] = true;
      keyboard.nextRepeatUs[key] = now + keyboard.repeatDelayUs;
      continue;
    }
    if (!keyboard.autoRepeat) {
      // Switched back on, a held key starts over rather than catching up.
      keyboard.nextRepeatUs[key] = now + keyboard.repeatDelayUs;
      continue;
    }
    // The repeats go to the window in front, which may not be the game's.
    while (keyboard.nextRepeatUs[key] <= now) {
      keyboard.nextRepeatUs[key] += keyboard.repeatIntervalUs;
      ++keyboard.repeatsSent;
      if (relay && keyboard.gameInForeground) relay(static_cast<uint32_t>(key), 1, 0, 0, 0, 1, 0);
    }
  }
}

bool SetDuration(const std::string& value, int64_t& outUs) {
  int64_t ms = ParseDurationMs(value);
  if (ms < 0) return false;
  outUs = ms * 1000;
  return true;
}

}  // namespace

void InstallKeyboard(Simulator& sim) {
  sim.AddFrameStartHook([&sim] { SendAutoRepeats(sim); });
  sim.AddSetter("key_repeat", [&sim](const std::string& value) {
    if (value != "on" && value != "off") return false;
    sim.world.keyboard.autoRepeat = value == "on";
    return true;
  });
  sim.AddSetter("key_repeat_delay",
                [&sim](const std::string& value) { return SetDuration(value, sim.world.keyboard.repeatDelayUs); });
  sim.AddSetter("key_repeat_interval", [&sim](const std::string& value) {
    int64_t us = 0;
    if (!SetDuration(value, us) || us <= 0) return false;
    sim.world.keyboard.repeatIntervalUs = us;
    return true;
  });
}

}  // namespace sim
