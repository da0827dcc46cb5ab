#include "sequences/settle_in_fingers.h"

#include "animations/task_queries.h"
#include "sequences/sequence_building.h"

void SettleInFingers() {
  if (!NextTaskPlaysClip() || !SmokePropHeld()) return;
  // Prepended tasks start before everything queued; the clip that was next
  // plays again once the hold clip and the short pause are over.
  Prepend(activeSequence, building::ToFingers());
  AdvanceSequence(activeSequence);
  Prepend(activeSequence,
          building::WanderBase(3000, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.3f, -0.3f, 1.2f, ""));
  AdvanceSequence(activeSequence);
  Prepend(activeSequence, std::make_unique<Animations::TaskDelay>(100));
}
