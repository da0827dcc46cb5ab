#include "input/hand_smoking.h"

#include <memory>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/main_loop.h"
#include "host/game_time.h"
#include "host/natives.h"
#include "input/hold_loops.h"
#include "input/input_dispatch.h"
#include "input/stop_cleanup.h"
#include "sequences/puff_sequences.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoking_state.h"

namespace {

using Animations::AnimationTask;
using Animations::DetachPropTask;
using Animations::MovePropTask;
using Animations::PropApplyForceTask;
using Animations::TaskDelay;

constexpr const char* kCigarFinishFilter = "upperbodyfeathered_nolefttarm_filter";

TaskPtr CigaretteToHand() {
  return std::make_unique<MovePropTask>(&smokeProp, handBoneIndex, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0, 2);
}

TaskPtr CigarToHand() {
  return std::make_unique<MovePropTask>(&smokeProp, handBoneIndex, cigarHandOffsetX, cigarHandOffsetY,
                                        cigarHandOffsetZ, cigarHandRotX, cigarHandRotY, cigarHandRotZ, 0, 2);
}

TaskPtr CigaretteClip(const char* clip, int durationMs) {
  return std::make_unique<AnimationTask>(&playerPed, kCigaretteDictionary, clip, durationMs, 25, 0x10000, 1.0f, -1.0f,
                                         1.2f, "");
}

TaskPtr CigarClip(const char* clip, int durationMs, float blendOut) {
  return std::make_unique<AnimationTask>(&playerPed, kCigarDictionary, clip, durationMs, 25, 0x8000, 1.0f, blendOut,
                                         1.2f, kCigarFinishFilter);
}

bool PlayerHasNoControl() { return !native::PlayerHasControl(native::GetPlayerIndex()); }

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
  if (!native::IsPedFreeToAnimate(native::GetPlayerPed())) {
    Append(activeSequence, std::make_unique<TaskDelay>(250));
    native::ResetPedTasks(native::GetPlayerPed(), 0, 0);
  }
  return true;
}

// What is left of the manual-smoking window opened by the last puff on demand.
int ManualWindowLeftMs() {
  const int since = manualPuffAt != 0 ? game_time::Since(native::GetGameTimer(), manualPuffAt) : 0;
  return PUFF_BUTTON_ENABLES_MANUAL_SMOKING - since;
}

}  // namespace

void MoveCigaretteToHand() {
  if (!LeaveTheMouth()) return;
  // The glow of a draw lights the tip only between the lips; its fade-out
  // was queued with the draw and has just been cut.
  Animations::RemoveParticleFxTask(&cigarSmokeFx).Execute();
  Append(activeSequence, std::make_unique<AnimationTask>(&playerPed, kCigaretteDictionary, "outro", 1000,
                                                         UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.0f, -1.0f, 1.2f,
                                                         UpperBodyFilter()));
  AppendWithOffset(activeSequence, CigaretteToHand(), 980);
  if (MANUAL_SMOKING_ONLY) {
    QueueCigaretteHoldLoop(560000);
  } else {
    if (manualPuff) QueueCigaretteHoldLoop(ManualWindowLeftMs());
    QueueCigarettePuffs(EXTENDED_SMOKE_DURATION ? 9 : 5, false);
  }
  QueueCigaretteFinish();
  Start(activeSequence);
}

void MoveCigarToHand() {
  if (!LeaveTheMouth()) return;
  Append(activeSequence, std::make_unique<AnimationTask>(&playerPed, kCigarDictionary, "action", 980,
                                                         UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.0f, -1.0f, 1.2f,
                                                         UpperBodyFilter()));
  AppendWithOffset(activeSequence, CigarToHand(), 950);
  if (MANUAL_SMOKING_ONLY) {
    QueueCigarHoldLoop(560000);
  } else {
    // Once the manual window has run out there is nothing left to hold.
    if (manualPuff && ManualWindowLeftMs() > 0) QueueCigarHoldLoop(ManualWindowLeftMs());
    QueueCigarPuffs(EXTENDED_SMOKE_DURATION ? 8 : 5, false);
  }
  QueueCigarFinish();
  Start(activeSequence);
}

void QueueCigaretteFinish() {
  QueueCigaretteHoldLoop(12000);
  Append(activeSequence, CigaretteClip("action_alt1", 4000));
  AppendWithOffset(activeSequence, CigaretteToHand(), 475);
  Append(activeSequence, CigaretteClip("action", 3000));
  QueueCigaretteHoldLoop(5600);
  Append(activeSequence, CigaretteClip("action_alt2", 4540));
  AppendWithOffset(activeSequence, CigaretteToHand(), 475);
  Append(activeSequence, CigaretteClip("outro", 2800));
  AppendWithOffset(activeSequence, std::make_unique<DetachPropTask>(&smokeProp, false), 2725);
  AppendWithOffset(activeSequence, std::make_unique<PropApplyForceTask>(&smokeProp, -2.1f, 0.6f, 5.8f), 2725);
  // The butt lies where it was flicked; its ember and smoke must not burn on
  // for the rest of the session once the smoke is over.
  QueueSmokeEffectsRemoval();
}

void QueueCigarFinish() {
  QueueCigarHoldLoop(6800);
  Append(activeSequence, CigarClip("action_alt1", 3950, -0.2f));
  AppendWithOffset(activeSequence, CigarToHand(), 475);
  QueueCigarHoldLoop(4900);
  Append(activeSequence, CigarClip("action_alt2", 3340, -0.2f));
  AppendWithOffset(activeSequence, CigarToHand(), 475);
  Append(activeSequence, CigarClip("outro", 2000, -1.8f));
  AppendWithOffset(activeSequence, CigarToHand(), 475);
  AppendWithOffset(activeSequence, std::make_unique<DetachPropTask>(&smokeProp, false), 1685);
  AppendWithOffset(activeSequence, std::make_unique<PropApplyForceTask>(&smokeProp, -9.9f, 0.8f, -4.8f), 1685);
  QueueSmokeEffectsRemoval();
}
