#include "sequences/mouth_transition.h"

#include "animations/task_queries.h"
#include "config/settings.h"
#include "sequences/puff_cycle.h"
#include "sequences/sequence_building.h"
#include "sequences/steps.h"
#include "smoking/stop_cleanup.h"

void MoveToMouth(const SmokeKind& kind, bool direct, bool cutCurrent, bool quick) {
  const MouthMove& move = kind.toMouth;
  // A lighting, a throw or an emote playing now plays to its end; a direct
  // move may cut the lighting of a kind that allows it.
  if (building::MouthMoveRefusedForControlLoss() || !activeSequence.running || CurrentTaskPlays("outro") ||
      (CurrentTaskPlays("intro") && (!direct || !move.directCutsLighting)) ||
      (!direct && CurrentTaskPlaysEmote())) {
    return;
  }
  // Nothing in the hand yet: the lighting goes on and brings it.
  if (!SmokePropHeld()) return;
  const MouthRaise& raise = quick && !move.quickRaise.steps.empty() ? move.quickRaise : move.raise;
  if (!direct && raise.holsterBlockMs != 0 && building::HolsterInputActive()) {
    building::BlockHolster(raise.holsterBlockMs, move.selectionReplayDelayMs);
  }

  building::BeginMouthMove();
  SequenceRunner& s = activeSequence;
  if (cutCurrent) {
    if (direct && move.directCutSeatsFirst) Append(s, building::ToMouth(kind));
    building::QueueCut();
  }
  QueueSteps(kind, direct ? move.direct : raise.steps);
  building::QueueSettle();
  QueueSteps(kind, move.settled);
  QueuePuffCycle(kind, native::GetRandomIntInRange(1000, 2000));
  Start(s);
}

namespace building {

bool MouthMoveRefusedForControlLoss() {
  return DISABLE_ON_CONTROL_LOSS && !native::IsPlayerControlOn(FramePlayerIndex());
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
  if (RidesOrSits(FramePlayerPed())) {
    Append(activeSequence,
           WanderBase(2000, UpperBodyAnimFlags(), 0x8000082, 0.0001f, -1.0f, 1.2f, "facialonly_brows"));
  } else {
    Next<Animations::TaskDelay>(activeSequence, 1000);
  }
}

}  // namespace building
