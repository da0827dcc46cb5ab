// Per-key state for the plug-in's keyboard bindings, fed by the hook's
// keyboard relay or, in compatibility mode, by polling every frame.
#pragma once

#include <cstdint>

struct KeyState {
  uint32_t pressTime = 0;
  uint32_t releaseTime = 0;
  uint8_t releasedEvent = 0;
  uint8_t tappedEvent = 0;
};

extern KeyState keyStates[256];

void OnKeyboardMessage(uint32_t key, uint16_t repeats, uint8_t scanCode, int32_t isExtended, int32_t isWithAlt,
                       int32_t wasDownBefore, int32_t isUpNow);
void PollKeyStates();
bool IsKeyDown(int key);
bool IsKeyHeld(int key);
bool ConsumeKeyReleased(int key);
bool ConsumeKeyTapped(int key);
