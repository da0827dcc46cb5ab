// User settings, read from Emberwick.ini. Each value keeps its INI key's name.
#pragma once

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "config/key_names.h"
#include "config/setting_table.h"
#include "config/settings_check.h"
#include "host/native_types.h"

// The code of every key setting, by its row of the setting table. The keys
// named below are rows of it; a kind of smoke takes its key setting from it
// by name (KeySetting), so a new key needs only its row and its line.
struct KeySettingCodes {
  int byRow[std::size(kSettings)];
};
extern KeySettingCodes keySettingCodes;

// The code of the key setting of that exact name; another name does not compile.
consteval const int* KeySetting(std::string_view name) {
  const int row = SettingIndex(name);
  if (row < 0 || kSettings[row].kind != SettingKind::Key) throw "no key setting of that name";
  return &keySettingCodes.byRow[row];
}

// General
extern bool ENABLED;
extern bool CONTROLLER_SUPPORT_ENABLED;
extern bool COMPATIBILITY_MODE_ENABLED;
extern int& KEY_SMOKE;  // the smoke key: it also works the kind smoked now
extern int& KEY_TAKE_PUFF;
extern int& KEY_OPEN_SCENARIO_MENU;
// Held together, they reload the settings; END+NUMPAD6 unless the file names
// keys a keyboard sends.
extern KeyCombination KEY_RELOAD;
// Opens and closes the settings page.
extern int& KEY_SETTINGS;
// The few seconds of text on screen after a reload, and after a load that
// found lines needing a look.
extern bool SHOW_NOTICES;

// Smoking
extern bool deadEyeBurstEnabled;   // REGEN_DEAD_EYE_BURST_SECONDS > 0
extern int deadEyeBurstWindowMs;   // (REGEN_DEAD_EYE_BURST_SECONDS + 2) * 1000
extern bool REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED;
extern bool EXTENDED_SMOKE_DURATION;
extern bool MANUAL_SMOKING_ONLY;
extern int PUFF_BUTTON_ENABLES_MANUAL_SMOKING;  // 45000 ms when on, 0 when off
extern bool NEVER_FALLS_OUT;
extern bool THROW_AWAY_FASTER;
extern bool MOVE_TO_MOUTH_IMMEDIATELY;
extern bool BLOCK_SMOKING_IF_NO_ITEM;

// Cutscenes
extern bool DISABLE_ON_CONTROL_LOSS;
extern bool FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS;

// Scenarios: slots 1 to 7 (index 0 to 6).
extern bool SCENARIOS_ENABLED;
constexpr int kScenarioSlots = 7;
extern std::string SCENARIO_TYPE[kScenarioSlots];       // SCENARIOn_TYPE
extern std::string SCENARIO_VARIATION[kScenarioSlots];  // SCENARIOn_VARIATION
extern std::string SCENARIO_LABEL[kScenarioSlots];      // SCENARIOn_LABEL
// The game's hashes of the names above, worked out when the settings load.
extern Hash SCENARIO_TYPE_HASH[kScenarioSlots];
extern Hash SCENARIO_VARIATION_HASH[kScenarioSlots];

// Advanced
extern bool USE_ALTERNATIVE_CIGARETTE_MODEL;
extern bool USE_SHORT_CIGAR_MODEL;
extern bool SWAP_TO_SHORT_CIGAR_AFTER_PERIOD;
extern bool HIDE_PROP_IN_FIRST_PERSON;
extern bool USE_PROP_OFFSETS;
extern float CIGARETTE_X_OFFSET, CIGARETTE_Y_OFFSET, CIGARETTE_Z_OFFSET;
extern float CIGARETTE_ROTX_OFFSET, CIGARETTE_ROTY_OFFSET, CIGARETTE_ROTZ_OFFSET;
extern float CIGAR_X_OFFSET, CIGAR_Y_OFFSET, CIGAR_Z_OFFSET;
extern float CIGAR_ROTX_OFFSET, CIGAR_ROTY_OFFSET, CIGAR_ROTZ_OFFSET;

// Translations
extern std::string SMOKE_PROMPT_LABEL;
extern std::string SMOKE_SIT_PROMPT_LABEL;
extern std::string SMOKE_LEAN_ON_RAILING_PROMPT_LABEL;
extern std::string SMOKE_STAND_PROMPT_LABEL;
extern std::string SMOKE_STAND_PIPE_PROMPT_LABEL;
extern std::string SETTINGS_PROMPT_LABEL;
extern std::string CONTROLLER_SHOW_SCENARIOS_LABEL;
extern std::string CONTROLLER_SMOKE_HINT_LABEL;
extern std::string CONTROLLER_THROW_MOVE_CIGARETTE_LABEL;
extern std::string CONTROLLER_THROW_MOVE_CIGAR_LABEL;
extern std::string CONTROLLER_CIGARETTE_LABEL;
extern std::string CONTROLLER_CIGAR_LABEL;
// The notices; "{version}" and "{count}" stand for Emberwick's version and
// the number of lines that need a look.
extern std::string NOTICE_RELOADED_TEXT;
extern std::string NOTICE_FINDINGS_TEXT;
extern std::string NOTICE_ONE_FINDING_TEXT;

inline constexpr std::string_view kSettingsFileName = "Emberwick.ini";

// Where the last load found Emberwick.ini, and what it made of it.
struct SettingsReport {
  enum class Source { ModuleFolder, WorkingFolder, None };
  Source source = Source::None;
  std::string moduleFolder;   // empty when unknown
  std::string workingFolder;  // looked in when the module's folder has no file
  std::string path;           // the file read; empty when there was none
  std::string bytes;          // what it held, as read
  CheckedSettings checked;
};

// Reads Emberwick.ini, from the module's folder or else from the working
// directory, and copies the compatibility mode for the key states. What a new
// load means for the rest of the plug-in (new prompt labels, a reset, the log
// and the notice) is done by the main loop's ReloadSettings after this.
void LoadSettings();
const SettingsReport& LastSettingsReport();

// The lines the log gets about a load: the file read, how it was converted,
// the settings away from their defaults and every finding.
std::vector<std::string> DescribeSettingsLoad(const SettingsReport& report);

// A notice's text with "{version}" and "{count}" filled in.
std::string FillNotice(std::string_view text, std::string_view version, int count);
