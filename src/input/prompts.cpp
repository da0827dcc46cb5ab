#include "input/prompts.h"

#include <string>

#include "animations/sequence_runner.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/game_time.h"
#include "host/natives.h"
#include "input/scenarios.h"
#include "input/settings_page.h"

Prompt smokePrompt = 0;
Prompt showScenariosPrompt = 0;
Prompt menuSmokePrompt = 0;
Prompt railingSmokePrompt = 0;
Prompt sitSmokePrompt = 0;
Prompt standCigarettePrompt = 0;
Prompt standPipePrompt = 0;
Prompt scenarioPrompts[kScenarioSlots] = {};
Prompt settingsPrompt = 0;
bool scenarioMenuOpen = false;
int controllerPromptWindowAt = 0;
int smokeHintCompletedAt = 0;
bool controllerChoiceArmed = false;

namespace {

constexpr int kMenuPriority = 3;
constexpr int kMenuHoldMs = 1;

// Controls of the seven scenario slots: keyboard, controller.
struct SlotControls {
  const char* keyboard;
  const char* controller;
};
constexpr SlotControls kSlotControls[kScenarioSlots] = {
    {"INPUT_INTERACT_OPTION2", "INPUT_INTERACT_OPTION2"},
    {"INPUT_GAME_MENU_EXTRA_OPTION", "INPUT_INTERACT_OPTION1"},
    {"INPUT_RELOAD", "INPUT_GAME_MENU_EXTRA_OPTION"},
    {"INPUT_PLAYER_MENU", "INPUT_PLAYER_MENU"},
    {"INPUT_NEXT_CAMERA", "INPUT_QUICK_USE_ITEM"},
    {"INPUT_INTERACT_OPTION1", "INPUT_JUMP"},
    {"INPUT_FRONTEND_LS", "INPUT_FRONTEND_LS"},
};

// A handle of 0 is no prompt: it is never handed to the game.
bool Exists(Prompt handle) { return handle != 0 && native::UiPromptIsValid(handle); }
bool Completed(Prompt handle) { return handle != 0 && native::UiPromptHasHoldModeCompleted(handle); }
bool Holding(Prompt handle) { return handle != 0 && native::UiPromptIsHoldModeRunning(handle); }

void StartSlotScenario(int slot) {
  if (slot == 2 && activeSequence.running) {
    // Leaning on the railing while a smoke is lit: use the variant that
    // keeps the hands free, and only if the slot is a railing lean at all.
    if (SCENARIO_TYPE[2].find("WORLD_HUMAN_LEAN_RAILING_NO_PROPS") != std::string::npos) {
      StartScenario(Hashed("WORLD_HUMAN_LEAN_RAILING_DYNAMIC"), Hashed("WORLD_HUMAN_LEAN_RAILING_MALE_A"), false);
    }
    return;
  }
  StartScenario({SCENARIO_TYPE[slot].c_str(), SCENARIO_TYPE_HASH[slot]},
                {SCENARIO_VARIATION[slot].c_str(), SCENARIO_VARIATION_HASH[slot]}, false);
}

// The smoking page; true when one of its scenarios was started.
bool HandleSmokingPage() {
  if (Completed(menuSmokePrompt)) {
    HideScenarioPrompts();
    ShowPrompt(sitSmokePrompt, true);
    ShowPrompt(railingSmokePrompt, true);
    ShowPrompt(standCigarettePrompt, true);
    ShowPrompt(standPipePrompt, true);
    return false;
  }
  if (Completed(standCigarettePrompt)) {
    if (native::GetRandomIntInRange(1, 10) > 5) {
      StartScenario(Hashed("WORLD_HUMAN_SMOKE_CARRYING"), Hashed("WORLD_HUMAN_SMOKE_MALE_C"), false);
    } else {
      StartScenario(Hashed("WORLD_HUMAN_SMOKE"), Hashed("WORLD_HUMAN_SMOKE_MALE_A"), false);
    }
    return true;
  }
  if (Completed(standPipePrompt)) {
    StartScenario(Hashed("WORLD_HUMAN_SMOKE"), Hashed("WORLD_HUMAN_SMOKE_MALE_B"), false);
    return true;
  }
  if (Completed(railingSmokePrompt)) {
    StartScenario(Hashed("WORLD_HUMAN_LEAN_RAILING"), Hashed("WORLD_HUMAN_LEAN_RAILING_SMOKING_MALE_B"), false);
    return true;
  }
  if (Completed(sitSmokePrompt)) {
    StartScenario(Hashed("WORLD_HUMAN_SIT_SMOKE"), Hashed(""), false);
    return true;
  }
  return false;
}

}  // namespace

