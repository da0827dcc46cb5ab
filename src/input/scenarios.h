// Starting the game's world scenarios in place.
#pragma once

#include <string>

extern std::string scenarioType;
extern std::string scenarioVariation;

void StartScenario(const char* type, const char* variation, bool force);
