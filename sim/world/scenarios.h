// World scenarios running on peds.
#pragma once

namespace sim {

struct Scenarios {};

}  // namespace sim
