// Per-key state for the plug-in's keyboard bindings, fed by the hook's
// keyboard relay or, in compatibility mode, by polling every frame.
#pragma once

#include <cstdint>

#include "host/platform.h"

// Times are the low 32 bits of the tick count; differences are taken in the
// same wrapping arithmetic.
struct KeyState {
  uint32_t pressTime = 0;
  uint32_t releaseTime = 0;
  uint8_t releasedEvent = 0;
  uint8_t tappedEvent = 0;
  // Whether the last event seen for this key was a press. Up and down are
  // decided from it rather than by comparing the two times, which stops
  // meaning anything once the tick count wraps between press and release.
  uint8_t down = 0;
};

// Copy of COMPATIBILITY_MODE_ENABLED taken at the end of each settings load:
// on, the keys are polled every frame and the hook's relay is ignored.
extern bool compatibilityMode;

// Indexed by virtual-key code. Codes outside 0 to 255 are keys that are never
// pressed: every query answers false for them.
extern KeyState keyStates[256];

// The hook's keyboard relay; ignored while compatibility mode is on.
host::KeyboardHandlerFn OnKeyboardMessage;
// Compatibility mode: reads all 256 keys once per frame.
void PollKeyStates();
// Hook mode, once per frame: while another window is in front, a key the
// table holds down counts as released (its key-up goes to that window, never
// to the game), without a release or tap event.
void ReleaseKeysOutOfFocus();

// In compatibility mode each query also requires the game window to be in the
// foreground, and otherwise answers false and consumes nothing.
bool IsKeyDown(int key);
// Down for at least 200 ms.
bool IsKeyHeld(int key);
// The release (or tap, a release within 200 ms of the press) seen at the
// entry's last update; reading it clears it.
bool ConsumeKeyReleased(int key);
bool ConsumeKeyTapped(int key);
