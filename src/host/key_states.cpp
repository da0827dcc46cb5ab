#include "host/key_states.h"

KeyState keyStates[256];

void OnKeyboardMessage(uint32_t, uint16_t, uint8_t, int32_t, int32_t, int32_t, int32_t) {}
void PollKeyStates() {}
bool IsKeyDown(int) { return false; }
bool IsKeyHeld(int) { return false; }
bool ConsumeKeyReleased(int) { return false; }
bool ConsumeKeyTapped(int) { return false; }
