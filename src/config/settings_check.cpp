#include "config/settings_check.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "config/key_names.h"
#include "config/setting_table.h"

namespace {

// inih's own notion of white space (isspace in the C locale) and of a line.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  return text;
}

// Where inih's find_chars_or_comment stops: at one of `chars`, or at a ';'
// that follows white space (an inline comment), or at the end.
size_t FindCharsOrComment(std::string_view text, std::string_view chars) {
  bool wasSpace = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (chars.find(text[i]) != std::string_view::npos) return i;
    if (wasSpace && text[i] == ';') return i;
    wasSpace = IsSpace(text[i]);
  }
  return text.size();
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Names compare as inih compares them, letter case aside.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  }
  return true;
}

// Letters and digits only, upper case: "Key smoke" and "KEY_SMOKE" meet.
std::string Folded(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (IsAlnum(c)) out += UpperChar(c);
  }
  return out;
}

bool FoldsTo(std::string_view name, std::string_view folded) {
  size_t at = 0;
  for (char c : name) {
    if (!IsAlnum(c)) continue;
    if (at == folded.size() || UpperChar(c) != folded[at]) return false;
    ++at;
  }
  return at == folded.size();
}

// Edits from one name to the other, letter case aside; `limit` + 1 as soon as
// it is clear there are more than `limit`.
size_t EditDistance(std::string_view a, std::string_view b, size_t limit) {
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return limit + 1;
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    size_t best = row[0];
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (UpperChar(a[i - 1]) == UpperChar(b[j - 1]) ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[j]);
    }
    if (best > limit) return limit + 1;
  }
  return row[b.size()];
}

// The candidate a mistyped word most likely meant: the same letters and
// digits, or a name one or two edits away; empty when none stands out.
template <typename Names>
std::string_view Nearest(std::string_view written, const Names& names) {
  const std::string folded = Folded(written);
  for (std::string_view name : names) {
    if (!folded.empty() && FoldsTo(name, folded)) return name;
  }
  const size_t allowed = written.size() <= 4 ? 1 : 2;
  std::string_view best;
  size_t bestDistance = allowed + 1;
  bool tie = false;
  for (std::string_view name : names) {
    const size_t distance = EditDistance(written, name, allowed);
    if (distance < bestDistance) {
      best = name;
      bestDistance = distance;
      tie = false;
    } else if (distance == bestDistance && distance <= allowed && !SameName(name, best)) {
      tie = true;
    }
  }
  return tie ? std::string_view() : best;
}

std::vector<std::string_view> SettingNames(std::string_view section) {
  std::vector<std::string_view> names;
  for (const Setting& setting : kSettings) {
    if (section.empty() || SameName(setting.section, section)) names.push_back(setting.name);
  }
  return names;
}

