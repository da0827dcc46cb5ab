#include "simulator.h"

namespace sim {

void InstallControlNatives(Simulator&) {}

}  // namespace sim
