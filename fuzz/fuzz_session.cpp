// The session explorer as a libFuzzer target: each input is a whole play
// session (see session_explorer.h), played through the plug-in module built
// with coverage counters, so that sessions reaching new code are kept and
// grown. At the first broken invariant the session is written as a .ews file
// that emberwick-sim replays, and the run stops with the reason.
//
//   EMBERWICK_EXPLORE_MODULE  the module to play (default: this build's
//                             libEmberwick_explore.so)
//   EMBERWICK_FOUND_DIR       where found sessions are written (default: the
//                             directory the explorer was started in; "-" for
//                             nowhere, as when minimising)
//   EMBERWICK_PRINT_SESSION   when set, each input's session is printed, not played
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "session_explorer.h"

#ifndef EMBERWICK_EXPLORE_MODULE
#define EMBERWICK_EXPLORE_MODULE "libEmberwick_explore.so"
#endif

namespace {

explore::SessionPlayer player;
std::string modulePath;
std::string foundDir;
bool printOnly = false;
std::string startDirectory;
char workDirectory[64];

// The session being played, kept where a signal handler can reach it.
std::string currentSession;
volatile sig_atomic_t playing = 0;
uint64_t framesAtLastTick = 0;

// FNV-1a: a stable name for the session.
uint64_t NameOf(const std::string& text) {
  uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

std::string WriteSession(const std::string& reason) {
  if (foundDir == "-") return {};
  char name[64];
  std::snprintf(name, sizeof name, "/session-%016llx.ews", static_cast<unsigned long long>(NameOf(currentSession)));
  const std::string path = foundDir + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return {};
  std::string header = "# Found by the session explorer:\n";
  size_t start = 0;
  while (start <= reason.size()) {
    const size_t end = reason.find('\n', start);
    const std::string line = reason.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty()) header += "#   " + line + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::fputs(header.c_str(), file);
  std::fputs(currentSession.c_str(), file);
  std::fclose(file);
  return path;
}

void RemoveWorkDirectory() {
  for (const char* name : {"/Emberwick.ini", "/Emberwick.log", "/module.so"}) {
    std::remove((std::string(workDirectory) + name).c_str());
  }
  rmdir(workDirectory);
}

// The plug-in also reads Emberwick.ini from beside its module first, and
// writes Emberwick.log there: it is loaded through a link in the working
// directory, so neither is beside the build's module.
std::string ModuleInWorkDirectory() {
  const std::string link = std::string(workDirectory) + "/module.so";
  std::error_code error;
  std::filesystem::create_symlink(std::filesystem::absolute(modulePath, error), link, error);
  return error ? modulePath : link;
}

// The module stays loaded from one session to the next, so a session could
// break an invariant only after the ones before it: play it once more on a
// copy of the module loaded afresh, as emberwick-sim will.
bool BreaksFromAFreshLoad() {
  const std::string copy = std::string(workDirectory) + "/fresh-" + std::to_string(getpid()) + ".so";
  std::error_code error;
  if (!std::filesystem::copy_file(modulePath, copy, std::filesystem::copy_options::overwrite_existing, error)) {
    return true;  // cannot tell: say nothing
  }
  explore::SessionPlayer fresh;
  std::string loadError;
  bool broke = false;
  if (fresh.Load(copy, loadError)) fresh.Play(currentSession, [&broke](const std::string&) { broke = true; });
  else broke = true;
  std::filesystem::remove(copy, error);
  return broke;
}

[[noreturn]] void Fail(const std::string& reason, bool verify = true) {
  playing = 0;
  static bool failing = false;
  if (failing) std::abort();  // the fresh replay's own errors
  failing = true;
  // A hang would hang the replay too.
  const bool fresh = !verify || reason.find("it hangs") != std::string::npos || BreaksFromAFreshLoad();
  // libFuzzer writes the input where it was told, relative to where it started.
  if (chdir(startDirectory.c_str()) != 0) std::perror("session explorer: chdir");
  const std::string path = WriteSession(reason);
  std::fprintf(stderr, "\n==== session explorer: %s\n", reason.c_str());
  if (!path.empty()) {
    std::fprintf(stderr, "==== the session: %s\n==== replay it:   ./build/emberwick-sim %s\n", path.c_str(),
                 path.c_str());
  }
  if (!fresh) {
    std::fprintf(stderr, "==== but played on a freshly loaded module the session breaks nothing: the plug-in\n"
                         "==== kept state from the sessions before it over an unload and load\n");
  }
  RemoveWorkDirectory();
  std::abort();
}

// A script that spins without calling the host cannot be interrupted from
// inside: a CPU-time alarm notices frames no longer advancing.
void OnWatchdog(int) {
  if (!playing) return;
  if (player.framesPlayed != framesAtLastTick) {
    framesAtLastTick = player.framesPlayed;
    return;
  }
  Fail("the script has not yielded for several seconds: it hangs", false);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char here[4096];
  startDirectory = getcwd(here, sizeof here) ? here : ".";
  foundDir = startDirectory;
  if (const char* dir = std::getenv("EMBERWICK_FOUND_DIR")) foundDir = dir;
  printOnly = std::getenv("EMBERWICK_PRINT_SESSION") != nullptr;
  if (printOnly) return 0;
  const char* module = std::getenv("EMBERWICK_EXPLORE_MODULE");
  modulePath = module ? module : EMBERWICK_EXPLORE_MODULE;
  // The plug-in reads Emberwick.ini from the working directory, where each
  // session writes its own: a directory of the explorer's, in memory if it can.
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::snprintf(workDirectory, sizeof workDirectory, "%s/emberwick-explore-XXXXXX", base);
    if (mkdtemp(workDirectory)) {
      std::atexit(RemoveWorkDirectory);
      break;
    }
  }
  std::string error;
  if (!player.Load(ModuleInWorkDirectory(), error)) {
    std::fprintf(stderr, "session explorer: cannot load the module: %s\n", error.c_str());
    std::exit(2);
  }
  struct sigaction action {};
  action.sa_handler = OnWatchdog;
  sigaction(SIGPROF, &action, nullptr);
  itimerval every{{5, 0}, {5, 0}};
  setitimer(ITIMER_PROF, &every, nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  currentSession = explore::DecodeSession(data, size);
  if (printOnly) {
    std::fputs(currentSession.c_str(), stdout);
    return 0;
  }
  if (chdir(workDirectory) != 0) Fail("cannot enter the working directory " + std::string(workDirectory));
  playing = 1;
  player.Play(currentSession, [](const std::string& error) { Fail(error); });
  playing = 0;
  if (chdir(startDirectory.c_str()) != 0) Fail("cannot return to " + startDirectory);
  return 0;
}
