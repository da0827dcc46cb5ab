#include "simulator.h"

namespace sim {

void InstallPlayerStateNatives(Simulator&) {}

}  // namespace sim
