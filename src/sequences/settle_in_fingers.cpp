#include "sequences/settle_in_fingers.h"

#include "host/main_loop.h"
#include "sequences/sequence_building.h"

using namespace Animations;

void SettleCigaretteInFingers() {
  if (!NextTaskNameContains("AnimationTask") || !SmokePropHeld()) return;
  // Prepended tasks start before everything queued; the clip that was next
  // plays again once the hold clip and the short pause are over.
  Prepend(activeSequence, building::MoveProp(&smokeProp, fingerBoneIndex, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f, -90.0f));
  AdvanceSequence(activeSequence);
  Prepend(activeSequence, MakeWanderBaseClip(3000, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.3f, -0.3f, 1.2f, ""));
  AdvanceSequence(activeSequence);
  Prepend(activeSequence, std::make_unique<TaskDelay>(100));
}
