// Emberwick.ini as the plug-in reads it at start and on every reload.
#include <gtest/gtest.h>

#include <INIReader.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "config/setting_table.h"
#include "config/settings.h"
#include "input/scenarios.h"
#include "plugin/main_loop.h"
#include "session.h"
#include "smoking/smoke_kind.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

const std::string kRepoIni =
    (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "Emberwick.ini").string();

class Settings : public PluginTest {
 protected:
  // Writes the file and reloads it on the script fiber, as the reload keys do.
  void Reload(const std::string& ini) {
    WriteIni(ini);
    Reload();
  }
  void Reload() {
    OnScript([] { ReloadSettings(); });
  }
  // Every setting away from its default, so that a load has to restore them.
  static void Scramble() {
    ENABLED = CONTROLLER_SUPPORT_ENABLED = false;
    COMPATIBILITY_MODE_ENABLED = true;
    for (int& code : keySettingCodes.byRow) code = -7;
    KEY_RELOAD = ParseKeyCombination("F1+F2+F3");
    SHOW_NOTICES = false;
    deadEyeBurstEnabled = false;
    deadEyeBurstWindowMs = -1;
    REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED = SCENARIOS_ENABLED = false;
    EXTENDED_SMOKE_DURATION = MANUAL_SMOKING_ONLY = NEVER_FALLS_OUT = THROW_AWAY_FASTER = true;
    MOVE_TO_MOUTH_IMMEDIATELY = BLOCK_SMOKING_IF_NO_ITEM = DISABLE_ON_CONTROL_LOSS = true;
    FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS = USE_ALTERNATIVE_CIGARETTE_MODEL = USE_SHORT_CIGAR_MODEL = true;
    SWAP_TO_SHORT_CIGAR_AFTER_PERIOD = HIDE_PROP_IN_FIRST_PERSON = USE_PROP_OFFSETS = true;
    PUFF_BUTTON_ENABLES_MANUAL_SMOKING = 1;
    for (float* offset : Offsets()) *offset = 9.5f;
    for (std::string* text : Texts()) *text = "scrambled";
  }
  // Every kind's offsets, the settings its description reads them from.
  static std::vector<float*> Offsets() {
    std::vector<float*> offsets;
    for (const SmokeKind* kind : kSmokeKinds) {
      for (int axis = 0; axis < 6; ++axis) offsets.push_back(const_cast<float*>(kind->userOffsets[axis]));
    }
    return offsets;
  }
  static std::vector<std::string*> Texts() {
    std::vector<std::string*> texts = {&SMOKE_PROMPT_LABEL,
                                       &SMOKE_SIT_PROMPT_LABEL,
                                       &SMOKE_LEAN_ON_RAILING_PROMPT_LABEL,
                                       &SMOKE_STAND_PROMPT_LABEL,
                                       &SMOKE_STAND_PIPE_PROMPT_LABEL,
                                       &CONTROLLER_SHOW_SCENARIOS_LABEL,
                                       &CONTROLLER_SMOKE_HINT_LABEL,
                                       &CONTROLLER_THROW_MOVE_CIGARETTE_LABEL,
                                       &CONTROLLER_THROW_MOVE_CIGAR_LABEL,
                                       &CONTROLLER_CIGARETTE_LABEL,
                                       &CONTROLLER_CIGAR_LABEL,
                                       &NOTICE_RELOADED_TEXT,
                                       &NOTICE_FINDINGS_TEXT,
                                       &NOTICE_ONE_FINDING_TEXT};
    for (int slot = 0; slot < kScenarioSlots; ++slot) {
      texts.push_back(&SCENARIO_TYPE[slot]);
      texts.push_back(&SCENARIO_VARIATION[slot]);
      texts.push_back(&SCENARIO_LABEL[slot]);
    }
    return texts;
  }
  static void ExpectDefaults() {
    EXPECT_TRUE(ENABLED);
    EXPECT_TRUE(CONTROLLER_SUPPORT_ENABLED);
    EXPECT_FALSE(COMPATIBILITY_MODE_ENABLED);
    EXPECT_FALSE(compatibilityMode);
    EXPECT_EQ(KEY_SMOKE, 'N');
    EXPECT_EQ(*KeySetting("KEY_SMOKE_CIGAR"), 188);
    EXPECT_EQ(KEY_TAKE_PUFF, 'Y');
    EXPECT_EQ(KEY_OPEN_SCENARIO_MENU, 'Y');
    for (size_t row = 0; row < std::size(kSettings); ++row) {
      if (kSettings[row].kind == SettingKind::Key) {
        EXPECT_EQ(keySettingCodes.byRow[row], KeyNameToCode(std::string(kSettings[row].defaultValue)))
            << kSettings[row].name;
      }
    }
    EXPECT_EQ(KEY_RELOAD.count, 2);
    EXPECT_EQ(KEY_RELOAD.keys[0], 0x23);
    EXPECT_EQ(KEY_RELOAD.keys[1], 0x66);
    EXPECT_TRUE(SHOW_NOTICES);
    EXPECT_TRUE(deadEyeBurstEnabled);
    EXPECT_EQ(deadEyeBurstWindowMs, 37000);
    EXPECT_TRUE(REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED);
    EXPECT_EQ(PUFF_BUTTON_ENABLES_MANUAL_SMOKING, 45000);
    EXPECT_TRUE(SCENARIOS_ENABLED);
    for (bool flag : {EXTENDED_SMOKE_DURATION, MANUAL_SMOKING_ONLY, NEVER_FALLS_OUT, THROW_AWAY_FASTER,
                      MOVE_TO_MOUTH_IMMEDIATELY, BLOCK_SMOKING_IF_NO_ITEM, DISABLE_ON_CONTROL_LOSS,
                      FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS, USE_ALTERNATIVE_CIGARETTE_MODEL, USE_SHORT_CIGAR_MODEL,
                      SWAP_TO_SHORT_CIGAR_AFTER_PERIOD, HIDE_PROP_IN_FIRST_PERSON, USE_PROP_OFFSETS}) {
      EXPECT_FALSE(flag);
    }
    for (float* offset : Offsets()) EXPECT_EQ(*offset, 0.0f);
    const char* types[] = {"GENERIC_SIT_GROUND_SCENARIO", "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK",
                           "WORLD_HUMAN_LEAN_RAILING_NO_PROPS", "", "", "", ""};
    const char* variations[] = {"", "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F",
                                "WORLD_HUMAN_LEAN_RAILING_MALE_B", "", "", "", ""};
    const char* labels[] = {"Sit Down", "Lean Forward", "Lean Railing", "", "", "", ""};
    for (int slot = 0; slot < kScenarioSlots; ++slot) {
      EXPECT_EQ(SCENARIO_TYPE[slot], types[slot]) << "slot " << slot + 1;
      EXPECT_EQ(SCENARIO_VARIATION[slot], variations[slot]) << "slot " << slot + 1;
      EXPECT_EQ(SCENARIO_LABEL[slot], labels[slot]) << "slot " << slot + 1;
    }
    EXPECT_EQ(SMOKE_PROMPT_LABEL, "Smoking");
    EXPECT_EQ(SMOKE_SIT_PROMPT_LABEL, "Sitting");
    EXPECT_EQ(SMOKE_LEAN_ON_RAILING_PROMPT_LABEL, "On Railing");
    EXPECT_EQ(SMOKE_STAND_PROMPT_LABEL, "Standing Cigarette");
    EXPECT_EQ(SMOKE_STAND_PIPE_PROMPT_LABEL, "Standing Pipe");
    EXPECT_EQ(CONTROLLER_SHOW_SCENARIOS_LABEL, "Show Scenarios");
    EXPECT_EQ(CONTROLLER_SMOKE_HINT_LABEL, "Smoke");
    EXPECT_EQ(CONTROLLER_THROW_MOVE_CIGARETTE_LABEL, "Throw/Move Cigarette");
    EXPECT_EQ(CONTROLLER_THROW_MOVE_CIGAR_LABEL, "Throw/Move Cigar");
    EXPECT_EQ(CONTROLLER_CIGARETTE_LABEL, "Cigarette");
    EXPECT_EQ(CONTROLLER_CIGAR_LABEL, "Cigar");
    EXPECT_EQ(NOTICE_RELOADED_TEXT, "Emberwick {version}: settings reloaded");
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
};

TEST_F(Settings, WithoutAFileEveryLoadSaysSoAndRestoresTheDefaults) {
  testing::internal::CaptureStdout();
  Start();
  Scramble();
  Reload();
  const std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(output, "Failed to load INI file!\nFailed to load INI file!\n");
  ExpectDefaults();
}

TEST_F(Settings, TheShippedFileIsCompleteAndHoldsTheDefaults) {
  const std::string shipped = ReadFile(kRepoIni);
  ASSERT_FALSE(shipped.empty()) << kRepoIni;
  INIReader reader(shipped.data(), shipped.size());
  ASSERT_EQ(reader.ParseError(), 0);
  // Every setting of the table is there, under its section, with its default.
  for (const Setting& setting : kSettings) {
    const std::string section(setting.section), name(setting.name);
    EXPECT_TRUE(reader.HasValue(section, name)) << section << "/" << name;
    EXPECT_EQ(reader.Get(section, name, "?"), setting.defaultValue) << section << "/" << name;
  }
  EXPECT_EQ(LinesWithFindings(CheckSettingsText(shipped)), 0);

  WriteIni(shipped);
  testing::internal::CaptureStdout();
  Attach();
  Scramble();
  sim.RunFrame();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  ExpectDefaults();
}

// The page's one-line descriptions and the shipped file's comments say the
// same: where a setting has a one-line comment of its own right above it,
// that comment is its description.
TEST_F(Settings, DescriptionsAreTheShippedFilesOneLineCommentsAndFitALine) {
  const std::string shipped = ReadFile(kRepoIni);
  std::vector<std::string> lines;
  std::istringstream stream(shipped);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  int compared = 0;
  for (const Setting& setting : kSettings) {
    EXPECT_FALSE(setting.description.empty()) << setting.name;
    EXPECT_LE(setting.description.size(), 90u) << setting.name;
    for (size_t i = 2; i < lines.size(); ++i) {
      if (lines[i].rfind(std::string(setting.name) + "=", 0) != 0) continue;
      const bool oneLineComment = lines[i - 1].rfind("; ", 0) == 0 && lines[i - 2].rfind(";", 0) != 0;
      if (!oneLineComment) break;
      EXPECT_EQ(lines[i - 1].substr(2), setting.description) << setting.name;
      ++compared;
    }
  }
  EXPECT_GE(compared, 30);
}

TEST_F(Settings, EveryKeyIsReadFromItsSection) {
  WriteIni(R"([General]
ENABLED=false
CONTROLLER_SUPPORT_ENABLED=false
COMPATIBILITY_MODE_ENABLED=true
KEY_SMOKE=VK_F5
KEY_SMOKE_CIGAR=0x72
KEY_TAKE_PUFF=numpad6
KEY_OPEN_SCENARIO_MENU=;
[Smoking]
REGEN_DEAD_EYE_BURST_SECONDS=10
REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED=false
EXTENDED_SMOKE_DURATION=true
MANUAL_SMOKING_ONLY=true
PUFF_BUTTON_ENABLES_MANUAL_SMOKING=false
NEVER_FALLS_OUT=true
THROW_AWAY_FASTER=true
MOVE_TO_MOUTH_IMMEDIATELY=true
BLOCK_SMOKING_IF_NO_ITEM=true
[Cutscenes]
DISABLE_ON_CONTROL_LOSS=true
FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true
[Scenarios]
SCENARIOS_ENABLED=false
SCENARIO1_VARIATION=SIT_VARIANT
SCENARIO4_TYPE=WORLD_HUMAN_SMOKE
SCENARIO4_LABEL=Smoke Here
SCENARIO7_LABEL=Seventh
[Advanced]
USE_ALTERNATIVE_CIGARETTE_MODEL=true
USE_SHORT_CIGAR_MODEL=true
SWAP_TO_SHORT_CIGAR_AFTER_PERIOD=true
HIDE_PROP_IN_FIRST_PERSON=true
USE_PROP_OFFSETS=true
CIGARETTE_X_OFFSET=0.25
CIGARETTE_ROTZ_OFFSET=-12.5
CIGAR_Y_OFFSET=1e-3
CIGAR_ROTX_OFFSET=90
[Translations]
SMOKE_PROMPT_LABEL=Rauchen
CONTROLLER_CIGAR_LABEL=Zigarre
)");
  Start();
  EXPECT_FALSE(ENABLED);
  EXPECT_FALSE(CONTROLLER_SUPPORT_ENABLED);
  EXPECT_TRUE(COMPATIBILITY_MODE_ENABLED);
  EXPECT_TRUE(compatibilityMode);
  EXPECT_EQ(KEY_SMOKE, 116);
  EXPECT_EQ(*KeySetting("KEY_SMOKE_CIGAR"), 114);
  EXPECT_EQ(KEY_TAKE_PUFF, 102);
  EXPECT_EQ(KEY_OPEN_SCENARIO_MENU, 186);
  EXPECT_TRUE(deadEyeBurstEnabled);
  EXPECT_EQ(deadEyeBurstWindowMs, 12000);
  EXPECT_FALSE(REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED);
  EXPECT_EQ(PUFF_BUTTON_ENABLES_MANUAL_SMOKING, 0);
  for (bool flag : {EXTENDED_SMOKE_DURATION, MANUAL_SMOKING_ONLY, NEVER_FALLS_OUT, THROW_AWAY_FASTER,
                    MOVE_TO_MOUTH_IMMEDIATELY, BLOCK_SMOKING_IF_NO_ITEM, DISABLE_ON_CONTROL_LOSS,
                    FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS, USE_ALTERNATIVE_CIGARETTE_MODEL, USE_SHORT_CIGAR_MODEL,
                    SWAP_TO_SHORT_CIGAR_AFTER_PERIOD, HIDE_PROP_IN_FIRST_PERSON, USE_PROP_OFFSETS}) {
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(SCENARIOS_ENABLED);
  EXPECT_EQ(SCENARIO_TYPE[0], "GENERIC_SIT_GROUND_SCENARIO");
  EXPECT_EQ(SCENARIO_VARIATION[0], "SIT_VARIANT");
  EXPECT_EQ(SCENARIO_TYPE[3], "WORLD_HUMAN_SMOKE");
  EXPECT_EQ(SCENARIO_LABEL[3], "Smoke Here");
  EXPECT_EQ(SCENARIO_LABEL[6], "Seventh");
  EXPECT_EQ(CIGARETTE_X_OFFSET, 0.25f);
  EXPECT_EQ(CIGARETTE_ROTZ_OFFSET, -12.5f);
  EXPECT_EQ(CIGAR_Y_OFFSET, 0.001f);
  EXPECT_EQ(CIGAR_ROTX_OFFSET, 90.0f);
  EXPECT_EQ(CIGAR_X_OFFSET, 0.0f);
  EXPECT_EQ(SMOKE_PROMPT_LABEL, "Rauchen");
  EXPECT_EQ(CONTROLLER_CIGAR_LABEL, "Zigarre");
  EXPECT_EQ(SMOKE_SIT_PROMPT_LABEL, "Sitting");
}

TEST_F(Settings, DeadEyeBurstSeconds) {
  Start();
  const struct {
    const char* value;
    bool enabled;
    int windowMs;
  } cases[] = {
      {"0", false, 2000},
      {"0x10", true, 18000},
      {"020", true, 18000},  // leading zero: octal
      {"  7", true, 9000},
      {"soon", true, 37000},
      {"", true, 37000},
      {"-5", false, -3000},
      {"2147483647", true, INT_MAX},
      {"99999999999999999999999", true, INT_MAX},
      {"-2147483648", false, INT_MIN},
      {"-99999999999999999999999", false, INT_MIN},
  };
  for (const auto& c : cases) {
    Reload(std::string("[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=") + c.value + "\n");
    EXPECT_EQ(deadEyeBurstEnabled, c.enabled) << "value \"" << c.value << "\"";
    EXPECT_EQ(deadEyeBurstWindowMs, c.windowMs) << "value \"" << c.value << "\"";
  }
}

TEST_F(Settings, SectionsAndKeysIgnoreCaseAndBooleansTakeEverySpelling) {
  Start();
  Reload("[general]\nenabled=ON\n");
  EXPECT_TRUE(ENABLED);
  const struct {
    const char* value;
    bool expected;
  } cases[] = {{"Yes", true},  {"ON", true},   {"1", true},  {"TRUE", true}, {"no", false},  {"Off", false},
               {"0", false},   {"FaLsE", false}, {"2", false}, {"y", false},  {"enabled", false}};
  // Start from false for each: a value that is no boolean keeps the default,
  // which for CONTROLLER_SUPPORT_ENABLED is true, hence `expected || unreadable`.
  for (const auto& c : cases) {
    Reload(std::string("[GENERAL]\nCompatibility_Mode_Enabled=") + c.value + "\nCONTROLLER_SUPPORT_ENABLED=" +
           c.value + "\n");
    const bool readable = std::string("2 y enabled").find(c.value) == std::string::npos;
    EXPECT_EQ(COMPATIBILITY_MODE_ENABLED, readable && c.expected) << c.value;
    EXPECT_EQ(CONTROLLER_SUPPORT_ENABLED, readable ? c.expected : true) << c.value;
  }
  Reload("[General]\nENABLED=2\n");
  EXPECT_TRUE(ENABLED);
}

TEST_F(Settings, AnEmptyLabelStaysEmptyAndAMissingOneTakesItsDefault) {
  Start();
  Reload("[Scenarios]\nSCENARIO1_LABEL=\nSCENARIO4_TYPE=WORLD_HUMAN_SMOKE\n");
  EXPECT_EQ(SCENARIO_LABEL[0], "");
  EXPECT_EQ(SCENARIO_TYPE[3], "WORLD_HUMAN_SMOKE");
  EXPECT_EQ(SCENARIO_LABEL[3], "");
  EXPECT_EQ(SCENARIO_LABEL[1], "Lean Forward");
}

TEST_F(Settings, FloatOffsetsThatAFloatCannotHoldKeepTheDefault) {
  Start();
  Reload(
      "[Advanced]\nCIGARETTE_X_OFFSET=1e300\nCIGARETTE_Y_OFFSET=nan\nCIGARETTE_Z_OFFSET=-inf\n"
      "CIGAR_X_OFFSET=left\nCIGAR_Y_OFFSET=3.4e38\nCIGAR_Z_OFFSET=-0.5cm\n");
  EXPECT_EQ(CIGARETTE_X_OFFSET, 0.0f);
  EXPECT_EQ(CIGARETTE_Y_OFFSET, 0.0f);
  EXPECT_EQ(CIGARETTE_Z_OFFSET, 0.0f);
  EXPECT_EQ(CIGAR_X_OFFSET, 0.0f);
  EXPECT_EQ(CIGAR_Y_OFFSET, 3.4e38f);
  EXPECT_EQ(CIGAR_Z_OFFSET, -0.5f);  // the number in front of trailing text counts
}

TEST_F(Settings, DamagedFilesStillLoadTheirGoodLines) {
  Start();
  std::string damaged = "[General]\nthis line has no equals sign\nKEY_SMOKE=F6\n";
  damaged += std::string("\x01\x02\xff\xfe\x00garbage=\x00\x7f\n", 15);
  damaged += "UNKNOWN_KEY=whatever\n[Unclosed section\nKEY_TAKE_PUFF=H\n";
  damaged += "[Translations]\nSMOKE_PROMPT_LABEL=" + std::string(5000, 'x') + "\n";
  damaged += "[Smoking]\nNEVER_FALLS_OUT=yes\n";
  testing::internal::CaptureStdout();
  Reload(damaged);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // opened: malformed lines are not reported
  EXPECT_EQ(KEY_SMOKE, 117);
  EXPECT_EQ(KEY_TAKE_PUFF, 'H');  // the broken header leaves the key in [General]
  EXPECT_TRUE(NEVER_FALLS_OUT);
  EXPECT_FALSE(SMOKE_PROMPT_LABEL.empty());
  EXPECT_LT(SMOKE_PROMPT_LABEL.size(), 5000u);  // the reader cuts long lines

  for (const std::string& text : {std::string(), std::string("\n\n;only comments\n"), std::string(100000, '\xff')}) {
    Scramble();
    Reload(text);
    ExpectDefaults();
  }
}

TEST_F(Settings, ANegativeKeyCodeIsKeptAndNeverPressed) {
  Start();
  Reload("[General]\nKEY_SMOKE=-1\nKEY_SMOKE_CIGAR=-0x10\nKEY_TAKE_PUFF=FFF\n");
  EXPECT_EQ(KEY_SMOKE, -1);
  EXPECT_EQ(*KeySetting("KEY_SMOKE_CIGAR"), -16);
  EXPECT_EQ(KEY_TAKE_PUFF, 4095);
  Frames(3);
  EXPECT_TRUE(sim.Errors().empty());
}

TEST_F(Settings, ReloadingEveryFrameReusesTheTextStorage) {
  const std::string label = "A label far too long to sit inside the string object itself";
  WriteIni("[Scenarios]\nSCENARIO5_LABEL=" + label + "\n[Translations]\nSMOKE_PROMPT_LABEL=" + label + "\n");
  Start();
  const char* scenarioText = SCENARIO_LABEL[4].data();
  const char* promptText = SMOKE_PROMPT_LABEL.data();
  for (int i = 0; i < 50; ++i) Reload();
  EXPECT_EQ(SCENARIO_LABEL[4], label);
  EXPECT_EQ(SCENARIO_LABEL[4].data(), scenarioText);
  EXPECT_EQ(SMOKE_PROMPT_LABEL.data(), promptText);
}

TEST_F(Settings, ALoadEndsWithTheResetThatEndsARunningScenario) {
  Start();
  scenarioActive = true;
  sim.ClearCalls();
  Reload("[General]\nCOMPATIBILITY_MODE_ENABLED=yes\n");
  EXPECT_EQ(CountCalls("ClearPedTasks"), 1u);
  EXPECT_FALSE(scenarioActive);
  EXPECT_TRUE(compatibilityMode);
}

TEST_F(Settings, ASessionSuppliesTheFileInlineOrFromAPath) {
  Attach();
  std::string error;
  ASSERT_TRUE(sim::RunSession(sim, "ini <<END\n[General]\nKEY_SMOKE=F7\nEND\nframes 1\n", workDir, error)) << error;
  EXPECT_EQ(KEY_SMOKE, 118);

  {
    std::ofstream file(workDir + "/custom.ini");
    file << "[General]\nKEY_SMOKE=HOME\n";
  }
  ASSERT_TRUE(sim::RunSession(sim, "ini custom.ini\n", workDir, error)) << error;
  Reload();
  EXPECT_EQ(KEY_SMOKE, 36);

  EXPECT_FALSE(sim::RunSession(sim, "ini <<END\n[General]\n", workDir, error));
  EXPECT_FALSE(sim::RunSession(sim, "ini missing.ini\n", workDir, error));
}

}  // namespace
