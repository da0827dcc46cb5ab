// Session scripts: a small text format that drives a simulated play session.
//
//   # a comment
//   fps 60                  frames per second of game time (default 60)
//   ini <<END               Emberwick.ini for the session, inline up to END
//   ...
//   END
//   ini settings.ini        or from a file (relative to the session file)
//   frames 10               run 10 frames
//   wait 2.5s | wait 400ms  run frames until that much game time has passed
//   press N                 key down (keyboard relay and GetAsyncKeyState)
//   release N               key up
//   hold N 500ms            press, wait, release
//   tap N                   press, 100 ms, release
//   foreground other|game   which window is in front
//   set NAME VALUE          change the world (see `emberwick-sim --list-settings`)
//   note TEXT               a line of your own in the timeline
//
// Key names: those of the plug-in's settings (src/config/key_names.h: letters,
// digits, F1..F24, NUMPAD0..9, END, HOME, SPACE, ENTER, TAB, BACKSPACE,
// punctuation such as ","); hexadecimal codes such as 0x23.
#pragma once

#include <string>

#include "simulator.h"

namespace sim {

// Parses a key name; -1 when it is not one.
int ParseKeyName(const std::string& name);
// Parses "2.5s", "400ms" or a plain number of milliseconds; -1 when malformed.
int64_t ParseDurationMs(const std::string& text);

// Runs a session on an attached simulator. `baseDir` resolves relative paths.
// Returns false with a message naming the line on the first error.
bool RunSession(Simulator& sim, const std::string& text, const std::string& baseDir, std::string& error);

// Writes Emberwick.ini into the current directory.
bool WriteSettingsFile(const std::string& contents, std::string& error);

}  // namespace sim
