// The plug-in's own cost of one idle frame (nothing smoked, no key down),
// measured against a host that answers every native from a table.
#include <benchmark/benchmark.h>

#include "host/natives.h"
#include "null_host.h"
#include "plugin/main_loop.h"

namespace {

void PrepareIdleWorld() {
  // An idle player: alive, in control, on foot, with the keyboard.
  for (uint64_t hash : {0x096275889B8E0EE0ull /* GetPlayerPed */, 0xBFFB35986CAAE58Cull /* IsPlayerPlaying */,
                        0x7964097FCE4C244Bull /* PlayerHasControl */, 0x01FEE67DB37F59B2ull /* IsPedOnFoot */,
                        0xA571D46727E2B718ull /* IsKeyboardActive */, 0xBDD9C235D8D1052Eull /* IsPedFreeToAnimate */}) {
    bench::SetAnswer(hash, hash == 0x096275889B8E0EE0ull ? 1000 : 1);
  }
}

void BM_IdleFrame(benchmark::State& state) {
  PrepareIdleWorld();
  scriptFiberAvailable = true;
  for (int i = 0; i < 100; ++i) RunFrame();  // settle: first-frame work is not steady state
  uint64_t allocationsBefore = bench::Allocations();
  uint64_t callsBefore = bench::NativeCalls();
  for (auto _ : state) RunFrame();
  state.counters["allocations_per_frame"] =
      static_cast<double>(bench::Allocations() - allocationsBefore) / static_cast<double>(state.iterations());
  state.counters["natives_per_frame"] =
      static_cast<double>(bench::NativeCalls() - callsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_IdleFrame);

}  // namespace

BENCHMARK_MAIN();
