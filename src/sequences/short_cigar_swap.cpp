#include "sequences/short_cigar_swap.h"

#include "animations/task_queries.h"
#include "sequences/hand_smoking.h"
#include "sequences/puff_cycle.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"

using namespace Animations;
using building::Next;

void SwapToShortModel() {
  const SmokeKind* kind = SmokedNow();
  if (!kind || !kind->burnsDown || kind->fit.model == kind->alternativeModel) {
    // Nothing left to swap for this smoke: forget the lit time, so a later
    // one does not inherit it.
    cigarLitTime = 0;
    return;
  }
  // The smoke is on its way out of the hand (a throw or the finish); a swap
  // now would bring a fresh one back. Wait for what follows.
  if (CurrentTaskPlays("outro")) return;
  // A smoke that is no longer held has nothing to be swapped for.
  if (!SmokePropHeld()) return;

  const SmokeModel* shortModel = kind->alternativeModel;
  cigarLitTime = 0;
  kind->fit.model = shortModel;
  UpdatePropAttachment();

  ClearPending(secondarySequence);
  Next<DestroyPropTask>(secondarySequence, &smokeProp, shortModel->name, true, true);
  Next<SpawnPropTask>(secondarySequence, &smokeProp, shortModel->name, handBoneIndex, 255);
  AppendWithOffset(secondarySequence, building::OnTip(*kind, shortModel->smoke), 4);
  AppendWithOffset(secondarySequence, propInMouth ? building::ToMouth(*kind) : building::ToHand(*kind), 5);

  ClearPending(activeSequence);
  if (propInMouth) {
    QueuePuffCycle(*kind, native::GetRandomIntInRange(4500, 6500));
  } else {
    QueuePuffs(*kind, 9, false);
    QueueFinish(*kind);
  }
  Start(secondarySequence);
}
