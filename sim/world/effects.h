// Particle effects, looped and one-shot, and sounds.
#pragma once

namespace sim {

struct Effects {};

}  // namespace sim