int FindSetting(std::string_view section, std::string_view name) {
  for (size_t i = 0; i < std::size(kSettings); ++i) {
    if (SameName(kSettings[i].section, section) && SameName(kSettings[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

int FindSettingAnywhere(std::string_view name) {
  for (size_t i = 0; i < std::size(kSettings); ++i) {
    if (SameName(kSettings[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

bool IsSection(std::string_view section) {
  return std::any_of(std::begin(kSettingSections), std::end(kSettingSections),
                     [&](std::string_view known) { return SameName(known, section); });
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Hex(long long code) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s0x%llX", code < 0 ? "-" : "", code < 0 ? -code : code);
  return buffer;
}

std::string FloatText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

// --- The getters' readings ----------------------------------------------------

bool ReadBool(std::string_view value, bool fallback, bool* understood = nullptr) {
  const std::string lower = Lower(value);
  if (understood) *understood = true;
  if (lower == "true" || lower == "yes" || lower == "on" || lower == "1") return true;
  if (lower == "false" || lower == "no" || lower == "off" || lower == "0") return false;
  if (understood) *understood = false;
  return fallback;
}

struct IntReading {
  long long number = 0;  // before the clamp to int
  size_t used = 0;       // characters read; 0: no number, the default
};

IntReading ReadInteger(std::string_view value) {
  const std::string text(value);
  char* end = nullptr;
  IntReading reading;
  reading.number = std::strtoll(text.c_str(), &end, 0);
  reading.used = static_cast<size_t>(end - text.c_str());
  return reading;
}

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int ReadInt(std::string_view value, int fallback) {
  const IntReading reading = ReadInteger(value);
  return reading.used > 0 ? ClampToInt(reading.number) : fallback;
}

struct FloatReading {
  double number = 0;
  size_t used = 0;
};

FloatReading ReadDouble(std::string_view value) {
  const std::string text(value);
  char* end = nullptr;
  FloatReading reading;
  reading.number = std::strtod(text.c_str(), &end);
  reading.used = static_cast<size_t>(end - text.c_str());
  return reading;
}

bool FloatCanHold(double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; }

float ReadFloat(std::string_view value) {
  const FloatReading reading = ReadDouble(value);
  if (reading.used == 0 || !FloatCanHold(reading.number)) return 0.0f;
  return static_cast<float>(reading.number);
}

KeyCombination ReadCombination(std::string_view value, std::string_view fallback) {
  const KeyCombination combination = ParseKeyCombination(std::string(value));
  return IsUsableCombination(combination) ? combination : ParseKeyCombination(std::string(fallback));
}

// What the plug-in makes of a value (a missing one: of the default), as text
// that is equal for equal readings.
std::string Reading(const Setting& setting, std::string_view value) {
  switch (setting.kind) {
    case SettingKind::Bool:
      return ReadBool(value, ReadBool(setting.defaultValue, false)) ? "true" : "false";
    case SettingKind::Int:
      return std::to_string(ReadInt(value, ReadInt(setting.defaultValue, 0)));
    case SettingKind::Float:
      return FloatText(ReadFloat(value));
    case SettingKind::Key:
      return std::to_string(KeyNameToCode(std::string(value)));
    case SettingKind::KeyCombination: {
      const KeyCombination combination = ReadCombination(value, setting.defaultValue);
      std::string text;
      for (int i = 0; i < combination.count; ++i) text += std::to_string(combination.keys[i]) + "+";
      return text;
    }
    case SettingKind::Text:
      break;
  }
  return std::string(value);
}

// --- What a value makes of a setting -------------------------------------------

struct Verdict {
  std::string problem;  // empty: the value reads as it says
  std::string advice;
  std::optional<std::string> fix;  // the value that mends it
};

Verdict CheckBool(const Setting& setting, std::string_view value) {
  bool understood = true;
  ReadBool(value, false, &understood);
  if (value.empty() || understood) return {};
  constexpr std::string_view kSpellings[] = {"true", "false", "yes", "no", "on", "off"};
  const std::string_view meant = value.size() >= 3 ? Nearest(value, kSpellings) : std::string_view();
  return {Quoted(value) + " is neither true nor false, so the default, " + std::string(setting.defaultValue) +
              ", is used",
          meant.empty() ? "write true or false" : "write " + std::string(meant),
          meant.empty() ? std::optional<std::string>() : std::string(meant)};
}

Verdict CheckInt(const Setting& setting, std::string_view value) {
  if (value.empty()) return {};
  const IntReading reading = ReadInteger(value);
  const std::string written(value);
  if (reading.used == 0) {
    return {Quoted(value) + " is not a number, so the default, " + std::string(setting.defaultValue) + ", is used",
            "write a whole number such as " + std::string(setting.defaultValue), std::string(setting.defaultValue)};
  }
  const std::string read = std::to_string(ClampToInt(reading.number));
  const size_t sign = value[0] == '-' || value[0] == '+' ? 1 : 0;
  if (value.size() > sign + 1 && value[sign] == '0' && IsDigit(value[sign + 1])) {
    // The decimal number the digits probably meant: "035" meant 35, "08" 8.
    size_t from = sign;
    while (from < written.size() && written[from] == '0') ++from;
    size_t to = from;
    while (to < written.size() && IsDigit(written[to])) ++to;
    const std::string meant = written.substr(0, sign) + (to > from ? written.substr(from, to - from) : "0");
    return {Quoted(value) + " starts with 0, which makes it an octal number: it reads as " + read,
            "write " + meant + " without the leading 0", meant};
  }
  if (reading.used < value.size()) {
    return {Quoted(value) + " reads as " + read + ": " + Quoted(value.substr(reading.used)) +
                " after the number is not read",
            "write a whole number such as " + read, read};
  }
  if (setting.min < setting.max && (reading.number < setting.min || reading.number > setting.max)) {
    const std::string range = std::to_string(setting.min) + " to " + std::to_string(setting.max);
    return {Quoted(value) + " is outside what the setting can use (" + range + ")" +
                (reading.number < setting.min ? ": it acts as " + std::to_string(setting.min) : ""),
            "write a number from " + range,
            std::to_string(std::clamp(reading.number, setting.min, setting.max))};
  }
  return {};
}

Verdict CheckFloat(std::string_view value) {
  if (value.empty()) return {};
  const FloatReading reading = ReadDouble(value);
  const std::string decimal = "write a decimal number such as 0.01";
  if (reading.used == 0) return {Quoted(value) + " is not a number, so 0 is used", decimal, {}};
  if (!FloatCanHold(reading.number)) {
    return {Quoted(value) + " is no number the plug-in can use, so 0 is used", decimal, {}};
  }
  if (reading.used < value.size()) {
    const std::string read = FloatText(static_cast<float>(reading.number));
    const std::string_view rest = value.substr(reading.used);
    if (rest.size() > 1 && rest[0] == ',' && IsDigit(rest[1])) {
      std::string withPoint(value);
      withPoint[reading.used] = '.';
      return {Quoted(value) + " reads as " + read + ": the decimal separator is a point", "write " + withPoint,
              withPoint};
    }
    return {Quoted(value) + " reads as " + read + ": " + Quoted(rest) + " after the number is not read",
            "write the number alone, " + read, read};
  }
  return {};
}

std::string DescribeCode(int code) {
  switch (UseOfKeyCode(code)) {
    case KeyCodeUse::Key: {
      const std::string_view name = KeyCodeName(code);
      return name.empty() ? "the key of code " + Hex(code) : "the " + std::string(name) + " key";
    }
    case KeyCodeUse::MouseButton:
      return "code " + Hex(code) + ", a mouse button, which only compatibility mode reads";
    case KeyCodeUse::NoKey:
      return code == 0 ? "0, no key" : "code " + Hex(code) + ", which no key sends";
    case KeyCodeUse::OutOfRange:
      break;
  }
  return code < 0 ? "a negative code, which no key sends" : "code " + Hex(code) + ", above 255, which no key sends";
}

// Words people write for a key whose name is a character.
constexpr std::pair<std::string_view, std::string_view> kKeyWords[] = {{"COMMA", ","}, {"DOT", "."}};

// The key name a mistyped one most likely meant; empty when none stands out.
std::string SuggestKeyName(std::string_view upper) {
  for (const auto& [word, name] : kKeyWords) {
    if (upper == word) return std::string(name);
  }
  std::vector<std::string_view> names;
  for (const KeyName& key : kKeyNames) {
    if (key.name.size() > 1) names.push_back(key.name);
  }
  // The start of exactly one key's names: "DEL" for DELETE.
  if (upper.size() >= 3) {
    int code = -1;
    std::string_view found;
    bool several = false;
    for (const KeyName& key : kKeyNames) {
      if (key.name.size() <= upper.size() || key.name.substr(0, upper.size()) != upper) continue;
      if (code >= 0 && key.code != code) several = true;
      if (code < 0) found = key.name;
      code = key.code;
    }
    if (code >= 0 && !several) return std::string(found);
  }
  return std::string(Nearest(upper, names));
}

Verdict CheckKey(std::string_view value) {
  if (value.empty()) return {};
  const std::string written(value);
  const int code = KeyNameToCode(written);
  const std::string reads = "it reads as " + DescribeCode(code);
  const std::string anyKey = "write a key name (such as N, F5 or NUMPAD6) or a code such as 0x72";
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    const std::string unquoted(value.substr(1, value.size() - 2));
    return {"the quotes count as part of the name, so " + reads, "write " + unquoted + " without quotes", unquoted};
  }
  std::string name = written;
  if (name.size() > 2 && (name.rfind("VK_", 0) == 0 || name.rfind("vk_", 0) == 0)) {
    name.erase(0, 3);
  } else if (name.size() > 2 && Upper(name.substr(0, 3)) == "VK_") {
    return {"only VK_ or vk_ is read as the prefix, so " + reads, "write VK_" + Upper(name.substr(3)),
            "VK_" + Upper(name.substr(3))};
  }
  const std::string upper = Upper(name);
  if (FindKeyCode(upper) >= 0) return {};
  if (upper.size() == 1) {
    if (IsAlnum(upper[0])) return {};
    return {Quoted(value) + " is not a key name: " + reads, anyKey, {}};
  }
  const std::string suggestion = SuggestKeyName(upper);
  const std::string advice = suggestion.empty() ? anyKey : "write " + suggestion;
  const std::optional<std::string> fix = suggestion.empty() ? std::optional<std::string>() : suggestion;
  // Not a name: read as a hexadecimal number, as far as there are digits.
  size_t at = upper[0] == '-' || upper[0] == '+' ? 1 : 0;
  const bool prefixed = upper.compare(at, 2, "0X") == 0;
  if (prefixed) at += 2;
  size_t digits = 0;
  while (at + digits < upper.size() && IsHexDigit(upper[at + digits])) ++digits;
  const std::string number = upper.substr(0, at + digits);
  if (digits > 0 && at + digits == upper.size()) {
    if (prefixed && UseOfKeyCode(code) == KeyCodeUse::Key) return {};
    if (prefixed) return {Quoted(value) + " " + reads.substr(3), "write the name or the code of a key", {}};
    const std::string_view named = UseOfKeyCode(code) == KeyCodeUse::Key ? KeyCodeName(code) : std::string_view();
    return {Quoted(value) + " is not a key name: it is read as the hexadecimal number " + number + ", " +
                DescribeCode(code),
            suggestion.empty() && !named.empty()
                ? "write " + std::string(named) + " or 0x" + number + " to say so"
                : advice,
            suggestion.empty() && !named.empty() ? std::string(named) : fix};
  }
  if (digits > 0) {
    return {Quoted(value) + " is not a key name: it is read as the hexadecimal number " + number + ", " +
                DescribeCode(code),
            advice, fix};
  }
  return {Quoted(value) + " is not a key name: " + reads, advice, fix};
}

Verdict CheckCombination(const Setting& setting, std::string_view value) {
  if (value.empty()) return {};
  Verdict verdict;
  size_t start = 0;
  int parts = 0;
  for (;;) {
    const size_t plus = value.find('+', start);
    const std::string_view part = Trim(value.substr(start, plus == std::string_view::npos ? plus : plus - start));
    ++parts;
    if (verdict.problem.empty()) {
      if (part.empty()) {
        verdict = {"a key is missing between the + signs", "write the keys with one + between each two", {}};
      } else {
        verdict = CheckKey(part);
      }
    }
    if (plus == std::string_view::npos) break;
    start = plus + 1;
  }
  if (parts > KeyCombination::kMaxKeys) {
    verdict = {"more than " + std::to_string(KeyCombination::kMaxKeys) + " keys", "write at most four keys", {}};
  }
  verdict.fix.reset();
  if (!IsUsableCombination(ParseKeyCombination(std::string(value)))) {
    if (verdict.problem.empty()) verdict.problem = "not every key of it is one a keyboard sends";
    verdict.problem += ", so the keys stay " + std::string(setting.defaultValue);
  }
  return verdict;
}

Verdict CheckValue(const Setting& setting, std::string_view value) {
  switch (setting.kind) {
    case SettingKind::Bool:
      return CheckBool(setting, value);
    case SettingKind::Int:
      return CheckInt(setting, value);
    case SettingKind::Float:
      return CheckFloat(value);
    case SettingKind::Key:
      return CheckKey(value);
    case SettingKind::KeyCombination:
      return CheckCombination(setting, value);
    case SettingKind::Text:
      break;
  }
  return {};
}

// --- Line by line --------------------------------------------------------------

std::string Shown(std::string_view line) {
  constexpr size_t kShown = 60;
  std::string shown(line.substr(0, kShown));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  }
  return line.size() > kShown ? shown + "..." : shown;
}

class LineChecker {
 public:
  explicit LineChecker(CheckedSettings& out) : out_(out) {
    out_.values.assign(std::size(kSettings), std::nullopt);
    out_.valueLines.assign(std::size(kSettings), 0);
  }

  void Line(std::string_view raw) {
    ++number_;
    const bool tooLong = raw.size() > kMaxLineBytes;
    std::string_view line = raw.substr(0, kMaxLineBytes);
    const size_t zero = line.find('\0');
    const bool cutAtZero = zero != std::string_view::npos;
    if (cutAtZero) line = line.substr(0, zero);
    const std::string_view text = Trim(line);
    written_ = Shown(text);
    if (text.empty() || text[0] == ';' || text[0] == '#') {
      Emit(text);
      return;
    }
    if (tooLong) {
      Find("the line is longer than " + std::to_string(kMaxLineBytes) + " characters: only the first " +
               std::to_string(kMaxLineBytes) + " are read",
           "shorten it");
    }
    if (cutAtZero) Find("the line holds a zero byte: what follows it is not read", "save the file as text");
    if (IsSpace(line[0]) && !lastName_.empty()) {
      Find("an indented line used to be read as more of " + lastName_ + " (line " + std::to_string(lastNameLine_) +
               "); it is now read as a line of its own",
           "remove the spaces in front of it", tooLong || cutAtZero ? SettingsFix{} : LineFix(std::string(text)));
    }
    if (text[0] == '[') {
      SectionLine(text);
    } else {
      SettingLine(text);
    }
  }

 private:
  void Emit(std::string_view text) {
    out_.text.append(text);
    out_.text += '\n';
  }

  void Find(std::string problem, std::string advice, SettingsFix fix = {}) {
    out_.findings.push_back({number_, written_, std::move(problem), std::move(advice), std::move(fix)});
  }

  SettingsFix LineFix(std::string text) const { return {SettingsFix::Kind::Line, number_, -1, std::move(text)}; }
  SettingsFix RemoveFix(int line) const { return {SettingsFix::Kind::RemoveLine, line, -1, {}}; }

  std::string Where() const {
    return section_ ? "under [" + *section_ + "]" : std::string("outside any section");
  }

  void SectionLine(std::string_view text) {
    const size_t end = FindCharsOrComment(text.substr(1), "]") + 1;
    if (end >= text.size() || text[end] != ']') {
      const std::string_view name = Trim(text.substr(1, end - 1));
      const std::string_view meant = IsSection(name) ? name : Nearest(name, kSettingSections);
      const std::string header = "[" + std::string(meant.empty() ? name : meant) + "]";
      Find("the section has no closing ], so it is not read and the lines below it stay " + Where(), "write " + header,
           name.empty() && meant.empty() ? SettingsFix{} : LineFix(header));
      Emit({});
      return;
    }
    // inih keeps 49 characters of a section name.
    section_ = std::string(text.substr(1, std::min<size_t>(end - 1, 49)));
    lastName_.clear();
    if (!IsSection(*section_)) {
      const std::string_view meant = Nearest(*section_, kSettingSections);
      Find("[" + *section_ + "] is not a section of Emberwick.ini, so the settings under it are not used",
           meant.empty() ? "the sections are [General], [Smoking], [Cutscenes], [Scenarios], [Advanced] and "
                           "[Translations]"
                         : "did you mean [" + std::string(meant) + "]?",
           meant.empty() ? SettingsFix{} : LineFix("[" + std::string(meant) + "]" + std::string(text.substr(end + 1))));
    }
    Emit(text);
  }

  void SettingLine(std::string_view text) {
    const size_t separator = FindCharsOrComment(text, "=:");
    if (separator == text.size() || (text[separator] != '=' && text[separator] != ':')) {
      NotASetting(text);
      Emit({});
      return;
    }
    const std::string name(Trim(text.substr(0, separator)));
    std::string_view value = text.substr(separator + 1);
    value = Trim(value.substr(0, FindCharsOrComment(value, "")));
    lastName_ = name;
    lastNameLine_ = number_;
    if (name.empty()) {
      Find("there is no setting name before the " + std::string(1, text[separator]) + ", so the line is not used",
           "write NAME=value");
      Emit(text);
      return;
    }
    const std::string key = Lower(section_.value_or("")) + "=" + Lower(name);
    auto [first, isFirst] = seen_.emplace(key, Seen{number_, value.empty()});
    if (!isFirst && !first->second.empty) {
      Find(name + " is already set on line " + std::to_string(first->second.line) + ", so this line is not used",
           "keep one of the two lines", RemoveFix(number_));
      Emit({});
      return;
    }
    if (!isFirst) {
      Find(name + " is already set, empty, on line " + std::to_string(first->second.line) +
               ": this later line is the one used",
           "remove line " + std::to_string(first->second.line), RemoveFix(first->second.line));
      first->second = Seen{number_, value.empty()};
    }
    const int index = section_ ? FindSetting(*section_, name) : -1;
    if (index >= 0) {
      out_.values[static_cast<size_t>(index)] = std::string(value);
      out_.valueLines[static_cast<size_t>(index)] = number_;
      const Verdict verdict = CheckValue(kSettings[static_cast<size_t>(index)], value);
      SettingsFix fix;
      if (verdict.fix) fix = {SettingsFix::Kind::Value, number_, index, *verdict.fix};
      if (!verdict.problem.empty()) Find(verdict.problem, verdict.advice, std::move(fix));
    } else {
      NotUsedHere(name, text.substr(separator));
    }
    Emit(text);
  }

  // A known name in the wrong place, or a name that is no setting.
  // `rest` is the line from its = on.
  void NotUsedHere(const std::string& name, std::string_view rest) {
    const int elsewhere = FindSettingAnywhere(name);
    if (elsewhere >= 0) {
      const std::string home = "[" + std::string(kSettings[static_cast<size_t>(elsewhere)].section) + "]";
      std::string_view value = rest.substr(1);
      value = Trim(value.substr(0, FindCharsOrComment(value, "")));
      Find(name + " is a setting of " + home + ", and here it is " + Where() + ", so it is not used",
           "move it under " + home, {SettingsFix::Kind::Move, number_, elsewhere, std::string(value)});
      return;
    }
    if (section_ && !IsSection(*section_)) {
      Find("the line is under [" + *section_ + "], which is not a section, so it is not used", "");
      return;
    }
    std::string_view meant = Nearest(name, SettingNames(section_.value_or("")));
    if (meant.empty()) meant = Nearest(name, SettingNames({}));
    Find(name + " is not a setting, so the line is not used",
         meant.empty() ? "" : "did you mean " + std::string(meant) + "?",
         meant.empty() ? SettingsFix{} : LineFix(std::string(meant) + std::string(rest)));
  }

  void NotASetting(std::string_view text) {
    // "KEY_SMOKE N": a setting with its value but without the =.
    const size_t space = std::min(text.find_first_of(" \t"), text.size());
    const int index = FindSettingAnywhere(text.substr(0, space));
    const std::string meant = index >= 0 ? std::string(kSettings[static_cast<size_t>(index)].name) + "=" +
                                               std::string(Trim(text.substr(space)))
                                         : std::string();
    Find("the line is neither a setting (NAME=value) nor a [section], so it is not used",
         index >= 0 ? "write " + meant : "write NAME=value, or put a ; in front to make it a comment",
         index >= 0 ? LineFix(meant) : SettingsFix{});
  }

  struct Seen {
    int line;
    bool empty;
  };

  CheckedSettings& out_;
  int number_ = 0;
  std::string written_;
  std::optional<std::string> section_;  // none before the first header
  std::string lastName_;                // the last setting since the header: inih's continuation target
  int lastNameLine_ = 0;
  std::map<std::string, Seen> seen_;
};

}  // namespace

CheckedSettings CheckSettingsText(std::string_view bytes) {
  CheckedSettings checked;
  DecodedText decoded = DecodeText(bytes);
  checked.encoding = decoded.encoding;
  std::string& text = decoded.utf8;
  if (text.find('\n') == std::string::npos && text.find('\r') != std::string::npos) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    checked.carriageReturnLines = true;
  }
  checked.text.reserve(text.size() + 16);
  LineChecker checker(checked);
  for (std::string_view line : SettingsLines(text)) checker.Line(line);
  return checked;
}

std::vector<std::string_view> SettingsLines(std::string_view text) {
  const char end = text.find('\n') == std::string_view::npos ? '\r' : '\n';
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t stop = text.find(end, start);
    if (stop == std::string_view::npos) stop = text.size();
    std::string_view line = text.substr(start, stop - start);
    if (end == '\n' && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = stop + 1;
  }
  return lines;
}

std::optional<SettingLineParts> SplitSettingLine(std::string_view line) {
  line = line.substr(0, std::min(line.size(), kMaxLineBytes));
  line = line.substr(0, line.find('\0'));
  size_t begin = 0;
  while (begin < line.size() && IsSpace(line[begin])) ++begin;
  const std::string_view text = line.substr(begin);
  if (text.empty() || text[0] == ';' || text[0] == '#' || text[0] == '[') return std::nullopt;
  const size_t separator = FindCharsOrComment(text, "=:");
  if (separator == text.size() || (text[separator] != '=' && text[separator] != ':')) return std::nullopt;
  SettingLineParts parts;
  parts.nameBegin = begin;
  parts.nameEnd = begin + separator;
  while (parts.nameEnd > parts.nameBegin && IsSpace(line[parts.nameEnd - 1])) --parts.nameEnd;
  if (parts.nameEnd == parts.nameBegin) return std::nullopt;
  std::string_view value = text.substr(separator + 1);
  value = value.substr(0, FindCharsOrComment(value, ""));
  parts.valueBegin = begin + separator + 1;
  parts.valueEnd = parts.valueBegin + value.size();
  while (parts.valueBegin < parts.valueEnd && IsSpace(line[parts.valueBegin])) ++parts.valueBegin;
  while (parts.valueEnd > parts.valueBegin && IsSpace(line[parts.valueEnd - 1])) --parts.valueEnd;
  return parts;
}

int LinesWithFindings(const CheckedSettings& checked) {
  int lines = 0;
  int last = 0;
  for (const SettingsFinding& finding : checked.findings) {
    if (finding.line != last) ++lines;
    last = finding.line;
  }
  return lines;
}

std::string FormatFinding(const SettingsFinding& finding) {
  std::string text = "line " + std::to_string(finding.line) + " " + Quoted(finding.written) + ": " + finding.problem;
  if (!finding.advice.empty()) {
    std::string advice = finding.advice;
    if (advice[0] >= 'a' && advice[0] <= 'z') advice[0] = static_cast<char>(advice[0] - 'a' + 'A');
    text += ". " + advice;
  }
  if (text.back() != '?') text += '.';
  return text;
}

std::string DescribeReading(const CheckedSettings& checked) {
  std::string description(DescribeConversion(checked.encoding));
  if (checked.carriageReturnLines) {
    if (!description.empty()) description += "; ";
    description += "lines ended by a carriage return alone, read as lines";
  }
  return description;
}

std::vector<std::string> DifferencesFromDefaults(const CheckedSettings& checked) {
  std::vector<std::string> differences;
  for (size_t i = 0; i < std::size(kSettings) && i < checked.values.size(); ++i) {
    if (!checked.values[i]) continue;
    const Setting& setting = kSettings[i];
    if (Reading(setting, *checked.values[i]) == Reading(setting, setting.defaultValue)) continue;
    const std::string fallback = setting.defaultValue.empty() ? "empty" : std::string(setting.defaultValue);
    differences.push_back(std::string(setting.name) + "=" + Shown(*checked.values[i]) + " (default " + fallback + ")");
  }
  return differences;
}

std::optional<std::string> SectionOfLine(std::string_view line) {
  line = line.substr(0, std::min(line.size(), kMaxLineBytes));
  line = line.substr(0, line.find('\0'));
  const std::string_view text = Trim(line);
  if (text.empty() || text[0] != '[') return std::nullopt;
  const size_t end = FindCharsOrComment(text.substr(1), "]") + 1;
  if (end >= text.size() || text[end] != ']') return std::nullopt;
  return std::string(text.substr(1, std::min<size_t>(end - 1, 49)));
}

bool SameSettingName(std::string_view a, std::string_view b) { return SameName(a, b); }

std::vector<std::string> CheckAssignment(std::string_view name, std::string_view value) {
  const int index = FindSettingAnywhere(name);
  const std::string_view section = index >= 0 ? kSettings[static_cast<size_t>(index)].section : "General";
  const std::string text = "[" + std::string(section) + "]\n" + std::string(name) + "=" + std::string(value) + "\n";
  std::vector<std::string> words;
  for (const SettingsFinding& finding : CheckSettingsText(text).findings) {
    std::string line = FormatFinding(finding);
    // "line 2 "NAME=VALUE": ..." without the line number, which is the check's own.
    const size_t quote = line.find('"');
    words.push_back(quote == std::string::npos ? line : line.substr(quote));
  }
  return words;
}
