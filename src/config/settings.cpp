#include "config/settings.h"

#include <INIReader.h>

#include <climits>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

#include "config/key_names.h"
#include "config/setting_table.h"
#include "host/game_names.h"
#include "host/key_states.h"
#include "host/module_files.h"

namespace {

// A key setting's default as KeyNameToCode reads it: a name of the key table,
// or a single letter, digit or sign; -1 for anything else.
constexpr int DefaultKeyCode(std::string_view name) {
  const int named = FindKeyCode(name);
  if (named >= 0) return named;
  return name.size() == 1 ? static_cast<unsigned char>(name[0]) : -1;
}

constexpr KeySettingCodes DefaultKeyCodes() {
  KeySettingCodes codes{};
  for (size_t row = 0; row < std::size(kSettings); ++row) {
    if (kSettings[row].kind == SettingKind::Key) codes.byRow[row] = DefaultKeyCode(kSettings[row].defaultValue);
  }
  return codes;
}
static_assert([] {
  const KeySettingCodes codes = DefaultKeyCodes();
  for (size_t row = 0; row < std::size(kSettings); ++row) {
    if (kSettings[row].kind == SettingKind::Key && codes.byRow[row] < 0) return false;
  }
  return true;
}(), "a key setting's default is written as a key name or a single character");

consteval int KeyRow(std::string_view name) { return static_cast<int>(KeySetting(name) - keySettingCodes.byRow); }

}  // namespace

KeySettingCodes keySettingCodes = DefaultKeyCodes();

bool ENABLED = true;
bool CONTROLLER_SUPPORT_ENABLED = true;
bool COMPATIBILITY_MODE_ENABLED = false;
int& KEY_SMOKE = keySettingCodes.byRow[KeyRow("KEY_SMOKE")];
int& KEY_TAKE_PUFF = keySettingCodes.byRow[KeyRow("KEY_TAKE_PUFF")];
int& KEY_OPEN_SCENARIO_MENU = keySettingCodes.byRow[KeyRow("KEY_OPEN_SCENARIO_MENU")];
int& KEY_SETTINGS = keySettingCodes.byRow[KeyRow("KEY_SETTINGS")];
KeyCombination KEY_RELOAD = ParseKeyCombination("END+NUMPAD6");
bool SHOW_NOTICES = true;
bool deadEyeBurstEnabled = true;
int deadEyeBurstWindowMs = 37000;
bool REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED = true;
bool EXTENDED_SMOKE_DURATION = false;
bool MANUAL_SMOKING_ONLY = false;
int PUFF_BUTTON_ENABLES_MANUAL_SMOKING = 45000;
bool NEVER_FALLS_OUT = false;
bool THROW_AWAY_FASTER = false;
bool MOVE_TO_MOUTH_IMMEDIATELY = false;
bool BLOCK_SMOKING_IF_NO_ITEM = false;
bool DISABLE_ON_CONTROL_LOSS = false;
bool FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS = false;
bool SCENARIOS_ENABLED = true;
std::string SCENARIO_TYPE[kScenarioSlots] = {"GENERIC_SIT_GROUND_SCENARIO",
                                             "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK",
                                             "WORLD_HUMAN_LEAN_RAILING_NO_PROPS"};
std::string SCENARIO_VARIATION[kScenarioSlots] = {"", "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F",
                                                  "WORLD_HUMAN_LEAN_RAILING_MALE_B"};
std::string SCENARIO_LABEL[kScenarioSlots] = {"Sit Down", "Lean Forward", "Lean Railing"};
Hash SCENARIO_TYPE_HASH[kScenarioSlots] = {GameName("GENERIC_SIT_GROUND_SCENARIO"),
                                           GameName("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK"),
                                           GameName("WORLD_HUMAN_LEAN_RAILING_NO_PROPS")};
Hash SCENARIO_VARIATION_HASH[kScenarioSlots] = {0, GameName("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F"),
                                                GameName("WORLD_HUMAN_LEAN_RAILING_MALE_B")};
