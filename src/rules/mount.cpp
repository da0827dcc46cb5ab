// A weapon drawn in the saddle: the hand-held prop goes to the mouth or the
// fingers once per ride, after 600 units of 16 ms.
#include "host/frame_reads.h"
#include "host/ped_bones.h"
#include "host/platform.h"
#include "rules/rule_support.h"
#include "rules/world_rules.h"
#include "sequences/mouth_transition.h"

uint32_t mountedSince = 0;
bool mountLatched = false;

namespace {

bool HoldsWeapon() {
  Hash weapon = 0;
  native::GetCurrentPedWeapon(playerPed, &weapon, false, kHandAttachPoint, false);
  return native::IsWeaponValid(weapon) && weapon != native::GetDefaultUnarmedWeaponHash(playerPed);
}

}  // namespace

void TrackMount() {
  if (!mountLatched && native::IsPedOnMount(FramePlayerPed())) {
    mountLatched = true;
    const uint32_t now = host::TickCount32();
    mountedSince = now != 0 ? now : 1;  // 0 means not mounted
  } else if (native::IsPedOnFoot(playerPed)) {
    mountLatched = false;
    mountedSince = 0;
  }
}

void HandleWeaponOnHorseback() {
  if (!mountLatched || !activeSequence.running || mountedSince == 0) return;
  if ((host::TickCount32() - mountedSince) / 16 <= 600) return;
  if (!propInMouth && HoldsWeapon() && SmokePropHeld()) {
    const SmokeKind* kind = SmokedNow();
    if (kind && !RestsInFingers(*kind)) {
      MoveToMouth(*kind, false, false);
    } else {
      Prepend(activeSequence, building::ToFingers());
      AdvanceSequence(activeSequence);
      Prepend(activeSequence, rules::WanderBase(10, 0.3f, -0.3f, ""));
      AdvanceSequence(activeSequence);
      Prepend(activeSequence, std::make_unique<Animations::TaskDelay>(6000));
    }
  }
  mountedSince = 0;
}
