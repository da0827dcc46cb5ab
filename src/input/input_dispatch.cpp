#include "input/input_dispatch.h"

int smokeButtonDownAt = 0;
int lightStartedAt = 0;
int lastPuffAt = 0;
int manualPuffAt = 0;
bool manualPuff = false;
int controllerPromptWindowAt = 0;
int smokeHintCompletedAt = 0;
bool controllerChoiceArmed = false;
int scenarioKeyToggledAt = 0;

void DispatchInput() {}
bool CanStartSmoking() { return true; }
bool CanQuickSmoke() { return false; }
