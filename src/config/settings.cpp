#include "config/settings.h"

#include <INIReader.h>

#include <climits>
#include <cstdint>
#include <cmath>
#include <iostream>
#include <limits>

#include "config/key_names.h"
#include "host/game_names.h"
#include "host/key_states.h"

bool ENABLED = true;
bool CONTROLLER_SUPPORT_ENABLED = true;
bool COMPATIBILITY_MODE_ENABLED = false;
int KEY_SMOKE = 'N';
int KEY_SMOKE_CIGAR = 188;
int KEY_TAKE_PUFF = 'Y';
int KEY_OPEN_SCENARIO_MENU = 'Y';
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
std::string CONTROLLER_SHOW_SCENARIOS_LABEL = "Show Scenarios";
std::string CONTROLLER_SMOKE_HINT_LABEL = "Smoke";
std::string CONTROLLER_THROW_MOVE_CIGARETTE_LABEL = "Throw/Move Cigarette";
std::string CONTROLLER_THROW_MOVE_CIGAR_LABEL = "Throw/Move Cigar";
std::string CONTROLLER_CIGARETTE_LABEL = "Cigarette";
std::string CONTROLLER_CIGAR_LABEL = "Cigar";

namespace {

constexpr const char* kSettingsFile = "Emberwick.ini";

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

class SettingsFile {
 public:
  SettingsFile() : reader_(kSettingsFile) {}
  bool Opened() const { return reader_.ParseError() >= 0; }

  bool Bool(const char* section, const char* key, bool fallback) const {
    return reader_.GetBoolean(section, key, fallback);
  }
  int Int(const char* section, const char* key, int fallback) const {
    return ClampToInt(reader_.GetInteger(section, key, fallback));
  }
  int Key(const char* section, const char* key, const char* fallback) const {
    return KeyNameToCode(reader_.Get(section, key, fallback));
  }
  // An offset that a float cannot hold (or not a number at all) would place
  // the prop nowhere: such a value counts as unreadable and keeps the default.
  float Float(const char* section, const char* key) const {
    double value = reader_.GetReal(section, key, 0.0);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return 0.0f;
    return static_cast<float>(value);
  }
  // Copied into the existing string, whose storage is reused when it is large
  // enough: the reload keys load the file on every frame they are held.
  void Text(const char* section, const char* key, const char* fallback, std::string& out) const {
    const std::string value = reader_.Get(section, key, fallback);
    out.assign(value);
  }

