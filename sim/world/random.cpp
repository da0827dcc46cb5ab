#include "simulator.h"

namespace sim {

void InstallRandomNatives(Simulator&) {}

}  // namespace sim
