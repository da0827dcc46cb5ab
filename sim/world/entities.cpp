#include "simulator.h"

namespace sim {

void InstallEntityNatives(Simulator&) {}

}  // namespace sim
