#include "smoking/puff_effects.h"

#include <cstdint>
#include <memory>
#include <string_view>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/main_loop.h"
#include "host/natives.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoking_state.h"

namespace {

using Animations::MovePropTask;
using Animations::PlayFxOnPedBoneTask;
using Animations::PlayFxOnPropTask;
using Animations::RemoveParticleFxTask;
using Animations::SetFxAlphaOnPropTask;
using Animations::TaskDelay;

constexpr const char* kAsset = "anm_smoking";
constexpr const char* kShortExhale = "ent_anim_cig_exhale_mth_short";
constexpr const char* kLongExhale = "ent_anim_cig_exhale_mth";
constexpr const char* kNoseExhale = "ent_anim_cig_exhale_nse";
constexpr int kNoseBone = 26497;
constexpr int kMouthBone = 21030;
constexpr float kFastSpeed = 4.2f;
constexpr float kSprintSpeed = 5.1f;

// The short exhale task the next cycle was queued for: its address and the
// moment it became current. The address alone is not enough, since a later
// exhale task may be allocated where an earlier one was freed.
const Animations::ISequenceTask* reactedExhaleTask = nullptr;
int64_t reactedExhaleStartTicks = 0;

void AppendFx(TaskPtr task) { Append(activeSequence, std::move(task)); }

void AppendAt(TaskPtr task, int offsetMs) { AppendWithOffset(activeSequence, std::move(task), offsetMs); }

TaskPtr MouthExhale(int* slot, const char* effect, float alpha, float scale) {
  return std::make_unique<PlayFxOnPedBoneTask>(slot, kMouthBone, kAsset, effect, alpha, -0.045f, 0.11f, -0.021f,
                                               28.0f, 0.0f, -200.0f, scale);
}

struct AlphaStep {
  int offsetMs;
  float alpha;
};

constexpr AlphaStep kCigaretteGlow[] = {
    {550, 0.003f}, {600, 0.02f},  {650, 0.04f},  {750, 0.06f},  {800, 0.08f},   {850, 0.1f},   {950, 0.12f},
    {1000, 0.14f}, {1100, 0.16f}, {1200, 0.18f}, {1250, 0.2f},  {2000, 0.18f},  {2050, 0.16f}, {2100, 0.14f},
    {2200, 0.12f}, {2300, 0.1f},  {2350, 0.08f}, {2450, 0.07f}, {2500, 0.06f},  {2550, 0.05f}, {2600, 0.03f},
    {2650, 0.02f}, {2700, 0.01f}, {2750, 0.005f}, {2790, 0.001f},
};

float Speed() { return native::GetEntitySpeed(playerPed); }

bool OnFoot() { return native::IsPedOnFoot(playerPed); }

// True when `pressed` is the only one of the four movement directions held.
// All four are asked every time.
bool MovingOnly(const char* pressed) {
  static const char* const kDirections[] = {"INPUT_MOVE_UP_ONLY", "INPUT_MOVE_LEFT_ONLY", "INPUT_MOVE_DOWN_ONLY",
                                            "INPUT_MOVE_RIGHT_ONLY"};
  bool only = true;
  for (const char* direction : kDirections) {
    bool down = native::IsControlPressed(0, native::HashString(direction));
    if (down != (std::string_view(direction) == pressed)) only = false;
  }
  return only;
}

PlayFxOnPedBoneTask* FirstPendingPedFx() {
  if (activeSequence.pending.empty()) return nullptr;
  return dynamic_cast<PlayFxOnPedBoneTask*>(activeSequence.pending.front().get());
}

// Only an effect on a bone can be faded, so the queued task is looked at as
// one, by its asset and effect names: building the task's whole name on every
// frame would put a string on the heap each time.
bool PedFxNamed(const PlayFxOnPedBoneTask* task, const char* text) {
  return task && (task->asset.find(text) != std::string::npos || task->effectName.find(text) != std::string::npos);
}

void FadeExhalesAtSpeed() {
  PlayFxOnPedBoneTask* next = FirstPendingPedFx();
  if (PedFxNamed(next, kShortExhale) && Speed() > kFastSpeed) next->alpha = OnFoot() ? 0.0f : 0.2f;
  if (PedFxNamed(next, kNoseExhale) && !OnFoot() && Speed() > kFastSpeed) next->alpha = 0.01f;
}

void KeepTipSmoke() {
  if (!IsSequence("smoke_cigarette")) return;
  if (Speed() > kFastSpeed) {
    RemoveParticleFxTask(&tipSmokeFx).Execute();
  } else if (tipSmokeFx == 0 && native::EntityExists(smokeProp)) {
    // Not before the prop exists: the fallback lighting counts the cigarette
    // as in the mouth from its first frame on.
    PlayFxOnPropTask(&tipSmokeFx, "cs_cig_smoke", 0.95f, cigaretteTipOffset, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f, 0.45f, 10)
        .Execute();
  }
}

void AddBreathCloud() {
  float alpha;
  float offsetZ = -0.029f;
  float rotX = 45.0f;
  float scale = 0.65f;
  if (MovingOnly("INPUT_MOVE_UP_ONLY") && !OnFoot()) {
    alpha = Speed() > kFastSpeed ? 0.28f : 0.52f;
  } else if (MovingOnly("INPUT_MOVE_DOWN_ONLY") && OnFoot() && native::PedStateTestBreath(playerPed)) {
    alpha = 0.58f;
    offsetZ = -0.023f;
    rotX = 40.0f;
    scale = 0.5f;
  } else if (OnFoot() && Speed() > kSprintSpeed) {
    alpha = 0.47f;
  } else {
    return;
  }
  Prepend(activeSequence, std::make_unique<PlayFxOnPedBoneTask>(&breathFx, kMouthBone, "cut_rprsn",
                                                                "cs_ped_breath_winter", alpha, -0.025f, 0.12f,
                                                                offsetZ, rotX, 0.0f, -230.0f, scale));
  AdvanceSequence(activeSequence);
}

void QueueNextPuff() {
  const bool restricted = native::IsPlayerActionRestricted();
  if (IsSequence("smoke_cigarette")) {
    QueueCigarettePuffCycle(restricted ? native::RandomIntInRange(4500, 6500) : native::RandomIntInRange(7000, 9800));
  } else if (IsSequence("smoke_cigar")) {
    QueueCigarPuffCycle(native::RandomIntInRange(4500, 6500));
  }
}

}  // namespace