void CreatePrompt(Prompt& handle, const char* controlName, const char* label, int priority, int holdMs,
                  bool attribute10) {
  if (controlName == nullptr || label == nullptr || *controlName == '\0' || *label == '\0') return;
  if (Exists(handle)) DeletePrompt(handle);

  handle = native::UiPromptRegisterBegin();
  // The control arrives as text, from the menu's table or a caller: the
  // plug-in hashes it itself, once per prompt.
  native::UiPromptSetControlAction(handle, HashName(controlName));
  native::UiPromptSetText(handle, native::VarString(10, "LITERAL_STRING", label));
  native::UiPromptSetHoldMode(handle, holdMs);
  if (attribute10) native::UiPromptSetAttribute(handle, 10, true);
  native::UiPromptSetVisible(handle, false);
  native::UiPromptSetPriority(handle, priority);
  native::UiPromptSetEnabled(handle, false);
  native::UiPromptRegisterEnd(handle);
}

void ShowPrompt(Prompt handle, bool on) {
  if (handle == 0) return;
  native::UiPromptSetVisible(handle, on);
  native::UiPromptSetEnabled(handle, on);
}

void DeletePrompt(Prompt& handle) {
  if (handle == 0) return;
  native::UiPromptDelete(handle);
  // The game may hand the same number to the next prompt it registers.
  handle = 0;
}

void DeleteMenuPrompts() {
  DeletePrompt(menuSmokePrompt);
  DeletePrompt(sitSmokePrompt);
  DeletePrompt(standCigarettePrompt);
  DeletePrompt(standPipePrompt);
  DeletePrompt(railingSmokePrompt);
  for (Prompt& prompt : scenarioPrompts) DeletePrompt(prompt);
  DeletePrompt(settingsPrompt);
  // With its prompts gone the menu is closed, whatever the new settings say;
  // the next open builds it again with the new labels.
  scenarioMenuOpen = false;
}

void DeleteAllPrompts() {
  DeleteMenuPrompts();
  DeletePrompt(smokePrompt);
  for (const SmokeKind* kind : kSmokeKinds) DeletePrompt(kind->choicePrompt);
  DeletePrompt(showScenariosPrompt);
}

void RebuildScenarioPrompts() {
  const bool keyboard = FrameKeyboardActive();
  CreatePrompt(menuSmokePrompt, "INPUT_DIVE", SMOKE_PROMPT_LABEL.c_str(), kMenuPriority, kMenuHoldMs, false);
  CreatePrompt(railingSmokePrompt, "INPUT_RELOAD", SMOKE_LEAN_ON_RAILING_PROMPT_LABEL.c_str(), kMenuPriority,
               kMenuHoldMs, false);
  CreatePrompt(sitSmokePrompt, keyboard ? "INPUT_INTERACT_OPTION1" : "INPUT_INTERACT_OPTION2",
               SMOKE_SIT_PROMPT_LABEL.c_str(), kMenuPriority, kMenuHoldMs, false);
  CreatePrompt(standCigarettePrompt, "INPUT_GAME_MENU_EXTRA_OPTION", SMOKE_STAND_PROMPT_LABEL.c_str(),
               kMenuPriority, kMenuHoldMs, false);
  CreatePrompt(standPipePrompt, "INPUT_PLAYER_MENU", SMOKE_STAND_PIPE_PROMPT_LABEL.c_str(), kMenuPriority,
               kMenuHoldMs, false);
  for (int slot = 0; slot < kScenarioSlots; ++slot) {
    // An empty label creates nothing, which keeps the slot off the menu.
    const char* control = keyboard ? kSlotControls[slot].keyboard : kSlotControls[slot].controller;
    CreatePrompt(scenarioPrompts[slot], control, SCENARIO_LABEL[slot].c_str(), kMenuPriority, kMenuHoldMs, false);
  }
  CreatePrompt(settingsPrompt, "INPUT_FRONTEND_RS", SETTINGS_PROMPT_LABEL.c_str(), kMenuPriority, kMenuHoldMs, false);
}

