#include "input/prompts.h"

Prompt smokePrompt = 0;
Prompt cigarettePrompt = 0;
Prompt cigarPrompt = 0;
Prompt showScenariosPrompt = 0;
Prompt menuSmokePrompt = 0;
Prompt railingSmokePrompt = 0;
Prompt sitSmokePrompt = 0;
Prompt standCigarettePrompt = 0;
Prompt standPipePrompt = 0;
Prompt scenarioPrompts[kScenarioSlots] = {};
bool scenarioMenuOpen = false;

void CreatePrompt(Prompt&, const char*, const char*, int, int, bool) {}
void ShowPrompt(Prompt, bool) {}
void DeletePrompt(Prompt&) {}
void DeleteMenuPrompts() {}
void RebuildScenarioPrompts() {}
void HideScenarioPrompts() {}
void SetScenarioMenu(bool) {}
void HandlePromptCompletion() {}
