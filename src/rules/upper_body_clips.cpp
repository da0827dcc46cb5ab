// Keeps a clip that is about to play to the upper body while riding, sitting
// or in a scenario. The queued task is inspected by type rather than by a
// freshly built name, so no string is made on the frames this runs.
#include "animations/task_queries.h"
#include "rules/rule_support.h"
#include "rules/world_rules.h"

void AdjustNextAnimation() {
  Animations::AnimationTask* next = nullptr;
  if (!activeSequence.pending.empty()) {
    next = dynamic_cast<Animations::AnimationTask*>(activeSequence.pending.front().get());
  }
  if (next == nullptr || !UpperBodyOnly()) {
    wanderBaseQueued = false;
    return;
  }
  next->extraFlags = UpperBodyIkFlags();
  next->clipFlags = UpperBodyAnimFlags();
  next->filter = "headneckandrightarm_filter";
  if (TaskPlays(next, building::kWanderBaseDictionary)) {
    next->extraFlags = UpperBodyIkFlags();
    next->clipFlags = UpperBodyAnimFlags();
    next->blendIn = 0.0001f;
    next->filter = rules::kFacialBrowsFilter;
  }
  if (TaskPlays(next, "outro") && !wanderBaseQueued) {
    Append(activeSequence, rules::WanderBase(2000, 0.0001f, -1.0f, rules::kFacialBrowsFilter));
    wanderBaseQueued = true;
  }
}
