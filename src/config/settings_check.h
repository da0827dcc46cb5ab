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

struct SettingsFinding {
  int line = 0;         // from 1
  std::string written;  // the line, trimmed and cut short
  std::string problem;  // what the plug-in makes of it
  std::string advice;   // what to write instead; may be empty
};

struct CheckedSettings {
  std::string text;  // what inih reads
  TextEncoding encoding = TextEncoding::Utf8;
  bool carriageReturnLines = false;  // lines ended by a carriage return alone, read as lines
  std::vector<SettingsFinding> findings;
  // The value each setting of kSettings has in the file, as the getters will
  // read it; nullopt where the file does not set it.
  std::vector<std::optional<std::string>> values;
};

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
