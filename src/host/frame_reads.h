// What the game cannot change within a frame, asked once per frame: the
// player, its model, its index, the game timer, whether the keyboard is in
// use. Each trip through the hook costs more than the plug-in's own work, and
// these were asked many times a frame for the same answer.
//
// Answers are kept only while a frame's reads are open (FrameReadsScope, as
// the main loop runs one frame); outside one, every read asks the game, so a
// caller between frames (start-up, unloading) never sees an old answer.
#pragma once

#include "host/game_time.h"
#include "host/native_types.h"

// The player as the main loop last refreshed it, once per frame right after
// the input dispatch. What runs before that refresh in a frame (the input
// dispatch, a reload) asks FramePlayerPed().
extern Ped playerPed;

Ped FramePlayerPed();
Hash FramePlayerModel();  // the model of FramePlayerPed()
int FramePlayerIndex();
int FrameGameTimer();
bool FrameKeyboardActive();

// Game milliseconds from `then` to this frame's game timer.
inline int GameMsSince(int then) { return game_time::Since(FrameGameTimer(), then); }

// Around a yield in the middle of the plug-in's frame (a task waiting for an
// asset): the game moves on to other frames meanwhile, so what was kept is
// forgotten, and reads while the script is parked ask the game.
void SuspendFrameReads();
void ResumeFrameReads();

class FrameReadsScope {
 public:
  FrameReadsScope();
  ~FrameReadsScope();
  FrameReadsScope(const FrameReadsScope&) = delete;
  FrameReadsScope& operator=(const FrameReadsScope&) = delete;

 private:
  bool outermost_;
};
