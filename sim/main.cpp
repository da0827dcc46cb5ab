// emberwick-sim: loads libEmberwick.so the way the game loads the .asi, plays
// a session against the simulated world and prints what the plug-in did.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "check_ini.h"
#include "html_report.h"
#include "module_loader.h"
#include "plugin_log.h"
#include "session.h"
#include "settings_file.h"
#include "simulator.h"
#include "world/leftovers.h"

#ifndef EMBERWICK_DEFAULT_PLUGIN
#define EMBERWICK_DEFAULT_PLUGIN "libEmberwick.so"
#endif
#ifndef EMBERWICK_DEFAULT_SESSION
#define EMBERWICK_DEFAULT_SESSION "sessions/default.ews"
#endif

namespace {

void Usage() {
  std::printf(
      "usage: emberwick-sim [--trace] [--stats] [--html FILE] [--plugin PATH] [--list-settings] [SESSION]\n"
      "       emberwick-sim --check-ini FILE\n"
      "       emberwick-sim --set FILE NAME=VALUE...\n"
      "  SESSION          a session script (default: the bundled default session)\n"
      "  --plugin PATH    the plug-in to load (default: the libEmberwick.so of this build)\n"
      "  --trace          also print every native call\n"
      "  --stats          also print natives per frame (minimum, median, maximum), per native\n"
      "  --html FILE      also draw the session as a picture, one self-contained HTML page\n"
      "  --list-settings  list the world settings a session can change with 'set'\n"
      "  --check-ini FILE what the plug-in makes of a settings file, line by line; exits 1 when\n"
      "                   a line needs a look\n"
      "  --set FILE NAME=VALUE...  change settings in a settings file as the plug-in's settings\n"
      "                   page does; exits 1 when a name or value is refused, 2 when the file\n"
      "                   cannot be read or written\n");
}

std::string Absolute(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::absolute(path, ignored).string();
}

}  // namespace

int main(int argc, char** argv) {
  std::string pluginPath = EMBERWICK_DEFAULT_PLUGIN;
  std::string sessionPath = EMBERWICK_DEFAULT_SESSION;
  bool trace = false;
  bool stats = false;
  bool listSettings = false;
  std::string htmlPath;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--trace") trace = true;
    else if (arg == "--stats") stats = true;
    else if (arg == "--list-settings") listSettings = true;
    else if (arg == "--plugin" && i + 1 < argc) pluginPath = argv[++i];
    else if (arg == "--html" && i + 1 < argc) htmlPath = Absolute(argv[++i]);
    else if (arg == "--check-ini" && i + 1 < argc) return sim::CheckIniFile(argv[++i]);
    else if (arg == "--set" && i + 1 < argc) return sim::SetIniValues(argv[i + 1], {argv + i + 2, argv + argc});
    else if (arg == "--help" || arg == "-h") {
      Usage();
      return 0;
    } else if (!arg.empty() && arg[0] != '-') sessionPath = arg;
    else {
      Usage();
      return 2;
    }
  }
  pluginPath = Absolute(pluginPath);
  sessionPath = Absolute(sessionPath);

  std::ifstream sessionFile(sessionPath);
  if (!sessionFile) {
    std::fprintf(stderr, "emberwick-sim: cannot read the session %s\n", sessionPath.c_str());
    return 2;
  }
  std::stringstream sessionText;
  sessionText << sessionFile.rdbuf();

  sim::Simulator simulator;
  if (listSettings) {
    for (const std::string& name : simulator.SetterNames()) std::printf("%s\n", name.c_str());
    return 0;
  }

  // The plug-in reads Emberwick.ini from beside its module, else from the
  // working directory: give the session a fresh directory that is both, so it
  // starts from the defaults unless it says otherwise.
  std::string workDir;
  if (!sim::EnterFreshWorkDirectory(workDir)) {
    std::fprintf(stderr, "emberwick-sim: cannot create a working directory\n");
    return 2;
  }
  std::string error;
  std::string placedPlugin;
  if (!sim::PlaceModule(pluginPath, workDir, placedPlugin, error)) {
    std::fprintf(stderr, "emberwick-sim: %s\n", error.c_str());
    sim::RemoveWorkDirectory(workDir);
    return 2;
  }
  // The player's local application data folder is one of the run's too.
  const std::filesystem::path localAppData = std::filesystem::path(workDir) / "LocalAppData";
  std::error_code ignored;
  std::filesystem::create_directories(localAppData, ignored);
  sim::SetProcessVariable("LOCALAPPDATA", localAppData.string());
  sim::FollowPluginLog(simulator, workDir);
  sim::WatchSettingsFile(simulator, workDir);
  simulator.traceCalls = trace;
  simulator.recordCalls = false;
  if (stats) simulator.CountCallsPerFrame();
  simulator.timeline.EchoTo(stdout);
  std::printf("emberwick-sim: session %s\n", sessionPath.c_str());

  if (!simulator.LoadPlugin(placedPlugin, error)) {
    std::fprintf(stderr, "emberwick-sim: cannot load %s: %s\n", pluginPath.c_str(), error.c_str());
    sim::RemoveWorkDirectory(workDir);
    return 2;
  }
  std::string baseDir = std::filesystem::path(sessionPath).parent_path().string();
  bool ok = sim::RunSession(simulator, sessionText.str(), baseDir, error);
  if (!ok) std::fprintf(stderr, "emberwick-sim: %s: %s\n", sessionPath.c_str(), error.c_str());
  // The world is judged twice: as the session leaves it, and after the
  // unload, whose own clean-up would hide what stayed during play.
  const sim::Leftovers beforeUnloadLeftovers = sim::FindLeftovers(simulator);
  std::string beforeUnload = simulator.leftoverReport ? sim::FormatLeftovers(beforeUnloadLeftovers) : std::string();
  simulator.Detach();
  std::fflush(stdout);

  std::printf("\nAfter the session (%llu frames, %.3f s of game time, %llu native calls):\n",
              static_cast<unsigned long long>(simulator.Frame()), static_cast<double>(simulator.GameUs()) / 1e6,
              static_cast<unsigned long long>(simulator.TotalCalls()));
  std::string verdict;
  if (simulator.leftoverReport) {
    verdict = "Before unload: " + beforeUnload + "After unload: " + simulator.leftoverReport();
    std::printf("%s", verdict.c_str());
  }
  const std::string title = std::filesystem::path(sessionPath).filename().string();
  if (!htmlPath.empty() && !sim::WriteSessionPicture(simulator, title, verdict, htmlPath, error, &beforeUnloadLeftovers)) {
    std::fprintf(stderr, "emberwick-sim: %s\n", error.c_str());
    ok = false;
  }
  for (const std::string& line : sim::SettingsFileChanges()) std::printf("%s\n", line.c_str());
  if (simulator.Stats()) std::printf("\n%s", simulator.Stats()->Report().c_str());
  if (!simulator.Errors().empty()) {
    std::printf("%zu error(s) in the session.\n", simulator.Errors().size());
    return 1;
  }
  sim::RemoveWorkDirectory(workDir);
  return ok ? 0 : 1;
}
