#include "simulator.h"

namespace sim {

void InstallKeyboard(Simulator&) {}

}  // namespace sim
