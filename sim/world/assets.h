// Models, clip dictionaries, effect assets and sound sets, and how long each takes to load.
#pragma once

namespace sim {

struct Assets {};

}  // namespace sim
