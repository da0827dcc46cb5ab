// A player at the keyboard or the controller: keys, game controls and world
// settings, driven frame by frame against the plug-in.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animations/sequence_runner.h"
#include "animations/task_queries.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace test {

inline constexpr int kKeyN = 0x4E;
inline constexpr int kKeyJ = 0x4A;
inline constexpr int kKeyY = 0x59;
inline constexpr int kKeyComma = 0xBC;
inline constexpr int kKeyEnd = 0x23;
inline constexpr int kKeyNumpad6 = 0x66;

class InputTest : public PluginTest {
 protected:
  void Boot(const std::string& ini = "[General]\nENABLED=true\n") {
    WriteIni(ini);
    Start();
  }
  void Set(const std::string& name, const std::string& value) {
    std::string error;
    ASSERT_TRUE(sim.Set(name, value, error)) << name << ": " << error;
  }
  // A key held for `ms` of game time, then let go; one frame sees the release.
  void HoldKey(int key, int64_t ms) {
    sim.KeyDown(key);
    Ms(ms);
    sim.KeyUp(key);
    Frames(1);
  }
  void TapKey(int key) { HoldKey(key, 100); }

  // Game controls, as the session's `control` command drives them.
  void ControlDown(const std::string& name) { Control({name, "press"}); }
  void ControlUp(const std::string& name) { Control({name, "release"}); }
  void HoldControl(const std::string& name, int64_t ms) {
    ControlDown(name);
    Ms(ms);
    ControlUp(name);
    Frames(1);
  }
  void Control(const std::vector<std::string>& args) {
    const sim::Command* command = sim.FindCommand("control");
    ASSERT_NE(command, nullptr);
    std::string error;
    ASSERT_TRUE((*command)(args, error)) << error;
  }

  // Runs frames until `done` holds or `ms` of game time have passed.
  template <typename Predicate>
  bool RunUntil(Predicate done, int64_t ms) {
    const int64_t end = sim.NowUs() + ms * 1000;
    while (!done()) {
      if (sim.NowUs() >= end) return false;
      sim.RunFrame();
    }
    return true;
  }

  bool Smoking(const SmokeKind& kind) const { return activeSequence.running && SmokedNow() == &kind; }
  bool QuickSmoking(const SmokeKind& kind) const { return activeSequence.running && QuickSmokeNow() == &kind; }
  // The smoke prop exists and hangs on the player (hand, fingers or mouth).
  bool PropOnPlayer() const {
    const sim::SimEntity* prop = sim.world.entities.Find(smokeProp);
    return prop != nullptr && prop->attachedTo == sim.world.entities.player;
  }
  std::vector<std::string> VisiblePrompts() const { return sim.world.prompts.VisibleLabels(); }
  bool PromptVisible(const std::string& label) const {
    for (const std::string& l : VisiblePrompts()) {
      if (l == label) return true;
    }
    return false;
  }
  void ExpectNoErrors() const {
    for (const std::string& error : sim.Errors()) ADD_FAILURE() << error;
  }
};

}  // namespace test
