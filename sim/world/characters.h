// Character models and their bones.
#pragma once

namespace sim {

struct Characters {};

}  // namespace sim
