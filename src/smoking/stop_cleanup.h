// The two ways a smoke ends: everything removed at once, or the prop dropped.
#pragma once

void StopSmokingNow();
void DropSmokeProp();
// Whatever cuts activeSequence short calls this before the queue goes: what
// the remaining tasks would have done is done now. The match still in the
// fingers is released as the lighting releases it, a sizzle already playing
// stops, the mouth marker and the temporary ped go.
void SettleWhatTheCutSequenceOwed();
// Appends to activeSequence the removal of every looped effect of the smoke:
// the tail of a throw and of a smoke that burns down in the hand.
void QueueSmokeEffectsRemoval();
// Deletes the temporary ped if it exists and forgets its handle either way;
// true when there was one to delete.
bool DeleteDummyPed();

// The looped effects of a dropped smoke, owned by the drop until its delayed
// removal runs, so a smoke lit meanwhile keeps its own.
extern int droppedEmberFx;
extern int droppedTipSmokeFx;
extern int droppedTrailSmokeFx;
extern int droppedCigarSmokeFx;
