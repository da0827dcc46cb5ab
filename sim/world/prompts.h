// The game prompts the plug-in registers, shows and completes.
#pragma once

namespace sim {

struct Prompts {};

}  // namespace sim
