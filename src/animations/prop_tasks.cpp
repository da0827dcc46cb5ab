#include "animations/prop_tasks.h"

namespace Animations {

void SpawnPropTask::Execute() {}
std::string SpawnPropTask::GetName() { return {}; }
void MovePropTask::Execute() {}
std::string MovePropTask::GetName() { return {}; }
void DetachPropTask::Execute() {}
std::string DetachPropTask::GetName() { return {}; }
void PropApplyForceTask::Execute() {}
std::string PropApplyForceTask::GetName() { return {}; }
void DestroyPropTask::Execute() {}
std::string DestroyPropTask::GetName() { return {}; }
void PlayFxOnPropTask::Execute() {}
std::string PlayFxOnPropTask::GetName() { return {}; }
void PlayFxOnPedBoneTask::Execute() {}
std::string PlayFxOnPedBoneTask::GetName() { return {}; }
void SetFxAlphaOnPropTask::Execute() {}
std::string SetFxAlphaOnPropTask::GetName() { return {}; }
void RemoveParticleFxTask::Execute() {}
std::string RemoveParticleFxTask::GetName() { return {}; }
void SetEntityAlphaTask::Execute() {}
std::string SetEntityAlphaTask::GetName() { return {}; }
void PlaySoundFromEntityTask::Execute() {}
std::string PlaySoundFromEntityTask::GetName() { return {}; }
void StopSoundTask::Execute() {}
std::string StopSoundTask::GetName() { return {}; }

}  // namespace Animations
