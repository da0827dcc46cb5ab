// Emberwick.ini with arbitrary contents: every load must finish and leave
// settings that the rest of the plug-in can use safely; the checker's text
// must be one inih reads line for line, its values the ones the plug-in reads,
// and the same file saved as UTF-16 or with a UTF-8 mark must read the same.
#include <INIReader.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "config/setting_table.h"
#include "config/settings.h"
#include "host/key_states.h"
#include "host/module_files.h"
#include "smoking/smoke_kind.h"
#include "stand_in_host.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "settings fuzz: %s\n", what);
    std::abort();
  }
}

char workDirectory[64];

void RemoveWorkDirectory() {
  std::remove("Emberwick.ini");
  rmdir(workDirectory);
}

// The text as UTF-16 (little-endian, with its mark); false when it is not
// UTF-8 without zero bytes, which a UTF-16 file cannot say the same way.
bool ToUtf16(const std::string& utf8, std::string& out) {
  out = "\xFF\xFE";
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || lead == 0 || i + length > utf8.size()) return false;
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next >> 6) != 2) return false;
      code = code << 6 | (next & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    auto unit = [&out](uint32_t u) {
      out += static_cast<char>(u & 0xFF);
      out += static_cast<char>(u >> 8);
    };
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
    i += length;
  }
  return true;
}

void CheckTheChecker(const std::string& bytes) {
  const CheckedSettings checked = CheckSettingsText(bytes);
  // Every line of the text inih reads is one it reads whole and as a line of its own.
  size_t start = 0;
  while (start < checked.text.size()) {
    const size_t end = checked.text.find('\n', start);
    Check(end != std::string::npos, "a last line without its end");
    const std::string line = checked.text.substr(start, end - start);
    Check(line.size() <= kMaxLineBytes, "a line longer than inih reads");
    Check(line.find('\0') == std::string::npos, "a zero byte inih would stop at");
    Check(line.empty() || (line[0] != ' ' && line[0] != '\t'), "an indented line inih would join to the one above");
    start = end + 1;
  }
  int lastLine = 0;
  for (const SettingsFinding& finding : checked.findings) {
    Check(finding.line >= lastLine && finding.line >= 1, "findings out of the order of their lines");
    Check(!finding.problem.empty(), "a finding that says nothing");
    lastLine = finding.line;
  }
  // Saved another way, the file reads the same (a file with a mark of its
  // own is read another way already).
  for (const char* mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    if (bytes.rfind(mark, 0) == 0) return;
  }
  std::vector<std::string> others = {"\xEF\xBB\xBF" + bytes};
  std::string utf16;
  if (ToUtf16(bytes, utf16)) others.push_back(utf16);
  for (const std::string& other : others) {
    const CheckedSettings again = CheckSettingsText(other);
    Check(again.values == checked.values, "a file read differently with a byte-order mark or as UTF-16");
    Check(LinesWithFindings(again) == LinesWithFindings(checked), "other findings for the same file saved another way");
  }
}

// A file the checker finds nothing in, read as plain lines of at most 199
// bytes, holds for each setting the value inih read from it before the
// checker was there: such a file plays exactly as it did.
void CheckPlainFilesReadAsBefore(const std::string& bytes) {
  const CheckedSettings& checked = LastSettingsReport().checked;
  if (!checked.findings.empty() || !DescribeReading(checked).empty()) return;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    if (end - start > kMaxLineBytes) return;
    start = end + 1;
  }
  const INIReader before("Emberwick.ini");
  for (size_t i = 0; i < std::size(kSettings); ++i) {
    const std::string section(kSettings[i].section);
    const std::string name(kSettings[i].name);
    const std::optional<std::string> value =
        before.HasValue(section, name) ? std::optional<std::string>(before.Get(section, name, "")) : std::nullopt;
    Check(value == checked.values[i], "a file without findings that reads differently from before");
  }
}

// What the load made of the keys and texts is what the checker says the file holds.
void CheckLoadAgreesWithChecker() {
  const CheckedSettings& checked = LastSettingsReport().checked;
  auto value = [&checked](const char* name) {
    const Setting& setting = kSettings[static_cast<size_t>(SettingIndex(name))];
    const auto& found = checked.values[static_cast<size_t>(SettingIndex(name))];
    return found ? *found : std::string(setting.defaultValue);
  };
  for (const Setting& setting : kSettings) {
    if (setting.kind != SettingKind::Key) continue;
    const std::string name(setting.name);
    Check(keySettingCodes.byRow[SettingIndex(name)] == KeyNameToCode(value(name.c_str())),
          "a key setting that is not the value the checker found");
  }
  Check(SMOKE_PROMPT_LABEL == value("SMOKE_PROMPT_LABEL"), "a label that is not the value the checker found");
  Check(SCENARIO_TYPE[3] == value("SCENARIO4_TYPE"), "a scenario that is not the value the checker found");
  Check(IsUsableCombination(KEY_RELOAD), "reload keys that no keyboard sends");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  standin::AnswerAssetsLoaded();
  // The plug-in reads Emberwick.ini from the working directory. The file is
  // rewritten for every input: keep it in memory when the system allows.
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::snprintf(workDirectory, sizeof workDirectory, "%s/emberwick-fuzz-XXXXXX", base);
    if (mkdtemp(workDirectory) && chdir(workDirectory) == 0) {
      host::SetModuleFolder(workDirectory);
      std::atexit(RemoveWorkDirectory);
      return 0;
    }
  }
  std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A load that keeps the script waiting this long is a hang.
  standin::LimitWaits(10000);
  if (size == 0) {
    std::remove("Emberwick.ini");  // the missing-file path
  } else {
    FILE* file = std::fopen("Emberwick.ini", "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  LoadSettings();
  CheckLoadAgreesWithChecker();
  if (size > 0) CheckPlainFilesReadAsBefore(std::string(reinterpret_cast<const char*>(data), size));
  CheckTheChecker(std::string(reinterpret_cast<const char*>(data), size));

  Check(!deadEyeBurstEnabled || deadEyeBurstWindowMs >= 3000, "an enabled burst with a window under 3 s");
  for (const SmokeKind* kind : kSmokeKinds) {
    for (int axis = 0; axis < 6; ++axis) {
      Check(std::isfinite(*kind->userOffsets[axis]), "an offset that is not a finite number");
    }
  }
  Check(PUFF_BUTTON_ENABLES_MANUAL_SMOKING == 0 || PUFF_BUTTON_ENABLES_MANUAL_SMOKING == 45000,
        "a manual-smoking window other than 0 or 45000 ms");
  // Whatever the bindings read as, asking about them is safe.
  for (size_t row = 0; row < std::size(kSettings); ++row) {
    if (kSettings[row].kind != SettingKind::Key) continue;
    const int key = keySettingCodes.byRow[row];
    IsKeyDown(key);
    IsKeyHeld(key);
    ConsumeKeyReleased(key);
    ConsumeKeyTapped(key);
  }
  return 0;
}
