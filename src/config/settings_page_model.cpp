#include "config/settings_page_model.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "config/key_names.h"
#include "config/setting_table.h"

namespace {

const Setting& SettingAt(int index) { return kSettings[static_cast<size_t>(index)]; }

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// As the true/false getter reads it.
bool ReadsTrue(std::string_view value, std::string_view fallback) {
  const std::string lower = Lower(std::string(value));
  if (lower == "true" || lower == "yes" || lower == "on" || lower == "1") return true;
  if (lower == "false" || lower == "no" || lower == "off" || lower == "0") return false;
  return fallback == "true";
}

// The keys a key setting's value stands for.
std::vector<int> KeysOf(const Setting& setting, const std::string& value) {
  std::vector<int> keys;
  if (setting.kind == SettingKind::Key) {
    keys.push_back(KeyNameToCode(value));
  } else if (setting.kind == SettingKind::KeyCombination) {
    KeyCombination combination = ParseKeyCombination(value);
    if (!IsUsableCombination(combination)) combination = ParseKeyCombination(std::string(setting.defaultValue));
    keys.assign(combination.keys, combination.keys + combination.count);
  }
  return keys;
}

bool IsKeySetting(const Setting& setting) {
  return setting.kind == SettingKind::Key || setting.kind == SettingKind::KeyCombination;
}

void SetValue(SettingsPageModel& page, int setting, std::string value) {
  const std::optional<std::string>& inFile = page.checked.values[static_cast<size_t>(setting)];
  // Back to what the file says is no change at all.
  if (inFile && *inFile == value) page.edited[static_cast<size_t>(setting)].reset();
  else page.edited[static_cast<size_t>(setting)] = std::move(value);
}

std::string FixText(const SettingsFix& fix) {
  switch (fix.kind) {
    case SettingsFix::Kind::Value:
      return std::string(SettingAt(fix.setting).name) + "=" + fix.text;
    case SettingsFix::Kind::Line:
      return fix.text;
    case SettingsFix::Kind::RemoveLine:
      return "remove line " + std::to_string(fix.line);
    case SettingsFix::Kind::Move:
      return "move it under [" + std::string(SettingAt(fix.setting).section) + "]";
    case SettingsFix::Kind::None:
      break;
  }
  return {};
}

void Mend(SettingsPageModel& page, int findingIndex) {
  const SettingsFinding& finding = page.checked.findings[static_cast<size_t>(findingIndex)];
  const SettingsFix& fix = finding.fix;
  switch (fix.kind) {
    case SettingsFix::Kind::None:
      page.status = "No sure mend for line " + std::to_string(finding.line) + ": edit it in Emberwick.ini";
      return;
    case SettingsFix::Kind::Value:
      SetValue(page, fix.setting, fix.text);
      break;
    case SettingsFix::Kind::Line:
      page.lineMends.lines[fix.line] = fix.text;
      break;
    case SettingsFix::Kind::RemoveLine:
      page.lineMends.lines[fix.line] = std::nullopt;
      break;
    case SettingsFix::Kind::Move:
      page.lineMends.lines[fix.line] = std::nullopt;
      // Where its own section already sets it, that value is the one read.
      if (!page.checked.values[static_cast<size_t>(fix.setting)]) SetValue(page, fix.setting, fix.text);
      break;
  }
  page.mended[static_cast<size_t>(findingIndex)] = true;
  page.status = "Line " + std::to_string(finding.line) + " mended: " + FixText(fix) + " (saved with the rest)";
}

}  // namespace

