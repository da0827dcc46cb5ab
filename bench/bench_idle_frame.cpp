// The plug-in's own cost of one idle frame (nothing smoked, no key down),
// measured against a host that answers every native from a table.
#include <benchmark/benchmark.h>

#include "allocation_count.h"
#include "host/natives.h"
#include "plugin/main_loop.h"
#include "stand_in_host.h"

namespace {

// The host's tick and system clocks move on by a frame whenever the plug-in
// reads the tick count, from the start of the program on: never backwards, as
// the benchmark's function runs several times.
const bool kClocksRun = [] {
  standin::SetTickMs(1'000'000);
  standin::SetTickStepPerRead(16);
  return true;
}();

void PrepareIdleWorld() {
  // An idle player: alive, in control, on foot, with the keyboard.
  for (uint64_t hash :
       {0x096275889B8E0EE0ull /* PlayerPedId */, 0xBFFB35986CAAE58Cull /* IsPlayerPlaying */,
        0x7964097FCE4C244Bull /* IsPlayerControlOn */, 0x01FEE67DB37F59B2ull /* IsPedOnFoot */,
        0xA571D46727E2B718ull /* IsUsingKeyboardAndMouse */, 0xBDD9C235D8D1052Eull /* IsPedCurrentWeaponHolstered */}) {
    standin::SetAnswer(hash, hash == 0x096275889B8E0EE0ull ? 1000 : 1);
  }
}

void BM_IdleFrame(benchmark::State& state) {
  PrepareIdleWorld();
  scriptFiberAvailable = true;
  for (int i = 0; i < 100; ++i) RunFrame();  // settle: first-frame work is not steady state
  uint64_t allocationsBefore = standin::Allocations();
  uint64_t callsBefore = standin::NativeCalls();
  for (auto _ : state) RunFrame();
  state.counters["allocations_per_frame"] =
      static_cast<double>(standin::Allocations() - allocationsBefore) / static_cast<double>(state.iterations());
  state.counters["natives_per_frame"] =
      static_cast<double>(standin::NativeCalls() - callsBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_IdleFrame);

}  // namespace

BENCHMARK_MAIN();
