// What the settings page shows and what a player changes on it, without the
// game: the rows (a save row, the checker's findings with their mends, then
// every setting by group with its value and description), the selection, and
// the edits that a save hands to the writer. Drawing it and reading the
// controls belong to src/input/settings_page.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/settings_check.h"
#include "config/settings_writer.h"

struct PageRow {
  enum class Kind { Save, Finding, Group, Setting };
  Kind kind = Kind::Save;
  int index = 0;  // Finding: in the findings; Group: in kSettingSections; Setting: in kSettings
};

struct SettingsPageModel {
  std::vector<PageRow> rows;
  int selected = 0;
  CheckedSettings checked;  // the file as read
  // By setting: the value the player gave it; nullopt while unchanged.
  std::vector<std::optional<std::string>> edited;
  std::vector<bool> mended;  // by finding
  SettingsEdits lineMends;   // the mended findings' line changes
  int capturing = -1;        // the key setting waiting for its key(s); -1 when none
  std::string status;        // the page's last word: a refusal, a save
};

void OpenPageModel(SettingsPageModel& page, CheckedSettings checked);

// The value as the page shows it: the player's, else the file's, else the default.
std::string ShownValue(const SettingsPageModel& page, int setting);
bool IsEdited(const SettingsPageModel& page, int setting);

// Up and down, over the group headers.
void MoveSelection(SettingsPageModel& page, int direction);
// Left and right: a true/false setting toggles; a whole number steps within
// its range. Texts, offsets and keys are not stepped.
void StepSelected(SettingsPageModel& page, int direction);
bool SelectedSteps(const SettingsPageModel& page);

enum class PageAction { None, Save, CaptureKeys };
// Accept: the save row asks for a save, a finding is mended, a true/false
// setting toggles, a key setting waits for its key(s).
PageAction AcceptSelected(SettingsPageModel& page);

// The keys pressed for the setting being captured; a key another Emberwick
// key setting uses is refused, with the status saying which. True when taken.
bool RebindCaptured(SettingsPageModel& page, const std::vector<int>& keys);

// What a save writes.
SettingsEdits PendingEdits(const SettingsPageModel& page);
int PendingCount(const SettingsPageModel& page);

// The row's line, and the one-line description under the list.
std::string RowText(const SettingsPageModel& page, const PageRow& row);
std::string RowDescription(const SettingsPageModel& page, const PageRow& row);

// "F5", "END+NUMPAD6": keys as the file writes them.
std::string KeysText(const std::vector<int>& keys);
