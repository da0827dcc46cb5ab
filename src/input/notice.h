// A word on screen for a few seconds: after a reload, that it happened, and
// after a load whose settings file has lines that need a look, how many and
// where to read about them. Drawn every frame while it lasts, also while the
// plug-in is disabled; SHOW_NOTICES turns it off.
#pragma once

#include <string>

// How long a notice stays, in milliseconds of the tick clock.
inline constexpr int kNoticeMs = 5000;

// Shows one or two lines from now on for kNoticeMs; a new notice replaces
// the one on screen.
void ShowNotice(std::string first, std::string second = {});
// Each frame, from the main loop.
void DrawNotice();
// Forgets the notice (the plug-in is unloaded).
void ClearNotice();