bool USE_ALTERNATIVE_CIGARETTE_MODEL = false;
bool USE_SHORT_CIGAR_MODEL = false;
bool SWAP_TO_SHORT_CIGAR_AFTER_PERIOD = false;
bool HIDE_PROP_IN_FIRST_PERSON = false;
bool USE_PROP_OFFSETS = false;
float CIGARETTE_X_OFFSET = 0, CIGARETTE_Y_OFFSET = 0, CIGARETTE_Z_OFFSET = 0;
float CIGARETTE_ROTX_OFFSET = 0, CIGARETTE_ROTY_OFFSET = 0, CIGARETTE_ROTZ_OFFSET = 0;
float CIGAR_X_OFFSET = 0, CIGAR_Y_OFFSET = 0, CIGAR_Z_OFFSET = 0;
float CIGAR_ROTX_OFFSET = 0, CIGAR_ROTY_OFFSET = 0, CIGAR_ROTZ_OFFSET = 0;
std::string SMOKE_PROMPT_LABEL = "Smoking";
std::string SMOKE_SIT_PROMPT_LABEL = "Sitting";
std::string SMOKE_LEAN_ON_RAILING_PROMPT_LABEL = "On Railing";
std::string SMOKE_STAND_PROMPT_LABEL = "Standing Cigarette";
std::string SMOKE_STAND_PIPE_PROMPT_LABEL = "Standing Pipe";
std::string SETTINGS_PROMPT_LABEL(SettingNamed("SETTINGS_PROMPT_LABEL").defaultValue);
std::string CONTROLLER_SHOW_SCENARIOS_LABEL = "Show Scenarios";
std::string CONTROLLER_SMOKE_HINT_LABEL = "Smoke";
std::string CONTROLLER_THROW_MOVE_CIGARETTE_LABEL = "Throw/Move Cigarette";
std::string CONTROLLER_THROW_MOVE_CIGAR_LABEL = "Throw/Move Cigar";
std::string CONTROLLER_CIGARETTE_LABEL = "Cigarette";
std::string CONTROLLER_CIGAR_LABEL = "Cigar";
std::string NOTICE_RELOADED_TEXT(SettingNamed("NOTICE_RELOADED_TEXT").defaultValue);
std::string NOTICE_FINDINGS_TEXT(SettingNamed("NOTICE_FINDINGS_TEXT").defaultValue);
std::string NOTICE_ONE_FINDING_TEXT(SettingNamed("NOTICE_ONE_FINDING_TEXT").defaultValue);

