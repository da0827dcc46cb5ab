// Drawing an hour of play: a session of random smokes, interruptions and
// menus (the same every run) is played once through the plug-in, then its
// picture is rendered again and again. The page must stay a few megabytes
// and take well under a few seconds.
//
//   bench_session_picture [--html=PATH] [benchmark flags]
//   --html=PATH   also write the hour's page there, to look at it
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "config/key_names.h"
#include "host/module_files.h"
#include "html_report.h"
#include "plugin/main_loop.h"
#include "session.h"
#include "simulator.h"
#include "smoking/smoke_kind.h"
#include "world/leftovers.h"

namespace {

// An hour of what a player and the world do, as a session script.
std::string HourOfPlay(unsigned seed) {
  std::mt19937 rng(seed);
  auto between = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  auto ms = [](int value) { return std::to_string(value) + "ms"; };
  // The key of one of the kinds of smoke, by the name of its default.
  auto aKindsKey = [&between] {
    const SmokeKind* kind = kSmokeKinds[static_cast<size_t>(between(0, static_cast<int>(kSmokeKinds.size()) - 1))];
    return std::string(KeyCodeName(*kind->key));
  };
  auto episode = [&](const char* setting, const char* on, const char* off, int waitMs) {
    return std::string("set ") + setting + " " + on + "\nwait " + ms(waitMs) + "\nset " + setting + " " + off + "\n";
  };
  std::string text =
      "ini <<END\n[Smoking]\nREGEN_DEAD_EYE_CONSTANT_RATE_ENABLED=true\n[Cutscenes]\n"
      "FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true\n[Advanced]\nHIDE_PROP_IN_FIRST_PERSON=true\n"
      "SWAP_TO_SHORT_CIGAR_AFTER_PERIOD=true\nEND\nwait 2s\n";
  int64_t elapsedMs = 0;
  int step = 0;
  while (elapsedMs < int64_t{60} * 60 * 1000) {
    const int shortMs = between(100, 3000);
    int spentMs = 0;
    if (++step % 40 == 0) text += "note step " + std::to_string(step) + "\n";
    switch (between(0, 19)) {
      case 0: case 1: case 2: case 3: case 4: text += "hold " + aKindsKey() + " 500ms\n"; spentMs = 500; break;
      case 5: case 6: text += "hold " + aKindsKey() + " 120ms\n"; spentMs = 120; break;
      case 7: text += "hold Y 150ms\n"; spentMs = 150; break;
      case 8: text += episode("player.mounted", "true", "false", shortMs * 6); spentMs = shortMs * 6; break;
      case 9: text += episode("player.ragdoll", "true", "false", shortMs); spentMs = shortMs; break;
      case 10: text += episode("player.underwater", "true", "false", shortMs); spentMs = shortMs; break;
      case 11:
        text += "set camera.anim_scene true\nset player.control false\nwait " + ms(shortMs * 3) +
                "\nset player.control true\nset cutscene false\n";
        spentMs = shortMs * 3;
        break;
      case 12: text += episode("camera.first_person", "true", "false", shortMs * 2); spentMs = shortMs * 2; break;
      case 13:
        text += "control INPUT_OPEN_WHEEL_MENU press\nwait " + ms(shortMs) + "\ncontrol INPUT_OPEN_WHEEL_MENU release\n";
        spentMs = shortMs;
        break;
      case 14: text += "control INPUT_OPEN_JOURNAL tap\n"; spentMs = 50; break;
      case 15: text += episode("deadeye.active", "true", "false", shortMs); spentMs = shortMs; break;
      case 16: text += "set deadeye.core " + std::to_string(between(0, 24) * 4) + "\n"; break;
      case 17: text += episode("player.aiming", "true", "false", shortMs * 4); spentMs = shortMs * 4; break;
      case 18: text += "hold Y 400ms\nwait 1s\ncontrol INPUT_DIVE tap\nwait 500ms\ncontrol INPUT_INTERACT_OPTION1 tap\n";
        spentMs = 1600;
        break;
      default: text += episode("player.running", "true", "false", shortMs); spentMs = shortMs; break;
    }
    const int waitMs = between(200, 15000);
    text += "wait " + ms(waitMs) + "\n";
    elapsedMs += spentMs + waitMs;
  }
  // However it stands, the player falls over and the embers die down.
  text += "set player.mounted false\nset player.dead false\nset cutscene false\nset player.control true\n" +
          episode("player.ragdoll", "true", "false", 6000) + "wait 6s\n";
  return text;
}

struct PlayedHour {
  sim::Simulator sim;
  std::string verdict;
  std::string error;
};

PlayedHour& Hour() {
  static PlayedHour* hour = [] {
    auto* played = new PlayedHour;
    char dir[] = "/tmp/emberwick-bench-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) {
      played->error = "cannot make a working directory";
      return played;
    }
    played->sim.recordCalls = false;
    host::SetModuleFolder(dir);
    played->sim.AttachInProcess(&PluginDllMain);
    if (!sim::RunSession(played->sim, HourOfPlay(20261208), dir, played->error)) return played;
    played->sim.Detach();
    played->verdict = played->sim.leftoverReport();
    std::filesystem::remove_all(dir);
    return played;
  }();
  return *hour;
}

void BM_DrawAnHourOfPlay(benchmark::State& state) {
  PlayedHour& hour = Hour();
  if (!hour.error.empty()) {
    state.SkipWithError(hour.error.c_str());
    return;
  }
  sim::SessionPicture picture;
  picture.title = "an hour of play";
  picture.events = &hour.sim.timeline.Events();
  picture.frames = hour.sim.Frame();
  picture.frameUs = hour.sim.FrameUs();
  picture.verdict = {hour.verdict};
  const sim::Leftovers leftovers = sim::FindLeftovers(hour.sim);
  picture.leftBehind = leftovers.subjects;
  picture.clean = leftovers.Clean();
  size_t bytes = 0;
  for (auto _ : state) {
    std::string page = sim::RenderSessionPicture(picture);
    bytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.counters["events"] = static_cast<double>(picture.events->size());
  state.counters["frames"] = static_cast<double>(picture.frames);
  state.counters["page_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_DrawAnHourOfPlay)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  std::string htmlPath;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--html=", 7) == 0) htmlPath = std::filesystem::absolute(argv[i] + 7).string();
    else argv[kept++] = argv[i];
  }
  argc = kept;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!htmlPath.empty()) {
    PlayedHour& hour = Hour();
    std::string error;
    if (!hour.error.empty() || !sim::WriteSessionPicture(hour.sim, "an hour of play", hour.verdict, htmlPath, error)) {
      std::fprintf(stderr, "bench_session_picture: %s%s\n", hour.error.c_str(), error.c_str());
      return 1;
    }
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
