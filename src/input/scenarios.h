// The game's world scenarios started in place: sitting, leaning, smoking
// with the game's own props. Their state, the camera held while sitting, and
// the exit when the player walks away.
#pragma once

#include <string>

#include "host/game_names.h"

extern bool scenarioActive;
extern bool sittingScenario;
extern int scenarioExitCountdown;   // frames of the exit still to run
extern int promptRefreshCountdown;  // frames until the scenario menu closes

// The camera held on a sitting player, on and off after a delay in frames.
struct SittingCameraHold {
  bool sitting = false;
  int countdownFrames = 0;
  bool active = false;
  bool releasePending = false;
};
extern SittingCameraHold* sittingCameraHold;

// What was started last, which is the scenario still playing.
extern std::string scenarioType;
extern std::string scenarioVariation;

// The names with their hashes: a listed name's from Hashed(), a setting's
// from when the settings loaded.
void StartScenario(HashedName type, HashedName variation, bool force);
// For names held only as text: the plug-in hashes them itself.
void StartScenario(const char* type, const char* variation, bool force);

// Any of the four movement controls is pressed (all four are asked).
bool IsPlayerMoving();
// Ends a running scenario at once (one ClearPedTasks) and releases the camera hold.
void ClearScenarioFlags();

// Each frame: the sitting camera hold with its countdown, and the exit from a
// scenario the player walks out of.
void UpdateSittingCameraHold();
void UpdateScenarioExit();
