// Game controls: pressed, just pressed, released, disabled, pushed by the plug-in.
#pragma once

namespace sim {

struct Controls {};

}  // namespace sim
