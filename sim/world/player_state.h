// What the player character is doing: mounted, running, in water, in melee, in a cutscene.
#pragma once

namespace sim {

struct PlayerState {};

}  // namespace sim
