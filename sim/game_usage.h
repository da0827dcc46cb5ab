// How the game's own scripts call a native, where all of their calls agree on
// the value of an argument (gamedata/GAME_USAGE.md holds the counts): a call
// of the plug-in that passes another value is put on the timeline, once per
// session, argument and value, so that whoever reads the timeline sees the call
// differ from every call the game makes. It is no fault of the host
// interface: the game may well take the value, only perhaps for something
// else than the caller meant.
#pragma once

#include <cstdint>
#include <set>
#include <tuple>

#include "call.h"

namespace sim {

class Simulator;

class GameUsage {
 public:
  // Notes `call` on the timeline when one of its arguments differs from the
  // value the game's scripts always pass there.
  void Check(Simulator& sim, const Call& call);

 private:
  std::set<std::tuple<uint64_t, size_t, uint64_t>> noted_;  // native hash, argument, word
};

}  // namespace sim
