// In the mouth the prop falls when the player is hit on the head, or at all
// while being grappled; in the hand when the player strikes a living opponent,
// and always for a kind that cannot be held in a fight.
#include "host/frame_reads.h"
#include "host/natives.h"
#include "host/ped_bones.h"
#include "rules/world_rules.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "smoking/stop_cleanup.h"

void HandleMeleeHits() {
  // Asked again, not remembered from SettleWhenHandIsNeeded: the clips it may
  // have started since can change the answer.
  if (!native::IsPedInMeleeCombat(playerPed) && !native::GetPedIsBeingGrappled(playerPed)) return;
  const Ped opponent = native::GetCurrentTargetForPed(playerPed);
  int bone = 0;
  native::GetPedLastDamageBone(playerPed, &bone);
  if (propInMouth) {
    if (native::HasEntityBeenDamagedByEntity(playerPed, opponent, true, true) &&
        (bone == kHeadBone || (native::GetPedIsGrappling(playerPed) && bone == kJawBone) ||
         native::GetPedIsBeingGrappled(playerPed))) {
      DropSmokeProp();
    }
    return;
  }
  const SmokeKind* kind = SmokedNow();
  if (native::HasEntityBeenDamagedByEntity(opponent, playerPed, true, true) && !native::IsEntityDead(opponent) &&
      native::IsPedPerformingMeleeAction(playerPed, true, false)) {
    DropSmokeProp();
  } else if (kind && kind->fallsFromHandInMelee) {
    DropSmokeProp();
  }
}