void HideScenarioPrompts() {
  ShowPrompt(menuSmokePrompt, false);
  ShowPrompt(sitSmokePrompt, false);
  ShowPrompt(railingSmokePrompt, false);
  ShowPrompt(standCigarettePrompt, false);
  ShowPrompt(standPipePrompt, false);
  for (Prompt prompt : scenarioPrompts) ShowPrompt(prompt, false);
  ShowPrompt(settingsPrompt, false);
}

void SetScenarioMenu(bool open) {
  // Opening needs a player on foot and in control; closing is always allowed,
  // so that a menu can never be left open with no way to shut it.
  if (open) {
    const Ped player = FramePlayerPed();
    if (!native::IsPedOnFoot(player)) return;
    if (!native::IsPlayerControlOn(FramePlayerIndex())) return;
    if (!SCENARIOS_ENABLED) return;
  }
  scenarioMenuOpen = open;
  RebuildScenarioPrompts();
  HideScenarioPrompts();
  if (!open) return;
  ShowPrompt(menuSmokePrompt, true);
  for (Prompt prompt : scenarioPrompts) ShowPrompt(prompt, true);
  ShowPrompt(settingsPrompt, true);
}

void UpdateScenarioMenuCountdown() {
  if (promptRefreshCountdown > 0 && --promptRefreshCountdown == 0) SetScenarioMenu(false);
}

void HandlePromptCompletion() {
  const bool smokeCompleted = Completed(smokePrompt);
  if (smokeCompleted && !activeSequence.running && smokeHintCompletedAt == 0) {
    smokeHintCompletedAt = FrameGameTimer();
    controllerPromptWindowAt = smokeHintCompletedAt;
  }

  // Evaluate every holding query, as the window stays open while any is held.
  bool holding = Holding(smokePrompt);
  ForEachKindLastFirst([&holding](const SmokeKind& kind) { holding = Holding(kind.choicePrompt) || holding; });
  holding = Holding(showScenariosPrompt) || holding;
  if ((smokeCompleted && activeSequence.running) || holding) controllerPromptWindowAt = FrameGameTimer();

  bool chosen = false;
  ForEachKindLastFirst([&chosen](const SmokeKind& kind) { chosen = Completed(kind.choicePrompt) || chosen; });
  if (chosen) controllerPromptWindowAt = game_time::Earlier(FrameGameTimer(), 3000);

  if (smokePrompt != 0 && native::UiPromptIsValid(smokePrompt) && native::UiPromptIsActive(smokePrompt) &&
      activeSequence.running) {
    controllerChoiceArmed = true;
  }

  if (Completed(showScenariosPrompt)) {
    ShowPrompt(showScenariosPrompt, false);
    ShowPrompt(smokePrompt, false);
    SetScenarioMenu(true);
    controllerPromptWindowAt = FrameGameTimer();
  }

  if (Completed(settingsPrompt)) {
    OpenSettingsPage();
    return;
  }

  if (HandleSmokingPage()) return;

  for (int slot = 0; slot < kScenarioSlots; ++slot) {
    if (Completed(scenarioPrompts[slot])) {
      StartSlotScenario(slot);
      return;
    }
  }
}
