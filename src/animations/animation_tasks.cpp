#include "animations/animation_tasks.h"

namespace Animations {

void AnimationTask::Execute() {}
std::string AnimationTask::GetName() { return {}; }
void PlayEmoteTask::Execute() {}
std::string PlayEmoteTask::GetName() { return {}; }
void ItemInteractionTask::Execute() {}
std::string ItemInteractionTask::GetName() { return {}; }
void SetAnimCurrentTimeTask::Execute() {}
std::string SetAnimCurrentTimeTask::GetName() { return {}; }
void TaskCancelCurrentAnimation::Execute() {}
std::string TaskCancelCurrentAnimation::GetName() { return {}; }
std::string TaskDelay::GetName() { return {}; }
void SpawnPedTask::Execute() {}
std::string SpawnPedTask::GetName() { return {}; }
void DeleteEntityTask::Execute() {}
std::string DeleteEntityTask::GetName() { return {}; }

}  // namespace Animations
