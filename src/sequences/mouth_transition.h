// Moving the prop from the hand to the mouth: the verb, and the pieces the
// kinds' own moves share.
#pragma once

struct SmokeKind;

// `direct`: straight to the mouth seat, without the clip that raises the
// hand; `cutCurrent`: the clip playing now is cut short first; `quick`: the
// quicker raise of a smoke put away for a weapon, where the kind has one.
void MoveToMouth(const SmokeKind& kind, bool direct, bool cutCurrent, bool quick = false);

namespace building {

// DISABLE_ON_CONTROL_LOSS holds the prop where it is while control is lost.
bool MouthMoveRefusedForControlLoss();
// The prop counts as in the mouth from here on; what the cut sequence still
// owed is settled and its queue emptied.
void BeginMouthMove();
// A still-running clip ends at once when the same base clip is played for 1 ms.
void QueueCut();
// Riding or sitting the body keeps its pose; on foot a short pause does.
void QueueSettle();

}  // namespace building