 private:
  INIReader reader_;
};

struct ScenarioDefaults {
  const char* type;
  const char* variation;
  const char* label;
};

constexpr ScenarioDefaults kScenarioDefaults[kScenarioSlots] = {
    {"GENERIC_SIT_GROUND_SCENARIO", "", "Sit Down"},
    {"WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK", "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F",
     "Lean Forward"},
    {"WORLD_HUMAN_LEAN_RAILING_NO_PROPS", "WORLD_HUMAN_LEAN_RAILING_MALE_B", "Lean Railing"},
    {"", "", ""},
    {"", "", ""},
    {"", "", ""},
    {"", "", ""},
};

void ReadSettings() {
  const SettingsFile ini;
  if (!ini.Opened()) std::cout << "Failed to load INI file!" << std::endl;

  ENABLED = ini.Bool("General", "ENABLED", true);
  CONTROLLER_SUPPORT_ENABLED = ini.Bool("General", "CONTROLLER_SUPPORT_ENABLED", true);
  COMPATIBILITY_MODE_ENABLED = ini.Bool("General", "COMPATIBILITY_MODE_ENABLED", false);
  KEY_SMOKE = ini.Key("General", "KEY_SMOKE", "N");
  KEY_SMOKE_CIGAR = ini.Key("General", "KEY_SMOKE_CIGAR", ",");
  KEY_TAKE_PUFF = ini.Key("General", "KEY_TAKE_PUFF", "Y");

  const int burstSeconds = ini.Int("Smoking", "REGEN_DEAD_EYE_BURST_SECONDS", 35);
  deadEyeBurstEnabled = burstSeconds > 0;
  deadEyeBurstWindowMs = SaturatedMs(burstSeconds);
  REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED = ini.Bool("Smoking", "REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED", true);
  EXTENDED_SMOKE_DURATION = ini.Bool("Smoking", "EXTENDED_SMOKE_DURATION", false);
  MANUAL_SMOKING_ONLY = ini.Bool("Smoking", "MANUAL_SMOKING_ONLY", false);
  PUFF_BUTTON_ENABLES_MANUAL_SMOKING = ini.Bool("Smoking", "PUFF_BUTTON_ENABLES_MANUAL_SMOKING", true) ? 45000 : 0;
  NEVER_FALLS_OUT = ini.Bool("Smoking", "NEVER_FALLS_OUT", false);
  THROW_AWAY_FASTER = ini.Bool("Smoking", "THROW_AWAY_FASTER", false);
  MOVE_TO_MOUTH_IMMEDIATELY = ini.Bool("Smoking", "MOVE_TO_MOUTH_IMMEDIATELY", false);
  DISABLE_ON_CONTROL_LOSS = ini.Bool("Cutscenes", "DISABLE_ON_CONTROL_LOSS", false);
  FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS = ini.Bool("Cutscenes", "FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS", false);
  BLOCK_SMOKING_IF_NO_ITEM = ini.Bool("Smoking", "BLOCK_SMOKING_IF_NO_ITEM", false);

  SCENARIOS_ENABLED = ini.Bool("Scenarios", "SCENARIOS_ENABLED", true);
  KEY_OPEN_SCENARIO_MENU = ini.Key("General", "KEY_OPEN_SCENARIO_MENU", "Y");
  for (int slot = 0; slot < kScenarioSlots; ++slot) {
    const std::string prefix = "SCENARIO" + std::to_string(slot + 1);
    const ScenarioDefaults& fallback = kScenarioDefaults[slot];
    ini.Text("Scenarios", (prefix + "_TYPE").c_str(), fallback.type, SCENARIO_TYPE[slot]);
    ini.Text("Scenarios", (prefix + "_VARIATION").c_str(), fallback.variation, SCENARIO_VARIATION[slot]);
    ini.Text("Scenarios", (prefix + "_LABEL").c_str(), fallback.label, SCENARIO_LABEL[slot]);
    SCENARIO_TYPE_HASH[slot] = HashName(SCENARIO_TYPE[slot]);
    SCENARIO_VARIATION_HASH[slot] = HashName(SCENARIO_VARIATION[slot]);
  }

  USE_ALTERNATIVE_CIGARETTE_MODEL = ini.Bool("Advanced", "USE_ALTERNATIVE_CIGARETTE_MODEL", false);
  USE_SHORT_CIGAR_MODEL = ini.Bool("Advanced", "USE_SHORT_CIGAR_MODEL", false);
  SWAP_TO_SHORT_CIGAR_AFTER_PERIOD = ini.Bool("Advanced", "SWAP_TO_SHORT_CIGAR_AFTER_PERIOD", false);
  HIDE_PROP_IN_FIRST_PERSON = ini.Bool("Advanced", "HIDE_PROP_IN_FIRST_PERSON", false);
  USE_PROP_OFFSETS = ini.Bool("Advanced", "USE_PROP_OFFSETS", false);
  CIGARETTE_X_OFFSET = ini.Float("Advanced", "CIGARETTE_X_OFFSET");
  CIGARETTE_Y_OFFSET = ini.Float("Advanced", "CIGARETTE_Y_OFFSET");
  CIGARETTE_Z_OFFSET = ini.Float("Advanced", "CIGARETTE_Z_OFFSET");
  CIGARETTE_ROTX_OFFSET = ini.Float("Advanced", "CIGARETTE_ROTX_OFFSET");
  CIGARETTE_ROTY_OFFSET = ini.Float("Advanced", "CIGARETTE_ROTY_OFFSET");
  CIGARETTE_ROTZ_OFFSET = ini.Float("Advanced", "CIGARETTE_ROTZ_OFFSET");
  CIGAR_X_OFFSET = ini.Float("Advanced", "CIGAR_X_OFFSET");
  CIGAR_Y_OFFSET = ini.Float("Advanced", "CIGAR_Y_OFFSET");
  CIGAR_Z_OFFSET = ini.Float("Advanced", "CIGAR_Z_OFFSET");
  CIGAR_ROTX_OFFSET = ini.Float("Advanced", "CIGAR_ROTX_OFFSET");
  CIGAR_ROTY_OFFSET = ini.Float("Advanced", "CIGAR_ROTY_OFFSET");
  CIGAR_ROTZ_OFFSET = ini.Float("Advanced", "CIGAR_ROTZ_OFFSET");

  ini.Text("Translations", "SMOKE_PROMPT_LABEL", "Smoking", SMOKE_PROMPT_LABEL);
  ini.Text("Translations", "SMOKE_SIT_PROMPT_LABEL", "Sitting", SMOKE_SIT_PROMPT_LABEL);
  ini.Text("Translations", "SMOKE_LEAN_ON_RAILING_PROMPT_LABEL", "On Railing", SMOKE_LEAN_ON_RAILING_PROMPT_LABEL);
  ini.Text("Translations", "SMOKE_STAND_PROMPT_LABEL", "Standing Cigarette", SMOKE_STAND_PROMPT_LABEL);
  ini.Text("Translations", "SMOKE_STAND_PIPE_PROMPT_LABEL", "Standing Pipe", SMOKE_STAND_PIPE_PROMPT_LABEL);
  ini.Text("Translations", "CONTROLLER_SHOW_SCENARIOS_LABEL", "Show Scenarios", CONTROLLER_SHOW_SCENARIOS_LABEL);
  ini.Text("Translations", "CONTROLLER_SMOKE_HINT_LABEL", "Smoke", CONTROLLER_SMOKE_HINT_LABEL);
  ini.Text("Translations", "CONTROLLER_THROW_MOVE_CIGARETTE_LABEL", "Throw/Move Cigarette",
           CONTROLLER_THROW_MOVE_CIGARETTE_LABEL);
  ini.Text("Translations", "CONTROLLER_THROW_MOVE_CIGAR_LABEL", "Throw/Move Cigar", CONTROLLER_THROW_MOVE_CIGAR_LABEL);
  ini.Text("Translations", "CONTROLLER_CIGARETTE_LABEL", "Cigarette", CONTROLLER_CIGARETTE_LABEL);
  ini.Text("Translations", "CONTROLLER_CIGAR_LABEL", "Cigar", CONTROLLER_CIGAR_LABEL);
}

}  // namespace

void LoadSettings() {
  ReadSettings();
  compatibilityMode = COMPATIBILITY_MODE_ENABLED;
}
