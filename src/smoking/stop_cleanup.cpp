#include "smoking/stop_cleanup.h"

#include <memory>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "animations/task_queries.h"
#include "config/settings.h"
#include "host/natives.h"
#include "host/planted_fault.h"
#include "smoking/mouth_easing.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

int droppedEmberFx = 0;
int droppedTipSmokeFx = 0;
int droppedTrailSmokeFx = 0;
int droppedCigarSmokeFx = 0;

namespace {

constexpr int kDroppedSmokeLingersMs = 3000;
constexpr int kCutClipBeforeDropMs = 280;
// The push the lighting gives the match when it lets go of it.
constexpr float kMatchPush[] = {-2.1f, -3.6f, -2.8f};

int* const kLoopedEffects[] = {&emberFx,        &tipSmokeFx,    &trailSmokeFx, &cigarSmokeFx,
                               &noseExhaleFx,   &exhaleFx,      &longExhaleFx, &breathFx,
                               &droppedEmberFx, &droppedTipSmokeFx, &droppedTrailSmokeFx,
                               &droppedCigarSmokeFx};

// The match sizzle is a looped sound: it plays during the lighting emote and
// the cigar's intro clip and is stopped by a later task of the same sequence,
// which never comes once the sequence is cut short.
void StopSizzleIfPlaying() {
  if (!activeSequence.running && !CurrentTaskPlaysEmote()) return;
  Animations::StopSoundTask().Execute();
}

// Releasing the prop while the hand plays a clip would leave the hand holding
// nothing: such a clip is cut first. The hand grips the prop in the puff
// clips, in the game's item interaction and in a hold clip that is not an
// ambient one.
bool HandGripsTheProp() {
  if (CurrentTaskPlays("action") || CurrentTaskIsItemInteraction()) return true;
  const SmokeKind* kind = SmokedNow();
  return kind && !kind->hold.repinsToFingers && CurrentTaskPlays(kind->hold.clip);
}

void RemoveEffect(int& effect) {
  if (effect == 0) return;
  Animations::RemoveParticleFxTask(&effect).Execute();
  effect = 0;
}

// Deletes the prop only while the player holds it: a thrown or dropped prop
// stays where it fell. The handle is forgotten either way, so nothing acts on
// it later after the game has handed the number to another entity.
void DestroyHeldProp(Entity& prop) {
  Animations::DestroyPropTask(&prop, "", false, true).Execute();
  prop = 0;
}

}  // namespace

bool DeleteDummyPed() {
  const bool existed = native::DoesEntityExist(dummyPed);
  if (existed) {
    if (!native::IsEntityAMissionEntity(dummyPed)) native::SetEntityAsMissionEntity(dummyPed, false, true);
    Entity copy = dummyPed;
    native::DeleteEntity(&copy);
  }
  // Deleted or already gone: a handle kept now could later delete an
  // unrelated ped that the game gave the same number.
  dummyPed = 0;
  return existed;
}

namespace {

// Hands the dropped smoke's effects to the drop. Effects of an earlier drop
// whose removal has just been cleared from the queue are ended now.
void TakeOverDroppedEffects() {
  RemoveEffect(droppedEmberFx);
  RemoveEffect(droppedTipSmokeFx);
  RemoveEffect(droppedTrailSmokeFx);
  RemoveEffect(droppedCigarSmokeFx);
  droppedEmberFx = emberFx;
  droppedTipSmokeFx = tipSmokeFx;
  droppedTrailSmokeFx = trailSmokeFx;
  droppedCigarSmokeFx = cigarSmokeFx;
  emberFx = tipSmokeFx = trailSmokeFx = cigarSmokeFx = 0;
}

}  // namespace

void QueueSmokeEffectsRemoval() {
  for (int* effect : {&tipSmokeFx, &trailSmokeFx, &emberFx, &exhaleFx, &breathFx, &longExhaleFx, &cigarSmokeFx}) {
    Append(activeSequence, std::make_unique<Animations::RemoveParticleFxTask>(effect));
  }
}

namespace {

// The match leaves the fingers the way the lighting would have let it go; a
// match already released is only forgotten.
void ReleaseMatch() {
  if (matchProp == 0) return;
  if (HeldByPlayer(matchProp)) {
    Animations::DetachPropTask(&matchProp, false).Execute();
    Animations::PropApplyForceTask(&matchProp, kMatchPush[0], kMatchPush[1], kMatchPush[2]).Execute();
  }
  matchProp = 0;
}

// A sound whose start has already run but whose stop is still queued plays on.
void StopOwedSound() {
  for (const TaskPtr& task : activeSequence.pending) {
    if (dynamic_cast<Animations::PlaySoundFromEntityTask*>(task.get())) return;
    if (dynamic_cast<Animations::StopSoundTask*>(task.get())) {
      task->Execute();
      return;
    }
  }
}

}  // namespace

void SettleWhatTheCutSequenceOwed() {
  ReleaseMatch();
  StopOwedSound();
  CancelMouthEasing();
  DeleteDummyPed();
  dummyPedTime = 0;
}

void StopSmokingNow() {
  StopSizzleIfPlaying();
  for (int* effect : kLoopedEffects) RemoveEffect(*effect);
  DestroyHeldProp(smokeProp);
  DestroyHeldProp(matchProp);
  CancelMouthEasing();
  ResetToIdle(activeSequence);
  // The second runner plays the short-cigar swap, whose spawn would bring a
  // lit cigar back onto the player after everything was removed, and a
  // drop's last steps, which have nothing left to act on once the dropped
  // effects are gone.
  ResetToIdle(secondarySequence);
  propInMouth = false;
  cigarLitTime = 0;  // the smoke is over: no short-cigar swap may follow
  // The block keeps the hand from drawing a weapon in the middle of a clip;
  // with the clip cut, it would only swallow the player's selections for
  // the rest of its time. A selection already swallowed is still replayed.
  holsterBlockUntil = 0;
  DeleteDummyPed();
  dummyPedTime = 0;
}

void DropSmokeProp() {
  if (smokeProp == 0) return;
  if (propInMouth && NEVER_FALLS_OUT) return;
  StopSizzleIfPlaying();
  SettleWhatTheCutSequenceOwed();
  propInMouth = false;
  cigarLitTime = 0;  // the smoke is over: no short-cigar swap may follow
  ClearPending(secondarySequence);
  TakeOverDroppedEffects();

  if (HandGripsTheProp()) {
    Append(secondarySequence, std::make_unique<Animations::TaskCancelCurrentAnimation>(kCutClipBeforeDropMs));
  }
  Append(secondarySequence, std::make_unique<Animations::DetachPropTask>(&smokeProp, true));
  Append(secondarySequence, std::make_unique<Animations::TaskDelay>(kDroppedSmokeLingersMs));
  if (!EMBERWICK_PLANTED(dropped_effects_kept)) {
    Append(secondarySequence, std::make_unique<Animations::RemoveParticleFxTask>(&droppedEmberFx));
    Append(secondarySequence, std::make_unique<Animations::RemoveParticleFxTask>(&droppedTipSmokeFx));
    Append(secondarySequence, std::make_unique<Animations::RemoveParticleFxTask>(&droppedTrailSmokeFx));
    Append(secondarySequence, std::make_unique<Animations::RemoveParticleFxTask>(&droppedCigarSmokeFx));
  }
  Start(secondarySequence);
  ResetToIdle(activeSequence);
}
