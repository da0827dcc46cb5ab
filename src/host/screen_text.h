// Text on screen for one frame: the game draws a literal string made into
// one of its text labels. Whoever shows a message draws it every frame it
// stays up.
#pragma once

#include "host/natives.h"

inline void DrawScreenText(const char* text, float x, float y) {
  native::DisplayText(native::VarString(10, "LITERAL_STRING", text), x, y);
}
