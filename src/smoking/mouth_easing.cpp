#include "smoking/mouth_easing.h"

#include <cmath>

#include "animations/prop_tasks.h"
#include "host/frame_reads.h"
#include "host/natives.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

int mouthEaseActive = 0;
int mouthEaseWaitStart = 0;
MouthEaseState mouthEaseState{};

namespace {

// Fraction of the remaining distance covered each frame, and the steps and
// tolerances at which the prop counts as seated.
constexpr float kEaseDecay = 0.08f;
constexpr float kEaseDoneDistance = 0.001f;
constexpr float kEaseTurnStep = 1.5f;
constexpr float kEaseDoneAngle = 2.0f;
constexpr int kEaseWaitMs = 51;


void SetSmokeProp(float x, float y, float z, float rx, float ry, float rz) {
  Animations::MovePropTask(&smokeProp, mouthBoneIndex, x, y, z, rx, ry, rz, 0, 2).Execute();
}

void DestroyMarkerNow() {
  Animations::DestroyPropTask destroy(&mouthMarkerProp, kMouthMarkerModel, true, false);
  destroy.Execute();
  mouthMarkerProp = 0;
}

// The prop at its exact mouth seat, the marker gone, the easing over.
void SeatInMouth(const PropSeat& seat) {
  mouthEaseActive = 0;
  mouthEaseWaitStart = 0;
  SetSmokeProp(seat.x, seat.y, seat.z, seat.rx, seat.ry, seat.rz);
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

void BeginEasing(const SmokeKind& kind) {
  const PropSeat& seat = kind.fit.mouth;
  Vector3 world = native::GetEntityCoords(smokeProp, false, true);
  Vector3 local = native::GetOffsetFromEntityGivenWorldCoords(mouthMarkerProp, world.x, world.y, world.z);
  mouthEaseState.deltaX = local.x - seat.x;
  mouthEaseState.deltaY = local.y - seat.y;
  mouthEaseState.deltaZ = local.z - seat.z;
  const Rotation& from = IsStoryCharacter() ? kind.easing.fromOnStoryMouth : kind.easing.fromOnHead;
  mouthEaseState.rotX = from.x;
  mouthEaseState.rotY = from.y;
  mouthEaseState.rotZ = from.z;
  mouthEaseActive = 1;
}

void StepEasing(const SmokeKind& kind) {
  const PropSeat& seat = kind.fit.mouth;
  MouthEaseState& e = mouthEaseState;
  e.deltaX = DecayDelta(e.deltaX);
  e.deltaY = DecayDelta(e.deltaY);
  e.deltaZ = DecayDelta(e.deltaZ);
  e.rotX = TurnTowards(e.rotX, seat.rx);
  e.rotY = TurnTowards(e.rotY, seat.ry);
  e.rotZ = TurnTowards(e.rotZ, seat.rz);
  SetSmokeProp(seat.x + e.deltaX, seat.y + e.deltaY, seat.z + e.deltaZ, e.rotX, e.rotY, e.rotZ);

  bool close = native::Absf(e.deltaX) < kEaseDoneDistance && native::Absf(e.deltaY) < kEaseDoneDistance &&
               native::Absf(e.deltaZ) < kEaseDoneDistance;
  bool turned = std::abs(AngleDelta(e.rotX, seat.rx)) < kEaseDoneAngle &&
                std::abs(AngleDelta(e.rotY, seat.ry)) < kEaseDoneAngle &&
                std::abs(AngleDelta(e.rotZ, seat.rz)) < kEaseDoneAngle;
  if (close && turned) SeatInMouth(seat);
}

}  // namespace

void UpdateMouthEasing() {
  // The marker is left at the lips by the move of the kind the active
  // sequence smokes, lit by us or the game's quick emote smoke. A prop that
  // left the mouth route (moved to the hand, thrown, dropped) would be pulled
  // back to the lips every frame, and with no kind left there is no seat to
  // ease onto: either way the easing and its marker go.
  const SmokeKind* kind = activeSequence.smoke;
  if (!propInMouth || !kind) {
    if (mouthEaseActive || mouthEaseWaitStart || mouthMarkerProp) CancelMouthEasing();
    return;
  }
  if (!mouthEaseActive) {
    if (!native::DoesEntityExist(mouthMarkerProp) || !native::DoesEntityExist(smokeProp)) return;
    int now = FrameGameTimer();
    if (mouthEaseWaitStart == 0) mouthEaseWaitStart = now;
    if (native::IsAnimSceneCamActive()) {
      SeatInMouth(kind->fit.mouth);
      return;
    }
    if (now - mouthEaseWaitStart < kEaseWaitMs) return;
    BeginEasing(*kind);
  }
  StepEasing(*kind);
}

void CancelMouthEasing() {
  mouthEaseActive = 0;
  mouthEaseWaitStart = 0;
  mouthEaseState = {};
  if (mouthMarkerProp != 0) DestroyMarkerNow();
}
