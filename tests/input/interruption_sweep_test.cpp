// Every way to smoke each kind, cut short by everything a player, the world or
// a real PC can do (late frames, clocks that stand still, wrap or are set
// back, key auto-repeat, another window taking the front), at moments spread
// across the lighting and the first seconds of smoking. Once the world has
// settled, and before any unload, the smoke has either gone on with exactly
// its own prop and effects (a quick smoke with the game's emote) or is over
// with nothing of it left; nothing was ever started on entity 0; no frame
// made a burst of natives; and a player who holds nothing gets no Dead Eye
// and lights the next smoke with a hold, not with a shorter press.
//
// Each case plays in a process of its own, so that it starts from the
// plug-in as it is when loaded. The default run plays a rotating subset of
// the moments (two per way and interruption); EMBERWICK_FULL_SWEEP=1 plays
// every moment of every pair (`./dev sweep`).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sweep_cases.h"

namespace {

TEST(InterruptionSweep, NothingIsLeftBehindAndTheNextSmokeLights) {
  const bool full = std::getenv("EMBERWICK_FULL_SWEEP") != nullptr;
  std::vector<int> moments;
  for (int ms = 0; ms <= sweep::kLastMomentMs; ms += sweep::kMomentStepMs) moments.push_back(ms);
  const size_t n = moments.size();
  const std::vector<sweep::Way> ways = sweep::Ways();
  const std::vector<sweep::Interruption> interruptions = sweep::Interruptions();

  int played = 0;
  int failed = 0;
  for (size_t w = 0; w < ways.size(); ++w) {
    for (size_t i = 0; i < interruptions.size(); ++i) {
      std::vector<int> chosen = moments;
      if (!full) {
        // Two moments half the range apart, rotating from pair to pair so
        // that each way is cut all along its lighting.
        const size_t first = (w * 5 + i * 7) % n;
        chosen = {moments[first], moments[(first + n / 2) % n]};
      }
      for (int moment : chosen) {
        ++played;
        const std::string verdict = sweep::PlayCaseApart(ways[w], interruptions[i], moment);
        if (verdict.empty()) continue;
        if (++failed <= 400) {
          ADD_FAILURE() << ways[w].name << ", " << interruptions[i].name << " at " << moment << " ms: " << verdict;
        }
      }
    }
  }
  EXPECT_EQ(failed, 0) << failed << " of " << played << " cases failed";
  std::printf("%d cases played\n", played);
}

}  // namespace
