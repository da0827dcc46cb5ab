#include "sequences/lighting.h"

#include "config/settings.h"
#include "sequences/hand_smoking.h"
#include "sequences/hold_loops.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"
#include "sequences/steps.h"

namespace {

const LightingVariant& ChooseVariant(const SmokeKind& kind, bool quickStyle) {
  const Lighting& lighting = kind.lighting;
  if (building::MustUseFallback()) return lighting.fallback;
  // The game's smoking emote cannot play while the player crouches: the
  // hand-lit smoke is lit instead.
  if (quickStyle && (!lighting.quickPlaysEmote || !native::GetPedCrouchMovement(FramePlayerPed()))) {
    return lighting.quick;
  }
  return lighting.standard;
}

// The lighting itself, then what follows it: the puff cycle of a smoke left
// in the mouth, or the hand-held tail.
void Light(const SmokeKind& kind, bool quickStyle) {
  QueueSteps(kind, kind.lighting.first);
  const LightingVariant& variant = ChooseVariant(kind, quickStyle);
  QueueSteps(kind, variant.steps);
  if (variant.endsInMouth) {
    propInMouth = true;
  } else {
    building::QueueHandHeldTail(kind, kind.lighting.puffs, kind.lighting.extendedPuffs);
  }
  // A lit time left from an earlier smoke would swap this one on its first frame.
  if (kind.burnsDown) cigarLitTime = *kind.burnsDown->enabled ? FrameGameTimer() : 0;
}

}  // namespace

void StartLighting(const SmokeKind& kind, int startDelayMs, bool quickStyle) {
  ClearPending(activeSequence);
  activeSequence.smoke = &kind;
  activeSequence.quickEmote = false;
  manualPuff = false;

  if (building::HolsterInputActive() && native::IsPedCurrentWeaponHolstered(FramePlayerPed())) {
    building::BlockHolster(kind.lighting.holsterBlockMs, 150);
  }
  if (startDelayMs >= 1) building::Next<Animations::TaskDelay>(activeSequence, startDelayMs);
  Light(kind, quickStyle);
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
