// The keyboard as the hook's relay and GetAsyncKeyState report it, and which
// window is in the foreground: key messages, repeats among them, go only to
// the window in front.
#pragma once

#include <cstdint>

namespace sim {

struct Keyboard {
  bool down[256] = {};
  bool gameInForeground = true;

  // While a key is held the relay repeats its key-down message with
  // wasDownBefore set, as Windows does: first after the delay, then at every
  // interval. Session settings: key_repeat, key_repeat_delay, key_repeat_interval.
  bool autoRepeat = true;
  int64_t repeatDelayUs = 500'000;
  int64_t repeatIntervalUs = 33'000;
  uint64_t repeatsSent = 0;

  // Repeat bookkeeping per key: whether the key was seen held at a frame
  // start, and when its next repeat is due.
  bool tracked[256] = {};
  int64_t nextRepeatUs[256] = {};
};

}  // namespace sim
