#include "config/settings_writer.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "config/setting_table.h"
#include "config/settings_check.h"
#include "config/text_encoding.h"

namespace {

// A line of the file in its own encoding: its text and the line end after it
// (empty on a last line without one).
struct RawLine {
  std::string text;
  std::string end;
};

struct RawFile {
  TextEncoding encoding = TextEncoding::Utf8;
  std::vector<RawLine> lines;
  std::string newLine;  // in the file's encoding: the first line end it has
};

size_t UnitWidth(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16LittleEndian || encoding == TextEncoding::Utf16BigEndian ? 2 : 1;
}

uint32_t UnitAt(std::string_view body, size_t unit, TextEncoding encoding) {
  if (UnitWidth(encoding) == 1) return static_cast<unsigned char>(body[unit]);
  const auto first = static_cast<unsigned char>(body[2 * unit]);
  const auto second = static_cast<unsigned char>(body[2 * unit + 1]);
  return encoding == TextEncoding::Utf16BigEndian ? (first << 8 | second) : (second << 8 | first);
}

TextEncoding EncodingOf(std::string_view bytes) {
  for (TextEncoding encoding :
       {TextEncoding::Utf8WithMark, TextEncoding::Utf16LittleEndian, TextEncoding::Utf16BigEndian}) {
    const std::string_view mark = EncodingMark(encoding);
    if (bytes.substr(0, mark.size()) == mark) return encoding;
  }
  return TextEncoding::Utf8;
}

// The lines as the checker numbers them (SettingsLines), split in the file's
// own code units so that each keeps its bytes.
RawFile SplitRaw(std::string_view bytes) {
  RawFile file;
  file.encoding = EncodingOf(bytes);
  const std::string_view body = bytes.substr(EncodingMark(file.encoding).size());
  const size_t width = UnitWidth(file.encoding);
  const size_t units = body.size() / width;
  bool hasLineFeed = false;
  for (size_t u = 0; u < units && !hasLineFeed; ++u) hasLineFeed = UnitAt(body, u, file.encoding) == '\n';
  const uint32_t separator = hasLineFeed ? '\n' : '\r';
  size_t start = 0;
  while (start < units) {
    size_t stop = start;
    while (stop < units && UnitAt(body, stop, file.encoding) != separator) ++stop;
    size_t textEnd = stop;
    if (hasLineFeed && textEnd > start && UnitAt(body, textEnd - 1, file.encoding) == '\r') --textEnd;
    const size_t next = stop < units ? stop + 1 : units;
    RawLine line{std::string(body.substr(start * width, (textEnd - start) * width)),
                 std::string(body.substr(textEnd * width, (next - textEnd) * width))};
    if (file.newLine.empty()) file.newLine = line.end;
    file.lines.push_back(std::move(line));
    start = next;
  }
  return file;
}

std::string Join(const RawFile& file) {
  std::string bytes(EncodingMark(file.encoding));
  for (const RawLine& line : file.lines) bytes.append(line.text).append(line.end);
  return bytes;
}

// The new text of a setting's line: only the value's bytes change.
std::optional<std::string> WithValue(std::string_view line, std::string_view value) {
  const std::optional<SettingLineParts> parts = SplitSettingLine(line);
  if (!parts) return std::nullopt;
  std::string text(line.substr(0, parts->valueBegin));
  text.append(value);
  // An empty value right before an inline comment: keep the comment one.
  if (!value.empty() && parts->valueEnd < line.size() && line[parts->valueEnd] == ';') text += ' ';
  text.append(line.substr(parts->valueEnd));
  return text;
}

// Where a setting the file lacks goes: after the last line of its section's
// last block that is neither blank nor a comment (the header at least); the
// number of lines of the file when the section is missing.
std::optional<size_t> InsertionPoint(const std::vector<std::string>& decoded, std::string_view section) {
  std::optional<size_t> after;
  bool inSection = false;
  for (size_t i = 0; i < decoded.size(); ++i) {
    if (const std::optional<std::string> header = SectionOfLine(decoded[i])) {
      inSection = SameSettingName(*header, section);
      if (inSection) after = i;
      continue;
    }
    const size_t first = decoded[i].find_first_not_of(" \t\r\v\f");
    if (!inSection || first == std::string::npos || decoded[i][first] == ';' || decoded[i][first] == '#') continue;
    after = i;
  }
  return after;
}

void EndLastLine(RawFile& file) {
  if (!file.lines.empty() && file.lines.back().end.empty()) file.lines.back().end = file.newLine;
}

bool ApplyLineEdits(RawFile& file, const SettingsEdits& edits) {
  std::vector<RawLine> kept;
  for (size_t i = 0; i < file.lines.size(); ++i) {
    const auto edit = edits.lines.find(static_cast<int>(i + 1));
    if (edit == edits.lines.end()) {
      kept.push_back(std::move(file.lines[i]));
    } else if (edit->second) {
      if (edit->second->find_first_of("\r\n") != std::string::npos) return false;
      kept.push_back({EncodeUnits(*edit->second, file.encoding), std::move(file.lines[i].end)});
    }
  }
  file.lines = std::move(kept);
  return true;
}

WrittenSettings Refuse(std::string why) { return {false, {}, std::move(why)}; }

}  // namespace