void OpenPageModel(SettingsPageModel& page, CheckedSettings checked) {
  page = SettingsPageModel{};
  page.checked = std::move(checked);
  page.checked.values.resize(std::size(kSettings));
  page.checked.valueLines.resize(std::size(kSettings));
  page.edited.assign(std::size(kSettings), std::nullopt);
  page.mended.assign(page.checked.findings.size(), false);
  page.rows.push_back({PageRow::Kind::Save, 0});
  for (size_t i = 0; i < page.checked.findings.size(); ++i) {
    page.rows.push_back({PageRow::Kind::Finding, static_cast<int>(i)});
  }
  for (size_t group = 0; group < std::size(kSettingSections); ++group) {
    page.rows.push_back({PageRow::Kind::Group, static_cast<int>(group)});
    for (size_t i = 0; i < std::size(kSettings); ++i) {
      if (kSettings[i].section == kSettingSections[group]) page.rows.push_back({PageRow::Kind::Setting, static_cast<int>(i)});
    }
  }
}

std::string ShownValue(const SettingsPageModel& page, int setting) {
  const size_t at = static_cast<size_t>(setting);
  if (page.edited[at]) return *page.edited[at];
  if (page.checked.values[at]) return *page.checked.values[at];
  return std::string(kSettings[at].defaultValue);
}

bool IsEdited(const SettingsPageModel& page, int setting) { return page.edited[static_cast<size_t>(setting)].has_value(); }

void MoveSelection(SettingsPageModel& page, int direction) {
  const int count = static_cast<int>(page.rows.size());
  int at = page.selected;
  for (int tries = 0; tries < count; ++tries) {
    at = (at + direction + count) % count;
    if (page.rows[static_cast<size_t>(at)].kind != PageRow::Kind::Group) break;
  }
  page.selected = at;
}

void StepSelected(SettingsPageModel& page, int direction) {
  const PageRow& row = page.rows[static_cast<size_t>(page.selected)];
  if (row.kind != PageRow::Kind::Setting) return;
  const Setting& setting = SettingAt(row.index);
  const std::string value = ShownValue(page, row.index);
  if (setting.kind == SettingKind::Bool) {
    SetValue(page, row.index, ReadsTrue(value, setting.defaultValue) ? "false" : "true");
  } else if (setting.kind == SettingKind::Int) {
    char* end = nullptr;
    long long number = std::strtoll(value.c_str(), &end, 0);
    if (end == value.c_str()) number = std::strtoll(std::string(setting.defaultValue).c_str(), nullptr, 0);
    number = std::clamp(number + direction * setting.step, setting.min, setting.max);
    SetValue(page, row.index, std::to_string(number));
  }
}

bool SelectedSteps(const SettingsPageModel& page) {
  const PageRow& row = page.rows[static_cast<size_t>(page.selected)];
  if (row.kind != PageRow::Kind::Setting) return false;
  const SettingKind kind = SettingAt(row.index).kind;
  return kind == SettingKind::Bool || kind == SettingKind::Int;
}

PageAction AcceptSelected(SettingsPageModel& page) {
  const PageRow& row = page.rows[static_cast<size_t>(page.selected)];
  switch (row.kind) {
    case PageRow::Kind::Save:
      return PageAction::Save;
    case PageRow::Kind::Finding:
      if (!page.mended[static_cast<size_t>(row.index)]) Mend(page, row.index);
      return PageAction::None;
    case PageRow::Kind::Group:
      return PageAction::None;
    case PageRow::Kind::Setting:
      break;
  }
  const Setting& setting = SettingAt(row.index);
  if (IsKeySetting(setting)) {
    page.capturing = row.index;
    page.status.clear();
    return PageAction::CaptureKeys;
  }
  if (setting.kind == SettingKind::Bool || setting.kind == SettingKind::Int) StepSelected(page, 1);
  else page.status = std::string(setting.name) + " is shown here: change it in Emberwick.ini";
  return PageAction::None;
}

