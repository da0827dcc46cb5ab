// Every setting of Emberwick.ini: its section, its name, how its value is
// read, its default and, for a number, the values the plug-in can use.
//
// One table serves the reader (settings.cpp takes each setting's section,
// name and default from it), the line checker (settings_check.h), the log's
// lines about settings away from their defaults and the simulator's
// --check-ini. Like the key names it is header-only and knows nothing of the
// game or of the plug-in's state, so the simulator compiles the checker
// without linking the plug-in.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

enum class SettingKind {
  Bool,            // true/yes/on/1 or false/no/off/0, any letter case
  Int,             // a whole number: decimal, 0x hexadecimal, or octal after a leading 0
  Float,           // a decimal number
  Key,             // a key name or code (key_names.h)
  KeyCombination,  // keys held together, joined with "+"
  Text,
};

struct Setting {
  std::string_view section;
  std::string_view name;
  SettingKind kind;
  std::string_view defaultValue;  // as it would be written in the file
  // Int: the values the plug-in can use; a number outside them is still
  // read, and the checker says what it then does.
  long long min = 0;
  long long max = 0;
};

// The seconds of the Dead Eye burst become (seconds + 2) * 1000 milliseconds
// in an int: more than this and the window stops growing.
inline constexpr long long kMaxBurstSeconds = 2147481;

