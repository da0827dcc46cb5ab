#include "sequences/throw_away.h"

#include <string>

#include "config/settings.h"
#include "host/main_loop.h"
#include "input/stop_cleanup.h"
#include "sequences/sequence_building.h"
#include "smoking/mouth_transition.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

// Past this phase of a puff clip the hand is already low: a flick suits it.
constexpr float kFlickPhase = 0.35f;
constexpr const char* kPuffClips[] = {"outro", "action", "action_alt1", "action_alt2", "loop"};

// A lighting, a throw or an emote smoke must play to its end.
bool SomethingUninterruptiblePlays() {
  const std::string& name = activeSequence.currentTaskName;
  for (const char* busy : {"intro", "outro", "PlayEmoteTask_-1954574613", "PlayEmoteTask_-2124325981"}) {
    if (name.find(busy) != std::string::npos) return true;
  }
  return false;
}

bool DecideFlick(bool throwFaster) {
  if (throwFaster) return true;
  bool fast = native::RandomIntInRange(0, 10) >= 6;
  for (const char* clip : kPuffClips) {
    if (native::GetEntityAnimTime(playerPed, kCigaretteDictionary, clip) > kFlickPhase) {
      fast = true;
      break;
    }
  }
  return fast;
}

void QueueThrowClip(const char* dictionary, int durationMs, float blendIn, float blendOut, float rate) {
  Next<AnimationTask>(activeSequence, &playerPed, dictionary, "outro", durationMs, UpperBodyAnimFlags(),
                      UpperBodyIkFlags(), blendIn, blendOut, rate, UpperBodyFilter());
}

void QueueCigaretteFlick() {
  if (building::HolsterInputActive()) building::BlockHolster(1200, 50);
  SequenceRunner& s = activeSequence;
  QueueThrowClip(kCigaretteDictionary, 900, 1.27f, -1.7f, 0.39f);
  AppendWithOffset(s, building::MoveProp(&smokeProp, handBoneIndex, 0, 0, 0, 0, 0, 0), 500);
  At<DetachPropTask>(s, 853, &smokeProp, false);
  At<PropApplyForceTask>(s, 853, &smokeProp, -2.7f, 0.49f, 8.7f);
}

void QueueCigaretteThrow() {
  if (building::HolsterInputActive()) building::BlockHolster(3000, 200);
  SequenceRunner& s = activeSequence;
  QueueThrowClip(kCigaretteDictionary, 2800, 1.0f, -1.5f, 1.2f);
  AppendWithOffset(s, building::MoveProp(&smokeProp, handBoneIndex, 0, 0, 0, 0, 0, 0), propInMouth ? 1130 : 380);
  At<DetachPropTask>(s, 2725, &smokeProp, false);
  At<PropApplyForceTask>(s, 2725, &smokeProp, -2.1f, 0.6f, 5.8f);
}

void QueueCigarThrow() {
  if (building::HolsterInputActive()) building::BlockHolster(3000, 200);
  SequenceRunner& s = activeSequence;
  QueueThrowClip(kCigarDictionary, 2800, 1.0f, -0.5f, 1.0f);
  AppendWithOffset(s, building::CigarToHand(), propInMouth ? 1100 : 380);
  At<DetachPropTask>(s, 1685, &smokeProp, false);
  if (std::string(cigarModel) == kShortLitCigarModel) {
    At<PropApplyForceTask>(s, 1685, &smokeProp, -5.9f, 1.8f, -7.8f);
  } else {
    At<PropApplyForceTask>(s, 1685, &smokeProp, -9.9f, 0.8f, -4.8f);
  }
}

}  // namespace

void StartThrowAway(bool throwFaster) {
  if (FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS && !native::PlayerHasControl(native::GetPlayerIndex())) {
    StopSmokingNow();
    return;
  }
  if (native::CutsceneRunning()) {
    StopSmokingNow();
    return;
  }
  if (SomethingUninterruptiblePlays()) return;
  // Nothing to throw while the lighting still brings the prop or holds the
  // match, nor once the prop has left the player (a second tap during a
  // throw's tail).
  if (!SmokePropHeld() || LightingOwesItsProps()) return;

  // Also ends an easing still pulling the cigarette towards the lips: it
  // must not be pulled back once it has left the hand.
  SettleWhatTheCutSequenceOwed();
  ClearPending(activeSequence);
  // The swap would bring a fresh cigar back while this one flies away.
  cigarLitTime = 0;

  Ped player = native::GetPlayerPed();
  if (!native::IsPedFreeToAnimate(player)) {
    native::ResetPedTasks(player, 0, 0);
    Next<TaskDelay>(activeSequence, 200);
  }

  bool flick = DecideFlick(throwFaster);
  const std::string& name = activeSequence.sequenceName;
  if (name == "smoke_cigarette") {
    if (flick && !propInMouth) {
      QueueCigaretteFlick();
    } else {
      QueueCigaretteThrow();
    }
  } else if (name == "smoke_cigar") {
    QueueCigarThrow();
  }

  if (native::IsPedMountedOrSeated(native::GetPlayerPed())) {
    Append(activeSequence, MakeWanderBaseClip(2000, 7191, 0x8000082, 0.0001f, -1.0f, 1.2f, "facialonly_brows"));
  }
  QueueSmokeEffectsRemoval();
  Start(activeSequence);
  propInMouth = false;
}
