#include "sequences/lighting.h"

#include "config/settings.h"
#include "sequences/hand_smoking.h"
#include "sequences/hold_loops.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"

void StartLighting(const SmokeKind& kind, int startDelayMs, bool quickStyle) {
  ClearPending(activeSequence);
  activeSequence.smoke = &kind;
  activeSequence.quickEmote = false;
  manualPuff = false;

  if (building::HolsterInputActive() && native::IsPedFreeToAnimate(FramePlayerPed())) {
    building::BlockHolster(kind.lightingHolsterBlockMs, 150);
  }
  if (startDelayMs >= 1) building::Next<Animations::TaskDelay>(activeSequence, startDelayMs);
  kind.light(quickStyle);
  Start(activeSequence);
}

namespace building {

void QueueHandHeldTail(const SmokeKind& kind, int puffs, int extendedPuffs) {
  if (MANUAL_SMOKING_ONLY) {
    QueueHoldLoop(kind, 560000);
  } else {
    QueuePuffs(kind, EXTENDED_SMOKE_DURATION ? extendedPuffs : puffs, false);
  }
  QueueFinish(kind);
}

void QueueDummyPed(int deleteAt, int spawnAt, int freezeAt, const PropSeat& seat, int ikFlags) {
  SequenceRunner& s = activeSequence;
  At<Animations::DeleteEntityTask>(s, deleteAt, &dummyPed);
  At<Animations::SpawnPedTask>(s, spawnAt, &dummyPed);
  At<Animations::MovePropTask>(s, spawnAt, &dummyPed, handBoneIndex, seat.x, seat.y, seat.z, seat.rx, seat.ry, seat.rz,
                               1, 0);
  At<Animations::AnimationTask>(s, spawnAt, &dummyPed, "mech_inventory@smoking@cigarette", "quick_right", 3200, 31,
                                ikFlags, -1.6f, 1.6f, 0.0f, "upperbodyfeathered_nolefttarm_filter");
  At<Animations::SetAnimCurrentTimeTask>(s, freezeAt, &dummyPed);
  dummyPedTime = FrameGameTimer();
}

}  // namespace building
