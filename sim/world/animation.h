// Clips, emotes and item interactions playing on peds.
#pragma once

namespace sim {

struct Animation {};

}  // namespace sim
