#include "input/input_dispatch.h"

#include <cstdint>
#include <string_view>

#include "animations/sequence_runner.h"
#include "animations/task_queries.h"
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/game_time.h"
#include "host/key_states.h"
#include "host/natives.h"
#include "host/ped_bones.h"
#include "input/prompts.h"
#include "input/scenarios.h"
#include "rules/world_rules.h"
#include "sequences/hand_smoking.h"
#include "sequences/hold_loops.h"
#include "sequences/lighting.h"
#include "sequences/mouth_transition.h"
#include "sequences/puff_sequences.h"
#include "sequences/quick_smoke.h"
#include "sequences/throw_away.h"
#include "smoking/inventory.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "smoking/stop_cleanup.h"

int smokeButtonDownAt = 0;
int lightStartedAt = 0;
int lastPuffAt = 0;
int scenarioKeyToggledAt = 0;

namespace {

constexpr int kTapMaxMs = 349;
constexpr int kHoldMinMs = 351;
constexpr int kLateMoveToMouthMs = 2501;
constexpr int kPromptWindowMs = 3750;
constexpr int kScenarioKeyRepeatMs = 1000;
constexpr int kRailingHandOffDelayMs = 2550;
constexpr int kManualOnlyHoldLoopMs = 560000;
// A press whose hold action has fired is pushed this far into the future, so
// the same press can neither fire again nor end as a tap.
constexpr uint32_t kPressSpent = 99999999;

constexpr const char* kRailingVariation = "WORLD_HUMAN_LEAN_RAILING_MALE_B";

using game_time::Later;
using game_time::Since;

bool IsTap(int elapsed) { return elapsed >= 1 && elapsed <= kTapMaxMs; }

consteval Hash Control(std::string_view name) { return GameName(name); }

// The smoke prompt's control: it throws or moves whatever kind is smoked.
constexpr HashedName kSmokePromptControl = Hashed("INPUT_FRONTEND_RB");

bool PromptShowing(Prompt prompt) {
  return prompt != 0 && native::UiPromptIsValid(prompt) && native::UiPromptIsActive(prompt);
}

bool KeyboardActive() { return FrameKeyboardActive(); }

// Elapsed time of the current press; the first held frame starts it.
int PressElapsed(bool held, int now) {
  if (held && smokeButtonDownAt == 0) smokeButtonDownAt = now;
  return smokeButtonDownAt != 0 ? Since(now, smokeButtonDownAt) : 0;
}

void SpendPress(int now) { smokeButtonDownAt = Later(now, kPressSpent); }

void EndPress() {
  smokeButtonDownAt = 0;
  lightStartedAt = 0;
}

// Which scenario was started last is the one still playing; its variation
// tells whether the player leans on a railing with free hands.
bool RailingHandOffApplies() { return scenarioActive && scenarioVariation == kRailingVariation; }

void StartSmoke(const SmokeKind& kind) {
  if (!native::DoesAnimDictExist(kind.dictionary)) {
    ReportMissingDictionary();
    return;
  }
  if (activeSequence.running || !CanStartSmoking() || !HasItemFor(kind)) return;
  const int now = FrameGameTimer();
  smokeStartTime = now;
  deadEyeTickTime = now;
  wanderBaseQueued = false;
  int delay = 0;
  if (RailingHandOffApplies()) {
    StartScenario(Hashed("WORLD_HUMAN_LEAN_RAILING_DYNAMIC"), Hashed("WORLD_HUMAN_LEAN_RAILING_MALE_A"), true);
    delay = kRailingHandOffDelayMs;
  }
  StartLighting(kind, delay, CanQuickSmoke());
}

void HidePrompt(Prompt prompt) { ShowPrompt(prompt, false); }

void OpenControllerPromptWindow() {
  controllerPromptWindowAt = FrameGameTimer();
  smokeHintCompletedAt = 0;
  controllerChoiceArmed = false;

  const char* label = CONTROLLER_SMOKE_HINT_LABEL.c_str();
  int holdMs = 1;
  const SmokeKind* smoked = SmokedNow();
  if (activeSequence.running && smoked) {
    label = smoked->throwMoveLabel->c_str();
    holdMs = 450;
  }
  CreatePrompt(smokePrompt, kSmokePromptControl.text, label, 1, holdMs, false);
  ShowPrompt(smokePrompt, true);
  // The choice of a kind, one prompt each, shown once the hint is completed.
  for (const SmokeKind* kind : kSmokeKinds) {
    CreatePrompt(kind->choicePrompt, kind->control.text, kind->choiceLabel->c_str(), 1, 540, true);
  }

  if (!scenarioMenuOpen && native::IsPedOnFoot(FramePlayerPed()) && !PromptShowing(showScenariosPrompt) &&
      SCENARIOS_ENABLED) {
    CreatePrompt(showScenariosPrompt, "INPUT_FRONTEND_UP", CONTROLLER_SHOW_SCENARIOS_LABEL.c_str(), 1, 1, false);
    ShowPrompt(showScenariosPrompt, true);
  }
  SetScenarioMenu(false);
}

void UpdateControllerPromptWindow() {
  if (!CONTROLLER_SUPPORT_ENABLED || KeyboardActive()) return;
  if (native::IsControlJustPressed(0, Control("INPUT_OPEN_SATCHEL_MENU"))) OpenControllerPromptWindow();
  if (controllerPromptWindowAt == 0) return;
  const int open = Since(FrameGameTimer(), controllerPromptWindowAt);
  if (open > 0 && open <= kPromptWindowMs) {
    // The kinds' controls belong to the prompts while the window is open.
    native::DisableControlAction(0, Control("INPUT_COVER"), true);
    native::SetPedResetFlag(FramePlayerPed(), 27, true);
  }
}

void CloseTimedOutPromptWindow() {
  if (controllerPromptWindowAt == 0 || Since(FrameGameTimer(), controllerPromptWindowAt) <= kPromptWindowMs) return;
  HidePrompt(showScenariosPrompt);
  HidePrompt(smokePrompt);
  ForEachKindLastFirst([](const SmokeKind& kind) { HidePrompt(kind.choicePrompt); });
  controllerChoiceArmed = false;
  smokeHintCompletedAt = 0;
  controllerPromptWindowAt = 0;
}

void HandOverToChoicePrompts() {
  if (smokeHintCompletedAt == 0) return;
  const int since = Since(FrameGameTimer(), smokeHintCompletedAt);
  if (since > 280) {
    controllerChoiceArmed = true;
    smokeHintCompletedAt = 0;
  } else if (since > 115 && since <= 279) {
    HidePrompt(showScenariosPrompt);
    HidePrompt(smokePrompt);
    ForEachKindLastFirst([](const SmokeKind& kind) { ShowPrompt(kind.choicePrompt, true); });
  }
}

void ToggleScenarioMenu(bool open) {
  SetScenarioMenu(open);
  scenarioKeyToggledAt = FrameGameTimer();
}

void HandleScenarioMenuKey() {
  const bool heldLong = IsKeyHeld(KEY_OPEN_SCENARIO_MENU);
  const bool toggledLongAgo = scenarioKeyToggledAt != 0 && Since(FrameGameTimer(), scenarioKeyToggledAt) > kScenarioKeyRepeatMs;
  if (heldLong && !scenarioMenuOpen && (scenarioKeyToggledAt == 0 || toggledLongAgo)) {
    ToggleScenarioMenu(true);
  } else if (scenarioMenuOpen) {
    if (ConsumeKeyTapped(KEY_OPEN_SCENARIO_MENU)) ToggleScenarioMenu(false);
    else if (heldLong && toggledLongAgo) ToggleScenarioMenu(false);
  }
}

bool ControllerHeld(Hash control) { return native::IsDisabledControlPressed(0, control); }
bool ControllerReleased(Hash control) { return native::IsDisabledControlJustReleased(0, control); }

// A tap ends the quick smoke. Our own prop is dropped; before it came (the
// quick cigarette's first half second) there is nothing to drop, and what the
// sequence still owed is settled instead, so that nothing more is created in
// the hand of a player whose emote the tap has ended. An emote that brought
// its own prop ends with the rest.
void EndQuickSmoke(const SmokeKind& kind) {
  if (!kind.quick.ownProp) {
    StopSmokingNow();
  } else if (smokeProp != 0) {
    DropSmokeProp();
  } else {
    SettleWhatTheCutSequenceOwed();
    ResetToIdle(activeSequence);
  }
}

// The hold and tap rule shared by both buttons: a hold acts once, when it
// passes 350 ms; a release after 1 to 349 ms is a tap. Returns whether the
// button was down or released in this frame.
bool HandleSmokeButton(const SmokeKind& kind, bool held, bool released) {
  const int now = FrameGameTimer();
  const int elapsed = PressElapsed(held, now);

  if (held) {
    if (!activeSequence.running && elapsed >= kHoldMinMs) {
      StartSmoke(kind);
      SpendPress(now);
      lightStartedAt = now;
      return true;
    }
    if (activeSequence.running && elapsed >= kHoldMinMs) {
      if (propInMouth) MoveToHand(kind);
      else MoveToMouth(kind, false, false);
      SpendPress(now);
      return true;
    }
    if (lightStartedAt != 0 && Since(now, lightStartedAt) >= kLateMoveToMouthMs) {
      MoveToMouth(kind, true, true);
      SpendPress(now);
      lightStartedAt = 0;
      return true;
    }
  }

  if (!released) return held;
  if (IsTap(elapsed)) {
    if (!activeSequence.running) {
      if (CanQuickSmoke()) StartQuickSmoke(kind);
    } else if (QuickSmokeNow() == &kind) {
      native::ClearPedTasks(FramePlayerPed(), 0, 0);
      EndQuickSmoke(kind);
    } else {
      StartThrowAway(THROW_AWAY_FASTER);
    }
  }
  EndPress();
  return true;
}

// A kind's button: its key, or its control once the controller choice is
// armed. The smoke button (KEY_SMOKE, and the smoke prompt's control) is the
// button of the kind whose key it is, and while something is smoked it works
// the button of every other kind too.
bool HandleKindButton(const SmokeKind& kind) {
  const bool smokeButtonsOwn = kind.key == &KEY_SMOKE;
  bool held = false;
  bool released = false;
  if (KeyboardActive()) {
    const bool smokeKeyToo = !smokeButtonsOwn && activeSequence.running;
    held = IsKeyDown(*kind.key) || (smokeKeyToo && IsKeyDown(KEY_SMOKE));
    released = ConsumeKeyReleased(*kind.key) || (smokeKeyToo && ConsumeKeyReleased(KEY_SMOKE));
  } else if (smokeButtonsOwn) {
    held = controllerChoiceArmed && ControllerHeld(kind.control.hash);
    released = controllerChoiceArmed && ControllerReleased(kind.control.hash);
  } else {
    held = controllerChoiceArmed && ((PromptShowing(kind.choicePrompt) && ControllerHeld(kind.control.hash)) ||
                                     (PromptShowing(smokePrompt) && ControllerHeld(kSmokePromptControl.hash)));
    released = controllerChoiceArmed &&
               ((PromptShowing(kind.choicePrompt) && ControllerReleased(kind.control.hash)) ||
                (PromptShowing(smokePrompt) && ControllerReleased(kSmokePromptControl.hash)));
  }
  return HandleSmokeButton(kind, held, released);
}

// A puff on demand, while the kind is smoked from the hand and its hold clip
// plays. What follows it is rebuilt: the hold loop and, unless smoking is
// manual only, the random puffs again.
void HandlePuffKey(const SmokeKind& kind) {
  if (SmokedNow() != &kind || propInMouth || !IsKeyDown(KEY_TAKE_PUFF)) return;
  // The hold clip also plays after a throw, with the prop already gone.
  if (!SmokePropHeld()) return;
  const int now = FrameGameTimer();
  if (lastPuffAt != 0 && Since(now, lastPuffAt) < kind.puffOnDemand.minGapMs) return;
  if (!CurrentTaskPlays(kind.hold.clip)) return;

  SettleWhatTheCutSequenceOwed();
  ClearPending(activeSequence);
  manualPuff = true;
  manualPuffAt = now;
  QueuePuffs(kind, 1, true);
  if (kind.puffOnDemand.secondWhileKeyHeld && IsKeyHeld(KEY_TAKE_PUFF)) QueuePuffs(kind, 1, true);
  if (MANUAL_SMOKING_ONLY) {
    QueueHoldLoop(kind, kManualOnlyHoldLoopMs);
  } else {
    QueueHoldLoop(kind, PUFF_BUTTON_ENABLES_MANUAL_SMOKING);
    QueuePuffs(kind, EXTENDED_SMOKE_DURATION ? 10 : 5, false);
  }
  QueueFinish(kind);
  lastPuffAt = now;
  AdvanceSequence(activeSequence);
}

// While one kind is lit, the button of another does nothing.
bool AnotherKindLit(const SmokeKind& kind) { return SmokedNow() != nullptr && SmokedNow() != &kind; }

}  // namespace

