#include "simulator.h"

namespace sim {

void InstallAssetNatives(Simulator&) {}

}  // namespace sim
