// Script entry and the per-frame main loop.
#pragma once

#include <cstdint>

#include "host/native_types.h"

// The player character, refreshed once per frame right after the input dispatch.
extern Ped playerPed;
// Copy of COMPATIBILITY_MODE_ENABLED taken at the end of each settings load.
extern bool compatibilityMode;

extern bool scenarioActive;
extern bool sittingScenario;
extern int scenarioExitCountdown;
extern int promptRefreshCountdown;

struct SittingCameraHold {
  bool sitting = false;
  int countdownFrames = 0;
  bool active = false;
  bool releasePending = false;
};
extern SittingCameraHold* sittingCameraHold;

// False while the library is being unloaded: code that runs then (from
// DllMain on the unloading thread) must not yield frames with scriptWait.
extern bool scriptFiberAvailable;

int PluginDllMain(void* module, uint32_t reason, void* reserved);
void ScriptMain();
void ResetPluginState();
bool IsPlayerMoving();

// One pass of the main loop, without the closing scriptWait(0).
void RunFrame();

// Ends a running scenario at once (one StopPedTasks) and releases the camera hold.
void ClearScenarioFlags();
