// The game prompts: the controller prompts and the scenario menu.
#pragma once

#include <cstddef>
#include <iterator>

#include "config/settings.h"
#include "host/native_types.h"
#include "smoking/smoke_kind.h"

extern Prompt smokePrompt;
extern Prompt showScenariosPrompt;
extern Prompt menuSmokePrompt;
extern Prompt railingSmokePrompt;
extern Prompt sitSmokePrompt;
extern Prompt standCigarettePrompt;
extern Prompt standPipePrompt;
extern Prompt scenarioPrompts[kScenarioSlots];
// The scenario menu's way to the settings page.
extern Prompt settingsPrompt;
extern bool scenarioMenuOpen;

// The controller's prompt window: opened with the satchel button, it shows
// the smoke hint, then the choice between the kinds (each kind's choice
// prompt is kept with its description).
extern int controllerPromptWindowAt;  // game ms; 0 = closed
extern int smokeHintCompletedAt;
extern bool controllerChoiceArmed;

// The choice prompts are created first kind first, and then hidden, shown
// and asked last kind first.
template <typename Fn>
void ForEachKindLastFirst(Fn fn) {
  for (size_t i = std::size(kSmokeKinds); i-- > 0;) fn(*kSmokeKinds[i]);
}

void CreatePrompt(Prompt& handle, const char* controlName, const char* label, int priority, int holdMs,
                  bool attribute10);
void ShowPrompt(Prompt handle, bool on);
void DeletePrompt(Prompt& handle);
// The menu prompts, in the order a settings load deletes them.
void DeleteMenuPrompts();
// Every prompt of the plug-in, the controller prompts included: unloading must
// not leave any of them on screen.
void DeleteAllPrompts();
void RebuildScenarioPrompts();
void HideScenarioPrompts();
void SetScenarioMenu(bool open);
// Each frame: the menu closes a while after a scenario started from it.
void UpdateScenarioMenuCountdown();
void HandlePromptCompletion();
