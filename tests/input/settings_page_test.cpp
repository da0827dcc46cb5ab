// The settings page as a player uses it: opened with its key or from the
// scenario menu, moved through with the frontend controls, a key rebound by
// pressing it, a setting toggled, a finding mended, saved and reloaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/settings.h"
#include "host/game_names.h"
#include "input/input_fixture.h"
#include "input/settings_page.h"

namespace {

using test::kKeyEnd;
using test::kKeyN;
using test::kKeyNumpad6;
using test::kKeyY;

constexpr int kKeyF5 = 0x74;
constexpr int kKeyF9 = 0x78;

class SettingsPage : public test::InputTest {
 protected:
  std::string File(const std::string& name = "Emberwick.ini") const {
    std::ifstream file(workDir + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
  }
  // What the page drew on the last frame.
  std::vector<std::string> Shown() {
    sim.ClearCalls();
    Frames(1);
    std::vector<std::string> texts;
    for (const sim::RecordedCall* call : Calls("DisplayText")) texts.push_back(call->strings[0]);
    return texts;
  }
  bool Shows(const std::string& piece) {
    for (const std::string& text : Shown()) {
      if (text.find(piece) != std::string::npos) return true;
    }
    return false;
  }
  void Press(const std::string& control) {
    HoldControl("INPUT_FRONTEND_" + control, 50);
    Frames(2);
  }
  // Down (or up) until the chosen row is the one named.
  void MoveTo(const std::string& row, const std::string& direction = "DOWN") {
    for (int i = 0; i < 120; ++i) {
      if (Shows("> " + row)) return;
      Press(direction);
    }
    FAIL() << "no row " << row;
  }
};

TEST_F(SettingsPage, RebindToggleMendSaveAndReload) {
  const std::string before =
      "; my settings\r\n[General]\r\nENABLED=tru\r\nKEY_SMOKE=N   ; the smoke key\r\n\r\n[Smoking]\r\n"
      "NEVER_FALLS_OUT=false\r\n";
  Boot(before);
  TapKey(kKeyF9);
  ASSERT_TRUE(SettingsPageOpen());
  // The finding comes first, with its mend.
  EXPECT_TRUE(Shows("Line 3 \"ENABLED=tru\": mend with ENABLED=true"));

  // While the page is open the smoke key lights nothing, and the game does
  // not get the page's controls.
  HoldKey(kKeyN, 600);
  Ms(500);
  EXPECT_FALSE(activeSequence.running);
  sim.ClearCalls();
  Frames(1);
  EXPECT_EQ(CountCalls("DisableControlAction"), 6u);

  Press("DOWN");
  Press("ACCEPT");
  EXPECT_TRUE(Shows("mended"));

  // A key another setting uses is refused, with the word saying which.
  MoveTo("KEY_SMOKE = N");
  Press("ACCEPT");
  EXPECT_TRUE(Shows("KEY_SMOKE = press a key"));
  TapKey(kKeyY);
  EXPECT_TRUE(Shows("Y is KEY_TAKE_PUFF's key already"));
  Press("ACCEPT");
  TapKey(kKeyF5);
  EXPECT_TRUE(Shows("KEY_SMOKE = F5  (changed)"));

  MoveTo("NEVER_FALLS_OUT = false");
  Press("RIGHT");
  EXPECT_TRUE(Shows("NEVER_FALLS_OUT = true  (changed)"));

  MoveTo("Save 3 changes and reload", "UP");
  Press("ACCEPT");
  EXPECT_EQ(File(), "; my settings\r\n[General]\r\nENABLED=true\r\nKEY_SMOKE=F5   ; the smoke key\r\n\r\n[Smoking]\r\n"
                    "NEVER_FALLS_OUT=true\r\n");
  EXPECT_EQ(File("Emberwick.ini.bak"), before);
  // Reloaded as the reload keys do: the log says so, and the new key smokes.
  const std::string log = File("Emberwick.log");
  EXPECT_NE(log.find("Settings saved to " + workDir + "/Emberwick.ini: ENABLED=true, KEY_SMOKE=F5, NEVER_FALLS_OUT=true"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Settings reloaded"), std::string::npos);
  EXPECT_EQ(KEY_SMOKE, kKeyF5);
  EXPECT_TRUE(NEVER_FALLS_OUT);
  EXPECT_TRUE(Shows("Saved; the previous file is Emberwick.ini.bak"));

  Press("CANCEL");
  EXPECT_FALSE(SettingsPageOpen());
  HoldKey(kKeyF5, 600);
  EXPECT_TRUE(RunUntil([this] { return PropOnPlayer(); }, 3000));
}

TEST_F(SettingsPage, AFileChangedOnDiskOrThatCannotBeWrittenIsSaidOnThePage) {
  Boot("[General]\nKEY_SMOKE=N\n");
  TapKey(kKeyF9);
  MoveTo("ENABLED = true");
  Press("LEFT");
  MoveTo("Save 1 change and reload", "UP");

  std::filesystem::create_directories(workDir + "/Emberwick.ini.new");
  Press("ACCEPT");
  EXPECT_TRUE(Shows("Not saved: "));
  EXPECT_EQ(File(), "[General]\nKEY_SMOKE=N\n");
  EXPECT_NE(File("Emberwick.log").find("Emberwick.ini is as it was"), std::string::npos);
  std::filesystem::remove(workDir + "/Emberwick.ini.new");

  { std::ofstream(workDir + "/Emberwick.ini") << "[General]\nKEY_SMOKE=J\n"; }
  Press("ACCEPT");
  EXPECT_TRUE(Shows("changed on disk since it was read"));
  EXPECT_EQ(File(), "[General]\nKEY_SMOKE=J\n");
  EXPECT_TRUE(ENABLED);
}

TEST_F(SettingsPage, OpensFromTheScenarioMenuAndTheReloadKeysKeepWorking) {
  Boot();
  HoldKey(kKeyY, 300);
  ASSERT_TRUE(PromptVisible("Settings"));
  HoldControl("INPUT_FRONTEND_RS", 50);
  Frames(2);
  ASSERT_TRUE(SettingsPageOpen());
  EXPECT_FALSE(PromptVisible("Settings"));

  sim.KeyDown(kKeyEnd);
  sim.KeyDown(kKeyNumpad6);
  Frames(2);
  sim.KeyUp(kKeyEnd);
  sim.KeyUp(kKeyNumpad6);
  Frames(1);
  EXPECT_NE(File("Emberwick.log").find("Settings reloaded"), std::string::npos);
  EXPECT_TRUE(SettingsPageOpen());
  TapKey(kKeyF9);
  EXPECT_FALSE(SettingsPageOpen());
}

TEST_F(SettingsPage, TheReloadKeysAreTheKeysHeldTogetherAndTakeEffectOnSave) {
  Boot("[General]\nKEY_RELOAD=END+NUMPAD6\n");
  TapKey(kKeyF9);
  MoveTo("KEY_RELOAD = END+NUMPAD6");
  Press("ACCEPT");
  sim.KeyDown(kKeyEnd);
  Frames(2);
  sim.KeyDown(kKeyF5);
  Frames(2);
  EXPECT_TRUE(Shows("KEY_RELOAD = press the keys together")) << "taken once all are let go";
  sim.KeyUp(kKeyF5);
  Frames(1);
  sim.KeyUp(kKeyEnd);
  Frames(1);
  EXPECT_TRUE(Shows("KEY_RELOAD = END+F5  (changed)"));
  MoveTo("Save 1 change and reload", "UP");
  Press("ACCEPT");
  EXPECT_EQ(File(), "[General]\nKEY_RELOAD=END+F5\n");
  EXPECT_EQ(KEY_RELOAD.count, 2);
  EXPECT_EQ(KEY_RELOAD.keys[1], kKeyF5);
}

TEST_F(SettingsPage, CostsNoMoreNativesPerFrameThanASmokeBetweenPuffs) {
  Boot();
  TapKey(kKeyF9);
  Ms(200);
  for (const std::string row : {"Save", "ENABLED"}) {
    MoveTo(row);
    sim.ClearCalls();
    Frames(1);
    std::string names;
    for (const std::string& name : CallNames()) names += name + " ";
    EXPECT_LE(CallNames().size(), 45u) << row << ": " << names;
    EXPECT_EQ(CountCalls("GetHashKey"), 0u);
  }
}

}  // namespace
