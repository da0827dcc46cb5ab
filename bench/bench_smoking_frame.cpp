// The plug-in's own cost of a frame while a smoke of each kind is smoked in
// the mouth with its puff cycle going, measured against a host that answers every
// native from a table. Also counts heap allocations on the frames where no
// task starts: those frames must not touch the heap.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "allocation_count.h"
#include "animations/sequence_runner.h"
#include "host/platform.h"
#include "plugin/main_loop.h"
#include "sequences/puff_cycle.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "stand_in_host.h"

namespace {

constexpr uint64_t kGetGameTimer = 0x4F67E8ECA7D3F667ull;
constexpr int kPlayer = 1000;
constexpr int kProp = 2000;

// The host's tick and system clocks move on by a frame whenever the plug-in
// reads the tick count, from the start of the program on: never backwards, as
// the benchmark's function runs several times.
const bool kClocksRun = [] {
  standin::SetTickMs(1'000'000);
  standin::SetTickStepPerRead(16);
  return true;
}();

void PrepareSmokingWorld() {
  struct Answer {
    uint64_t hash;
    uint64_t word;
  };
  // A player who is alive, in control, on foot and standing still; every
  // asset loaded; effects start. Of the entities only the cigarette exists:
  // were handle 0 (no mouth marker) to exist too, the mouth easing would run
  // forever, and without the cigarette the smoke ends as one whose prop is gone.
  const Answer answers[] = {
      {0x096275889B8E0EE0ull, kPlayer},  // PlayerPedId
      {0xBFFB35986CAAE58Cull, 1},        // IsPlayerPlaying
      {0x7964097FCE4C244Bull, 1},        // IsPlayerControlOn
      {0x01FEE67DB37F59B2ull, 1},        // IsPedOnFoot
      {0xA571D46727E2B718ull, 1},        // IsUsingKeyboardAndMouse
      {0xBDD9C235D8D1052Eull, 1},        // IsPedCurrentWeaponHolstered
      {0x7EE53118C892B513ull, 1},        // GetPedConfigFlag
      {0x1BB501624FAF2BEAull, 255},      // GetEntityAlpha
      {0x154A3C529497053Eull, 1},        // IsEntityAttachedToEntity
      {0x537F44CB0D7F150Dull, 1},        // DoesAnimDictExist
      {0x65BB72F29138F5D6ull, 1},        // HasNamedPtfxAssetLoaded
      {0x27FF6FE8009B40CAull, 1},        // HasAnimDictLoaded
      {0x1283B8B89DD5D1B6ull, 1},        // HasModelLoaded
      {0xD6F3B6D7716CFF8Eull, 1},        // IsModelInCdImage
      {0x392C8D8E07B70EFCull, 1},        // IsModelValid
      {0xD9130842D7226045ull, 1},        // PrepareSoundSet
      {0x8F90AB32E1944BDEull, 77},       // StartNetworkedParticleFxLoopedOnEntity
      {0xE689C1B1432BB8AFull, 78},       // StartParticleFxLoopedOnPedBone
      {0xE6CFE43937061143ull, 79},       // StartNetworkedParticleFxNonLoopedOnEntity
      {0x3FAA72BD940C3AC0ull, 80},       // StartParticleFxNonLoopedOnPedBone
      {0x9DD5AFF561E88F2Aull, 1},        // DoesParticleFxLoopedExist
      {0x36731AC041289BB1ull, 60},       // GetAttributeCoreValue
      {0xD53343AA4FB7DD28ull, 1500},     // GetRandomIntInRange
      {0xE29F927A961F8AAAull, 0x3F000000},  // GetRandomFloatInRange: 0.5f
  };
  for (const Answer& answer : answers) standin::SetAnswer(answer.hash, answer.word);
  standin::SetAnswerFor(0xD42BD6EB2E0F1677ull, kProp, 1);  // DoesEntityExist
}

uint64_t gameMs = 100'000;

// One game frame: the host's clocks move on by a frame, then the plug-in runs.
void Frame() {
  gameMs += 16;
  standin::SetAnswer(kGetGameTimer, gameMs);
  (void)GetTickCount64();  // the host's tick and system clocks advance by 16 ms per read
  RunFrame();
}

void LightInMouth(const SmokeKind& kind) {
  playerPed = kPlayer;
  smokeProp = kProp;
  propInMouth = true;
  ClearPending(activeSequence);
  activeSequence.smoke = &kind;
  QueuePuffCycle(kind, 1500);
  Start(activeSequence);
  smokeStartTime = static_cast<int>(gameMs);
  deadEyeTickTime = static_cast<int>(gameMs);
}

struct RunnerMark {
  const void* current;
  size_t pending;
  bool running;
};

RunnerMark Mark(const SequenceRunner& runner) { return {runner.current.get(), runner.pending.size(), runner.running}; }
bool Same(const RunnerMark& a, const RunnerMark& b) {
  return a.current == b.current && a.pending == b.pending && a.running == b.running;
}

void BM_SmokingFrame(benchmark::State& state, const SmokeKind* kind) {
  PrepareSmokingWorld();
  scriptFiberAvailable = true;
  for (int i = 0; i < 100; ++i) Frame();  // the first frames load settings and reset
  LightInMouth(*kind);
  for (int i = 0; i < 600; ++i) Frame();  // into the steady cycle
  uint64_t quietFrames = 0;
  uint64_t quietFramesAllocating = 0;
  uint64_t notRunning = 0;
  const uint64_t callsBefore = standin::NativeCalls();
  for (auto _ : state) {
    const RunnerMark active = Mark(activeSequence);
    const RunnerMark secondary = Mark(secondarySequence);
    const uint64_t allocationsBefore = standin::Allocations();
    Frame();
    const bool taskStarted = !Same(active, Mark(activeSequence)) || !Same(secondary, Mark(secondarySequence));
    if (!taskStarted) {
      ++quietFrames;
      if (standin::Allocations() != allocationsBefore) ++quietFramesAllocating;
    }
    if (!activeSequence.running) ++notRunning;
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["natives_per_frame"] = static_cast<double>(standin::NativeCalls() - callsBefore) / iterations;
  state.counters["quiet_frames"] = static_cast<double>(quietFrames);
  state.counters["quiet_frames_allocating"] = static_cast<double>(quietFramesAllocating);
  if (notRunning != 0) state.SkipWithError("the smoke stopped while being measured");
  if (quietFramesAllocating != 0) state.SkipWithError("a frame where no task started allocated on the heap");
}
}  // namespace

int main(int argc, char** argv) {
  for (const SmokeKind* kind : kSmokeKinds) {
    benchmark::RegisterBenchmark((std::string("BM_SmokingFrame/") + kind->name).c_str(), BM_SmokingFrame, kind);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

