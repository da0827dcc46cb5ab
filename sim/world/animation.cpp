#include "simulator.h"

namespace sim {

void InstallAnimationNatives(Simulator&) {}

}  // namespace sim
