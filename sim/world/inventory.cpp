#include "simulator.h"

namespace sim {

void InstallInventoryNatives(Simulator&) {}

}  // namespace sim
