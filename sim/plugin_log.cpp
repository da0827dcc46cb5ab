#include "plugin_log.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "host/log_file.h"
#include "read_file.h"

namespace sim {
namespace {

// The ways the run's folder may be written, the longest first.
std::vector<std::string> runFolderNames;

struct FollowedLog {
  std::filesystem::path path;
  std::string seen;                       // what the timeline has shown of the file
  bool fresh = true;                      // the plug-in was (re)loaded: the next file is a new log
};

}  // namespace

std::string WithoutRunFolder(std::string line) {
  constexpr std::string_view kRunFolder = "<run folder>";
  for (const std::string& name : runFolderNames) {
    for (size_t at = line.find(name); !name.empty() && at != std::string::npos; at = line.find(name, at)) {
      line.replace(at, name.size(), kRunFolder);
    }
  }
  // A path inside the run's folder reads the same on Windows and Linux.
  for (size_t at = line.find(kRunFolder); at != std::string::npos; at = line.find(kRunFolder, at)) {
    at += kRunFolder.size();
    for (size_t i = at; i < line.size() && line[i] != ' ' && line[i] != ')' && line[i] != ':' && line[i] != ','; ++i) {
      if (line[i] == '\\') line[i] = '/';
    }
  }
  return line;
}

namespace {

void ShowNewLines(Simulator& sim, FollowedLog& log) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(log.path, error);
  if (error) return;
  if (!log.fresh && size == log.seen.size()) return;
  std::string text;
  ReadFile(log.path, text);
  // A log that no longer starts with what was shown was started afresh.
  size_t from = !log.fresh && text.compare(0, log.seen.size(), log.seen) == 0 ? log.seen.size() : 0;
  log.fresh = false;
  // Only whole lines: the rest comes with the next frame.
  const size_t end = text.rfind('\n');
  if (end == std::string::npos || end < from) {
    log.seen = text.substr(0, from);
    return;
  }
  while (from <= end) {
    const size_t newline = text.find('\n', from);
    std::string line = text.substr(from, newline - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    sim.Event("log", WithoutRunFolder(line));
    from = newline + 1;
  }
  log.seen = text.substr(0, end + 1);
}

void FollowLog(Simulator& sim, const std::filesystem::path& path) {
  auto log = std::make_shared<FollowedLog>();
  log->path = path;
  sim.AddLoadHook([log] { log->fresh = true; });
  sim.AddFrameEndHook([&sim, log] { ShowNewLines(sim, *log); });
  // What DllMain detach writes shows at the unload.
  sim.AddUnloadHook([&sim, log] { ShowNewLines(sim, *log); });
}

}  // namespace

void FollowPluginLog(Simulator& sim, const std::string& folder) {
  runFolderNames.clear();
  std::error_code error;
  for (const std::filesystem::path& name : {std::filesystem::path(folder), std::filesystem::canonical(folder, error)}) {
    if (name.empty()) continue;
    runFolderNames.push_back(name.string());
    runFolderNames.push_back(name.generic_string());
    runFolderNames.push_back(std::filesystem::path(name).make_preferred().string());
  }
  // The longest first: a name that contains another is replaced whole.
  std::sort(runFolderNames.begin(), runFolderNames.end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  runFolderNames.erase(std::unique(runFolderNames.begin(), runFolderNames.end()), runFolderNames.end());
  FollowLog(sim, std::filesystem::path(folder) / host::kLogFileName);
  // Where the log goes when the module's folder cannot be written.
  FollowLog(sim, std::filesystem::path(folder) / "LocalAppData" / "Emberwick" / host::kLogFileName);
}

}  // namespace sim
