// Moving the prop from the mouth to the hand, and the finish of a smoke that
// burns down in the hand.
#pragma once

struct SmokeKind;

void MoveToHand(const SmokeKind& kind);
// Appends the finish: its holds and clips, the butt let go of and pushed
// away, and the removal of the smoke's effects.
void QueueFinish(const SmokeKind& kind);
