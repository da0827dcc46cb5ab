#include "sequences/hold_loops.h"

#include <memory>

#include "sequences/sequence_building.h"

namespace {
constexpr int kRepinCount = 7;
constexpr int kFirstRepinMs = 375;
}  // namespace

void QueueHoldLoop(const SmokeKind& kind, int durationMs) {
  if (durationMs <= 0) return;
  const HoldClip& hold = kind.hold;
  Append(activeSequence, std::make_unique<Animations::AnimationTask>(&playerPed, hold.dictionary, hold.clip,
                                                                     durationMs, 25, 0x10000, hold.blendIn,
                                                                     hold.blendOut, hold.rate, hold.filter));
  if (!hold.repinsToFingers) return;
  // The ambient clip moves the hand on its own; pinning the prop back between
  // the fingers at intervals keeps it from drifting out of the grip.
  const int step = durationMs / kRepinCount;
  for (int i = 0; i < kRepinCount; ++i) {
    AppendWithOffset(activeSequence, building::ToFingers(), i == 0 ? kFirstRepinMs : i * step);
  }
}
