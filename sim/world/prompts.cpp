#include "simulator.h"

namespace sim {

void InstallPromptNatives(Simulator&) {}

}  // namespace sim