// In the order of the file.
inline constexpr Setting kSettings[] = {
    {"General", "ENABLED", SettingKind::Bool, "true"},
    {"General", "CONTROLLER_SUPPORT_ENABLED", SettingKind::Bool, "true"},
    {"General", "COMPATIBILITY_MODE_ENABLED", SettingKind::Bool, "false"},
    {"General", "KEY_SMOKE", SettingKind::Key, "N"},
    {"General", "KEY_SMOKE_CIGAR", SettingKind::Key, ","},
    {"General", "KEY_TAKE_PUFF", SettingKind::Key, "Y"},
    {"General", "KEY_OPEN_SCENARIO_MENU", SettingKind::Key, "Y"},
    {"General", "KEY_RELOAD", SettingKind::KeyCombination, "END+NUMPAD6"},
    {"General", "SHOW_NOTICES", SettingKind::Bool, "true"},
    {"Smoking", "REGEN_DEAD_EYE_BURST_SECONDS", SettingKind::Int, "35", 0, kMaxBurstSeconds},
    {"Smoking", "REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED", SettingKind::Bool, "true"},
    {"Smoking", "EXTENDED_SMOKE_DURATION", SettingKind::Bool, "false"},
    {"Smoking", "MANUAL_SMOKING_ONLY", SettingKind::Bool, "false"},
    {"Smoking", "PUFF_BUTTON_ENABLES_MANUAL_SMOKING", SettingKind::Bool, "true"},
    {"Smoking", "NEVER_FALLS_OUT", SettingKind::Bool, "false"},
    {"Smoking", "THROW_AWAY_FASTER", SettingKind::Bool, "false"},
    {"Smoking", "MOVE_TO_MOUTH_IMMEDIATELY", SettingKind::Bool, "false"},
    {"Smoking", "BLOCK_SMOKING_IF_NO_ITEM", SettingKind::Bool, "false"},
    {"Cutscenes", "DISABLE_ON_CONTROL_LOSS", SettingKind::Bool, "false"},
    {"Cutscenes", "FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS", SettingKind::Bool, "false"},
    {"Scenarios", "SCENARIOS_ENABLED", SettingKind::Bool, "true"},
    {"Scenarios", "SCENARIO1_TYPE", SettingKind::Text, "GENERIC_SIT_GROUND_SCENARIO"},
    {"Scenarios", "SCENARIO1_VARIATION", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO1_LABEL", SettingKind::Text, "Sit Down"},
    {"Scenarios", "SCENARIO2_TYPE", SettingKind::Text, "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK"},
    {"Scenarios", "SCENARIO2_VARIATION", SettingKind::Text, "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F"},
    {"Scenarios", "SCENARIO2_LABEL", SettingKind::Text, "Lean Forward"},
    {"Scenarios", "SCENARIO3_TYPE", SettingKind::Text, "WORLD_HUMAN_LEAN_RAILING_NO_PROPS"},
    {"Scenarios", "SCENARIO3_VARIATION", SettingKind::Text, "WORLD_HUMAN_LEAN_RAILING_MALE_B"},
    {"Scenarios", "SCENARIO3_LABEL", SettingKind::Text, "Lean Railing"},
    {"Scenarios", "SCENARIO4_TYPE", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO4_VARIATION", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO4_LABEL", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO5_TYPE", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO5_VARIATION", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO5_LABEL", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO6_TYPE", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO6_VARIATION", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO6_LABEL", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO7_TYPE", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO7_VARIATION", SettingKind::Text, ""},
    {"Scenarios", "SCENARIO7_LABEL", SettingKind::Text, ""},
    {"Advanced", "USE_ALTERNATIVE_CIGARETTE_MODEL", SettingKind::Bool, "false"},
    {"Advanced", "USE_SHORT_CIGAR_MODEL", SettingKind::Bool, "false"},
    {"Advanced", "SWAP_TO_SHORT_CIGAR_AFTER_PERIOD", SettingKind::Bool, "false"},
    {"Advanced", "HIDE_PROP_IN_FIRST_PERSON", SettingKind::Bool, "false"},
    {"Advanced", "USE_PROP_OFFSETS", SettingKind::Bool, "false"},
    {"Advanced", "CIGARETTE_X_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGARETTE_Y_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGARETTE_Z_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGARETTE_ROTX_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGARETTE_ROTY_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGARETTE_ROTZ_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGAR_X_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGAR_Y_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGAR_Z_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGAR_ROTX_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGAR_ROTY_OFFSET", SettingKind::Float, "0.0"},
    {"Advanced", "CIGAR_ROTZ_OFFSET", SettingKind::Float, "0.0"},
    {"Translations", "SMOKE_PROMPT_LABEL", SettingKind::Text, "Smoking"},
    {"Translations", "SMOKE_SIT_PROMPT_LABEL", SettingKind::Text, "Sitting"},
    {"Translations", "SMOKE_LEAN_ON_RAILING_PROMPT_LABEL", SettingKind::Text, "On Railing"},
    {"Translations", "SMOKE_STAND_PROMPT_LABEL", SettingKind::Text, "Standing Cigarette"},
    {"Translations", "SMOKE_STAND_PIPE_PROMPT_LABEL", SettingKind::Text, "Standing Pipe"},
    {"Translations", "CONTROLLER_SHOW_SCENARIOS_LABEL", SettingKind::Text, "Show Scenarios"},
    {"Translations", "CONTROLLER_SMOKE_HINT_LABEL", SettingKind::Text, "Smoke"},
    {"Translations", "CONTROLLER_THROW_MOVE_CIGARETTE_LABEL", SettingKind::Text, "Throw/Move Cigarette"},
    {"Translations", "CONTROLLER_THROW_MOVE_CIGAR_LABEL", SettingKind::Text, "Throw/Move Cigar"},
    {"Translations", "CONTROLLER_CIGARETTE_LABEL", SettingKind::Text, "Cigarette"},
    {"Translations", "CONTROLLER_CIGAR_LABEL", SettingKind::Text, "Cigar"},
    {"Translations", "NOTICE_RELOADED_TEXT", SettingKind::Text, "Emberwick {version}: settings reloaded"},
    {"Translations", "NOTICE_FINDINGS_TEXT", SettingKind::Text,
     "Emberwick {version}: {count} lines of Emberwick.ini need a look, see Emberwick.log"},
    {"Translations", "NOTICE_ONE_FINDING_TEXT", SettingKind::Text,
     "Emberwick {version}: 1 line of Emberwick.ini needs a look, see Emberwick.log"},
};

inline constexpr std::string_view kSettingSections[] = {"General",   "Smoking",  "Cutscenes",
                                                        "Scenarios", "Advanced", "Translations"};

// The setting of that exact name; a name outside the table does not compile
// where it is looked up at compile time.
consteval const Setting& SettingNamed(std::string_view name) {
  for (const Setting& setting : kSettings) {
    if (setting.name == name) return setting;
  }
  throw "no setting of that name";
}

// Its place in kSettings, by exact name; -1 when there is none.
constexpr int SettingIndex(std::string_view name) {
  for (size_t i = 0; i < std::size(kSettings); ++i) {
    if (kSettings[i].name == name) return static_cast<int>(i);
  }
  return -1;
}
