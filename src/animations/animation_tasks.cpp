#include "animations/animation_tasks.h"

#include <sstream>

#include "animations/asset_loading.h"
#include "host/frame_reads.h"
#include "host/name_hash.h"
#include "host/natives.h"

namespace Animations {

void AnimationTask::Execute() {
  if (!LoadClipDictionary(dictionary.c_str())) return;
  native::TaskPlayAnim(*ped, dictionary.c_str(), clip.c_str(), blendIn, blendOut, durationMs, clipFlags, rate, 0,
                       extraFlags, 0, filter.c_str(), 0);
}
std::string AnimationTask::GetName() { return "AnimationTask_" + dictionary + "_" + clip; }

void PlayEmoteTask::Execute() {
  native::TaskPlayEmoteWithHash(FramePlayerPed(), 0, 0, emote, 1, 1, 0, 0, flag != 0 ? 1 : 0);
}
std::string PlayEmoteTask::GetName() { return "PlayEmoteTask_" + std::to_string(static_cast<int32_t>(emote)); }

void ItemInteractionTask::Execute() {
  native::StartTaskItemInteraction(FramePlayerPed(), HashName(item), HashName(interaction), 1, 0, 0.0f);
}
std::string ItemInteractionTask::GetName() { return "ItemInteractionTask_" + item + "_" + interaction; }

void SetAnimCurrentTimeTask::Execute() {
  native::SetEntityAnimCurrentTime(*entity, dictionary.c_str(), clip.c_str(), phase);
}
std::string SetAnimCurrentTimeTask::GetName() { return "SetAnimCurrentTimeTask_" + dictionary + "_" + clip; }

void TaskCancelCurrentAnimation::Execute() { native::StopAnimPlayback(FramePlayerPed(), 1, 1); }
std::string TaskCancelCurrentAnimation::GetName() {
  return "TaskCancelCurrentAnimation_" + std::to_string(durationMs);
}

std::string TaskDelay::GetName() { return "TaskDelay_" + std::to_string(durationMs); }

void SpawnPedTask::Execute() {
  Vector3 position = native::GetEntityCoords(FramePlayerPed(), false, true);
  position.z += 1.0f;
  Hash hash = 0;
  if (!LoadModel(model.c_str(), hash)) {
    *ped = 0;
    return;
  }
  const float heading = native::GetEntityHeading(FramePlayerPed());
  const Ped spawned = native::CreatePed(hash, position.x, position.y, position.z, heading, 0, 0, 0, 0);
  native::SetRandomOutfitVariation(spawned, 1);
  if (freezePosition) native::FreezeEntityPosition(spawned, 1);
  if (invisible) {
    native::SetEntityAlpha(spawned, 0, false);
    native::SetEntityVisible(spawned, false);
  }
  if (collisionOff) {
    native::SetEntityCollision(spawned, 0, 0);
    native::SetEntityCompletelyDisableCollision(spawned, 1, 0);
  }
  native::SetPedScale(spawned, spawnValue);
  native::SetModelAsNoLongerNeeded(hash);
  *ped = spawned;
}
std::string SpawnPedTask::GetName() { return "SpawnPedTask_" + model; }

void DeleteEntityTask::Execute() {
  Entity copy = *entity;
  if (!native::IsEntityAMissionEntity(copy)) native::SetEntityAsMissionEntity(copy, false, true);
  native::DeleteEntity(&copy);
}
std::string DeleteEntityTask::GetName() {
  std::ostringstream name;
  name << "DeleteEntityTask_" << static_cast<const void*>(entity);
  return name.str();
}

}  // namespace Animations
