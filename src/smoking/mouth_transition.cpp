#include "smoking/mouth_transition.h"

#include <cmath>
#include <string>

#include "config/settings.h"
#include "host/main_loop.h"
#include "input/stop_cleanup.h"
#include "sequences/sequence_building.h"
#include "smoking/puff_effects.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

constexpr const char* kMarkerModel = "p_cigarettebox01x";
// Fraction of the remaining distance covered each frame, and the steps and
// tolerances at which the cigarette counts as seated.
constexpr float kEaseDecay = 0.08f;
constexpr float kEaseDoneDistance = 0.001f;
constexpr float kEaseTurnStep = 1.5f;
constexpr float kEaseDoneAngle = 2.0f;
constexpr int kEaseWaitMs = 51;

struct FlourishStep {
  int offsetMs;
  float rotY;
};
constexpr FlourishStep kFlourish[] = {{375, 0},    {400, -5},   {420, -6},   {440, -7},   {460, -8},   {480, -9},
                                      {501, -10},  {520, -11},  {540, -12},  {560, -13},  {580, -14},  {600, -15},
                                      {620, -16},  {640, -17},  {660, -18},  {680, -19}};

struct FadeStep {
  int offsetMs;
  float alpha;
};
constexpr FadeStep kSmokeFade[] = {{300, 0.5f},  {350, 0.45f}, {400, 0.4f},  {500, 0.35f},  {550, 0.3f},
                                   {600, 0.25f}, {650, 0.18f}, {700, 0.12f}, {750, 0.08f},  {800, 0.04f},
                                   {850, 0.02f}, {920, 0.003f}, {990, 0.001f}};

bool CurrentTaskHas(const char* text) { return activeSequence.currentTaskName.find(text) != std::string::npos; }

bool RefusedForControlLoss() {
  return DISABLE_ON_CONTROL_LOSS && !native::PlayerHasControl(native::GetPlayerIndex());
}

// A still-running clip ends at once when the same base clip is played for 1 ms.
void QueueCut() {
  Append(activeSequence, MakeWanderBaseClip(1, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.3f, -0.3f, 1.2f, ""));
}

// Mounted or seated the body keeps its pose; on foot a short pause does.
void QueueSettle() {
  if (native::IsPedMountedOrSeated(native::GetPlayerPed())) {
    Append(activeSequence,
           MakeWanderBaseClip(2000, UpperBodyAnimFlags(), 0x8000082, 0.0001f, -1.0f, 1.2f, "facialonly_brows"));
  } else {
    Next<TaskDelay>(activeSequence, 1000);
  }
}

void DestroyMarkerNow() {
  DestroyPropTask destroy(&mouthMarkerProp, kMarkerModel, true, false);
  destroy.Execute();
  mouthMarkerProp = 0;
}

// The cigarette at its exact mouth position, the marker gone, the easing over.
void SeatCigarette() {
  mouthEaseActive = 0;
  mouthEaseWaitStart = 0;
  building::CigaretteToMouth()->Execute();
  DestroyMarkerNow();
}

float DecayDelta(float d) {
  if (d > 0.0f) {
    d -= kEaseDecay * d;
    if (d < kEaseDoneDistance) d = 0.0f;
  } else if (d < 0.0f) {
    d -= kEaseDecay * d;
    if (d > -kEaseDoneDistance) d = 0.0f;
  }
  return d;
}

float TurnTowards(float r, float target) {
  if (r > target) r -= kEaseTurnStep;
  if (r < target) r += kEaseTurnStep;
  return r;
}

void BeginEasing() {
  Vector3 world = native::GetEntityCoords(smokeProp, false, true);
  Vector3 local = native::WorldToEntityOffset(mouthMarkerProp, world.x, world.y, world.z);
  mouthEaseState.deltaX = local.x - cigaretteMouthOffsetX;
  mouthEaseState.deltaY = local.y - cigaretteMouthOffsetY;
  mouthEaseState.deltaZ = local.z - cigaretteMouthOffsetZ;
  if (IsStoryCharacter()) {
    mouthEaseState.rotX = 1.4f;
    mouthEaseState.rotY = 98.0f;
    mouthEaseState.rotZ = 0.0f;
  } else {
    mouthEaseState.rotX = -17.0f;
    mouthEaseState.rotY = -27.0f;
    mouthEaseState.rotZ = -100.0f;
  }
  mouthEaseActive = 1;
}

void StepEasing() {
  MouthEaseState& e = mouthEaseState;
  e.deltaX = DecayDelta(e.deltaX);
  e.deltaY = DecayDelta(e.deltaY);
  e.deltaZ = DecayDelta(e.deltaZ);
  e.rotX = TurnTowards(e.rotX, cigaretteMouthRotX);
  e.rotY = TurnTowards(e.rotY, cigaretteMouthRotY);
  e.rotZ = TurnTowards(e.rotZ, cigaretteMouthRotZ);
  building::MoveProp(&smokeProp, mouthBoneIndex, cigaretteMouthOffsetX + e.deltaX, cigaretteMouthOffsetY + e.deltaY,
                     cigaretteMouthOffsetZ + e.deltaZ, e.rotX, e.rotY, e.rotZ)
      ->Execute();

  bool close = native::AbsFloat(e.deltaX) < kEaseDoneDistance && native::AbsFloat(e.deltaY) < kEaseDoneDistance &&
               native::AbsFloat(e.deltaZ) < kEaseDoneDistance;
  bool turned = std::abs(AngleDelta(e.rotX, cigaretteMouthRotX)) < kEaseDoneAngle &&
                std::abs(AngleDelta(e.rotY, cigaretteMouthRotY)) < kEaseDoneAngle &&
                std::abs(AngleDelta(e.rotZ, cigaretteMouthRotZ)) < kEaseDoneAngle;
  if (close && turned) SeatCigarette();
}

}  // namespace

