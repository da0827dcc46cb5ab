#include "sequences/puff_cycle.h"

#include "sequences/sequence_building.h"

void QueuePuffCycle(const SmokeKind& kind, int durationMs) { kind.queuePuffCycle(durationMs); }

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
