// The player's inventory: counts per item, slots, additions and removals.
#pragma once

namespace sim {

struct Inventory {};

}  // namespace sim
