// Small helpers shared by the sequence builders: queueing a task plainly or
// with a start offset, moving the prop to a seat, the effects at its tip, the
// ambient hold clip and the holster block.
#pragma once

#include <memory>
#include <utility>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "host/ped_bones.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
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

// The ambient smoking clip, "base" of the wander dictionary: the cigarette's
// hold, and the clip that settles the body or cuts a playing clip short.
inline constexpr const char* kWanderBaseDictionary = "amb_wander@code_human_smoking_wander@male_a@base";
inline TaskPtr WanderBase(int durationMs, int clipFlags, int ikFlags, float blendIn, float blendOut, float rate,
                          const char* filter) {
  return std::make_unique<Animations::AnimationTask>(&playerPed, kWanderBaseDictionary, "base", durationMs, clipFlags,
                                                     ikFlags, blendIn, blendOut, rate, filter);
}

// Moves smokeProp (or another handle variable) to a bone, the way props are attached.
inline TaskPtr MoveProp(Entity* handle, int bone, float x, float y, float z, float rx, float ry, float rz) {
  return std::make_unique<Animations::MovePropTask>(handle, bone, x, y, z, rx, ry, rz, 0, 2);
}
inline TaskPtr MoveProp(Entity* handle, int bone, const PropSeat& seat) {
  return MoveProp(handle, bone, seat.x, seat.y, seat.z, seat.rx, seat.ry, seat.rz);
}
// The smoke to the kind's seat in the hand or the mouth, as it fits now.
inline TaskPtr ToHand(const SmokeKind& kind) { return MoveProp(&smokeProp, handBoneIndex, ModelOf(kind).hand); }
inline TaskPtr ToMouth(const SmokeKind& kind) { return MoveProp(&smokeProp, mouthBoneIndex, kind.fit.mouth); }
// Between the fingers, where the hand lets it rest while it is needed.
inline TaskPtr ToFingers() { return MoveProp(&smokeProp, fingerBoneIndex, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f, -90.0f); }

// A looped effect at the tip of the kind's prop, placed for the model smoked now.
inline TaskPtr OnTip(const SmokeKind& kind, const TipEffect& effect) {
  const PropSeat& tip = ModelOf(kind).tip;
  return std::make_unique<Animations::PlayFxOnPropTask>(&smokeProp, effect.slot, effect.name, effect.alpha, tip.x,
                                                        tip.y, tip.z, tip.rx, tip.ry, tip.rz, effect.scale,
                                                        effect.durationMs);
}

// The short exhale from the mouth at the end of a lighting.
inline TaskPtr LightingExhale() {
  return std::make_unique<Animations::PlayFxOnPedBoneTask>(&exhaleFx, kHeadBone, "anm_smoking",
                                                           "ent_anim_cig_exhale_mth_short", 0.7f, -0.03f, 0.075f,
                                                           0.0f, 0.0f, 0.0f, -180.0f, 1.3f);
}

inline bool HolsterInputActive() {
  return native::IsControlEnabled(0, GameName("INPUT_TOGGLE_HOLSTER"));
}

// Weapon selection is swallowed for a while when the holster input was
// active as the sequence began, so the hand does not draw a weapon mid-clip.
inline void BlockHolster(int blockMs, int replayDelayMs) {
  holsterBlockUntil = FrameGameTimer() + blockMs;
  quickSelectReplayDelay = replayDelayMs;
}

// With a weapon drawn, without control of the character or while aiming our
// own clips would fight the game's: the game's own interaction takes over.
inline bool MustUseFallback() {
  return !native::IsPedCurrentWeaponHolstered(FramePlayerPed()) || !native::IsPlayerControlOn(FramePlayerIndex()) ||
         native::IsAimCamActive();
}

inline void RaiseSmokingAttribute() {
  Ped player = FramePlayerPed();
  native::SetAttributeCoreValue(player, 2, native::GetAttributeCoreValue(player, 2) + 10);
}

}  // namespace building
