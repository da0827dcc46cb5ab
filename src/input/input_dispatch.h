// The per-frame input step: keys, controller buttons and the reload combination
// turned into smokes, throws, puffs and the scenario menu.
#pragma once

extern int smokeButtonDownAt;
extern int lightStartedAt;
extern int lastPuffAt;
extern int manualPuffAt;
extern bool manualPuff;
extern int controllerPromptWindowAt;
extern int smokeHintCompletedAt;
extern bool controllerChoiceArmed;
extern int scenarioKeyToggledAt;

void DispatchInput();
bool CanStartSmoking();
bool CanQuickSmoke();
