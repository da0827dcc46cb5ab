// A stand-in for the game and the script hook, for the programs that link
// the plug-in's core library with no world around it: the benchmarks, which
// measure the plug-in's own work per frame, and the fuzz targets. It supplies
// every function of the host interface (../shared/HOST_ABI.md) and does as
// little as it can, without allocating: natives answer from a table, the
// script never really yields, keys are up until set down, the game's window
// is in front, and the clocks stand still unless told otherwise.
#pragma once

#include <cstdint>

namespace standin {

// What a native answers (its first result word), by its hash; a native never
// set answers 0.
void SetAnswer(uint64_t nativeHash, uint64_t word);
// What a native answers when its first argument is `firstArgument` (an entity,
// say), ahead of its answer by hash alone.
void SetAnswerFor(uint64_t nativeHash, uint64_t firstArgument, uint64_t word);
// The natives that ask whether a model, a clip dictionary, an asset or a
// sound set is loaded answer yes, so that the plug-in's waits for them end.
void AnswerAssetsLoaded();
// Natives called so far.
uint64_t NativeCalls();

// The tick count, in milliseconds, and how far each read of it moves it on
// (0, the default: it moves only when set). The system time follows it.
void SetTickMs(uint64_t ms);
void SetTickStepPerRead(uint64_t ms);

void SetKeyDown(int virtualKey, bool down);
void SetGameInForeground(bool foreground);

// There is no game to hand a frame to, so a script that keeps waiting is a
// hang: after this many more waits the host says so and aborts. Negative,
// the default: no limit.
void LimitWaits(int waits);

}  // namespace standin
