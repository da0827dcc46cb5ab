#include "sequences/hand_smoking.h"

#include <memory>

#include "config/settings.h"
#include "host/game_time.h"
#include "sequences/hold_loops.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"
#include "smoking/stop_cleanup.h"

namespace {

using Animations::AnimationTask;
using Animations::DetachPropTask;
using Animations::PropApplyForceTask;
using Animations::TaskDelay;

// A clip of the finish, played with the prop in the hand.
TaskPtr FinishClip(const SmokeKind& kind, const FinishStep& step) {
  return std::make_unique<AnimationTask>(&playerPed, kind.dictionary, step.clip, step.durationMs, 25,
                                         kind.handClipIkFlags, 1.0f, step.blendOut, 1.2f, kind.handClipFilter);
}

bool PlayerHasNoControl() { return !native::IsPlayerControlOn(FramePlayerIndex()); }

// The start of every move to the hand. False when the move must not happen.
bool LeaveTheMouth() {
  if (DISABLE_ON_CONTROL_LOSS && PlayerHasNoControl()) return false;
  if (FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS && PlayerHasNoControl()) {
    StopSmokingNow();
    return false;
  }
  if (!SmokePropHeld()) return false;
  propInMouth = false;
  SettleWhatTheCutSequenceOwed();
  ClearPending(activeSequence);
  // A drawn weapon is put away before the hand takes the prop.
  if (!native::IsPedCurrentWeaponHolstered(FramePlayerPed())) {
    Append(activeSequence, std::make_unique<TaskDelay>(250));
    native::HidePedWeapons(FramePlayerPed(), 0, 0);
  }
  return true;
}

// What is left of the manual-smoking window opened by the last puff on demand.
int ManualWindowLeftMs() {
  const int since = manualPuffAt != 0 ? game_time::Since(FrameGameTimer(), manualPuffAt) : 0;
  return PUFF_BUTTON_ENABLES_MANUAL_SMOKING - since;
}

}  // namespace

void MoveToHand(const SmokeKind& kind) {
  if (!LeaveTheMouth()) return;
  const ToHand& move = kind.toHand;
  // The glow of a draw lights the tip only between the lips; its fade-out
  // was queued with the draw and has just been cut.
  if (kind.drawGlow.slot) Animations::RemoveParticleFxTask(kind.drawGlow.slot).Execute();
  Append(activeSequence, std::make_unique<AnimationTask>(&playerPed, kind.dictionary, move.clip, move.durationMs,
                                                         UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.0f, -1.0f, 1.2f,
                                                         UpperBodyFilter()));
  AppendWithOffset(activeSequence, building::ToHand(kind), move.seatAtMs);
  if (MANUAL_SMOKING_ONLY) {
    QueueHoldLoop(kind, 560000);
  } else {
    // Once the manual window has run out there is nothing left to hold.
    if (manualPuff) QueueHoldLoop(kind, ManualWindowLeftMs());
    QueuePuffs(kind, EXTENDED_SMOKE_DURATION ? move.extendedPuffs : 5, false);
  }
  QueueFinish(kind);
  Start(activeSequence);
}

void QueueFinish(const SmokeKind& kind) {
  const Finish& finish = kind.finish;
  for (const FinishStep& step : finish.steps) {
    QueueHoldLoop(kind, step.holdMs);
    Append(activeSequence, FinishClip(kind, step));
    if (step.backToHand) AppendWithOffset(activeSequence, building::ToHand(kind), 475);
  }
  AppendWithOffset(activeSequence, std::make_unique<DetachPropTask>(&smokeProp, false), finish.releaseAtMs);
  AppendWithOffset(activeSequence,
                   std::make_unique<PropApplyForceTask>(&smokeProp, finish.push.x, finish.push.y, finish.push.z),
                   finish.releaseAtMs);
  // The butt lies where it was flicked; its ember and smoke must not burn on
  // for the rest of the session once the smoke is over.
  QueueSmokeEffectsRemoval();
}
