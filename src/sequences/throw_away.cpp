#include "sequences/throw_away.h"

#include "animations/task_queries.h"
#include "config/settings.h"
#include "sequences/sequence_building.h"
#include "smoking/stop_cleanup.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

// Past this phase of a puff clip the hand is already low: a flick suits it.
constexpr float kFlickPhase = 0.35f;
constexpr const char* kPuffClips[] = {"outro", "action", "action_alt1", "action_alt2", "loop"};

// A lighting, a throw or an emote smoke must play to its end.
bool SomethingUninterruptiblePlays() {
  return CurrentTaskPlays("intro") || CurrentTaskPlays("outro") || CurrentTaskPlaysEmote();
}

// The draw and the clips are asked whatever is smoked; the puff clips of the
// kinds that can be flicked tell a low hand.
bool DecideFlick(bool throwFaster) {
  if (throwFaster) return true;
  const bool drawn = native::GetRandomIntInRange(0, 10) >= 6;
  for (const SmokeKind* kind : kSmokeKinds) {
    if (!kind->flick) continue;
    for (const char* clip : kPuffClips) {
      if (native::GetEntityAnimCurrentTime(playerPed, kind->dictionary, clip) > kFlickPhase) return true;
    }
  }
  return drawn;
}

void QueueThrow(const SmokeKind& kind, const ThrowMove& move, const PropPush& push) {
  if (building::HolsterInputActive()) building::BlockHolster(move.holsterBlockMs, move.selectionReplayDelayMs);
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kind.dictionary, "outro", move.durationMs, UpperBodyAnimFlags(),
                      UpperBodyIkFlags(), move.blendIn, move.blendOut, move.rate, UpperBodyFilter());
  AppendWithOffset(s, building::ToHand(kind), propInMouth ? move.seatFromMouthAtMs : move.seatFromHandAtMs);
  At<DetachPropTask>(s, move.releaseAtMs, &smokeProp, false);
  At<PropApplyForceTask>(s, move.releaseAtMs, &smokeProp, push.x, push.y, push.z);
}

}  // namespace

void StartThrowAway(bool throwFaster) {
  if (FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS && !native::IsPlayerControlOn(FramePlayerIndex())) {
    StopSmokingNow();
    return;
  }
  if (native::IsAnimSceneCamActive()) {
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

  Ped player = FramePlayerPed();
  // A drawn weapon is put away before the throw.
  if (!native::IsPedCurrentWeaponHolstered(player)) {
    native::HidePedWeapons(player, 0, 0);
    Next<TaskDelay>(activeSequence, 200);
  }

  const bool flick = DecideFlick(throwFaster);
  if (const SmokeKind* kind = SmokedNow()) {
    if (flick && kind->flick && !propInMouth) {
      QueueThrow(*kind, kind->flick->move, kind->flick->push);
    } else {
      QueueThrow(*kind, kind->throwAway, ModelOf(*kind).thrown);
    }
  }

  if (RidesOrSits(FramePlayerPed())) {
    Append(activeSequence,
           building::WanderBase(2000, 7191, 0x8000082, 0.0001f, -1.0f, 1.2f, "facialonly_brows"));
  }
  QueueSmokeEffectsRemoval();
  Start(activeSequence);
  propInMouth = false;
}
