#include "input/input_dispatch.h"

#include <cstdint>
#include <string_view>

#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/key_states.h"
#include "host/main_loop.h"
#include "host/game_time.h"
#include "host/natives.h"
#include "host/platform.h"
#include "input/hand_smoking.h"
#include "input/hold_loops.h"
#include "input/inventory.h"
#include "input/prompts.h"
#include "input/quick_smoke.h"
#include "input/scenarios.h"
#include "input/stop_cleanup.h"
#include "sequences/cigar_lighting.h"
#include "sequences/cigarette_lighting.h"
#include "sequences/puff_sequences.h"
#include "sequences/throw_away.h"
#include "smoking/mouth_transition.h"
#include "smoking/smoking_state.h"

int smokeButtonDownAt = 0;
int lightStartedAt = 0;
int lastPuffAt = 0;
int manualPuffAt = 0;
bool manualPuff = false;
int controllerPromptWindowAt = 0;
int smokeHintCompletedAt = 0;
bool controllerChoiceArmed = false;
int scenarioKeyToggledAt = 0;

namespace {

constexpr int kKeyEnd = 0x23;
constexpr int kKeyNumpad6 = 0x66;

constexpr int kTapMaxMs = 349;
constexpr int kHoldMinMs = 351;
constexpr int kLateMoveToMouthMs = 2501;
constexpr int kPromptWindowMs = 3750;
constexpr int kScenarioKeyRepeatMs = 1000;
constexpr int kCigarettePuffGapMs = 1201;
constexpr int kCigarPuffGapMs = 201;
constexpr int kRailingHandOffDelayMs = 2550;
constexpr int kManualOnlyHoldLoopMs = 560000;
// A press whose hold action has fired is pushed this far into the future, so
// the same press can neither fire again nor end as a tap.
constexpr uint32_t kPressSpent = 99999999;

constexpr const char* kRailingVariation = "WORLD_HUMAN_LEAN_RAILING_MALE_B";

int Now() { return FrameGameTimer(); }

using game_time::Later;
using game_time::Since;

bool IsTap(int elapsed) { return elapsed >= 1 && elapsed <= kTapMaxMs; }

consteval Hash Control(std::string_view name) { return GameName(name); }

constexpr Hash kFrontendRb = GameName("INPUT_FRONTEND_RB");
constexpr Hash kFrontendRt = GameName("INPUT_FRONTEND_RT");

bool PromptShowing(Prompt prompt) {
  return prompt != 0 && native::PromptIsValid(prompt) && native::PromptIsActive(prompt);
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

void StartSmoke(const char* dictionary, bool (*hasItem)(), void (*startLighting)(int, bool)) {
  if (!native::AnimDictExists(dictionary)) {
    animDictMissingTime = static_cast<int>(static_cast<uint32_t>(host::TickCount64()));
    return;
  }
  if (activeSequence.running || !CanStartSmoking() || !hasItem()) return;
  const int now = Now();
  smokeStartTime = now;
  deadEyeTickTime = now;
  wanderBaseQueued = false;
  int delay = 0;
  if (RailingHandOffApplies()) {
    StartScenario(Hashed("WORLD_HUMAN_LEAN_RAILING_DYNAMIC"), Hashed("WORLD_HUMAN_LEAN_RAILING_MALE_A"), true);
    delay = kRailingHandOffDelayMs;
  }
  startLighting(delay, CanQuickSmoke());
}

void HidePrompt(Prompt prompt) { ShowPrompt(prompt, false); }

void OpenControllerPromptWindow() {
  controllerPromptWindowAt = Now();
  smokeHintCompletedAt = 0;
  controllerChoiceArmed = false;

  const char* label = CONTROLLER_SMOKE_HINT_LABEL.c_str();
  int holdMs = 1;
  if (activeSequence.running && activeSequence.sequenceName == "smoke_cigarette") {
    label = CONTROLLER_THROW_MOVE_CIGARETTE_LABEL.c_str();
    holdMs = 450;
  } else if (activeSequence.running && activeSequence.sequenceName == "smoke_cigar") {
    label = CONTROLLER_THROW_MOVE_CIGAR_LABEL.c_str();
    holdMs = 450;
  }
  CreatePrompt(smokePrompt, "INPUT_FRONTEND_RB", label, 1, holdMs, false);
  ShowPrompt(smokePrompt, true);
  CreatePrompt(cigarettePrompt, "INPUT_FRONTEND_RB", CONTROLLER_CIGARETTE_LABEL.c_str(), 1, 540, true);
  CreatePrompt(cigarPrompt, "INPUT_FRONTEND_RT", CONTROLLER_CIGAR_LABEL.c_str(), 1, 540, true);

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
  const int open = Since(Now(), controllerPromptWindowAt);
  if (open > 0 && open <= kPromptWindowMs) {
    // RB and RT belong to the prompts while the window is open.
    native::DisableControlThisFrame(0, Control("INPUT_COVER"), true);
    native::SetPedFrameFlag(FramePlayerPed(), 27, true);
  }
}

void CloseTimedOutPromptWindow() {
  if (controllerPromptWindowAt == 0 || Since(Now(), controllerPromptWindowAt) <= kPromptWindowMs) return;
  HidePrompt(showScenariosPrompt);
  HidePrompt(smokePrompt);
  HidePrompt(cigarPrompt);
  HidePrompt(cigarettePrompt);
  controllerChoiceArmed = false;
  smokeHintCompletedAt = 0;
  controllerPromptWindowAt = 0;
}

void HandOverToChoicePrompts() {
  if (smokeHintCompletedAt == 0) return;
  const int since = Since(Now(), smokeHintCompletedAt);
  if (since > 280) {
    controllerChoiceArmed = true;
    smokeHintCompletedAt = 0;
  } else if (since > 115 && since <= 279) {
    HidePrompt(showScenariosPrompt);
    HidePrompt(smokePrompt);
    ShowPrompt(cigarPrompt, true);
    ShowPrompt(cigarettePrompt, true);
  }
}

void ToggleScenarioMenu(bool open) {
  SetScenarioMenu(open);
  scenarioKeyToggledAt = Now();
}

void HandleScenarioMenuKey() {
  const bool heldLong = IsKeyHeld(KEY_OPEN_SCENARIO_MENU);
  const bool toggledLongAgo = scenarioKeyToggledAt != 0 && Since(Now(), scenarioKeyToggledAt) > kScenarioKeyRepeatMs;
  if (heldLong && !scenarioMenuOpen && (scenarioKeyToggledAt == 0 || toggledLongAgo)) {
    ToggleScenarioMenu(true);
  } else if (scenarioMenuOpen) {
    if (ConsumeKeyTapped(KEY_OPEN_SCENARIO_MENU)) ToggleScenarioMenu(false);
    else if (heldLong && toggledLongAgo) ToggleScenarioMenu(false);
  }
}

bool ControllerHeld(Hash control) { return native::IsDisabledControlHeld(0, control); }
bool ControllerReleased(Hash control) { return native::IsDisabledControlJustReleased(0, control); }

// What a smoke button does, for the cigarette and for the cigar.
struct SmokeButton {
  const char* dictionary;
  bool (*hasItem)();
  void (*startLighting)(int, bool);
  void (*moveToMouth)();      // a hold while the prop is in the hand
  void (*moveToHand)();       // a hold while it is in the mouth
  void (*moveToMouthLate)();  // still held long after the lighting began
  void (*startQuick)();       // a tap while nothing is smoked
  bool (*quickSmokePlaying)();
  void (*endQuickSmoke)();
};

const SmokeButton kCigaretteButton = {
    kCigaretteDictionary,
    &HasCigaretteItem,
    &StartCigaretteLighting,
    [] { MoveCigaretteToMouth(false, false, false); },
    &MoveCigaretteToHand,
    [] { MoveCigaretteToMouth(true, true, false); },
    &StartQuickCigarette,
    [] { return activeSequence.sequenceName == "smoke_cigarette_emote"; },
    &EndQuickCigarette,
};

const SmokeButton kCigarButton = {
    kCigarDictionary,
    &HasCigarItem,
    &StartCigarLighting,
    [] { MoveCigarToMouth(false, false); },
    &MoveCigarToHand,
    [] { MoveCigarToMouth(true, true); },
    &StartQuickCigar,
    [] { return CurrentTaskNameContains("PlayEmoteTask_-2124325981"); },
    &StopSmokingNow,
};

// The hold and tap rule shared by both buttons: a hold acts once, when it
// passes 350 ms; a release after 1 to 349 ms is a tap. Returns whether the
// button was down or released in this frame.
bool HandleSmokeButton(const SmokeButton& button, bool held, bool released) {
  const int now = Now();
  const int elapsed = PressElapsed(held, now);

  if (held) {
    if (!activeSequence.running && elapsed >= kHoldMinMs) {
      StartSmoke(button.dictionary, button.hasItem, button.startLighting);
      SpendPress(now);
      lightStartedAt = now;
      return true;
    }
    if (activeSequence.running && elapsed >= kHoldMinMs) {
      (propInMouth ? button.moveToHand : button.moveToMouth)();
      SpendPress(now);
      return true;
    }
    if (lightStartedAt != 0 && Since(now, lightStartedAt) >= kLateMoveToMouthMs) {
      button.moveToMouthLate();
      SpendPress(now);
      lightStartedAt = 0;
      return true;
    }
  }

  if (!released) return held;
  if (IsTap(elapsed)) {
    if (!activeSequence.running) {
      if (CanQuickSmoke()) button.startQuick();
    } else if (button.quickSmokePlaying()) {
      native::StopPedTasks(FramePlayerPed(), 0, 0);
      button.endQuickSmoke();
    } else {
      StartThrowAway(THROW_AWAY_FASTER);
    }
  }
  EndPress();
  return true;
}

// The cigarette button: KEY_SMOKE or RB once the controller choice is armed.
bool HandleCigaretteButton() {
  if (KeyboardActive()) {
    const bool held = IsKeyDown(KEY_SMOKE);
    return HandleSmokeButton(kCigaretteButton, held, ConsumeKeyReleased(KEY_SMOKE));
  }
  const bool held = controllerChoiceArmed && ControllerHeld(kFrontendRb);
  return HandleSmokeButton(kCigaretteButton, held, controllerChoiceArmed && ControllerReleased(kFrontendRb));
}

// The cigar button: KEY_SMOKE_CIGAR or RT; while something is smoked the
// smoke key works it too.
bool HandleCigarButton() {
  bool held = false;
  if (KeyboardActive()) {
    held = IsKeyDown(KEY_SMOKE_CIGAR) || (activeSequence.running && IsKeyDown(KEY_SMOKE));
  } else {
    held = controllerChoiceArmed && ((PromptShowing(cigarPrompt) && ControllerHeld(kFrontendRt)) ||
                                     (PromptShowing(smokePrompt) && ControllerHeld(kFrontendRb)));
  }
  bool released = false;
  if (KeyboardActive()) {
    released = ConsumeKeyReleased(KEY_SMOKE_CIGAR) || (activeSequence.running && ConsumeKeyReleased(KEY_SMOKE));
  } else {
    released = controllerChoiceArmed && ((PromptShowing(cigarPrompt) && ControllerReleased(kFrontendRt)) ||
                                         (PromptShowing(smokePrompt) && ControllerReleased(kFrontendRb)));
  }
  return HandleSmokeButton(kCigarButton, held, released);
}

// What follows a puff that the player asked for: the hold loop and, unless
// smoking is manual only, the random puffs again.
void RebuildAfterManualPuff(const char* sequenceName, int now) {
  SettleWhatTheCutSequenceOwed();
  ClearPending(activeSequence);
  activeSequence.sequenceName = sequenceName;
  manualPuff = true;
  manualPuffAt = now;
}

void HandleCigarettePuffKey() {
  if (activeSequence.sequenceName != "smoke_cigarette" || propInMouth || !IsKeyDown(KEY_TAKE_PUFF)) return;
  // The hold clip also plays after a throw, with the cigarette already gone.
  if (!SmokePropHeld()) return;
  const int now = Now();
  if (lastPuffAt != 0 && Since(now, lastPuffAt) < kCigarettePuffGapMs) return;
  if (!CurrentTaskNameContains("base")) return;

  RebuildAfterManualPuff("smoke_cigarette", now);
  QueueCigarettePuffs(1, true);
  if (IsKeyHeld(KEY_TAKE_PUFF)) QueueCigarettePuffs(1, true);
  if (MANUAL_SMOKING_ONLY) {
    QueueCigaretteHoldLoop(kManualOnlyHoldLoopMs);
  } else {
    QueueCigaretteHoldLoop(PUFF_BUTTON_ENABLES_MANUAL_SMOKING);
    QueueCigarettePuffs(EXTENDED_SMOKE_DURATION ? 10 : 5, false);
  }
  QueueCigaretteFinish();
  lastPuffAt = now;
  AdvanceSequence(activeSequence);
}

void HandleCigarPuffKey() {
  if (activeSequence.sequenceName != "smoke_cigar" || propInMouth || !IsKeyDown(KEY_TAKE_PUFF)) return;
  if (!SmokePropHeld()) return;
  const int now = Now();
  if (lastPuffAt != 0 && Since(now, lastPuffAt) < kCigarPuffGapMs) return;
  if (!CurrentTaskNameContains("loop")) return;

  RebuildAfterManualPuff("smoke_cigar", now);
  QueueCigarPuffs(1, true);
  if (MANUAL_SMOKING_ONLY) {
    QueueCigarHoldLoop(kManualOnlyHoldLoopMs);
  } else {
    if (PUFF_BUTTON_ENABLES_MANUAL_SMOKING > 0) QueueCigarHoldLoop(PUFF_BUTTON_ENABLES_MANUAL_SMOKING);
    QueueCigarPuffs(EXTENDED_SMOKE_DURATION ? 10 : 5, false);
  }
  QueueCigarFinish();
  lastPuffAt = now;
  AdvanceSequence(activeSequence);
}

}  // namespace

bool CanStartSmoking() {
  const Ped player = FramePlayerPed();
  if (DISABLE_ON_CONTROL_LOSS && !native::PlayerHasControl(FramePlayerIndex())) return false;
  if (native::IsPedInMeleeCombat(player)) return false;
  if (native::IsPedBusyState(player)) return false;
  return native::PedSubmergedLevel(player) <= 0.47f;
}

bool CanQuickSmoke() {
  const Ped player = FramePlayerPed();
  Hash weapon = 0;
  native::GetPedWeaponInHand(player, &weapon, false, 1, false);
  if (weapon != native::UnarmedWeaponOf(player)) return false;
  if (native::PedMoveRate(player) > 1.0f) return false;
  if (activeSequence.running || scenarioActive) return false;
  if (native::IsPedMountedOrSeated(player)) return false;
  if (CurrentTaskNameContains("PlayEmoteTask")) return false;
  return !native::IsPedUsingScenario(player);
}

void DispatchInput() {
  if (IsKeyDown(kKeyEnd) && IsKeyDown(kKeyNumpad6)) {
    LoadSettings();
    ResetPluginState();
  }
  if (!ENABLED) return;

  UpdateControllerPromptWindow();
  CloseTimedOutPromptWindow();
  HandOverToChoicePrompts();

  HandleScenarioMenuKey();
  if (scenarioMenuOpen) return;

  bool buttonWorked = false;
  if (activeSequence.sequenceName != "smoke_cigar") buttonWorked = HandleCigaretteButton();
  if (scenarioMenuOpen) return;
  if (activeSequence.sequenceName != "smoke_cigarette") buttonWorked = HandleCigarButton() || buttonWorked;
  if (scenarioMenuOpen) return;
  // No button is down and none was released: a press whose release went
  // unseen (let go while another window had the front, or the controller took
  // over) is over all the same, so the next press is measured afresh.
  if (!buttonWorked) EndPress();

  HandleCigarettePuffKey();
  if (scenarioMenuOpen) return;
  HandleCigarPuffKey();
}
