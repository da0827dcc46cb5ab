#include "simulator.h"

namespace sim {

void InstallCharacterNatives(Simulator&) {}

}  // namespace sim