namespace {

// Far more than any settings file; a larger one is read this far.
constexpr size_t kMaxSettingsFileBytes = 1 << 20;

SettingsReport lastReport;

// The Windows long is 32 bits and the Linux one 64: clamp to int so that both
// builds read the same number, and a huge value cannot overflow later sums.
int ClampToInt(long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int SaturatedMs(int seconds) {
  int64_t ms = (static_cast<int64_t>(seconds) + 2) * 1000;
  if (ms > INT_MAX) return INT_MAX;
  if (ms < INT_MIN) return INT_MIN;
  return static_cast<int>(ms);
}

// Emberwick.ini from the module's folder, else from the working directory.
SettingsReport::Source ReadSettingsFile(SettingsReport& report, std::string& bytes) {
  report.moduleFolder = host::ModuleFolder();
  report.path = host::PathInFolder(report.moduleFolder, kSettingsFileName);
  if (!report.moduleFolder.empty() && host::ReadWholeFile(report.path, bytes, kMaxSettingsFileBytes)) {
    return SettingsReport::Source::ModuleFolder;
  }
  report.workingFolder = host::WorkingFolder();
  report.path = host::PathInFolder(report.workingFolder, kSettingsFileName);
  if (host::ReadWholeFile(report.path, bytes, kMaxSettingsFileBytes)) {
    return SettingsReport::Source::WorkingFolder;
  }
  report.path.clear();
  bytes.clear();
  return SettingsReport::Source::None;
}

// The getters read inih's values of the checked text; each setting's section,
// name and default come from the setting table.
class SettingsFile {
 public:
  explicit SettingsFile(const std::string& text) : reader_(text.data(), text.size()) {}

  bool Bool(const Setting& setting) const {
    return reader_.GetBoolean(Section(setting), Name(setting), setting.defaultValue == "true");
  }
  int Int(const Setting& setting) const {
    const long fallback = std::strtol(std::string(setting.defaultValue).c_str(), nullptr, 0);
    return ClampToInt(reader_.GetInteger(Section(setting), Name(setting), fallback));
  }
  int Key(const Setting& setting) const {
    return KeyNameToCode(reader_.Get(Section(setting), Name(setting), std::string(setting.defaultValue)));
  }
  KeyCombination Keys(const Setting& setting) const {
    const KeyCombination keys =
        ParseKeyCombination(reader_.Get(Section(setting), Name(setting), std::string(setting.defaultValue)));
    return IsUsableCombination(keys) ? keys : ParseKeyCombination(std::string(setting.defaultValue));
  }
  // An offset that a float cannot hold (or not a number at all) would place
  // the prop nowhere: such a value counts as unreadable and keeps the default.
  float Float(const Setting& setting) const {
    double value = reader_.GetReal(Section(setting), Name(setting), 0.0);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return 0.0f;
    return static_cast<float>(value);
  }
  // Copied into the existing string, whose storage is reused when it is large
  // enough: the reload keys load the file on every frame they are held.
  void Text(const Setting& setting, std::string& out) const {
    const std::string value = reader_.Get(Section(setting), Name(setting), std::string(setting.defaultValue));
    out.assign(value);
  }
  void Text(const std::string& name, std::string& out) const {
    Text(kSettings[static_cast<size_t>(SettingIndex(name))], out);
  }

 private:
  static std::string Section(const Setting& setting) { return std::string(setting.section); }
  static std::string Name(const Setting& setting) { return std::string(setting.name); }

  INIReader reader_;
};

void ReadSettings() {
  std::string bytes;
  lastReport.source = ReadSettingsFile(lastReport, bytes);
  if (lastReport.source == SettingsReport::Source::None) std::cout << "Failed to load INI file!" << std::endl;
  lastReport.bytes = bytes;
  try {
    lastReport.checked = CheckSettingsText(bytes);
  } catch (...) {
    // A fault of the checker must not cost the game: the file is read as it
    // is, without findings.
    lastReport.checked = CheckedSettings{};
    lastReport.checked.text = DecodeText(bytes).utf8;
    lastReport.checked.values.assign(std::size(kSettings), std::nullopt);
  }
  const SettingsFile ini(lastReport.checked.text);

  ENABLED = ini.Bool(SettingNamed("ENABLED"));
  CONTROLLER_SUPPORT_ENABLED = ini.Bool(SettingNamed("CONTROLLER_SUPPORT_ENABLED"));
  COMPATIBILITY_MODE_ENABLED = ini.Bool(SettingNamed("COMPATIBILITY_MODE_ENABLED"));
  for (size_t row = 0; row < std::size(kSettings); ++row) {
    if (kSettings[row].kind == SettingKind::Key) keySettingCodes.byRow[row] = ini.Key(kSettings[row]);
  }

  const int burstSeconds = ini.Int(SettingNamed("REGEN_DEAD_EYE_BURST_SECONDS"));
  deadEyeBurstEnabled = burstSeconds > 0;
  deadEyeBurstWindowMs = SaturatedMs(burstSeconds);
  REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED = ini.Bool(SettingNamed("REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED"));
  EXTENDED_SMOKE_DURATION = ini.Bool(SettingNamed("EXTENDED_SMOKE_DURATION"));
  MANUAL_SMOKING_ONLY = ini.Bool(SettingNamed("MANUAL_SMOKING_ONLY"));
  PUFF_BUTTON_ENABLES_MANUAL_SMOKING = ini.Bool(SettingNamed("PUFF_BUTTON_ENABLES_MANUAL_SMOKING")) ? 45000 : 0;
  NEVER_FALLS_OUT = ini.Bool(SettingNamed("NEVER_FALLS_OUT"));
  THROW_AWAY_FASTER = ini.Bool(SettingNamed("THROW_AWAY_FASTER"));
  MOVE_TO_MOUTH_IMMEDIATELY = ini.Bool(SettingNamed("MOVE_TO_MOUTH_IMMEDIATELY"));
  DISABLE_ON_CONTROL_LOSS = ini.Bool(SettingNamed("DISABLE_ON_CONTROL_LOSS"));
  FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS = ini.Bool(SettingNamed("FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS"));
  BLOCK_SMOKING_IF_NO_ITEM = ini.Bool(SettingNamed("BLOCK_SMOKING_IF_NO_ITEM"));

  SCENARIOS_ENABLED = ini.Bool(SettingNamed("SCENARIOS_ENABLED"));
  for (int slot = 0; slot < kScenarioSlots; ++slot) {
    const std::string prefix = "SCENARIO" + std::to_string(slot + 1);
    ini.Text(prefix + "_TYPE", SCENARIO_TYPE[slot]);
    ini.Text(prefix + "_VARIATION", SCENARIO_VARIATION[slot]);
    ini.Text(prefix + "_LABEL", SCENARIO_LABEL[slot]);
    SCENARIO_TYPE_HASH[slot] = HashName(SCENARIO_TYPE[slot]);
    SCENARIO_VARIATION_HASH[slot] = HashName(SCENARIO_VARIATION[slot]);
  }

  USE_ALTERNATIVE_CIGARETTE_MODEL = ini.Bool(SettingNamed("USE_ALTERNATIVE_CIGARETTE_MODEL"));
  USE_SHORT_CIGAR_MODEL = ini.Bool(SettingNamed("USE_SHORT_CIGAR_MODEL"));
  SWAP_TO_SHORT_CIGAR_AFTER_PERIOD = ini.Bool(SettingNamed("SWAP_TO_SHORT_CIGAR_AFTER_PERIOD"));
  HIDE_PROP_IN_FIRST_PERSON = ini.Bool(SettingNamed("HIDE_PROP_IN_FIRST_PERSON"));
  USE_PROP_OFFSETS = ini.Bool(SettingNamed("USE_PROP_OFFSETS"));
  CIGARETTE_X_OFFSET = ini.Float(SettingNamed("CIGARETTE_X_OFFSET"));
  CIGARETTE_Y_OFFSET = ini.Float(SettingNamed("CIGARETTE_Y_OFFSET"));
  CIGARETTE_Z_OFFSET = ini.Float(SettingNamed("CIGARETTE_Z_OFFSET"));
  CIGARETTE_ROTX_OFFSET = ini.Float(SettingNamed("CIGARETTE_ROTX_OFFSET"));
  CIGARETTE_ROTY_OFFSET = ini.Float(SettingNamed("CIGARETTE_ROTY_OFFSET"));
  CIGARETTE_ROTZ_OFFSET = ini.Float(SettingNamed("CIGARETTE_ROTZ_OFFSET"));
  CIGAR_X_OFFSET = ini.Float(SettingNamed("CIGAR_X_OFFSET"));
  CIGAR_Y_OFFSET = ini.Float(SettingNamed("CIGAR_Y_OFFSET"));
  CIGAR_Z_OFFSET = ini.Float(SettingNamed("CIGAR_Z_OFFSET"));
  CIGAR_ROTX_OFFSET = ini.Float(SettingNamed("CIGAR_ROTX_OFFSET"));
  CIGAR_ROTY_OFFSET = ini.Float(SettingNamed("CIGAR_ROTY_OFFSET"));
  CIGAR_ROTZ_OFFSET = ini.Float(SettingNamed("CIGAR_ROTZ_OFFSET"));

  ini.Text(SettingNamed("SMOKE_PROMPT_LABEL"), SMOKE_PROMPT_LABEL);
  ini.Text(SettingNamed("SMOKE_SIT_PROMPT_LABEL"), SMOKE_SIT_PROMPT_LABEL);
  ini.Text(SettingNamed("SMOKE_LEAN_ON_RAILING_PROMPT_LABEL"), SMOKE_LEAN_ON_RAILING_PROMPT_LABEL);
  ini.Text(SettingNamed("SMOKE_STAND_PROMPT_LABEL"), SMOKE_STAND_PROMPT_LABEL);
  ini.Text(SettingNamed("SMOKE_STAND_PIPE_PROMPT_LABEL"), SMOKE_STAND_PIPE_PROMPT_LABEL);
  ini.Text(SettingNamed("CONTROLLER_SHOW_SCENARIOS_LABEL"), CONTROLLER_SHOW_SCENARIOS_LABEL);
  ini.Text(SettingNamed("CONTROLLER_SMOKE_HINT_LABEL"), CONTROLLER_SMOKE_HINT_LABEL);
  ini.Text(SettingNamed("CONTROLLER_THROW_MOVE_CIGARETTE_LABEL"), CONTROLLER_THROW_MOVE_CIGARETTE_LABEL);
  ini.Text(SettingNamed("CONTROLLER_THROW_MOVE_CIGAR_LABEL"), CONTROLLER_THROW_MOVE_CIGAR_LABEL);
  ini.Text(SettingNamed("CONTROLLER_CIGARETTE_LABEL"), CONTROLLER_CIGARETTE_LABEL);
  ini.Text(SettingNamed("CONTROLLER_CIGAR_LABEL"), CONTROLLER_CIGAR_LABEL);

  // Read after every setting the plug-in had before: a file without them reads as it always did.
  KEY_RELOAD = ini.Keys(SettingNamed("KEY_RELOAD"));
  SHOW_NOTICES = ini.Bool(SettingNamed("SHOW_NOTICES"));
  ini.Text(SettingNamed("SETTINGS_PROMPT_LABEL"), SETTINGS_PROMPT_LABEL);
  ini.Text(SettingNamed("NOTICE_RELOADED_TEXT"), NOTICE_RELOADED_TEXT);
  ini.Text(SettingNamed("NOTICE_FINDINGS_TEXT"), NOTICE_FINDINGS_TEXT);
  ini.Text(SettingNamed("NOTICE_ONE_FINDING_TEXT"), NOTICE_ONE_FINDING_TEXT);
}

std::string DescribeSource(const SettingsReport& report) {
  const std::string moduleFolder = report.moduleFolder.empty() ? std::string("an unknown folder") : report.moduleFolder;
  switch (report.source) {
    case SettingsReport::Source::ModuleFolder:
      return "Settings: Emberwick.ini in " + moduleFolder + " (the module's folder)";
    case SettingsReport::Source::WorkingFolder:
      return "Settings: Emberwick.ini in " + report.workingFolder + " (the working folder; there is none in " +
             moduleFolder + ", the module's folder)";
    case SettingsReport::Source::None:
      break;
  }
  const std::string where = report.workingFolder == report.moduleFolder
                                ? moduleFolder + " (the module's folder, also the working folder)"
                                : moduleFolder + " (the module's folder) or in " + report.workingFolder +
                                      " (the working folder)";
  return "Settings: no Emberwick.ini in " + where + ": every setting has its default";
}

}  // namespace

void LoadSettings() {
  ReadSettings();
  compatibilityMode = COMPATIBILITY_MODE_ENABLED;
}

const SettingsReport& LastSettingsReport() { return lastReport; }

std::vector<std::string> DescribeSettingsLoad(const SettingsReport& report) {
  std::vector<std::string> lines = {DescribeSource(report)};
  if (report.source == SettingsReport::Source::None) return lines;
  const std::string reading = DescribeReading(report.checked);
  if (!reading.empty()) lines.push_back("Emberwick.ini was " + reading);
  const std::vector<std::string> differences = DifferencesFromDefaults(report.checked);
  if (differences.empty()) lines.emplace_back("Every setting has its default");
  else lines.emplace_back("Settings away from their defaults:");
  for (const std::string& difference : differences) lines.push_back("  " + difference);
  for (const SettingsFinding& finding : report.checked.findings) {
    lines.push_back("Emberwick.ini " + FormatFinding(finding));
  }
  const int count = LinesWithFindings(report.checked);
  if (count == 0) lines.emplace_back("Every line of Emberwick.ini reads as written");
  else if (count == 1) lines.emplace_back("1 line of Emberwick.ini needs a look");
  else lines.push_back(std::to_string(count) + " lines of Emberwick.ini need a look");
  return lines;
}

std::string FillNotice(std::string_view text, std::string_view version, int count) {
  std::string filled;
  const std::string countText = std::to_string(count);
  for (size_t i = 0; i < text.size();) {
    if (text.substr(i, 9) == "{version}") {
      filled += version;
      i += 9;
    } else if (text.substr(i, 7) == "{count}") {
      filled += countText;
      i += 7;
    } else {
      filled += text[i++];
    }
  }
  return filled;
}
