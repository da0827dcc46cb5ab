// Starting the game's world scenarios in place.
#pragma once

#include <string>

#include "host/game_names.h"

extern std::string scenarioType;
extern std::string scenarioVariation;

// The names with their hashes: a listed name's from Hashed(), a setting's
// from when the settings loaded.
void StartScenario(HashedName type, HashedName variation, bool force);
// For names held only as text: the plug-in hashes them itself.
void StartScenario(const char* type, const char* variation, bool force);
