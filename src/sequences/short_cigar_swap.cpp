#include "sequences/short_cigar_swap.h"

#include <string>

#include "input/hand_smoking.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"
#include "smoking/puff_effects.h"

using namespace Animations;
using building::Next;

void SwapToShortCigar() {
  if (activeSequence.sequenceName != "smoke_cigar" || std::string(cigarModel) == kShortLitCigarModel) {
    // Nothing left to swap for this cigar: forget the lit time, so a later
    // cigar does not inherit it.
    cigarLitTime = 0;
    return;
  }
  // The cigar is on its way out of the hand (a throw or the finish); a swap
  // now would bring a fresh one back. Wait for what follows.
  if (activeSequence.currentTaskName.find("outro") != std::string::npos) return;
  // A cigar that is no longer held has nothing to be swapped for.
  if (!SmokePropHeld()) return;

  cigarLitTime = 0;
  cigarModel = kShortLitCigarModel;
  UpdatePropAttachment();

  ClearPending(secondarySequence);
  Next<DestroyPropTask>(secondarySequence, &smokeProp, kShortLitCigarModel, true, true);
  Next<SpawnPropTask>(secondarySequence, &smokeProp, kShortLitCigarModel, handBoneIndex, 255);
  AppendWithOffset(secondarySequence, building::CigarSmoke(), 4);
  AppendWithOffset(secondarySequence, propInMouth ? building::CigarToMouth() : building::CigarToHand(), 5);

  ClearPending(activeSequence);
  if (propInMouth) {
    QueueCigarPuffCycle(native::RandomIntInRange(4500, 6500));
  } else {
    QueueCigarPuffs(9, false);
    QueueCigarFinish();
  }
  Start(secondarySequence);
}
