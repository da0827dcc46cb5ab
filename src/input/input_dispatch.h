// The per-frame input step: keys and controller buttons turned into smokes,
// throws, puffs and the scenario menu.
#pragma once

extern int smokeButtonDownAt;
extern int lightStartedAt;
extern int lastPuffAt;
extern int scenarioKeyToggledAt;

// Every key of KEY_RELOAD (END + NUMPAD6 by default) is down.
bool ReloadKeysDown();
void DispatchInput();
// A tap may start the game's quick smoking emote now.
bool CanQuickSmoke();
