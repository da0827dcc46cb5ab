#include "input/hold_loops.h"

#include <memory>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "host/main_loop.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoking_state.h"

namespace {
constexpr int kRepinCount = 7;
constexpr int kFirstRepinMs = 375;
}  // namespace

void QueueCigaretteHoldLoop(int durationMs) {
  if (durationMs <= 0) return;
  Append(activeSequence, MakeWanderBaseClip(durationMs, 25, 0x10000, 0.3f, -0.3f, 1.2f, ""));
  // The ambient clip moves the hand on its own; pinning the cigarette back
  // between the fingers at intervals keeps it from drifting out of the grip.
  const int step = durationMs / kRepinCount;
  for (int i = 0; i < kRepinCount; ++i) {
    auto repin = std::make_unique<Animations::MovePropTask>(&smokeProp, fingerBoneIndex, 0.0f, 0.0f, 0.01f, 0.0f,
                                                            0.0f, -90.0f, 0, 2);
    AppendWithOffset(activeSequence, std::move(repin), i == 0 ? kFirstRepinMs : i * step);
  }
}

// A duration of 0 or less is queued as it is: the input dispatch relies on
// very short clips to cut a playing one off.
void QueueCigarHoldLoop(int durationMs) {
  Append(activeSequence, std::make_unique<Animations::AnimationTask>(&playerPed, kCigarDictionary, "loop", durationMs,
                                                                     25, 0x10000, 1.3f, -0.3f, 0.3f,
                                                                     "rightarmonly_filter"));
}
