#include "sequences/mouth_transition.h"

#include "config/settings.h"
#include "sequences/sequence_building.h"
#include "smoking/stop_cleanup.h"

void MoveToMouth(const SmokeKind& kind, bool direct, bool cutCurrent, bool quick) {
  kind.toMouth(direct, cutCurrent, quick);
}

namespace building {

bool MouthMoveRefusedForControlLoss() {
  return DISABLE_ON_CONTROL_LOSS && !native::PlayerHasControl(FramePlayerIndex());
}

void BeginMouthMove() {
  propInMouth = true;
  SettleWhatTheCutSequenceOwed();
  ClearPending(activeSequence);
}

void QueueCut() {
  Append(activeSequence, WanderBase(1, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.3f, -0.3f, 1.2f, ""));
}

void QueueSettle() {
  if (native::IsPedMountedOrSeated(FramePlayerPed())) {
    Append(activeSequence,
           WanderBase(2000, UpperBodyAnimFlags(), 0x8000082, 0.0001f, -1.0f, 1.2f, "facialonly_brows"));
  } else {
    Next<Animations::TaskDelay>(activeSequence, 1000);
  }
}

}  // namespace building
