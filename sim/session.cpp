#include "session.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "config/key_names.h"
#include "read_file.h"

namespace sim {
namespace {

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream stream(line);
  std::string word;
  while (stream >> word) words.push_back(word);
  return words;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string RestOfLine(const std::string& line, const std::string& command) {
  size_t at = line.find(command);
  if (at == std::string::npos) return {};
  size_t start = line.find_first_not_of(" \t", at + command.size());
  return start == std::string::npos ? std::string() : line.substr(start);
}

}  // namespace

int ParseKeyName(const std::string& rawName) {
  // The settings' names, in one map. (The session explorer's fixed runs
  // depend on it: libFuzzer learns from the string compares the host makes
  // too, and a planted fault may be found another way when they change.)
  static const std::map<std::string, int> kNames = [] {
    std::map<std::string, int> names;
    for (const KeyName& key : kKeyNames) names.emplace(key.name, key.code);
    return names;
  }();
  std::string name = Upper(rawName);
  if (name.rfind("VK_", 0) == 0) name = name.substr(3);
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) return name[0];
  auto it = kNames.find(name);
  if (it != kNames.end()) return it->second;
  if (name.rfind("0X", 0) == 0 && name.size() > 2) {
    char* end = nullptr;
    long code = std::strtol(name.c_str() + 2, &end, 16);
    if (*end == '\0' && code >= 0 && code <= 255) return static_cast<int>(code);
  }
  return -1;
}

int64_t ParseDurationMs(const std::string& text) {
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || value < 0) return -1;
  std::string unit = end;
  if (unit == "s") return static_cast<int64_t>(value * 1000.0 + 0.5);
  if (unit == "ms" || unit.empty()) return static_cast<int64_t>(value + 0.5);
  if (unit == "min") return static_cast<int64_t>(value * 60000.0 + 0.5);
  return -1;
}

namespace {
int settingsWrites = 0;
}  // namespace

bool WriteSettingsFile(const std::string& contents, std::string& error) {
  std::ofstream file("Emberwick.ini", std::ios::binary | std::ios::trunc);
  if (!file) {
    error = "cannot write Emberwick.ini in the working directory";
    return false;
  }
  file << contents;
  ++settingsWrites;
  return true;
}

int SessionSettingsWrites() { return settingsWrites; }

bool RunSession(Simulator& sim, const std::string& text, const std::string& baseDir, std::string& error) {
  std::istringstream lines(text);
  std::string line;
  int lineNumber = 0;
  auto fail = [&](const std::string& message) {
    error = "line " + std::to_string(lineNumber) + ": " + message;
    return false;
  };
  while (std::getline(lines, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0][0] == '#') continue;
    const std::string& command = words[0];
    auto needArgs = [&](size_t count) { return words.size() >= count + 1; };

    if (command == "fps" && needArgs(1)) {
      double fps = std::atof(words[1].c_str());
      if (fps <= 0 || fps > 1000) return fail("fps must be between 0 and 1000");
      sim.SetFrameUs(static_cast<int64_t>(1'000'000.0 / fps + 0.5));
    } else if (command == "ini" && needArgs(1)) {
      std::string contents;
      if (words[1].rfind("<<", 0) == 0) {
        std::string terminator = words[1].substr(2);
        std::string body;
        bool closed = false;
        while (std::getline(lines, body)) {
          ++lineNumber;
          if (!body.empty() && body.back() == '\r') body.pop_back();
          if (body == terminator) {
            closed = true;
            break;
          }
          contents += body + "\n";
        }
        if (!closed) return fail("inline settings without their closing " + terminator);
      } else {
        std::string path = words[1][0] == '/' ? words[1] : baseDir + "/" + words[1];
        if (!ReadFile(path, contents)) return fail("cannot read " + path);
      }
      if (!WriteSettingsFile(contents, error)) return fail(error);
      sim.hashes.LearnSettingValues(contents);
    } else if (command == "frames" && needArgs(1)) {
      int count = std::atoi(words[1].c_str());
      if (count < 0) return fail("frames must not be negative");
      sim.RunFrames(count);
    } else if (command == "wait" && needArgs(1)) {
      int64_t ms = ParseDurationMs(words[1]);
      if (ms < 0) return fail("cannot read the duration '" + words[1] + "'");
      sim.RunMs(ms);
    } else if ((command == "press" || command == "release" || command == "hold" || command == "tap") &&
               needArgs(1)) {
      int key = ParseKeyName(words[1]);
      if (key < 0) return fail("unknown key '" + words[1] + "'");
      if (command == "press") {
        sim.Event("key", "press " + words[1], "key " + words[1], Span::Begin);
        sim.KeyDown(key);
      } else if (command == "release") {
        sim.Event("key", "release " + words[1], "key " + words[1], Span::End);
        sim.KeyUp(key);
      } else {
        int64_t ms = command == "tap" ? 100 : (needArgs(2) ? ParseDurationMs(words[2]) : -1);
        if (ms < 0) return fail("hold needs a duration, such as 'hold N 500ms'");
        sim.Event("key", command + " " + words[1] + " for " + std::to_string(ms) + " ms", "key " + words[1],
                  Span::Begin);
        const size_t held = sim.timeline.Events().size() - 1;
        sim.KeyDown(key);
        sim.RunMs(ms);
        sim.KeyUp(key);
        sim.timeline.SetUntil(held, sim.Frame());
      }
    } else if (command == "set" && needArgs(2)) {
      std::string setError;
      if (!sim.Set(words[1], RestOfLine(line, words[1]), setError)) return fail(setError);
    } else if (command == "unwritable" && needArgs(1)) {
      // A folder where the plug-in would write the file: as root, the one
      // sure way to make a path that cannot be written.
      std::error_code failure;
      std::filesystem::create_directories(words[1], failure);
      if (failure) return fail("cannot make " + words[1] + " unwritable: " + failure.message());
      sim.Event("file", words[1] + " cannot be written (a folder stands there)");
    } else if (command == "note") {
      sim.Event("note", RestOfLine(line, "note"));
    } else if (const Command* custom = sim.FindCommand(command)) {
      std::string commandError;
      std::vector<std::string> args(words.begin() + 1, words.end());
      if (!(*custom)(args, commandError)) return fail(commandError);
    } else {
      return fail("cannot understand '" + line + "'");
    }
  }
  return true;
}

}  // namespace sim
