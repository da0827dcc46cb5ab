// The effects of a smoke in the mouth, every frame while the sequence runs:
// exhales faded at speed, the tip smoke kept or blown away, and when a short
// mouth exhale has become the current task a breath cloud and the next puff
// cycle (once per exhale task, however many frames it stays current).
#include <cstdint>

#include "animations/task_queries.h"
#include "rules/world_rules.h"
#include "sequences/puff_cycle.h"
#include "sequences/sequence_building.h"

const Animations::ISequenceTask* reactedExhaleTask = nullptr;
int64_t reactedExhaleStartTicks = 0;

namespace {

using Animations::PlayFxOnPedBoneTask;
using Animations::RemoveParticleFxTask;

constexpr float kFastSpeed = 4.2f;
constexpr float kSprintSpeed = 5.1f;

float Speed() { return native::GetEntitySpeed(playerPed); }

bool OnFoot() { return native::IsPedOnFoot(playerPed); }

// True when `pressed` is the only one of the four movement directions held.
// All four are asked every time.
bool MovingOnly(Hash pressed) {
  static constexpr Hash kDirections[] = {GameName("INPUT_MOVE_UP_ONLY"), GameName("INPUT_MOVE_LEFT_ONLY"),
                                         GameName("INPUT_MOVE_DOWN_ONLY"), GameName("INPUT_MOVE_RIGHT_ONLY")};
  bool only = true;
  for (Hash direction : kDirections) {
    bool down = native::IsControlPressed(0, direction);
    if (down != (direction == pressed)) only = false;
  }
  return only;
}

PlayFxOnPedBoneTask* FirstPendingPedFx() {
  if (activeSequence.pending.empty()) return nullptr;
  return dynamic_cast<PlayFxOnPedBoneTask*>(activeSequence.pending.front().get());
}

void FadeExhalesAtSpeed() {
  PlayFxOnPedBoneTask* next = FirstPendingPedFx();
  if (TaskPlays(next, building::kShortMouthExhale) && Speed() > kFastSpeed) next->alpha = OnFoot() ? 0.0f : 0.2f;
  if (TaskPlays(next, building::kNoseExhale) && !OnFoot() && Speed() > kFastSpeed) next->alpha = 0.01f;
}

void KeepTipSmoke() {
  const SmokeKind* kind = SmokedNow();
  if (!kind || !kind->smokeClearsAtSpeed) return;
  const TipEffect& smoke = ModelOf(*kind).smoke;
  if (Speed() > kFastSpeed) {
    RemoveParticleFxTask(smoke.slot).Execute();
  } else if (*smoke.slot == 0 && native::DoesEntityExist(smokeProp)) {
    // Not before the prop exists: the fallback lighting counts the cigarette
    // as in the mouth from its first frame on.
    building::OnTip(*kind, smoke)->Execute();
  }
}

void AddBreathCloud() {
  float alpha;
  float offsetZ = -0.029f;
  float rotX = 45.0f;
  float scale = 0.65f;
  if (MovingOnly(GameName("INPUT_MOVE_UP_ONLY")) && !OnFoot()) {
    alpha = Speed() > kFastSpeed ? 0.28f : 0.52f;
  } else if (MovingOnly(GameName("INPUT_MOVE_DOWN_ONLY")) && OnFoot() && native::IsPedWalking(playerPed)) {
    alpha = 0.58f;
    offsetZ = -0.023f;
    rotX = 40.0f;
    scale = 0.5f;
  } else if (OnFoot() && Speed() > kSprintSpeed) {
    alpha = 0.47f;
  } else {
    return;
  }
  Prepend(activeSequence, std::make_unique<PlayFxOnPedBoneTask>(&breathFx, kHeadBone, "cut_rprsn",
                                                                "cs_ped_breath_winter", alpha, -0.025f, 0.12f,
                                                                offsetZ, rotX, 0.0f, -230.0f, scale));
  AdvanceSequence(activeSequence);
}

void QueueNextPuff() {
  // While the player aims, the puffs come further apart.
  const bool aiming = native::IsAimCamActive();
  const SmokeKind* kind = SmokedNow();
  if (!kind) return;
  const PuffGap& gap = kind->puffGap;
  QueuePuffCycle(*kind, aiming ? native::GetRandomIntInRange(gap.aimingMinMs, gap.aimingMaxMs)
                               : native::GetRandomIntInRange(gap.minMs, gap.maxMs));
}

}  // namespace

void UpdateInMouthEffects() {
  FadeExhalesAtSpeed();
  KeepTipSmoke();

  if (!CurrentTaskPlays(building::kShortMouthExhale)) return;
  const Animations::ISequenceTask* exhale = activeSequence.current.get();
  if (exhale == reactedExhaleTask && activeSequence.currentStartTicks == reactedExhaleStartTicks) return;
  reactedExhaleTask = exhale;
  reactedExhaleStartTicks = activeSequence.currentStartTicks;

  AddBreathCloud();
  QueueNextPuff();
}
