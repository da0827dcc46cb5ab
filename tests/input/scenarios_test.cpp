// Starting world scenarios in place: the arguments the game gets, smoking
// scenarios replacing the plug-in's own smoke, and the railing hand-off.
#include <gtest/gtest.h>

#include "animations/sequence_runner.h"
#include "input/input_dispatch.h"
#include "input/scenarios.h"
#include "input_fixture.h"
#include "plugin/main_loop.h"
#include "sequences/cigarette.h"
#include "smoking/smoking_state.h"

namespace {

using test::kKeyN;

class Scenarios : public test::InputTest {
 protected:
  // Called between frames, as the menu would within one; it yields no frame.
  void Start(const char* type, const char* variation, bool force = false) { StartScenario(type, variation, force); }
  std::string PlayerScenario() const {
    const sim::RunningScenario* s = sim.world.scenarios.Of(sim.world.entities.player);
    return s ? sim.hashes.Name(s->type) : "";
  }
};

TEST_F(Scenarios, StartsInPlaceWithTheTypeAndVariationHashes) {
  Boot();
  Start("GENERIC_SIT_GROUND_SCENARIO", "");
  ASSERT_EQ(CountCalls("TaskStartScenarioInPlaceHash"), 1u);
  const sim::RecordedCall& call = *Calls("TaskStartScenarioInPlaceHash")[0];
  EXPECT_EQ(call.U(1), sim.Hash("GENERIC_SIT_GROUND_SCENARIO"));
  EXPECT_EQ(call.U(4), sim.Hash(""));
  EXPECT_TRUE(scenarioActive);
  // "GROUND" makes it a sitting one.
  EXPECT_TRUE(sittingScenario);
  EXPECT_TRUE(sittingCameraHold->sitting);
  EXPECT_EQ(sittingCameraHold->countdownFrames, 90);
  EXPECT_EQ(promptRefreshCountdown, 80);
  EXPECT_EQ(scenarioType, "GENERIC_SIT_GROUND_SCENARIO");

  // A second one without force only restarts the menu countdown.
  promptRefreshCountdown = 3;
  Start("WORLD_HUMAN_LEAN_RAILING", "WORLD_HUMAN_LEAN_RAILING_SMOKING_MALE_B");
  EXPECT_EQ(CountCalls("TaskStartScenarioInPlaceHash"), 1u);
  EXPECT_EQ(promptRefreshCountdown, 80);
  EXPECT_EQ(PlayerScenario(), "GENERIC_SIT_GROUND_SCENARIO");
}

TEST_F(Scenarios, NothingStartsWhileThePlayerSteers) {
  Boot();
  ControlDown("INPUT_MOVE_UP_ONLY");
  Start("WORLD_HUMAN_SMOKE", "WORLD_HUMAN_SMOKE_MALE_A");
  EXPECT_EQ(CountCalls("TaskStartScenarioInPlaceHash"), 0u);
  EXPECT_FALSE(scenarioActive);
  EXPECT_EQ(promptRefreshCountdown, 80);
}

TEST_F(Scenarios, ASmokingScenarioReplacesTheCigaretteAtOnce) {
  Boot();
  HoldKey(kKeyN, 500);
  ASSERT_TRUE(RunUntil([this] { return PropOnPlayer() && !matchProp; }, 20000));
  Start("WORLD_HUMAN_SMOKE", "WORLD_HUMAN_SMOKE_MALE_A");
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(activeSequence.smoke, nullptr);
  EXPECT_FALSE(PropOnPlayer());
  EXPECT_FALSE(propInMouth);
  EXPECT_EQ(PlayerScenario(), "WORLD_HUMAN_SMOKE");
}

TEST_F(Scenarios, LightingWhileLeaningOnTheRailingSwitchesToTheFreeHandedLean) {
  Boot();
  Start("WORLD_HUMAN_LEAN_RAILING_NO_PROPS", "WORLD_HUMAN_LEAN_RAILING_MALE_B");
  HoldKey(kKeyN, 500);
  EXPECT_EQ(PlayerScenario(), "WORLD_HUMAN_LEAN_RAILING_DYNAMIC");
  EXPECT_EQ(scenarioVariation, "WORLD_HUMAN_LEAN_RAILING_MALE_A");
  EXPECT_TRUE(Smoking(kCigarette));
  EXPECT_TRUE(scenarioActive);
}

TEST_F(Scenarios, OtherScenariosAreLeftAloneWhenLighting) {
  Boot();
  Start("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK", "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F");
  HoldKey(kKeyN, 500);
  EXPECT_EQ(CountCalls("TaskStartScenarioInPlaceHash"), 1u);
  EXPECT_TRUE(Smoking(kCigarette));
}

TEST_F(Scenarios, TheQuickEmoteIsRefusedInAScenario) {
  Boot();
  Start("GENERIC_SIT_GROUND_SCENARIO", "");
  TapKey(kKeyN);
  EXPECT_FALSE(activeSequence.running);
  // Also in a scenario the plug-in did not start.
  ClearScenarioFlags();
  Set("player.scenario", "PROP_HUMAN_SEAT_CHAIR");
  TapKey(kKeyN);
  EXPECT_FALSE(activeSequence.running);
  Set("player.scenario", "none");
  TapKey(kKeyN);
  EXPECT_TRUE(QuickSmoking(kCigarette));
}

}  // namespace