void QueueCigarettePuffCycle(int durationMs) {
  AppendFx(std::make_unique<TaskDelay>(durationMs));

  if (durationMs > 3500) {
    const float alpha = native::RandomFloatInRange(0.5f, 0.95f);
    const int roll = native::RandomIntInRange(0, 10);
    const int offset = native::RandomIntInRange(5500, 5580);
    if (roll >= 4) {
      const bool early = roll >= 8;
      AppendAt(std::make_unique<PlayFxOnPedBoneTask>(&noseExhaleFx, kNoseBone, kAsset, kNoseExhale,
                                                     early ? alpha - 0.15f : alpha, 0.0013f, -0.054f, -0.033f, 90.0f,
                                                     -85.5f, 0.0f, 0.9f),
               early ? 2300 : offset);
    }
  }

  AppendFx(std::make_unique<TaskDelay>(300));
  AppendFx(std::make_unique<PlayFxOnPropTask>(&cigarSmokeFx, "ent_anim_cig_smoke_cigar", 0.001f, cigaretteTipOffset,
                                              0.0f, 0.0f, 0.0f, 0.0f, -90.0f, 0.37f, 3000));
  AppendAt(std::make_unique<MovePropTask>(&smokeProp, mouthBoneIndex, cigaretteMouthOffsetX, cigaretteMouthOffsetY,
                                          cigaretteMouthOffsetZ, cigaretteMouthRotX, cigaretteMouthRotY,
                                          cigaretteMouthRotZ, 0, 2),
           2);
  for (const AlphaStep& step : kCigaretteGlow) {
    AppendAt(std::make_unique<SetFxAlphaOnPropTask>(&cigarSmokeFx, step.alpha), step.offsetMs);
  }
  AppendAt(std::make_unique<RemoveParticleFxTask>(&cigarSmokeFx), 2820);

  AppendFx(std::make_unique<TaskDelay>(native::RandomIntInRange(700, 1080)));
  const float shortAlpha = native::RandomFloatInRange(0.6f, 0.8f);
  AppendFx(MouthExhale(&exhaleFx, kShortExhale, shortAlpha, 1.27f));
  const float longAlpha = native::RandomFloatInRange(0.54f, 0.7f);
  AppendFx(MouthExhale(&longExhaleFx, kLongExhale, longAlpha, 0.9f));
}

void QueueCigarPuffCycle(int durationMs) {
  AppendFx(std::make_unique<TaskDelay>(durationMs));

  if (durationMs > 3500) {
    AppendAt(std::make_unique<PlayFxOnPedBoneTask>(&noseExhaleFx, kNoseBone, kAsset, kNoseExhale, 0.67f, 0.0011f,
                                                   -0.054f, -0.033f, 90.0f, -85.5f, 0.0f, 0.9f),
             3000);
  }

  const bool hidden = HIDE_PROP_IN_FIRST_PERSON && native::IsFirstPersonView(0, 0, 0);
  if (!hidden) {
    AppendFx(std::make_unique<PlayFxOnPropTask>(&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.01f, cigarTipOffsetX,
                                                cigarTipOffsetY, cigarTipOffsetZ, cigarTipRotX, cigarTipRotY,
                                                cigarTipRotZ, 1.0f, 3000));
    AppendAt(std::make_unique<MovePropTask>(&smokeProp, mouthBoneIndex, cigarMouthOffsetX, cigarMouthOffsetY,
                                            cigarMouthOffsetZ, cigarMouthRotX, cigarMouthRotY, cigarMouthRotZ, 0, 2),
             2);
    // Stepped in single precision: where each ramp stops depends on it.
    int offset = 550;
    for (float alpha = 0.05f; alpha <= 0.3f; alpha += 0.03f, offset += 25) {
      AppendAt(std::make_unique<SetFxAlphaOnPropTask>(&emberFx, alpha), offset);
    }
    offset = 1900;
    for (float alpha = 0.27f; alpha >= 0.05f; alpha -= 0.03f, offset += 25) {
      AppendAt(std::make_unique<SetFxAlphaOnPropTask>(&emberFx, alpha), offset);
    }
  }

  AppendFx(std::make_unique<TaskDelay>(native::RandomIntInRange(600, 950)));
  AppendFx(MouthExhale(&exhaleFx, kShortExhale, 0.77f, 1.27f));
  AppendFx(MouthExhale(&longExhaleFx, kLongExhale, 0.67f, 0.9f));
}

void UpdateInMouthEffects() {
  FadeExhalesAtSpeed();
  KeepTipSmoke();

  if (!CurrentTaskNameContains(kShortExhale)) return;
  const Animations::ISequenceTask* exhale = activeSequence.current.get();
  if (exhale == reactedExhaleTask && activeSequence.currentStartTicks == reactedExhaleStartTicks) return;
  reactedExhaleTask = exhale;
  reactedExhaleStartTicks = activeSequence.currentStartTicks;

  AddBreathCloud();
  QueueNextPuff();
}
