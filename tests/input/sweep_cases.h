// The interruption sweep's cases: every way to smoke each kind of
// kSmokeKinds, cut short by everything a player, the world or a real PC can
// do, at a moment of its lighting or its first seconds of smoking. Each case
// plays in a process of its own and comes back with what went wrong.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct SmokeKind;

namespace sweep {

class Play;

// How a smoke is started: its kind's key held (or tapped, for the quick emote
// smokes) in a world that chooses the lighting.
struct Way {
  std::string name;
  const SmokeKind* kind;
  std::string ini;
  std::vector<std::pair<std::string, std::string>> world;
  bool tap;
  bool alternativeModel;  // lit as what it burns down to, from the start
};

struct Interruption {
  std::string name;
  std::string ini;
  std::function<void(Play&)> cut;
};

// Built from the kinds listed now: for each kind its standard, quick and
// fallback lighting (and, for a kind that burns down, the lighting of its
// alternative model), then each kind's quick emote smoke.
std::vector<Way> Ways();
// Each kind's key tapped and held, then everything else.
std::vector<Interruption> Interruptions();

inline constexpr int kMomentStepMs = 200;
inline constexpr int kLastMomentMs = 6000;  // the longest lighting and a little over two seconds of smoking

// Plays the case in a forked child; empty when nothing went wrong.
std::string PlayCaseApart(const Way& way, const Interruption& interruption, int momentMs);

}  // namespace sweep
