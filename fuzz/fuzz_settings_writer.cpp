// The settings writer on any file and any set of edits. The input's first
// byte says how many of the bytes after it are edits; the rest is the file.
// When the writer writes (it may refuse), reading the new file gives every
// value asked for, the encoding is the file's own, and every line that no
// edit names is still there, in order, as it was.
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "config/setting_table.h"
#include "config/settings_check.h"
#include "config/settings_writer.h"
#include "config/text_encoding.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "settings writer fuzz: %s\n", what);
    std::abort();
  }
}

constexpr std::string_view kValues[] = {
    "F5", "true", "false", "0", "35", "", "Caf\xC3\xA9", "END+F5", "x y", "0x72", ";", "a;b", "[General]",
    "KEY_SMOKE=F6", " spaced", "Sit ; Down", "\xFF\xFE", "=", "NUMPAD6", "-1", "2147481",
};

std::vector<std::string> Lines(std::string_view bytes) {
  std::vector<std::string> lines;
  const std::string text = DecodeText(bytes).utf8;
  for (std::string_view line : SettingsLines(text)) lines.emplace_back(line);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t editBytes = std::min<size_t>(data[0] % 64, size - 1);
  const std::string_view edits(reinterpret_cast<const char*>(data + 1), editBytes);
  const std::string_view file(reinterpret_cast<const char*>(data + 1 + editBytes), size - 1 - editBytes);
  const std::vector<std::string> before = Lines(file);

  SettingsEdits asked;
  for (size_t i = 0; i + 1 < edits.size(); i += 2) {
    const auto what = static_cast<unsigned char>(edits[i]);
    const auto which = static_cast<unsigned char>(edits[i + 1]);
    const std::string value(kValues[(what / 3) % std::size(kValues)]);
    const int line = static_cast<int>(which % (before.size() + 1)) + 1;
    if (what % 3 == 0) {
      const int setting = static_cast<int>(which % std::size(kSettings));
      bool already = false;
      for (const auto& [index, v] : asked.values) already = already || index == setting;
      if (!already) asked.values.emplace_back(setting, value);
    } else if (what % 3 == 1) {
      asked.lines[line] = value;
    } else {
      asked.lines[line] = std::nullopt;
    }
  }

  const WrittenSettings written = WriteSettingsText(file, asked, "\r\n");
  if (!written.ok) {
    Check(!written.refusal.empty(), "a refusal without a reason");
    return 0;
  }
  const CheckedSettings read = CheckSettingsText(written.bytes);
  Check(read.encoding == CheckSettingsText(file).encoding || file.empty(), "the encoding changed");
  for (const auto& [index, value] : asked.values) {
    const std::optional<std::string>& got = read.values[static_cast<size_t>(index)];
    Check(got && *got == value, "a value does not read back as written");
  }
  // The lines no edit names stay, in order (the longest common run of lines
  // of the two files); a value edit changes one line, so no more unnamed lines
  // than value edits may be missing from it.
  std::vector<std::string> kept;
  for (size_t i = 0; i < before.size(); ++i) {
    if (!asked.lines.count(static_cast<int>(i + 1))) kept.push_back(before[i]);
  }
  const std::vector<std::string> after = Lines(written.bytes);
  std::vector<size_t> row(after.size() + 1, 0), next(after.size() + 1, 0);
  for (size_t i = kept.size(); i-- > 0;) {
    for (size_t j = after.size(); j-- > 0;) {
      next[j] = kept[i] == after[j] ? row[j + 1] + 1 : std::max(row[j], next[j + 1]);
    }
    std::swap(row, next);
  }
  const size_t missing = kept.size() - row[0];
  Check(missing <= asked.values.size(), "a line that no edit names changed");
  return 0;
}
