#include "simulator.h"

namespace sim {

void InstallScenarioNatives(Simulator&) {}

}  // namespace sim