void MoveCigaretteToMouth(bool direct, bool cutCurrent, bool quick) {
  if (RefusedForControlLoss() || !activeSequence.running || CurrentTaskHas("outro") || CurrentTaskHas("intro") ||
      (!direct && CurrentTaskHas("PlayEmoteTask"))) {
    return;
  }
  // Nothing in the hand yet: the lighting goes on and brings it.
  if (!SmokePropHeld()) return;
  if (!direct && building::HolsterInputActive()) building::BlockHolster(quick ? 900 : 1400, 20);

  propInMouth = true;
  SettleWhatTheCutSequenceOwed();
  ClearPending(activeSequence);
  SequenceRunner& s = activeSequence;

  if (cutCurrent) {
    if (direct) Append(s, building::CigaretteToMouth());
    QueueCut();
  }

  if (direct) {
    AppendWithOffset(s, building::CigaretteCigarSmoke(), 750);
    AppendWithOffset(s, building::CigaretteToMouth(), 750);
  } else {
    Append(s, MakeWanderBaseClip(10, UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.3f, 0.8f, 1.2f, UpperBodyFilter()));
    if (quick) {
      Next<AnimationTask>(s, &playerPed, kCigaretteDictionary, "action_alt1", 790, UpperBodyAnimFlags(),
                          UpperBodyIkFlags(), 1.9f, -1.8f, 1.3f, UpperBodyFilter());
    } else {
      Next<AnimationTask>(s, &playerPed, kCigaretteDictionary, "outro", 1100, UpperBodyAnimFlags(),
                          UpperBodyIkFlags(), 1.4f, -1.4f, 1.2f, UpperBodyFilter());
    }
    // The cigarette rolls between the fingers on its way up.
    for (const FlourishStep& step : kFlourish) {
      if (step.offsetMs == 501) AppendWithOffset(s, building::CigaretteCigarSmoke(), 500);
      AppendWithOffset(s, building::MoveProp(&smokeProp, handBoneIndex, 0.005f, 0.0f, 0.005f, 50.0f, step.rotY, 0.0f),
                       step.offsetMs);
    }
    // The marker at the lips gives the easing its target frame.
    int markerAt = quick ? 750 : 880;
    At<DestroyPropTask>(s, markerAt, &mouthMarkerProp, kMarkerModel, true, true);
    At<SpawnPropTask>(s, markerAt, &mouthMarkerProp, kMarkerModel, mouthBoneIndex, 0);
  }

  QueueSettle();
  for (const FadeStep& step : kSmokeFade) At<SetFxAlphaOnPropTask>(s, step.offsetMs, &cigarSmokeFx, step.alpha);
  QueueCigarettePuffCycle(native::RandomIntInRange(1000, 2000));
  Start(s);
}

void MoveCigarToMouth(bool direct, bool cutCurrent) {
  if (RefusedForControlLoss() || !activeSequence.running || CurrentTaskHas("outro") ||
      (!direct && (CurrentTaskHas("intro") || CurrentTaskHas("PlayEmoteTask")))) {
    return;
  }
  if (!SmokePropHeld()) return;
  propInMouth = true;
  SettleWhatTheCutSequenceOwed();
  ClearPending(activeSequence);
  SequenceRunner& s = activeSequence;

  if (cutCurrent) QueueCut();

  int smokeAt = 1, moveAt = 2, matchAt = 3;
  if (!direct) {
    Next<AnimationTask>(s, &playerPed, kCigarDictionary, "action", 670, UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.9f,
                        -1.5f, 1.5f, UpperBodyFilter());
    smokeAt = 500;
    moveAt = 650;
    matchAt = 621;
  }
  AppendWithOffset(s, building::CigarSmoke(), smokeAt);
  AppendWithOffset(s, building::CigarToMouth(), moveAt);
  At<DestroyPropTask>(s, matchAt, &matchProp, "p_matchstick01x", true, true);

  // Cut short in the middle of the lighting: the match's sizzle must not go on.
  if (CurrentTaskHas("intro")) {
    auto stop = std::make_unique<StopSoundTask>();
    stop->soundSet = "Player_Campfire_Sounds";
    stop->sound = "cook_meat_sizzle_loop";
    AppendWithOffset(s, std::move(stop), 660);
  }

  QueueSettle();
  QueueCigarPuffCycle(native::RandomIntInRange(1000, 2000));
  Start(s);
}

void UpdateMouthEasing() {
  // The prop left the mouth route (moved to the hand, thrown, dropped): an
  // easing would pull it back to the lips every frame.
  if (!propInMouth) {
    if (mouthEaseActive || mouthEaseWaitStart || mouthMarkerProp) CancelMouthEasing();
    return;
  }
  if (!mouthEaseActive) {
    if (!native::EntityExists(mouthMarkerProp) || !native::EntityExists(smokeProp)) return;
    int now = native::GetGameTimer();
    if (mouthEaseWaitStart == 0) mouthEaseWaitStart = now;
    if (native::CutsceneRunning()) {
      SeatCigarette();
      return;
    }
    if (now - mouthEaseWaitStart < kEaseWaitMs) return;
    BeginEasing();
  }
  StepEasing();
}

void CancelMouthEasing() {
  mouthEaseActive = 0;
  mouthEaseWaitStart = 0;
  mouthEaseState = {};
  if (mouthMarkerProp != 0) DestroyMarkerNow();
}
