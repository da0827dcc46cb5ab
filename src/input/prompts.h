// The game prompts: the controller prompts and the scenario menu.
#pragma once

#include "host/native_types.h"
#include "config/settings.h"

extern Prompt smokePrompt;
extern Prompt cigarettePrompt;
extern Prompt cigarPrompt;
extern Prompt showScenariosPrompt;
extern Prompt menuSmokePrompt;
extern Prompt railingSmokePrompt;
extern Prompt sitSmokePrompt;
extern Prompt standCigarettePrompt;
extern Prompt standPipePrompt;
extern Prompt scenarioPrompts[kScenarioSlots];
extern bool scenarioMenuOpen;

void CreatePrompt(Prompt& handle, const char* controlName, const char* label, int priority, int holdMs,
                  bool attribute10);
void ShowPrompt(Prompt handle, bool on);
void DeletePrompt(Prompt& handle);
// The twelve menu prompts, in the order a settings load deletes them.
void DeleteMenuPrompts();
// Every prompt of the plug-in, the controller prompts included: unloading must
// not leave any of them on screen.
void DeleteAllPrompts();
void RebuildScenarioPrompts();
void HideScenarioPrompts();
void SetScenarioMenu(bool open);
void HandlePromptCompletion();
