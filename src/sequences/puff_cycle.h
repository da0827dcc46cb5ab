// The endless in-mouth puff cycle: the verb, and the exhales the kinds'
// cycles share.
#pragma once

#include "animations/sequence_task.h"

struct SmokeKind;

// Appends one cycle to activeSequence: a pause of `durationMs`, a draw, the
// exhales. The next cycle is queued when the short exhale of this one begins.
void QueuePuffCycle(const SmokeKind& kind, int durationMs);

namespace building {

inline constexpr const char* kShortMouthExhale = "ent_anim_cig_exhale_mth_short";
inline constexpr const char* kLongMouthExhale = "ent_anim_cig_exhale_mth";
inline constexpr const char* kNoseExhale = "ent_anim_cig_exhale_nse";

// An exhale from the mouth into `slot`, in front of the lips.
TaskPtr MouthExhale(int* slot, const char* effect, float alpha, float scale);
// An exhale through the nose, `x` to the side of it.
TaskPtr NoseExhale(float alpha, float x);

}  // namespace building
