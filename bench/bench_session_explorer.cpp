// How fast the session explorer plays: whole sessions decoded from bytes, as
// the explorer's inputs are, played through the module with the invariants
// on. The counter that matters is frames_per_second: the explorer needs at
// least 100 000 simulated frames per second on one core in its own build.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "session_explorer.h"

#ifndef EMBERWICK_BENCH_MODULE
#define EMBERWICK_BENCH_MODULE "libEmberwick.so"
#endif

namespace {

// Inputs the way the explorer meets them: random bytes of random lengths,
// the same ones every run.
std::vector<std::string> Sessions() {
  std::vector<std::string> sessions;
  uint64_t state = 20261208;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  for (int i = 0; i < 16; ++i) {
    std::vector<uint8_t> bytes(64 + next() % 192);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(next());
    sessions.push_back(explore::DecodeSession(bytes.data(), bytes.size()));
  }
  return sessions;
}

void BM_ExplorerSessions(benchmark::State& state) {
  char workDir[] = "/tmp/emberwick-bench-XXXXXX";
  if (!mkdtemp(workDir) || chdir(workDir) != 0) {
    state.SkipWithError("cannot make a working directory");
    return;
  }
  explore::SessionPlayer player;
  std::string error;
  const char* module = std::getenv("EMBERWICK_BENCH_MODULE");
  if (!player.Load(module ? module : EMBERWICK_BENCH_MODULE, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  const std::vector<std::string> sessions = Sessions();
  uint64_t frames = 0;
  uint64_t errors = 0;
  size_t next = 0;
  for (auto _ : state) {
    frames += player.Play(sessions[next], [&errors](const std::string&) { ++errors; });
    next = (next + 1) % sessions.size();
  }
  state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["frames_per_session"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
  state.counters["errors"] = static_cast<double>(errors);
  std::remove("Emberwick.ini");
  rmdir(workDir);
}
BENCHMARK(BM_ExplorerSessions)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
