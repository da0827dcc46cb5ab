#include "sequences/puff_cycle.h"

#include "config/settings.h"
#include "sequences/sequence_building.h"
#include "sequences/steps.h"

namespace {

void QueueNoseExhale(const NoseExhale& nose) {
  const float alpha = DrawValue(nose.alpha);
  const int draw = nose.chance ? native::GetRandomIntInRange(0, 10) : 0;
  const int atMs = DrawValue(nose.atMs);
  if (nose.chance && draw < nose.chance->fromDraw) return;
  const bool early = nose.chance && draw >= nose.chance->earlyFromDraw;
  AppendWithOffset(activeSequence, building::NoseExhale(early ? alpha - nose.chance->earlyFainterBy : alpha, nose.x),
                   early ? nose.chance->earlyAtMs : atMs);
}

}  // namespace

void QueuePuffCycle(const SmokeKind& kind, int durationMs) {
  const PuffCycle& cycle = kind.puffCycle;
  SequenceRunner& s = activeSequence;
  building::Next<Animations::TaskDelay>(s, durationMs);
  if (durationMs > 3500) QueueNoseExhale(cycle.nose);

  const bool unseen = cycle.drawUnseenInFirstPerson && HIDE_PROP_IN_FIRST_PERSON && native::IsFirstPersonCameraActive(0, 0, 0);
  if (!unseen) QueueSteps(kind, cycle.draw);

  building::Next<Animations::TaskDelay>(s, DrawValue(cycle.exhaleAfterMs));
  const float shortAlpha = DrawValue(cycle.shortExhale);
  Append(s, building::MouthExhale(&exhaleFx, building::kShortMouthExhale, shortAlpha, 1.27f));
  const float longAlpha = DrawValue(cycle.longExhale);
  Append(s, building::MouthExhale(&longExhaleFx, building::kLongMouthExhale, longAlpha, 0.9f));
}

namespace building {

TaskPtr MouthExhale(int* slot, const char* effect, float alpha, float scale) {
  return std::make_unique<Animations::PlayFxOnPedBoneTask>(slot, kHeadBone, "anm_smoking", effect, alpha, -0.045f,
                                                           0.11f, -0.021f, 28.0f, 0.0f, -200.0f, scale);
}

TaskPtr NoseExhale(float alpha, float x) {
  return std::make_unique<Animations::PlayFxOnPedBoneTask>(&noseExhaleFx, kNoseBone, "anm_smoking", kNoseExhale,
                                                           alpha, x, -0.054f, -0.033f, 90.0f, -85.5f, 0.0f, 0.9f);
}

}  // namespace building