bool ReloadKeysDown() {
  if (KEY_RELOAD.count == 0) return false;
  for (int i = 0; i < KEY_RELOAD.count; ++i) {
    if (!IsKeyDown(KEY_RELOAD.keys[i])) return false;
  }
  return true;
}

bool CanQuickSmoke() {
  const Ped player = FramePlayerPed();
  Hash weapon = 0;
  native::GetCurrentPedWeapon(player, &weapon, false, kHandAttachPoint, false);
  if (weapon != native::GetDefaultUnarmedWeaponHash(player)) return false;
  if (native::GetPedDesiredMoveBlendRatio(player) > 1.0f) return false;
  if (activeSequence.running || scenarioActive) return false;
  if (RidesOrSits(player)) return false;
  if (CurrentTaskPlaysEmote()) return false;
  return !native::IsPedUsingAnyScenario(player);
}

void DispatchInput() {
  if (!ENABLED) return;

  UpdateControllerPromptWindow();
  CloseTimedOutPromptWindow();
  HandOverToChoicePrompts();

  HandleScenarioMenuKey();
  if (scenarioMenuOpen) return;

  bool buttonWorked = false;
  for (const SmokeKind* kind : kSmokeKinds) {
    if (scenarioMenuOpen) return;
    if (!AnotherKindLit(*kind)) buttonWorked = HandleKindButton(*kind) || buttonWorked;
  }
  // No button is down and none was released: a press whose release went
  // unseen (let go while another window had the front, or the controller took
  // over) is over all the same, so the next press is measured afresh.
  if (!buttonWorked) EndPress();

  for (const SmokeKind* kind : kSmokeKinds) {
    if (scenarioMenuOpen) return;
    HandlePuffKey(*kind);
  }
}
