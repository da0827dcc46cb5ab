// The keyboard as the hook's relay and GetAsyncKeyState report it, and which
// window is in the foreground.
#pragma once

namespace sim {

struct Keyboard {
  bool down[256] = {};
  bool gameInForeground = true;
};

}  // namespace sim
