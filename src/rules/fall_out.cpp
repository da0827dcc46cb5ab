// When the prop falls: the player dies or falls over, opens the weapon wheel
// with the prop in the hand, or goes into water deep enough for the kind.
#include "host/frame_reads.h"
#include "rules/rule_support.h"
#include "rules/world_rules.h"

namespace {

bool PropAttachedToPlayer() { return native::IsEntityAttachedToEntity(smokeProp, playerPed); }

}  // namespace

bool PropFallsOut() {
  if (!native::IsPlayerPlaying(FramePlayerIndex())) return true;
  if (native::IsPedRagdoll(playerPed)) return true;
  if (rules::ControlHeld(rules::kWeaponWheelControl) && !propInMouth) return true;
  if (activeSequence.elapsedMs > 1200 && native::IsEntityUnderwater(smokeProp, true) && PropAttachedToPlayer()) {
    return true;
  }
  const SmokeKind* kind = SmokedNow();
  if (activeSequence.elapsedMs > 1200 && kind && kind->fallsOutSubmergedAbove > 0.0f &&
      native::GetEntitySubmergedLevel(playerPed) > kind->fallsOutSubmergedAbove && PropAttachedToPlayer()) {
    return true;
  }
  return native::IsEntityUnderwater(playerPed, true);
}

// A cigarette or cigar smoke goes on only with its prop, or while a queued
// spawn will still bring it; without either (a lighting cut before the prop
// came, a spawn that failed, a prop the game removed) it is over.
bool SmokeLostItsProp() {
  if (!SmokedNow()) return false;
  return !native::DoesEntityExist(smokeProp) && !SmokePropStillToCome();
}
