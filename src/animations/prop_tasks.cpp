#include "animations/prop_tasks.h"

#include <functional>

#include "animations/asset_loading.h"
#include "host/frame_reads.h"
#include "host/name_hash.h"
#include "host/natives.h"
#include "host/planted_fault.h"

namespace Animations {
namespace {

std::string Suffix(int value) { return std::to_string(value); }

void RemoveLoopedEffect(int* effect) {
  if (native::DoesParticleFxLoopedExist(*effect)) native::RemoveParticleFx(*effect, 1);
}

void MakeDeletable(Entity entity) {
  if (!native::IsEntityAMissionEntity(entity)) native::SetEntityAsMissionEntity(entity, false, true);
}

// Visits the entities within 1 m of the player whose model is `modelName`;
// `visit` returns false to end the visit early. The set is always released.
void ForEachNearbyProp(const std::string& modelName, const std::function<bool(Entity)>& visit) {
  const Vector3 position = native::GetEntityCoords(FramePlayerPed(), true, true);
  const int set = native::CreateItemSet(1);
  const int count = native::GetEntitiesNearPoint(position.x, position.y, position.z, 1.0f, set, 3);
  const Hash model = HashName(modelName);
  for (int i = 0; i < count; ++i) {
    const Entity entry = native::GetIndexedItemInItemSet(i, set);
    if (native::GetEntityModel(entry) == model && !visit(entry)) break;
  }
  native::DestroyItemSet(set);
}

}  // namespace

void SpawnPropTask::Execute() {
  const Ped player = FramePlayerPed();
  const Vector3 position = native::GetEntityCoords(player, true, false);
  Hash hash = 0;
  if (LoadModel(model.c_str(), hash)) {
    *handle = native::CreateObject(hash, position.x, position.y, position.z, 0, 0, 0, 0, 0);
  } else {
    *handle = 0;
  }
  native::AttachEntityToEntity(*handle, FramePlayerPed(), bone, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 1,
                               0, 2, 1, 0, 0);
  native::SetEntityAlpha(*handle, alpha, false);
  native::SetEntityCanBeDamaged(*handle, 0);
}
std::string SpawnPropTask::GetName() { return "SpawnPropTask_" + model; }

void MovePropTask::Execute() {
  native::DetachEntity(*handle, 1, 1);
  native::AttachEntityToEntity(*handle, FramePlayerPed(), bone, x, y, z, rx, ry, rz, attach[0], attach[1],
                               attach[2], attach[3], further[1], further[0], 0, 0);
}
std::string MovePropTask::GetName() { return "MovePropTask_" + Suffix(*handle); }

void DetachPropTask::Execute() {
  native::DetachEntity(*handle, 1, 1);
  MakeDeletable(*handle);
  if (clearHandle) *handle = 0;
}
std::string DetachPropTask::GetName() { return "DetachPropTask_" + Suffix(*handle); }

void PropApplyForceTask::Execute() {
  native::ApplyForceToEntity(*handle, forceType, fx, fy, fz, ox, oy, oz, bone, flags[0], flags[1], flags[2], 1, 1);
}
std::string PropApplyForceTask::GetName() { return "PropApplyForceTask_" + Suffix(*handle); }

void DestroyPropTask::Execute() {
  if (searchNearby) {
    ForEachNearbyProp(model, [](Entity entry) {
      native::DetachEntity(entry, 1, 1);
      MakeDeletable(entry);
      Entity doomed = entry;
      native::DeleteEntity(&doomed);
      return true;
    });
  }
  if (onlyIfAttached && !native::IsEntityAttachedToEntity(*handle, FramePlayerPed())) return;
  native::SetEntityVisible(*handle, false);
  native::SetEntityCanBeDamaged(*handle, 1);
  native::SetEntityAsMissionEntity(*handle, false, true);
  native::DetachEntity(*handle, 1, 1);
  native::DeleteObject(handle);
}
std::string DestroyPropTask::GetName() { return "DestroyPropTask_" + model; }

void PlayFxOnPropTask::Execute() {
  if (effect) {
    RemoveLoopedEffect(effect);
    *effect = 0;
  }
  if (!LoadEffectAsset(asset.c_str())) return;
  if (looped) {
    // Only reached with an effect variable: a looped effect lives in one.
    if (!effect) return;
    if (*effect == 0) {
      *effect = native::StartNetworkedParticleFxLoopedOnEntity(effectName.c_str(), *prop, x, y, z, rx, ry, rz, scale, 1,
                                                               1, 1);
    }
    native::SetParticleFxLoopedAlpha(*effect, alpha);
  } else {
    native::SetParticleFxNonLoopedAlpha(alpha);
    native::StartNetworkedParticleFxNonLoopedOnEntity(effectName.c_str(), *prop, x, y, z, rx, ry, rz, scale, 1, 1, 1);
  }
}
std::string PlayFxOnPropTask::GetName() { return "PlayFxOnPropTask_" + asset + "_" + effectName; }

void PlayFxOnPedBoneTask::Execute() {
  if (effect) {
    RemoveLoopedEffect(effect);
    *effect = 0;
  }
  if (!LoadEffectAsset(asset.c_str())) return;
  if (looped) {
    if (!effect) return;
    if (*effect == 0) {
      *effect = native::StartParticleFxLoopedOnPedBone(effectName.c_str(), FramePlayerPed(), x, y, z, rx, ry, rz, bone,
                                                       scale, 1, 1, 1);
    }
    native::SetParticleFxLoopedAlpha(*effect, alpha);
  } else {
    native::SetParticleFxNonLoopedAlpha(alpha);
    native::StartParticleFxNonLoopedOnPedBone(effectName.c_str(), FramePlayerPed(), x, y, z, rx, ry, rz, bone, scale, 1,
                                              1, 1);
  }
}
std::string PlayFxOnPedBoneTask::GetName() { return "PlayFxOnBoneTask_" + asset + "_" + effectName; }

void SetFxAlphaOnPropTask::Execute() {
  if (effect) native::SetParticleFxLoopedAlpha(*effect, alpha);
}
std::string SetFxAlphaOnPropTask::GetName() { return "SetFxAlphaOnPropTask"; }

void RemoveParticleFxTask::Execute() {
  if (!effect) return;
  RemoveLoopedEffect(effect);
  *effect = 0;
}
std::string RemoveParticleFxTask::GetName() { return "RemoveParticleFx"; }

void SetEntityAlphaTask::Execute() {
  Entity target = 0;
  if (searchNearby) {
    ForEachNearbyProp(model, [&target](Entity entry) {
      target = entry;
      return false;
    });
  } else {
    target = *handle;
  }
  if (onlyIfAttached && !native::IsEntityAttachedToEntity(target, FramePlayerPed())) return;
  native::SetEntityAlpha(target, static_cast<int>(alpha), alphaFlag != 0);
}
std::string SetEntityAlphaTask::GetName() { return "SetEntityAlphaTask_" + model; }

// Story mode has no network: the sound is not a networked one (the game's own
// scripts pass false in every call).
void PlaySoundFromEntityTask::Execute() {
  if (!LoadSoundSet(soundSet.c_str())) return;
  if (x != 0.0f || y != 0.0f || z != 0.0f) {
    const Vector3 position = native::GetOffsetFromEntityInWorldCoords(FramePlayerPed(), x, y, z);
    native::PlaySoundFromPosition(sound.c_str(), position.x, position.y, position.z, soundSet.c_str(), false, 0, 0, 0);
  } else {
    native::PlaySoundFromEntity(sound.c_str(), FramePlayerPed(), soundSet.c_str(), false, 0, 0);
  }
}
std::string PlaySoundFromEntityTask::GetName() { return "PlaySoundFromEntityTask_" + soundSet + "_" + sound; }

// The set is released by its own name, and only once its sound has stopped.
void StopSoundTask::Execute() {
  native::StopSoundWithName(sound.c_str(), soundSet.c_str());
  if (EMBERWICK_PLANTED(sound_set_kept)) native::ReleaseSoundSet(sound.c_str());
  else ReleasePreparedSoundSet(soundSet);
}
std::string StopSoundTask::GetName() { return "StopSoundTask_" + soundSet + "_" + sound; }

}  // namespace Animations