bool RebindCaptured(SettingsPageModel& page, const std::vector<int>& keys) {
  const int target = page.capturing;
  page.capturing = -1;
  if (target < 0 || keys.empty()) return false;
  const Setting& setting = SettingAt(target);
  if (setting.kind == SettingKind::Key && keys.size() != 1) {
    page.status = std::string(setting.name) + " takes one key";
    return false;
  }
  if (keys.size() > static_cast<size_t>(KeyCombination::kMaxKeys)) {
    page.status = std::string(setting.name) + " takes at most four keys";
    return false;
  }
  for (size_t i = 0; i < std::size(kSettings); ++i) {
    const Setting& other = kSettings[i];
    if (static_cast<int>(i) == target || !IsKeySetting(other)) continue;
    for (int key : KeysOf(other, ShownValue(page, static_cast<int>(i)))) {
      if (std::find(keys.begin(), keys.end(), key) == keys.end()) continue;
      page.status = KeysText({key}) + " is " + std::string(other.name) + "'s key already: " +
                    std::string(setting.name) + " stays " + ShownValue(page, target);
      return false;
    }
  }
  SetValue(page, target, KeysText(keys));
  page.status = std::string(setting.name) + " is now " + KeysText(keys) + " (saved with the rest)";
  return true;
}

SettingsEdits PendingEdits(const SettingsPageModel& page) {
  SettingsEdits edits = page.lineMends;
  for (size_t i = 0; i < page.edited.size(); ++i) {
    if (page.edited[i]) edits.values.emplace_back(static_cast<int>(i), *page.edited[i]);
  }
  return edits;
}

int PendingCount(const SettingsPageModel& page) {
  const SettingsEdits edits = PendingEdits(page);
  return static_cast<int>(edits.values.size() + edits.lines.size());
}

std::string RowText(const SettingsPageModel& page, const PageRow& row) {
  switch (row.kind) {
    case PageRow::Kind::Save: {
      const int count = PendingCount(page);
      return count == 0 ? "Save (nothing changed yet)"
                        : "Save " + std::to_string(count) + (count == 1 ? " change" : " changes") + " and reload";
    }
    case PageRow::Kind::Finding: {
      const SettingsFinding& finding = page.checked.findings[static_cast<size_t>(row.index)];
      std::string text = "Line " + std::to_string(finding.line) + " \"" + finding.written + "\"";
      if (page.mended[static_cast<size_t>(row.index)]) return text + ": mended";
      const std::string fix = FixText(finding.fix);
      return fix.empty() ? text + ": no sure mend" : text + ": mend with " + fix;
    }
    case PageRow::Kind::Group:
      return "[" + std::string(kSettingSections[static_cast<size_t>(row.index)]) + "]";
    case PageRow::Kind::Setting:
      break;
  }
  const Setting& setting = SettingAt(row.index);
  if (page.capturing == row.index) {
    return std::string(setting.name) + " = press " +
           (setting.kind == SettingKind::KeyCombination ? "the keys together" : "a key") + " (cancel keeps " +
           ShownValue(page, row.index) + ")";
  }
  std::string value = ShownValue(page, row.index);
  if (value.empty()) value = "(empty)";
  return std::string(setting.name) + " = " + value + (IsEdited(page, row.index) ? "  (changed)" : "");
}

std::string RowDescription(const SettingsPageModel& page, const PageRow& row) {
  switch (row.kind) {
    case PageRow::Kind::Save:
      return page.checked.findings.empty() ? "Writes Emberwick.ini and reloads it, as the reload keys do"
                                           : "Below: the lines of Emberwick.ini that need a look, each with its mend";
    case PageRow::Kind::Finding: {
      const SettingsFinding& finding = page.checked.findings[static_cast<size_t>(row.index)];
      return finding.problem;
    }
    case PageRow::Kind::Group:
      return {};
    case PageRow::Kind::Setting:
      break;
  }
  return std::string(SettingAt(row.index).description);
}

std::string KeysText(const std::vector<int>& keys) {
  std::string text;
  for (int key : keys) {
    if (!text.empty()) text += '+';
    const std::string_view name = KeyCodeName(key);
    if (!name.empty()) {
      text += name;
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(key) & 0xFFu);
      text += code;
    }
  }
  return text;
}
