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
  // One line for the settings page; where the shipped file has a one-line
  // comment right above the setting, it is that comment.
  std::string_view description;
  // Int: the values the plug-in can use; a number outside them is still
  // read, and the checker says what it then does.
  long long min = 0;
  long long max = 0;
  // Int: how far one press on the settings page moves it.
  long long step = 1;
};

// The seconds of the Dead Eye burst become (seconds + 2) * 1000 milliseconds
// in an int: more than this and the window stops growing.
inline constexpr long long kMaxBurstSeconds = 2147481;

// In the order of the file.
inline constexpr Setting kSettings[] = {
    {"General", "ENABLED", SettingKind::Bool, "true",
     "Master switch: false turns the mod off (the reload keys still work)."},
    {"General", "CONTROLLER_SUPPORT_ENABLED", SettingKind::Bool, "true",
     "Controller prompts and buttons (satchel, RB, RT): true or false."},
    {"General", "COMPATIBILITY_MODE_ENABLED", SettingKind::Bool, "false",
     "Poll the keyboard instead of the hook's key messages, if keys do not respond."},
    {"General", "KEY_SMOKE", SettingKind::Key, "N",
     "Hold to light a cigarette; tap to throw it away, hold to move it hand/mouth."},
    {"General", "KEY_SMOKE_CIGAR", SettingKind::Key, ",",
     "The same for a cigar (the comma key by default)."},
    {"General", "KEY_TAKE_PUFF", SettingKind::Key, "Y",
     "Take a puff on demand while the cigarette or cigar is in the hand."},
    {"General", "KEY_OPEN_SCENARIO_MENU", SettingKind::Key, "Y",
     "Hold to open the scenario menu (sit, lean, pipe...); tap to close it."},
    {"General", "KEY_RELOAD", SettingKind::KeyCombination, "END+NUMPAD6",
     "Hold these keys together to reload the settings file; a + joins keys."},
    {"General", "KEY_SETTINGS", SettingKind::Key, "F9",
     "Press to open or close the settings page in the game."},
    {"General", "SHOW_NOTICES", SettingKind::Bool, "true",
     "A few seconds of text on screen after a reload or a load with findings."},
    {"Smoking", "REGEN_DEAD_EYE_BURST_SECONDS", SettingKind::Int, "35",
     "Seconds of fast Dead Eye regeneration after you light up; 0 turns it off.", 0, kMaxBurstSeconds, 5},
    {"Smoking", "REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED", SettingKind::Bool, "true",
     "Slowly regenerate Dead Eye for as long as you smoke: true or false."},
    {"Smoking", "EXTENDED_SMOKE_DURATION", SettingKind::Bool, "false",
     "Twice as many puffs before a cigarette or cigar is finished: true or false."},
    {"Smoking", "MANUAL_SMOKING_ONLY", SettingKind::Bool, "false",
     "Never puff by yourself; only puff when you press KEY_TAKE_PUFF: true or false."},
    {"Smoking", "PUFF_BUTTON_ENABLES_MANUAL_SMOKING", SettingKind::Bool, "true",
     "After a puff on demand, wait 45 s before puffing by yourself again: true or false."},
    {"Smoking", "NEVER_FALLS_OUT", SettingKind::Bool, "false",
     "A cigarette or cigar in the mouth never falls out (death, ragdoll, hits): true or false."},
    {"Smoking", "THROW_AWAY_FASTER", SettingKind::Bool, "false",
     "Throw away with a quick flick when it is in the hand: true or false."},
    {"Smoking", "MOVE_TO_MOUTH_IMMEDIATELY", SettingKind::Bool, "false",
     "Selecting a weapon snaps the prop to the mouth without the hand animation: true or false."},
    {"Smoking", "BLOCK_SMOKING_IF_NO_ITEM", SettingKind::Bool, "false",
     "Refuse to smoke without a cigarette or cigar in the satchel: true or false."},
    {"Cutscenes", "DISABLE_ON_CONTROL_LOSS", SettingKind::Bool, "false",
     "Stop smoking at once when the game takes control away (cutscenes): true or false."},
    {"Cutscenes", "FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS", SettingKind::Bool, "false",
     "Put it in the mouth when the game takes control away: true or false."},
    {"Scenarios", "SCENARIOS_ENABLED", SettingKind::Bool, "true",
     "The scenario menu of KEY_OPEN_SCENARIO_MENU: true or false."},
    {"Scenarios", "SCENARIO1_TYPE", SettingKind::Text, "GENERIC_SIT_GROUND_SCENARIO",
     "Menu slot 1: the game's scenario name."},
    {"Scenarios", "SCENARIO1_VARIATION", SettingKind::Text, "",
     "Menu slot 1: its variation (may be empty)."},
    {"Scenarios", "SCENARIO1_LABEL", SettingKind::Text, "Sit Down",
     "Menu slot 1: its text; empty leaves the slot out of the menu."},
    {"Scenarios", "SCENARIO2_TYPE", SettingKind::Text, "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK",
     "Menu slot 2: the game's scenario name."},
    {"Scenarios", "SCENARIO2_VARIATION", SettingKind::Text, "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F",
     "Menu slot 2: its variation (may be empty)."},
    {"Scenarios", "SCENARIO2_LABEL", SettingKind::Text, "Lean Forward",
     "Menu slot 2: its text; empty leaves the slot out of the menu."},
    {"Scenarios", "SCENARIO3_TYPE", SettingKind::Text, "WORLD_HUMAN_LEAN_RAILING_NO_PROPS",
     "Menu slot 3: the game's scenario name."},
    {"Scenarios", "SCENARIO3_VARIATION", SettingKind::Text, "WORLD_HUMAN_LEAN_RAILING_MALE_B",
     "Menu slot 3: its variation (may be empty)."},
    {"Scenarios", "SCENARIO3_LABEL", SettingKind::Text, "Lean Railing",
     "Menu slot 3: its text; empty leaves the slot out of the menu."},
    {"Scenarios", "SCENARIO4_TYPE", SettingKind::Text, "",
     "Menu slot 4: the game's scenario name."},
    {"Scenarios", "SCENARIO4_VARIATION", SettingKind::Text, "",
     "Menu slot 4: its variation (may be empty)."},
    {"Scenarios", "SCENARIO4_LABEL", SettingKind::Text, "",
     "Menu slot 4: its text; empty leaves the slot out of the menu."},
    {"Scenarios", "SCENARIO5_TYPE", SettingKind::Text, "",
     "Menu slot 5: the game's scenario name."},
    {"Scenarios", "SCENARIO5_VARIATION", SettingKind::Text, "",
     "Menu slot 5: its variation (may be empty)."},
    {"Scenarios", "SCENARIO5_LABEL", SettingKind::Text, "",
     "Menu slot 5: its text; empty leaves the slot out of the menu."},
    {"Scenarios", "SCENARIO6_TYPE", SettingKind::Text, "",
     "Menu slot 6: the game's scenario name."},
    {"Scenarios", "SCENARIO6_VARIATION", SettingKind::Text, "",
     "Menu slot 6: its variation (may be empty)."},
    {"Scenarios", "SCENARIO6_LABEL", SettingKind::Text, "",
     "Menu slot 6: its text; empty leaves the slot out of the menu."},
    {"Scenarios", "SCENARIO7_TYPE", SettingKind::Text, "",
     "Menu slot 7: the game's scenario name."},
    {"Scenarios", "SCENARIO7_VARIATION", SettingKind::Text, "",
     "Menu slot 7: its variation (may be empty)."},
    {"Scenarios", "SCENARIO7_LABEL", SettingKind::Text, "",
     "Menu slot 7: its text; empty leaves the slot out of the menu."},
    {"Advanced", "USE_ALTERNATIVE_CIGARETTE_MODEL", SettingKind::Bool, "false",
     "Use the other cigarette model: true or false."},
    {"Advanced", "USE_SHORT_CIGAR_MODEL", SettingKind::Bool, "false",
     "Light the short cigar model instead of the full one: true or false."},
    {"Advanced", "SWAP_TO_SHORT_CIGAR_AFTER_PERIOD", SettingKind::Bool, "false",
     "Swap the cigar for the short model once it has burned a while: true or false."},
    {"Advanced", "HIDE_PROP_IN_FIRST_PERSON", SettingKind::Bool, "false",
     "Hide the cigarette or cigar in the mouth in first person: true or false."},
    {"Advanced", "USE_PROP_OFFSETS", SettingKind::Bool, "false",
     "Apply the twelve offsets below to the prop in the mouth: true or false."},
    {"Advanced", "CIGARETTE_X_OFFSET", SettingKind::Float, "0.0",
     "Cigarette position offset (X, Y, Z), a decimal number such as 0.01."},
    {"Advanced", "CIGARETTE_Y_OFFSET", SettingKind::Float, "0.0",
     "Cigarette position offset (X, Y, Z), a decimal number such as 0.01."},
    {"Advanced", "CIGARETTE_Z_OFFSET", SettingKind::Float, "0.0",
     "Cigarette position offset (X, Y, Z), a decimal number such as 0.01."},
    {"Advanced", "CIGARETTE_ROTX_OFFSET", SettingKind::Float, "0.0",
     "Cigarette rotation offset in degrees (X, Y, Z), such as -5.0."},
    {"Advanced", "CIGARETTE_ROTY_OFFSET", SettingKind::Float, "0.0",
     "Cigarette rotation offset in degrees (X, Y, Z), such as -5.0."},
    {"Advanced", "CIGARETTE_ROTZ_OFFSET", SettingKind::Float, "0.0",
     "Cigarette rotation offset in degrees (X, Y, Z), such as -5.0."},
    {"Advanced", "CIGAR_X_OFFSET", SettingKind::Float, "0.0",
     "Cigar position offset (X, Y, Z)."},
    {"Advanced", "CIGAR_Y_OFFSET", SettingKind::Float, "0.0",
     "Cigar position offset (X, Y, Z)."},
    {"Advanced", "CIGAR_Z_OFFSET", SettingKind::Float, "0.0",
     "Cigar position offset (X, Y, Z)."},
    {"Advanced", "CIGAR_ROTX_OFFSET", SettingKind::Float, "0.0",
     "Cigar rotation offset in degrees (X, Y, Z)."},
    {"Advanced", "CIGAR_ROTY_OFFSET", SettingKind::Float, "0.0",
     "Cigar rotation offset in degrees (X, Y, Z)."},
    {"Advanced", "CIGAR_ROTZ_OFFSET", SettingKind::Float, "0.0",
     "Cigar rotation offset in degrees (X, Y, Z)."},
    {"Translations", "SMOKE_PROMPT_LABEL", SettingKind::Text, "Smoking",
     "Title of the scenario menu."},
    {"Translations", "SMOKE_SIT_PROMPT_LABEL", SettingKind::Text, "Sitting",
     "Menu entry that sits down to smoke."},
    {"Translations", "SMOKE_LEAN_ON_RAILING_PROMPT_LABEL", SettingKind::Text, "On Railing",
     "Menu entry that leans on a railing to smoke."},
    {"Translations", "SMOKE_STAND_PROMPT_LABEL", SettingKind::Text, "Standing Cigarette",
     "Menu entry that smokes a cigarette standing."},
    {"Translations", "SMOKE_STAND_PIPE_PROMPT_LABEL", SettingKind::Text, "Standing Pipe",
     "Menu entry that smokes a pipe standing."},
    {"Translations", "SETTINGS_PROMPT_LABEL", SettingKind::Text, "Settings",
     "Menu entry that opens the settings page."},
    {"Translations", "CONTROLLER_SHOW_SCENARIOS_LABEL", SettingKind::Text, "Show Scenarios",
     "Controller hint that opens the scenario menu."},
    {"Translations", "CONTROLLER_SMOKE_HINT_LABEL", SettingKind::Text, "Smoke",
     "Controller hint that starts smoking."},
    {"Translations", "CONTROLLER_THROW_MOVE_CIGARETTE_LABEL", SettingKind::Text, "Throw/Move Cigarette",
     "Controller hint while a cigarette is lit."},
    {"Translations", "CONTROLLER_THROW_MOVE_CIGAR_LABEL", SettingKind::Text, "Throw/Move Cigar",
     "Controller hint while a cigar is lit."},
    {"Translations", "CONTROLLER_CIGARETTE_LABEL", SettingKind::Text, "Cigarette",
     "Controller choice that lights a cigarette."},
    {"Translations", "CONTROLLER_CIGAR_LABEL", SettingKind::Text, "Cigar",
     "Controller choice that lights a cigar."},
    {"Translations", "NOTICE_RELOADED_TEXT", SettingKind::Text, "Emberwick {version}: settings reloaded",
     "The notice after a reload; {version} is Emberwick's version."},
    {"Translations", "NOTICE_FINDINGS_TEXT", SettingKind::Text,
     "Emberwick {version}: {count} lines of Emberwick.ini need a look, see Emberwick.log",
     "The notice when lines need a look; {count} is how many."},
    {"Translations", "NOTICE_ONE_FINDING_TEXT", SettingKind::Text,
     "Emberwick {version}: 1 line of Emberwick.ini needs a look, see Emberwick.log",
     "The notice when one line needs a look."},
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
