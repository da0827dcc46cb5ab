#include "host/log_file.h"

#include <cstdio>

#include "host/module_files.h"
#include "host/platform.h"

namespace host {
namespace {

constexpr std::string_view kDropped = "The log is full (64 KiB): later lines were dropped.";

std::string logPath;
size_t logBytes = 0;
bool logFull = false;
uint64_t logStartedMs = 0;

}  // namespace

bool StartLog(const std::string& folder) noexcept {
  try {
    logPath.clear();
    logBytes = 0;
    logFull = false;
    logStartedMs = TickCount64();
    if (folder.empty()) return false;
    const std::string path = PathInFolder(folder, kLogFileName);
    if (!WriteWholeFile(path, {}, false)) return false;
    logPath = path;
    return true;
  } catch (...) {
    logPath.clear();
    return false;
  }
}

void AddToLog(const std::vector<std::string>& lines) noexcept {
  if (logPath.empty() || logFull) return;
  try {
    std::string block;
    for (const std::string& line : lines) {
      const size_t room = kLogCapBytes - kDropped.size() - kLineEnd.size();
      if (logBytes + block.size() + line.size() + kLineEnd.size() > room) {
        block.append(kDropped).append(kLineEnd);
        logFull = true;
        break;
      }
      block.append(line).append(kLineEnd);
    }
    // A log that can no longer be written stays silent rather than retrying every line.
    if (!WriteWholeFile(logPath, block, true)) logPath.clear();
    logBytes += block.size();
  } catch (...) {
    logPath.clear();
  }
}

void AddToLog(std::string_view line) noexcept {
  try {
    AddToLog(std::vector<std::string>{std::string(line)});
  } catch (...) {
  }
}

void AddEventToLog(std::string_view line) noexcept {
  if (logPath.empty() || logFull) return;
  const uint64_t seconds = (TickCount64() - logStartedMs) / 1000;
  char time[32];
  std::snprintf(time, sizeof time, "[%llu:%02llu] ", static_cast<unsigned long long>(seconds / 60),
                static_cast<unsigned long long>(seconds % 60));
  try {
    AddToLog(std::string(time).append(line));
  } catch (...) {
  }
}

const std::string& LogPath() noexcept { return logPath; }

}  // namespace host
