// The PC around the game, as it really is: frames that come late, clocks that
// drift apart, wrap or are set back, and other windows that take the front.
// Session commands (see session.h):
//
//   hitch 2s                one frame lasts 2 s: the next comes that much later
//                           and every clock jumps by it
//   pause 3s                3 s of frames in which the game's timer stands still
//                           while the tick count and the system clock run (the
//                           pause menu, a load)
//   clock tick still 3s     3 s of frames in which the tick count stands still
//                           while the game's timer runs (the reverse drift)
//   clock tick wrap 2s      the tick count's low 32 bits pass 2^32 ms 2 s from now
//   clock system -5min      the system clock is set back, or forward (+5min)
//   foreground other|game   another window comes to the front, or the game does;
//                           key messages go only to the window in front, so a key
//                           held as the game loses the front sends it no key-up
//
// Each is a line of the timeline ("pc" and "window"), and so is a change of
// the frame rate in the middle of a session.
#pragma once

namespace sim {

class Simulator;

void InstallRealPc(Simulator& sim);

}  // namespace sim
