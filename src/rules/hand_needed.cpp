// When the game needs the player's hand, the prop goes to the mouth or
// rests between the fingers: interacting with an animal or entering
// something, the weapon wheel, the journal, a cutscene, running, melee, and
// a loss of control that FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS covers.
#include "config/settings.h"
#include "host/frame_reads.h"
#include "rules/rule_support.h"
#include "rules/world_rules.h"
#include "sequences/mouth_transition.h"
#include "sequences/settle_in_fingers.h"
#include "smoking/stop_cleanup.h"

namespace {

bool PlayerHasControl() { return native::IsPlayerControlOn(FramePlayerIndex()); }

}  // namespace

void InteractWithHandHeldProp() {
  using rules::ControlJustPressed;
  if (!ControlJustPressed(GameName("INPUT_INTERACT_ANIMAL")) && !ControlJustPressed(GameName("INPUT_ENTER"))) return;
  const SmokeKind* kind = SmokedNow();
  if (!kind) return;
  if (!RestsInFingers(*kind)) {
    MoveToMouth(*kind, false, false);
  } else if (SmokePropHeld()) {
    Prepend(activeSequence, std::make_unique<Animations::TaskDelay>(4500));
    Prepend(activeSequence, rules::WanderBase(1000, 0.0001f, -1.0f, rules::kFacialBrowsFilter));
    Prepend(activeSequence, building::ToFingers());
    Prepend(activeSequence, rules::WanderBase(350, 0.0001f, -1.0f, rules::kFacialBrowsFilter));
    AdvanceSequence(activeSequence);
  }
}

void OpenWeaponWheel() {
  if (!rules::ControlHeld(rules::kWeaponWheelControl) || propInMouth) return;
  if (const SmokeKind* kind = SmokedNow()) MoveToMouth(*kind, false, false);
  native::SetControlValueNextFrame(0, rules::kWeaponWheelControl, 1.0f);
}

void OpenJournal() {
  if (!rules::ControlJustPressed(GameName("INPUT_OPEN_JOURNAL"))) return;
  if (const SmokeKind* kind = SmokedNow()) MoveToMouth(*kind, true, false);
}

void HandleControlLoss() {
  if (DISABLE_ON_CONTROL_LOSS && !PlayerHasControl()) StopSmokingNow();
  // Whatever is smoked goes to the mouth, with its own kind's move: also our
  // cigarette in the hand of the game's quick emote smoke.
  if (FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS && !propInMouth && !PlayerHasControl()) {
    if (const SmokeKind* kind = activeSequence.smoke) MoveToMouth(*kind, false, false);
  }
}

void SettleWhenHandIsNeeded() {
  if (propInMouth) return;
  if (native::IsAnimSceneCamActive()) SettleInFingers();
  const SmokeKind* kind = SmokedNow();
  if ((native::IsPedSprinting(playerPed) || native::IsPedRunning(playerPed)) && kind && RestsInFingers(*kind)) {
    SettleInFingers();
  }
  if (native::IsPedInMeleeCombat(playerPed)) SettleInFingers();
}
