// The per-frame update that keeps a running smoke consistent with the world.
#pragma once

#include <cstdint>

#include "host/native_types.h"

extern uint32_t mountedSince;  // low 32 bits of the tick count; 0 = not mounted
extern bool mountLatched;
extern bool quickSelectReplayArmed;
extern const char* pendingQuickSelect;  // one of QuickSelectControls, or kNoControl
extern int quickSelectReplayTime;
extern Hash cigarMood;
extern int cigarMoodTime;

inline constexpr int kQuickSelectControlCount = 9;
extern const char* const QuickSelectControls[kQuickSelectControlCount];
extern const char* const kNoControl;  // the empty control name, compared by pointer

void UpdateSmokingController();
Hash ChooseCigarMood();
void RestoreCheapBoxes(int count);
