// Emberwick.log beside the module and the notice on screen: what a player
// reads after the game loads the plug-in, after a reload, and when something
// goes wrong while playing; a folder that cannot be written costs the log,
// never the game.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/settings.h"
#include "host/log_file.h"
#include "host/module_files.h"
#include "host/version.h"
#include "input/input_fixture.h"

namespace {

using test::kKeyEnd;
using test::kKeyN;
using test::kKeyNumpad6;

constexpr int kKeyF5 = 0x74;

class SettingsLog : public test::InputTest {
 protected:
  std::vector<std::string> LogLines(const std::string& folder = {}) const {
    std::ifstream file((folder.empty() ? workDir : folder) + "/Emberwick.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
  }
  size_t LogLinesWith(const std::string& piece) const {
    size_t count = 0;
    for (const std::string& line : LogLines()) count += line.find(piece) != std::string::npos ? 1 : 0;
    return count;
  }
  // The frames on which the notice's text was drawn since the calls were cleared.
  size_t Drawn(const std::string& text) const {
    size_t count = 0;
    for (const sim::RecordedCall* call : Calls("DisplayText")) count += call->strings[0] == text ? 1 : 0;
    return count;
  }
  std::string Version() const { return kEmberwickVersion; }
};

TEST_F(SettingsLog, ALoadStartsTheLogAfreshWithWhatItFoundAndANoticeWhenLinesNeedALook) {
  { std::ofstream(workDir + "/Emberwick.log") << "a log of an earlier game\n"; }
  Boot("[General]\nKEY_SMOKE=F5\nKEY_SMOK=F6\n");
  const std::vector<std::string> expected = {
      "Emberwick " + Version() + " loaded",
      // A test links the plug-in in: no host says which game or hook it is.
      "Game build: unknown (the host does not say)",
      "Script hook: unknown (the host does not say)",
      "Settings: Emberwick.ini in " + workDir + " (the module's folder)",
      "Settings away from their defaults:",
      "  KEY_SMOKE=F5 (default N)",
      "Emberwick.ini line 3 \"KEY_SMOK=F6\": KEY_SMOK is not a setting, so the line is not used. "
      "Did you mean KEY_SMOKE?",
      "1 line of Emberwick.ini needs a look",
  };
  EXPECT_EQ(LogLines(), expected);

  const std::string notice = "Emberwick " + Version() + ": 1 line of Emberwick.ini needs a look, see Emberwick.log";
  EXPECT_EQ(Drawn(notice), 1u);
  Ms(4900);
  EXPECT_GT(Drawn(notice), 250u);
  Ms(200);
  sim.ClearCalls();
  Ms(1000);
  EXPECT_EQ(Drawn(notice), 0u) << "a notice stays for a few seconds only";

  // A clean file: the log says so, and nothing comes on screen.
  sim.Detach();
  WriteIni("[General]\nENABLED=true\n");
  sim.ClearCalls();
  Start();
  Frames(10);
  EXPECT_EQ(CountCalls("DisplayText"), 0u);
  ASSERT_FALSE(LogLines().empty());
  EXPECT_EQ(LogLines().back(), "Every line of Emberwick.ini reads as written");
}

TEST_F(SettingsLog, AReloadIsLoggedAndShownOncePerPressOfItsKeys) {
  Boot("[General]\nENABLED=true\nKEY_RELOAD=END+F5\n");
  const size_t linesAtLoad = LogLines().size();
  const std::string reloaded = "Emberwick " + Version() + ": settings reloaded";
  WriteIni("[General]\nKEY_RELOAD=END+F5\nKEY_SMOKE=J\nENABLED=flase\n");
  // The old combination does nothing; the file's own reloads on every frame
  // it is held, and the log and the notice take its first frame.
  sim.KeyDown(kKeyEnd);
  sim.KeyDown(kKeyNumpad6);
  Frames(3);
  EXPECT_EQ(KEY_SMOKE, kKeyN);
  sim.KeyUp(kKeyNumpad6);
  sim.KeyDown(kKeyF5);
  Frames(1);
  EXPECT_EQ(KEY_SMOKE, 'J');
  WriteIni("[General]\nKEY_RELOAD=END+F5\nKEY_SMOKE=K\nENABLED=flase\n");
  Frames(9);
  EXPECT_EQ(KEY_SMOKE, 'K') << "held, the keys still reload every frame";
  sim.KeyUp(kKeyF5);
  sim.KeyUp(kKeyEnd);
  Frames(1);
  EXPECT_EQ(LogLinesWith("Settings reloaded"), 1u);
  EXPECT_EQ(LogLinesWith("line 4 \"ENABLED=flase\""), 1u);
  EXPECT_GT(LogLines().size(), linesAtLoad) << "a reload adds to the log";
  EXPECT_EQ(LogLines()[0], "Emberwick " + Version() + " loaded");
  EXPECT_GE(Drawn(reloaded), 10u);
  EXPECT_GE(Drawn("Emberwick " + Version() + ": 1 line of Emberwick.ini needs a look, see Emberwick.log"), 10u);

  // The next press is another reload, with a notice of its own; with notices
  // off, the log still takes it.
  WriteIni("[General]\nKEY_RELOAD=END+F5\nSHOW_NOTICES=false\n");
  Ms(6000);
  sim.ClearCalls();
  sim.KeyDown(kKeyEnd);
  sim.KeyDown(kKeyF5);
  Frames(2);
  sim.KeyUp(kKeyF5);
  sim.KeyUp(kKeyEnd);
  Frames(2);
  EXPECT_EQ(LogLinesWith("Settings reloaded"), 2u);
  EXPECT_EQ(CountCalls("DisplayText"), 0u);
}

TEST_F(SettingsLog, TheFileBesideTheModuleWinsOverTheWorkingFolders) {
  const std::string moduleFolder = workDir + "/scripts";
  std::filesystem::create_directory(moduleFolder);
  host::SetModuleFolder(moduleFolder);
  WriteIni("[General]\nKEY_SMOKE=J\n");  // the working folder's
  Start();
  EXPECT_EQ(KEY_SMOKE, 'J');
  EXPECT_EQ(LogLines(moduleFolder).at(3), "Settings: Emberwick.ini in " + workDir +
                                             " (the working folder; there is none in " + moduleFolder +
                                             ", the module's folder)");
  { std::ofstream(moduleFolder + "/Emberwick.ini") << "[General]\nKEY_SMOKE=K\n"; }
  OnScript([] { LoadSettings(); });
  EXPECT_EQ(KEY_SMOKE, 'K');

  // Neither: the defaults, the line on standard output, and the log says where it looked.
  std::filesystem::remove(moduleFolder + "/Emberwick.ini");
  std::filesystem::remove(workDir + "/Emberwick.ini");
  sim.Detach();
  testing::internal::CaptureStdout();
  Start();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to load INI file!\n");
  EXPECT_EQ(KEY_SMOKE, kKeyN);
  EXPECT_EQ(LogLines(moduleFolder).at(3), "Settings: no Emberwick.ini in " + moduleFolder +
                                             " (the module's folder) or in " + workDir +
                                             " (the working folder): every setting has its default");
}

TEST_F(SettingsLog, WhatWentWrongWhilePlayingIsLoggedOnceEach) {
  Boot();
  Set("asset.missing", "script_mp@emotes@smoke_cigarette@male@unarmed@upper");
  HoldKey(kKeyN, 500);
  HoldKey(kKeyN, 500);
  EXPECT_EQ(LogLinesWith("On screen: Animation dictionary missing."), 1u);
  Ms(8000);
  Set("asset.delay", "script_mp@emotes@smoke_cigarette@male@unarmed@upper 0");
  Set("asset.never", "p_cigarette01x");
  HoldKey(kKeyN, 500);
  Ms(8000);
  EXPECT_EQ(LogLinesWith("Gave up waiting for the model p_cigarette01x after 300 frames"), 1u);
  for (const std::string& line : LogLines()) {
    if (line.find("Gave up") != std::string::npos) {
      EXPECT_EQ(line.rfind("[0:", 0), 0u) << line;
    }
  }
}

TEST_F(SettingsLog, AFolderThatCannotBeWrittenMeansNoLogAndThePluginPlaysOn) {
  // A directory where the log would be: as good as a folder without write access, also for root.
  std::filesystem::create_directory(workDir + "/Emberwick.log");
  Boot("[General]\nKEY_SMOK=F5\n");
  EXPECT_TRUE(host::LogPath().empty());
  EXPECT_GE(CountCalls("DisplayText"), 1u) << "the notice does not need the log";
  HoldKey(kKeyN, 500);
  EXPECT_TRUE(activeSequence.running);
  EXPECT_TRUE(sim.Errors().empty());
}

TEST_F(SettingsLog, TheLogStaysUnderItsCapWithALastLineSayingMoreWasDropped) {
  const std::string folder = workDir;
  ASSERT_TRUE(host::StartLog(folder));
  const std::vector<std::string> lines(1000, std::string(99, 'x'));
  host::AddToLog(lines);
  host::AddToLog("after the cap");
  const std::string path = folder + "/Emberwick.log";
  EXPECT_LE(std::filesystem::file_size(path), host::kLogCapBytes);
  EXPECT_GT(std::filesystem::file_size(path), host::kLogCapBytes - 200);
  std::ifstream file(path);
  std::string line, last;
  while (std::getline(file, line)) last = line;
  EXPECT_EQ(last, "The log is full (64 KiB): later lines were dropped.");

  ASSERT_TRUE(host::StartLog(folder));
  EXPECT_EQ(std::filesystem::file_size(path), 0u) << "a new load starts it afresh";
}

TEST_F(SettingsLog, AModuleFolderThatCannotBeWrittenPutsTheLogInTheLocalApplicationData) {
  // As root nothing is unwritable: a folder stands where the log would go.
  std::filesystem::create_directories(workDir + "/Emberwick.log");
  const std::string appData = workDir + "/AppData Local";
  std::filesystem::create_directories(appData);
  setenv("LOCALAPPDATA", appData.c_str(), 1);
  Boot("[General]\nKEY_SMOK=F6\n");
  unsetenv("LOCALAPPDATA");
  const std::string folder = appData + "/Emberwick";
  const std::vector<std::string> lines = LogLines(folder);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Emberwick " + Version() + " loaded; this log is in " + folder + " because " + workDir +
                          " cannot be written");
  EXPECT_EQ(host::LogPath(), folder + "/Emberwick.log");
  // The notice says where, beside the findings.
  EXPECT_GE(Drawn("Emberwick " + Version() + ": Emberwick.log is in " + folder), 1u);
  EXPECT_GE(Drawn("Emberwick " + Version() + ": 1 line of Emberwick.ini needs a look, see Emberwick.log"), 1u);
}

}  // namespace
