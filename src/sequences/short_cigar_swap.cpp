#include "sequences/short_cigar_swap.h"

#include "animations/task_queries.h"
#include "sequences/hand_smoking.h"
#include "sequences/puff_cycle.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"

using namespace Animations;
using building::Next;

void SwapToShortCigar() {
  const SmokeModel* shortCigar = kCigar.alternativeModel;
  if (SmokedNow() != &kCigar || kCigar.fit->model == shortCigar) {
    // Nothing left to swap for this cigar: forget the lit time, so a later
    // cigar does not inherit it.
    cigarLitTime = 0;
    return;
  }
  // The cigar is on its way out of the hand (a throw or the finish); a swap
  // now would bring a fresh one back. Wait for what follows.
  if (CurrentTaskPlays("outro")) return;
  // A cigar that is no longer held has nothing to be swapped for.
  if (!SmokePropHeld()) return;

  cigarLitTime = 0;
  kCigar.fit->model = shortCigar;
  UpdatePropAttachment();

  ClearPending(secondarySequence);
  Next<DestroyPropTask>(secondarySequence, &smokeProp, shortCigar->name, true, true);
  Next<SpawnPropTask>(secondarySequence, &smokeProp, shortCigar->name, handBoneIndex, 255);
  AppendWithOffset(secondarySequence, building::OnTip(kCigar, shortCigar->smoke), 4);
  AppendWithOffset(secondarySequence, propInMouth ? building::ToMouth(kCigar) : building::ToHand(kCigar), 5);

  ClearPending(activeSequence);
  if (propInMouth) {
    QueuePuffCycle(kCigar, native::RandomIntInRange(4500, 6500));
  } else {
    QueuePuffs(kCigar, 9, false);
    QueueFinish(kCigar);
  }
  Start(secondarySequence);
}
