// Small helpers shared by the sequence builders: queueing a task plainly or
// with a start offset, the smoke effects on the tip and the holster block.
#pragma once

#include <memory>
#include <utility>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoking_state.h"

namespace building {

// Queues a task that starts when the current task's duration has passed.
template <typename Task, typename... Args>
void Next(SequenceRunner& runner, Args&&... args) {
  Append(runner, std::make_unique<Task>(std::forward<Args>(args)...));
}

// Queues a task that starts `offsetMs` after the current task began.
template <typename Task, typename... Args>
void At(SequenceRunner& runner, int offsetMs, Args&&... args) {
  AppendWithOffset(runner, std::make_unique<Task>(std::forward<Args>(args)...), offsetMs);
}

// The looped cigarette effects on the tip of smokeProp.
inline TaskPtr Ember() {
  return std::make_unique<Animations::PlayFxOnPropTask>(&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.85f,
                                                        cigaretteTipOffset, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f, 0.22f,
                                                        10);
}
inline TaskPtr TipSmoke() {
  return std::make_unique<Animations::PlayFxOnPropTask>(&tipSmokeFx, "cs_cig_smoke", 0.95f, cigaretteTipOffset, 0.0f,
                                                        0.0f, 0.0f, 0.0f, -90.0f, 0.45f, 10);
}
inline TaskPtr TrailSmoke() {
  return std::make_unique<Animations::PlayFxOnPropTask>(&trailSmokeFx, "ent_anim_cig_smoke", 0.55f,
                                                        cigaretteTipOffset, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f, 0.45f,
                                                        10);
}
// The cigar smoke effect at the tip of a cigarette.
inline TaskPtr CigaretteCigarSmoke(float alpha = 0.5f) {
  return std::make_unique<Animations::PlayFxOnPropTask>(&cigarSmokeFx, "ent_anim_cig_smoke_cigar", alpha,
                                                        cigaretteTipOffset, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f, 0.37f,
                                                        10);
}

// The cigar effects, placed with the attachment values of the current cigar model.
inline TaskPtr CigarSmoke() {
  return std::make_unique<Animations::PlayFxOnPropTask>(&cigarSmokeFx, "ent_anim_cig_smoke_cigar", cigarSmokeFxAlpha,
                                                        cigarTipOffsetX, cigarTipOffsetY, cigarTipOffsetZ,
                                                        cigarTipRotX, cigarTipRotY, cigarTipRotZ, cigarSmokeFxScale,
                                                        10);
}
inline TaskPtr CigarEmber() {
  return std::make_unique<Animations::PlayFxOnPropTask>(&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.05f,
                                                        cigarTipOffsetX, cigarTipOffsetY, cigarTipOffsetZ,
                                                        cigarTipRotX, cigarTipRotY, cigarTipRotZ, 0.75f, 3000);
}

// The short exhale from the mouth at the end of a lighting.
inline TaskPtr LightingExhale() {
  return std::make_unique<Animations::PlayFxOnPedBoneTask>(&exhaleFx, 21030, "anm_smoking",
                                                           "ent_anim_cig_exhale_mth_short", 0.7f, -0.03f, 0.075f,
                                                           0.0f, 0.0f, 0.0f, -180.0f, 1.3f);
}

// Moves smokeProp (or another handle variable) to a bone, the way props are attached.
inline TaskPtr MoveProp(Entity* handle, int bone, float x, float y, float z, float rx, float ry, float rz) {
  return std::make_unique<Animations::MovePropTask>(handle, bone, x, y, z, rx, ry, rz, 0, 2);
}
inline TaskPtr CigarToHand() {
  return MoveProp(&smokeProp, handBoneIndex, cigarHandOffsetX, cigarHandOffsetY, cigarHandOffsetZ, cigarHandRotX,
                  cigarHandRotY, cigarHandRotZ);
}
inline TaskPtr CigarToMouth() {
  return MoveProp(&smokeProp, mouthBoneIndex, cigarMouthOffsetX, cigarMouthOffsetY, cigarMouthOffsetZ,
                  cigarMouthRotX, cigarMouthRotY, cigarMouthRotZ);
}
inline TaskPtr CigaretteToMouth() {
  return MoveProp(&smokeProp, mouthBoneIndex, cigaretteMouthOffsetX, cigaretteMouthOffsetY, cigaretteMouthOffsetZ,
                  cigaretteMouthRotX, cigaretteMouthRotY, cigaretteMouthRotZ);
}

inline bool HolsterInputActive() {
  return native::IsControlActive(0, GameName("INPUT_TOGGLE_HOLSTER"));
}

// Weapon selection is swallowed for a while when the holster input was
// active as the sequence began, so the hand does not draw a weapon mid-clip.
inline void BlockHolster(int blockMs, int replayDelayMs) {
  holsterBlockUntil = FrameGameTimer() + blockMs;
  quickSelectReplayDelay = replayDelayMs;
}

// The player may not play our own clips: the game's own interaction takes over.
inline bool MustUseFallback() {
  return !native::IsPedFreeToAnimate(FramePlayerPed()) || !native::PlayerHasControl(FramePlayerIndex()) ||
         native::IsPlayerActionRestricted();
}

inline void RaiseSmokingAttribute() {
  Ped player = FramePlayerPed();
  native::SetPedAttributeValue(player, 2, native::GetPedAttributeValue(player, 2) + 10);
}

}  // namespace building