std::string UnwritableValue(std::string_view name, std::string_view value) {
  const std::string quoted = "\"" + std::string(value.substr(0, 40)) + (value.size() > 40 ? "...\"" : "\"");
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
    return quoted + " holds a line break or a zero byte, which a line of Emberwick.ini cannot";
  }
  if (!value.empty() && (value.find_first_of(" \t\v\f") == 0 || value.find_last_of(" \t\v\f") == value.size() - 1)) {
    return quoted + " starts or ends with white space, which is not read";
  }
  for (size_t i = 1; i < value.size(); ++i) {
    if (value[i] == ';' && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
      return quoted + " holds \" ;\", which starts a comment: what follows would not be read";
    }
  }
  if (!value.empty() && value[0] == ';') return quoted + " starts with ;, which may be read as a comment";
  if (name.size() + 1 + value.size() > kMaxLineBytes) {
    return "the line would be longer than " + std::to_string(kMaxLineBytes) + " characters, which is not read whole";
  }
  return {};
}

WrittenSettings WriteSettingsText(std::string_view bytes, const SettingsEdits& edits, std::string_view newLine) {
  if (UnitWidth(EncodingOf(bytes)) == 2 && (bytes.size() % 2) != 0) {
    return Refuse("Emberwick.ini ends in half a UTF-16 character; save it again in an editor first");
  }
  for (const auto& [index, value] : edits.values) {
    if (index < 0 || static_cast<size_t>(index) >= std::size(kSettings)) return Refuse("no such setting");
    const std::string why = UnwritableValue(kSettings[static_cast<size_t>(index)].name, value);
    if (!why.empty()) return Refuse(std::string(kSettings[static_cast<size_t>(index)].name) + ": " + why);
  }

  RawFile file = SplitRaw(bytes);
  if (file.newLine.empty()) file.newLine = EncodeUnits(newLine, file.encoding);
  if (!ApplyLineEdits(file, edits)) return Refuse("a mended line would hold a line break");

  // The values go where the file, mended, has them.
  const CheckedSettings mended = CheckSettingsText(Join(file));
  std::vector<std::string> decoded;
  decoded.reserve(file.lines.size());
  for (const RawLine& line : file.lines) decoded.push_back(DecodeUnits(line.text, file.encoding));
  // Settings the file lacks, by section, in the table's order.
  std::vector<std::pair<std::string_view, std::vector<std::string>>> added;
  for (const auto& [index, value] : edits.values) {
    const Setting& setting = kSettings[static_cast<size_t>(index)];
    const int line = static_cast<size_t>(index) < mended.valueLines.size() ? mended.valueLines[static_cast<size_t>(index)] : 0;
    if (line > 0 && static_cast<size_t>(line) <= file.lines.size()) {
      const std::optional<std::string> text = WithValue(decoded[static_cast<size_t>(line - 1)], value);
      if (!text) return Refuse(std::string(setting.name) + ": its line cannot be read as a setting");
      decoded[static_cast<size_t>(line - 1)] = *text;
      file.lines[static_cast<size_t>(line - 1)].text = EncodeUnits(*text, file.encoding);
      continue;
    }
    auto group = std::find_if(added.begin(), added.end(), [&](const auto& g) { return g.first == setting.section; });
    if (group == added.end()) group = added.insert(added.end(), {setting.section, {}});
    group->second.push_back(std::string(setting.name) + "=" + value);
  }
  // From the last section of the file up, so that the places found stay true.
  std::vector<std::pair<size_t, size_t>> places;  // (line after which, group)
  std::vector<size_t> missing;
  for (size_t g = 0; g < added.size(); ++g) {
    const std::optional<size_t> after = InsertionPoint(decoded, added[g].first);
    if (after) places.emplace_back(*after, g);
    else missing.push_back(g);
  }
  std::sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (const auto& [after, g] : places) {
    if (after + 1 == file.lines.size()) EndLastLine(file);
    std::vector<RawLine> lines;
    for (const std::string& text : added[g].second) lines.push_back({EncodeUnits(text, file.encoding), file.newLine});
    file.lines.insert(file.lines.begin() + static_cast<std::ptrdiff_t>(after + 1), lines.begin(), lines.end());
  }
  // A missing section goes at the end, after a blank line unless the file
  // already ends with one.
  bool endsBlank = decoded.empty() || decoded.back().find_first_not_of(" \t\r\v\f") == std::string::npos;
  for (size_t g : missing) {
    EndLastLine(file);
    if (!endsBlank) file.lines.push_back({{}, file.newLine});
    file.lines.push_back({EncodeUnits("[" + std::string(added[g].first) + "]", file.encoding), file.newLine});
    for (const std::string& text : added[g].second) file.lines.push_back({EncodeUnits(text, file.encoding), file.newLine});
    endsBlank = false;
  }

  WrittenSettings written{true, Join(file), {}};
  // Never write a file that would not read back as asked.
  const CheckedSettings check = CheckSettingsText(written.bytes);
  for (const auto& [index, value] : edits.values) {
    const std::optional<std::string>& read = check.values[static_cast<size_t>(index)];
    if (!read || *read != value) {
      return Refuse(std::string(kSettings[static_cast<size_t>(index)].name) + "=" + value +
                    " would not read back as written");
    }
  }
  return written;
}
