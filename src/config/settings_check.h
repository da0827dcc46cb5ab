// Emberwick.ini read line by line before inih reads it, so that every line is
// accounted for: for a line that does not do what it seems to say, a finding
// with its number, what the plug-in makes of it and what the player probably
// meant.
//
// The checker also hands inih the text it reads: the file converted to UTF-8,
// one line per line of the file, no line longer than inih's 199 characters.
// Two readings that make a line useless are mended there: an indented line is
// a line of its own (inih would add it to the value above), and of a setting
// written twice the first counts (inih would join both values into one that
// no getter reads). Everything else inih reads as it always has, and the
// finding says what came of it.
//
// Like the setting table it uses no natives and no state of the plug-in: the
// simulator's --check-ini compiles it on its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/text_encoding.h"

// inih reads at most this many bytes of a line; the rest of a longer one it
// would read as further lines.
inline constexpr size_t kMaxLineBytes = 199;

// What one press on the settings page does about a finding; None where the
// checker knows no sure mend.
struct SettingsFix {
  enum class Kind {
    None,
    Value,       // `setting` gets the value `text`
    Line,        // line `line` becomes `text`
    RemoveLine,  // line `line` goes
    Move,        // line `line` goes, and `setting` gets `text` unless its own section sets it
  };
  Kind kind = Kind::None;
  int line = 0;
  int setting = -1;  // its place in kSettings
  std::string text;
};

struct SettingsFinding {
  int line = 0;         // from 1
  std::string written;  // the line, trimmed and cut short
  std::string problem;  // what the plug-in makes of it
  std::string advice;   // what to write instead; may be empty
  SettingsFix fix;
};

struct CheckedSettings {
  std::string text;  // what inih reads
  TextEncoding encoding = TextEncoding::Utf8;
  bool carriageReturnLines = false;  // lines ended by a carriage return alone, read as lines
  std::vector<SettingsFinding> findings;
  // The value each setting of kSettings has in the file, as the getters will
  // read it; nullopt where the file does not set it.
  std::vector<std::optional<std::string>> values;
  // For each setting of kSettings, the line (from 1) its value comes from; 0
  // where the file does not set it.
  std::vector<int> valueLines;
};

// Where the name and the value of a line that inih reads as NAME=value (or
// NAME:value) are, in bytes from the start of the line; nullopt for any other
// line. The value ends before white space and an inline comment.
struct SettingLineParts {
  size_t nameBegin = 0, nameEnd = 0;
  size_t valueBegin = 0, valueEnd = 0;
};
std::optional<SettingLineParts> SplitSettingLine(std::string_view line);
// The section a [section] line opens, as inih reads its name; nullopt for any
// other line.
std::optional<std::string> SectionOfLine(std::string_view line);
// Whether two names are one to inih (letter case aside).
bool SameSettingName(std::string_view a, std::string_view b);

// What the checker says of NAME=VALUE written under the setting's own section
// (under [General] for a name that is no setting): its findings, without
// line numbers. Empty when the setting reads as written.
std::vector<std::string> CheckAssignment(std::string_view name, std::string_view value);

// The lines of decoded text as the checker numbers them: split at line feeds
// (at carriage returns when there is no line feed at all), a carriage return
// before the line feed not part of the line.
std::vector<std::string_view> SettingsLines(std::string_view text);

CheckedSettings CheckSettingsText(std::string_view bytes);

// How many lines of the file have a finding.
int LinesWithFindings(const CheckedSettings& checked);

// One line of the log: line 4 "KEY_SMOK=F5": KEY_SMOK is not a setting, so
// the line is not used. Did you mean KEY_SMOKE?
std::string FormatFinding(const SettingsFinding& finding);

// How the file's bytes were read, when not as plain UTF-8 lines; empty otherwise.
std::string DescribeReading(const CheckedSettings& checked);

// "KEY_SMOKE=F5 (default N)" for every setting the file sets to something the
// plug-in reads differently from its default, in the table's order.
std::vector<std::string> DifferencesFromDefaults(const CheckedSettings& checked);
