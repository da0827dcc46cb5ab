#include "simulator.h"

namespace sim {

void InstallEffectNatives(Simulator&) {}

}  // namespace sim
