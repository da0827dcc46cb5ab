// Emberwick.ini written back with the changes a player asked for, and with
// nothing else changed: every line that is not edited keeps its bytes (its
// comment, its spacing, its line end), the encoding stays the file's own (a
// UTF-8 mark, UTF-16 of either byte order), and of an edited setting only
// the value's text changes. A setting the file lacks goes at the end of its
// section, the section at the end of the file when there is none.
//
// The settings page and emberwick-sim --set both use it; it calls no native
// and keeps no state, so the simulator compiles it on its own.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct SettingsEdits {
  // Each setting (its place in kSettings) with its new value.
  std::vector<std::pair<int, std::string>> values;
  // Lines (from 1) given a new text, or removed (nullopt): the mends of the
  // checker's findings. They are made first; the values then go where the
  // mended file has them.
  std::map<int, std::optional<std::string>> lines;

  bool Empty() const { return values.empty() && lines.empty(); }
};

struct WrittenSettings {
  bool ok = false;
  std::string bytes;    // the new file, when ok
  std::string refusal;  // why not, otherwise
};

// `bytes` is the file as read (empty: there is none); `newLine` ends lines the
// writer adds when the file has no line end of its own to copy.
WrittenSettings WriteSettingsText(std::string_view bytes, const SettingsEdits& edits, std::string_view newLine);

// Why a value cannot stand in the file as written (a line break, white space
// at its ends, an inline comment, a line too long for the reader); empty when
// it can.
std::string UnwritableValue(std::string_view name, std::string_view value);
