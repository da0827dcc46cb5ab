// The game's random numbers: seeded, or a scripted sequence.
#pragma once

namespace sim {

struct RandomSource {};

}  // namespace sim
