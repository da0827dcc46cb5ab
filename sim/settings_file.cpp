#include "settings_file.h"

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>

#include "config/setting_table.h"
#include "config/settings_check.h"
#include "config/settings_save.h"
#include "config/text_encoding.h"
#include "host/module_files.h"
#include "read_file.h"
#include "session.h"

namespace sim {
namespace {

int FindSetting(std::string_view name) {
  for (size_t i = 0; i < std::size(kSettings); ++i) {
    if (SameSettingName(kSettings[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string> Lines(const std::string& bytes) {
  const std::string text = DecodeText(bytes).utf8;
  std::vector<std::string> lines;
  for (std::string_view line : SettingsLines(text)) lines.emplace_back(line);
  return lines;
}

struct WatchedFile {
  std::filesystem::path path;
  int sessionWrites = -1;
  std::optional<std::string> baseline;  // as the session left it; nullopt: no file
  std::optional<std::string> seen;
  std::filesystem::file_time_type stamp{};
  uintmax_t size = 0;
};
WatchedFile watched;

std::optional<std::string> ReadIfThere(const std::filesystem::path& path) {
  std::string bytes;
  if (!ReadFile(path, bytes)) return std::nullopt;
  return bytes;
}

void Stamp() {
  std::error_code error;
  watched.stamp = std::filesystem::last_write_time(watched.path, error);
  watched.size = std::filesystem::file_size(watched.path, error);
}

void CheckWatchedFile(Simulator& sim) {
  if (SessionSettingsWrites() != watched.sessionWrites) {
    watched.sessionWrites = SessionSettingsWrites();
    watched.baseline = watched.seen = ReadIfThere(watched.path);
    Stamp();
    return;
  }
  std::error_code error;
  const auto stamp = std::filesystem::last_write_time(watched.path, error);
  const uintmax_t size = error ? 0 : std::filesystem::file_size(watched.path, error);
  if (!error && stamp == watched.stamp && size == watched.size && watched.seen) return;
  const std::optional<std::string> now = ReadIfThere(watched.path);
  watched.stamp = stamp;
  watched.size = size;
  if (now == watched.seen) return;
  size_t out = 0, in = 0;
  if (now && watched.seen) {
    for (const std::string& line : LineDiff(*watched.seen, *now)) ++(line[0] == '-' ? out : in);
  }
  sim.Event("file", !watched.seen ? "Emberwick.ini created by the plug-in"
                    : !now        ? "Emberwick.ini removed"
                                  : "Emberwick.ini written by the plug-in (" + std::to_string(out) +
                                        (out == 1 ? " line" : " lines") + " out, " + std::to_string(in) + " in)");
  watched.seen = now;
}

}  // namespace

std::vector<std::string> LineDiff(const std::string& before, const std::string& after) {
  const std::vector<std::string> a = Lines(before), b = Lines(after);
  // The longest common run of lines, from the end.
  std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (size_t i = a.size(); i-- > 0;) {
    for (size_t j = b.size(); j-- > 0;) {
      common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    }
  }
  std::vector<std::string> diff;
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      ++i;
      ++j;
    } else if (i < a.size() && (j == b.size() || common[i + 1][j] >= common[i][j + 1])) {
      diff.push_back("- " + std::to_string(i + 1) + " " + a[i]);
      ++i;
    } else {
      diff.push_back("+ " + std::to_string(j + 1) + " " + b[j]);
      ++j;
    }
  }
  return diff;
}

int SetIniValues(const std::string& path, const std::vector<std::string>& assignments) {
  std::string bytes;
  if (!ReadFile(path, bytes)) {
    std::fprintf(stderr, "emberwick-sim: cannot read %s\n", path.c_str());
    return 2;
  }
  SettingsEdits edits;
  bool refused = assignments.empty();
  if (refused) std::printf("Nothing to set: write NAME=VALUE after the file.\n");
  for (const std::string& assignment : assignments) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
      std::printf("%s: write NAME=VALUE\n", assignment.c_str());
      refused = true;
      continue;
    }
    const std::string name = assignment.substr(0, equals), value = assignment.substr(equals + 1);
    const std::string unwritable = UnwritableValue(name, value);
    std::vector<std::string> words = unwritable.empty() ? CheckAssignment(name, value) : std::vector{unwritable};
    const int index = FindSetting(name);
    if (index < 0 && words.empty()) words.push_back(name + " is not a setting.");
    for (const std::string& word : words) std::printf("%s: %s\n", assignment.c_str(), word.c_str());
    if (!words.empty()) {
      refused = true;
      continue;
    }
    edits.values.emplace_back(index, value);
  }
  if (refused) {
    std::printf("Nothing written: %s is as it was.\n", path.c_str());
    return 1;
  }
  const SaveResult result = SaveSettingsFile(path, true, bytes, edits, host::kLineEnd);
  std::printf("%s: %s\n", path.c_str(), result.message.c_str());
  if (result.outcome == SaveOutcome::Refused) return 1;
  if (result.outcome != SaveOutcome::Written) return 2;
  std::string written;
  ReadFile(path, written);
  for (const std::string& line : LineDiff(bytes, written)) std::printf("  %s\n", line.c_str());
  return 0;
}

void WatchSettingsFile(Simulator& sim, const std::string& folder) {
  watched = WatchedFile{};
  watched.path = std::filesystem::path(folder) / "Emberwick.ini";
  sim.AddFrameEndHook([&sim] { CheckWatchedFile(sim); });
}

std::vector<std::string> SettingsFileChanges() {
  const std::optional<std::string> now = ReadIfThere(watched.path);
  if (now == watched.baseline) return {};
  std::vector<std::string> lines = {watched.baseline ? "Emberwick.ini changed during the session:"
                                                     : "Emberwick.ini was created during the session:"};
  for (std::string& line : LineDiff(watched.baseline.value_or(""), now.value_or(""))) lines.push_back("  " + line);
  return lines;
}

}  // namespace sim
