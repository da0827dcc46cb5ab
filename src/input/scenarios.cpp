#include "input/scenarios.h"

std::string scenarioType;
std::string scenarioVariation;

void StartScenario(const char*, const char*, bool) {}
