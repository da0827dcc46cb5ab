// Keys turned into smokes: hold to light, tap to throw or for the quick emote,
// long press between hand and mouth, the puff key and the reload combination.
#include <gtest/gtest.h>

#include <fstream>

#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "input/input_dispatch.h"
#include "input/prompts.h"
#include "input_fixture.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "smoking/smoking_state.h"

namespace {

using test::kKeyComma;
using test::kKeyEnd;
using test::kKeyJ;
using test::kKeyN;
using test::kKeyNumpad6;
using test::kKeyY;

class KeyboardInput : public test::InputTest {
 protected:
  // Lights a cigarette with the smoke key and waits until it rests in the hand.
  void LightCigaretteAndSettle() {
    HoldKey(kKeyN, 500);
    ASSERT_TRUE(Smoking(kCigarette));
    ASSERT_TRUE(RunUntil([] { return CurrentTaskPlays("base"); }, 30000)) << test::CurrentTaskName();
    ASSERT_TRUE(PropOnPlayer());
  }
  void Reload() {
    sim.KeyDown(kKeyEnd);
    sim.KeyDown(kKeyNumpad6);
    Frames(1);
    sim.KeyUp(kKeyNumpad6);
    sim.KeyUp(kKeyEnd);
    Frames(1);
  }
};

TEST_F(KeyboardInput, HoldingTheSmokeKeyLightsACigaretteWhileItIsStillDown) {
  sim.SetFrameUs(10000);
  Boot();
  sim.KeyDown(kKeyN);
  Frames(35);  // down for 0 .. 340 ms
  EXPECT_FALSE(activeSequence.running);
  Frames(1);  // 350 ms: not yet a hold
  EXPECT_FALSE(activeSequence.running);
  Frames(1);  // 360 ms
  EXPECT_TRUE(Smoking(kCigarette));
  EXPECT_EQ(smokeStartTime, sim.GameTimerMs() - 10);
  EXPECT_EQ(lightStartedAt, smokeStartTime);

  // Letting go afterwards only ends the press.
  sim.KeyUp(kKeyN);
  Frames(1);
  EXPECT_TRUE(Smoking(kCigarette));
  EXPECT_EQ(smokeButtonDownAt, 0);
  EXPECT_EQ(lightStartedAt, 0);
  ExpectNoErrors();
}

TEST_F(KeyboardInput, APressOfExactly350MsDoesNothing) {
  sim.SetFrameUs(10000);
  Boot();
  sim.KeyDown(kKeyN);
  Frames(35);  // the frames at 0 .. 340 ms see the key down
  sim.KeyUp(kKeyN);
  Frames(1);  // released, 350 ms after the press began
  Frames(30);
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(activeSequence.smoke, nullptr);
  EXPECT_EQ(smokeButtonDownAt, 0);
}

TEST_F(KeyboardInput, ATapWhileIdleStartsTheQuickCigaretteEmote) {
  Boot();
  TapKey(kKeyN);
  EXPECT_TRUE(QuickSmoking(kCigarette));
  EXPECT_EQ(CountCalls("TaskPlayEmoteWithHash"), 1u);

  // A second tap during the emote stops it and drops the prop.
  Ms(1500);
  const size_t stopsBefore = CountCalls("ClearPedTasks");
  TapKey(kKeyN);
  EXPECT_EQ(CountCalls("ClearPedTasks"), stopsBefore + 1);
  EXPECT_FALSE(QuickSmoking(kCigarette));
}

TEST_F(KeyboardInput, ATapWhileSmokingThrowsTheCigaretteAway) {
  Boot();
  LightCigaretteAndSettle();
  TapKey(kKeyN);
  EXPECT_FALSE(CurrentTaskPlays("base"));
  ASSERT_TRUE(RunUntil([] { return !activeSequence.running; }, 15000)) << test::CurrentTaskName();
  EXPECT_FALSE(PropOnPlayer());
  // The next hold lights a new one.
  HoldKey(kKeyN, 500);
  EXPECT_TRUE(Smoking(kCigarette));
  ExpectNoErrors();
}

TEST_F(KeyboardInput, ALongPressMovesTheCigaretteToTheMouthAndBack) {
  Boot();
  LightCigaretteAndSettle();
  HoldKey(kKeyN, 500);
  ASSERT_TRUE(RunUntil([] { return propInMouth; }, 5000));
  EXPECT_TRUE(Smoking(kCigarette));
  Ms(3000);
  HoldKey(kKeyN, 500);
  ASSERT_TRUE(RunUntil([] { return !propInMouth; }, 5000));
  EXPECT_TRUE(Smoking(kCigarette));
}

TEST_F(KeyboardInput, KeepingTheKeyDownAfterLightingMovesToTheMouthOnce) {
  Boot();
  sim.KeyDown(kKeyN);
  Ms(400);
  ASSERT_TRUE(Smoking(kCigarette));
  const int lit = lightStartedAt;
  ASSERT_NE(lit, 0);
  ASSERT_TRUE(RunUntil([] { return lightStartedAt == 0; }, 3000));
  EXPECT_GE(sim.GameTimerMs() - lit, 2501);
  EXPECT_LE(sim.GameTimerMs() - lit, 2501 + 40);
  sim.KeyUp(kKeyN);
  Frames(1);
  EXPECT_TRUE(Smoking(kCigarette));
}

TEST_F(KeyboardInput, ThePuffKeyTakesAPuffFromTheHandOnDemand) {
  Boot();
  LightCigaretteAndSettle();
  TapKey(kKeyY);
  EXPECT_TRUE(manualPuff);
  EXPECT_NE(lastPuffAt, 0);
  EXPECT_FALSE(CurrentTaskPlays("base")) << test::CurrentTaskName();
  EXPECT_TRUE(Smoking(kCigarette));
  // A short tap of the shared key does not open the scenario menu.
  EXPECT_FALSE(scenarioMenuOpen);

  // Refused within 1200 ms of the last one.
  const int first = lastPuffAt;
  ASSERT_TRUE(RunUntil([] { return CurrentTaskPlays("base"); }, 30000));
  if (sim.GameTimerMs() - first < 1201) {
    TapKey(kKeyY);
    EXPECT_EQ(lastPuffAt, first);
  }
}

TEST_F(KeyboardInput, TheCigarKeyLightsACigarAndTheSmokeKeyThenWorksIt) {
  Boot();
  HoldKey(kKeyComma, 500);
  ASSERT_TRUE(Smoking(kCigar));
  ASSERT_TRUE(RunUntil([] { return CurrentTaskPlays("loop"); }, 30000)) << test::CurrentTaskName();
  ASSERT_TRUE(PropOnPlayer());
  TapKey(kKeyN);
  ASSERT_TRUE(RunUntil([] { return !activeSequence.running; }, 15000)) << test::CurrentTaskName();
  EXPECT_FALSE(PropOnPlayer());
  ExpectNoErrors();
}

TEST_F(KeyboardInput, TheCigarKeyIsIgnoredWhileACigaretteIsSmoked) {
  Boot();
  LightCigaretteAndSettle();
  TapKey(kKeyComma);
  EXPECT_TRUE(CurrentTaskPlays("base"));
  HoldKey(kKeyComma, 600);
  EXPECT_TRUE(Smoking(kCigarette));
  EXPECT_FALSE(propInMouth);
}

TEST_F(KeyboardInput, ATapOfTheCigarKeyWhileIdleStartsTheQuickCigar) {
  Boot();
  TapKey(kKeyComma);
  EXPECT_TRUE(QuickSmoking(kCigar));
  Ms(2000);
  TapKey(kKeyComma);
  EXPECT_FALSE(activeSequence.running);
}

TEST_F(KeyboardInput, TheReloadCombinationRereadsTheFile) {
  Boot();
  {
    std::ofstream ini("Emberwick.ini");
    ini << "[General]\nENABLED=true\nKEY_SMOKE=J\n";
  }
  HoldKey(kKeyN, 500);
  ASSERT_TRUE(Smoking(kCigarette));
  Reload();
  // The reload ends the smoke and takes the new key.
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(KEY_SMOKE, kKeyJ);
  HoldKey(kKeyN, 500);
  EXPECT_FALSE(activeSequence.running);
  HoldKey(kKeyJ, 500);
  EXPECT_TRUE(Smoking(kCigarette));
}

TEST_F(KeyboardInput, TheReloadCombinationWorksWhileDisabled) {
  Boot("[General]\nENABLED=false\n");
  HoldKey(kKeyN, 500);
  EXPECT_FALSE(activeSequence.running);
  {
    std::ofstream ini("Emberwick.ini");
    ini << "[General]\nENABLED=true\n";
  }
  Reload();
  EXPECT_TRUE(ENABLED);
  HoldKey(kKeyN, 500);
  EXPECT_TRUE(Smoking(kCigarette));
}

TEST_F(KeyboardInput, AReloadThatSwitchesScenariosOffClosesAnOpenMenu) {
  Boot();
  HoldKey(kKeyY, 300);
  ASSERT_TRUE(scenarioMenuOpen);
  ASSERT_TRUE(PromptVisible("Sit Down"));
  {
    std::ofstream ini("Emberwick.ini");
    ini << "[General]\nENABLED=true\n[Scenarios]\nSCENARIOS_ENABLED=false\n";
  }
  Reload();
  EXPECT_FALSE(scenarioMenuOpen);
  EXPECT_TRUE(VisiblePrompts().empty());
  EXPECT_EQ(menuSmokePrompt, 0);
  for (Prompt prompt : scenarioPrompts) EXPECT_EQ(prompt, 0);
  // Input is alive: the smoke key lights, the menu key no longer opens anything.
  HoldKey(kKeyY, 300);
  EXPECT_FALSE(scenarioMenuOpen);
  HoldKey(kKeyN, 500);
  EXPECT_TRUE(Smoking(kCigarette));
  ExpectNoErrors();
}

TEST_F(KeyboardInput, WithTheMenuOpenTheSmokeKeysDoNothing) {
  Boot();
  HoldKey(kKeyY, 300);
  ASSERT_TRUE(scenarioMenuOpen);
  HoldKey(kKeyN, 500);
  TapKey(kKeyComma);
  EXPECT_FALSE(activeSequence.running);
  // A tap of the menu key closes it again.
  TapKey(kKeyY);
  EXPECT_FALSE(scenarioMenuOpen);
  EXPECT_TRUE(VisiblePrompts().empty());
}

TEST_F(KeyboardInput, AControllerInUseLeavesTheSmokeKeysUnread) {
  Boot();
  Set("input.controller", "true");
  HoldKey(kKeyN, 500);
  TapKey(kKeyComma);
  EXPECT_FALSE(activeSequence.running);
  // The menu key still works.
  HoldKey(kKeyY, 300);
  EXPECT_TRUE(scenarioMenuOpen);
}

// World states that refuse a smoke: nothing starts, by hold or by tap.
struct Refusal {
  const char* name;
  const char* setting;
  const char* value;
  const char* ini;
  bool holdRefused;
};

void PrintTo(const Refusal& r, std::ostream* out) { *out << r.name; }

class RefusedSmoke : public KeyboardInput, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedSmoke, StartsNothing) {
  const Refusal& r = GetParam();
  Boot(std::string("[General]\nENABLED=true\n") + r.ini);
  if (*r.setting) Set(r.setting, r.value);
  for (const SmokeKind* kind : kSmokeKinds) TapKey(*kind->key);
  EXPECT_FALSE(activeSequence.running) << test::CurrentTaskName();
  if (!r.holdRefused) {
    HoldKey(*kSmokeKinds[0]->key, 500);
    EXPECT_TRUE(activeSequence.running);
    return;
  }
  for (const SmokeKind* kind : kSmokeKinds) {
    HoldKey(*kind->key, 500);
    EXPECT_FALSE(activeSequence.running) << kind->name << ": " << test::CurrentTaskName();
  }
  EXPECT_EQ(sim.world.entities.all.size(), 1u) << "only the player";
}

INSTANTIATE_TEST_SUITE_P(
    KeyboardInput, RefusedSmoke,
    ::testing::Values(
        Refusal{"NoItem", "", "", "[Smoking]\nBLOCK_SMOKING_IF_NO_ITEM=true\n", true},
        Refusal{"Melee", "player.melee", "true", "", true}, Refusal{"Water", "player.submerged", "0.5", "", true},
        Refusal{"BeingGrappled", "player.being_grappled", "true", "", true},
        Refusal{"NoControl", "player.control", "false", "[Cutscenes]\nDISABLE_ON_CONTROL_LOSS=true\n", true},
        // Riding only keeps the quick emote from starting; lighting is allowed.
        Refusal{"Mounted", "player.mounted", "true", "", false},
        Refusal{"Armed", "player.weapon", "WEAPON_REVOLVER_CATTLEMAN", "", false},
        Refusal{"Running", "player.move_blend_ratio", "2.0", "", false}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

}  // namespace
