// Session scripts: a small text format that drives a simulated play session.
//
//   # a comment
//   fps 60                  frames per second (default 60); a real PC runs anywhere
//                           from 10 to 360, and may change in the middle of a smoke
//   ini <<END               Emberwick.ini for the session, inline up to END
//   ...
//   END
//   ini settings.ini        or from a file (relative to the session file)
//   frames 10               run 10 frames
//   wait 2.5s | wait 400ms  run frames until that much time has passed on the PC
//                           (and on the game's timer, unless it stands still)
//   press N                 key down (keyboard relay and GetAsyncKeyState); while
//                           the key is held the relay repeats it (set key_repeat)
//   release N               key up
//   hold N 500ms            press, wait, release
//   tap N                   press, 100 ms, release
//   set NAME VALUE          change the world (see `emberwick-sim --list-settings`)
//
// The PC around the game (real_pc.h): its clocks and its windows.
//   hitch 2s                one frame lasts 2 s: every clock jumps by it
//   pause 3s                3 s of frames while the game's timer stands still
//   clock tick still 3s     3 s of frames while the tick count stands still
//   clock tick wrap 2s      the tick count passes 2^32 ms 2 s from now
//   clock system -5min      the system clock is set back (or +5min: forward)
//   foreground other|game   another window comes to the front (key messages go
//                           to it, never to the game), or the game again
//   note TEXT               a line of your own in the timeline
//   unwritable PATH         a folder stands at PATH (in the run folder), so the
//                           plug-in cannot write a file there: Emberwick.log for
//                           a game folder it cannot write, Emberwick.ini.new for
//                           a save that fails
//
// The settings page: KEY_SETTINGS (F9) opens it; it is moved through with
// "control INPUT_FRONTEND_UP|DOWN|LEFT|RIGHT|ACCEPT|CANCEL tap", a key is
// rebound by pressing it. At the end, emberwick-sim prints how Emberwick.ini
// changed since the session's last ini line.
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
// How many times the session wrote Emberwick.ini (its ini lines): what the
// file holds then is the session's, not the plug-in's.
int SessionSettingsWrites();

}  // namespace sim
