// The scenario menu: its two pages, labels from the settings, empty slots
// kept out, completions that start scenarios, and reloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "animations/sequence_runner.h"
#include "input/prompts.h"
#include "input/scenarios.h"
#include "input_fixture.h"
#include "plugin/main_loop.h"
#include "sequences/cigarette.h"

namespace {

using test::kKeyN;
using test::kKeyY;

class ScenarioMenu : public test::InputTest {
 protected:
  void OpenMenu() {
    HoldKey(kKeyY, 300);
    ASSERT_TRUE(scenarioMenuOpen);
  }
  // Completes a menu prompt the way the player does: its control held briefly.
  void Choose(const std::string& control) { HoldControl(control, 50); }
  std::vector<std::string> Sorted(std::vector<std::string> labels) const {
    std::sort(labels.begin(), labels.end());
    return labels;
  }
  const sim::RunningScenario* PlayerScenario() const {
    return sim.world.scenarios.Of(sim.world.entities.player);
  }
  void ExpectScenario(const char* type, const char* variation) {
    const sim::RunningScenario* s = PlayerScenario();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(sim.hashes.Name(s->type), type);
    EXPECT_EQ(s->variation, variation[0] ? sim.Hash(variation) : 0u);
  }
};

TEST_F(ScenarioMenu, TheFirstPageShowsTheSmokingEntryAndTheFilledSlots) {
  Boot();
  OpenMenu();
  // Slots 4 to 7 have no label by default and stay off screen.
  EXPECT_EQ(Sorted(VisiblePrompts()), Sorted({"Smoking", "Sit Down", "Lean Forward", "Lean Railing", "Settings"}));
  for (int slot = 3; slot < 7; ++slot) EXPECT_EQ(scenarioPrompts[slot], 0);
  const sim::SimPrompt* sit = sim.world.prompts.FindByLabel("Sit Down");
  ASSERT_NE(sit, nullptr);
  EXPECT_EQ(sit->control, sim.Hash("INPUT_INTERACT_OPTION2"));
  EXPECT_EQ(sit->priority, 3);
  EXPECT_EQ(sit->holdMs, 1);
  ExpectNoErrors();
}

TEST_F(ScenarioMenu, CustomSlotsShowTheirLabelsAndStartTheirScenarios) {
  Boot(
      "[General]\nENABLED=true\n[Scenarios]\nSCENARIO2_LABEL=\n"
      "SCENARIO5_TYPE=WORLD_HUMAN_SHOPKEEPER\nSCENARIO5_VARIATION=WORLD_HUMAN_SHOPKEEPER_MALE_A\n"
      "SCENARIO5_LABEL=Mind The Shop\nSCENARIO7_TYPE=WORLD_HUMAN_WRITE_NOTEBOOK\nSCENARIO7_LABEL=\n");
  OpenMenu();
  EXPECT_EQ(Sorted(VisiblePrompts()), Sorted({"Smoking", "Sit Down", "Lean Railing", "Mind The Shop", "Settings"}));
  const sim::SimPrompt* shop = sim.world.prompts.FindByLabel("Mind The Shop");
  ASSERT_NE(shop, nullptr);
  EXPECT_EQ(shop->control, sim.Hash("INPUT_NEXT_CAMERA"));

  Choose("INPUT_NEXT_CAMERA");
  ExpectScenario("WORLD_HUMAN_SHOPKEEPER", "WORLD_HUMAN_SHOPKEEPER_MALE_A");
  EXPECT_TRUE(scenarioActive);
  EXPECT_FALSE(sittingScenario);
  ASSERT_EQ(CountCalls("TaskStartScenarioInPlaceHash"), 1u);
  const sim::RecordedCall& call = *Calls("TaskStartScenarioInPlaceHash")[0];
  EXPECT_EQ(call.I(0), sim.world.entities.player);
  EXPECT_EQ(call.I(2), 0);
  EXPECT_EQ(call.I(3), 1);
  EXPECT_FLOAT_EQ(call.F(5), -1.0f);
  EXPECT_EQ(call.I(6), 1);

  // The menu closes 80 frames after the scenario started.
  EXPECT_TRUE(scenarioMenuOpen);
  Frames(80);
  EXPECT_FALSE(scenarioMenuOpen);
  EXPECT_TRUE(VisiblePrompts().empty());
  ExpectNoErrors();
}

TEST_F(ScenarioMenu, TheSmokingPageOffersFourSmokingScenarios) {
  Boot();
  OpenMenu();
  Choose("INPUT_DIVE");
  EXPECT_EQ(Sorted(VisiblePrompts()), Sorted({"Sitting", "On Railing", "Standing Cigarette", "Standing Pipe"}));
  Choose("INPUT_PLAYER_MENU");
  ExpectScenario("WORLD_HUMAN_SMOKE", "WORLD_HUMAN_SMOKE_MALE_B");
}

TEST_F(ScenarioMenu, TheStandingCigarettePicksTheCarryingVariantAboveFive) {
  Boot();
  Set("random.ints", "6");
  OpenMenu();
  Choose("INPUT_DIVE");
  Choose("INPUT_GAME_MENU_EXTRA_OPTION");
  ExpectScenario("WORLD_HUMAN_SMOKE_CARRYING", "WORLD_HUMAN_SMOKE_MALE_C");
}

TEST_F(ScenarioMenu, TheStandingCigarettePicksThePlainVariantAtFive) {
  Boot();
  Set("random.ints", "5");
  OpenMenu();
  Choose("INPUT_DIVE");
  Choose("INPUT_GAME_MENU_EXTRA_OPTION");
  ExpectScenario("WORLD_HUMAN_SMOKE", "WORLD_HUMAN_SMOKE_MALE_A");
}

TEST_F(ScenarioMenu, SittingDownPassesTheEmptyVariationAndHoldsTheCamera) {
  Boot();
  OpenMenu();
  Choose("INPUT_DIVE");
  Choose("INPUT_INTERACT_OPTION1");
  ExpectScenario("WORLD_HUMAN_SIT_SMOKE", "");
  EXPECT_TRUE(sittingScenario);
  ASSERT_EQ(CountCalls("TaskStartScenarioInPlaceHash"), 1u);
  EXPECT_EQ(Calls("TaskStartScenarioInPlaceHash")[0]->U(4), 0u);  // hash of the empty name
}

TEST_F(ScenarioMenu, AReloadDeletesTheMenuAndTheNextOpenShowsTheNewLabels) {
  Boot();
  OpenMenu();
  {
    std::ofstream ini("Emberwick.ini");
    ini << "[General]\nENABLED=true\n[Scenarios]\nSCENARIO1_LABEL=Rest\n[Translations]\nSMOKE_PROMPT_LABEL=Smoke Up\n";
  }
  sim.KeyDown(test::kKeyEnd);
  sim.KeyDown(test::kKeyNumpad6);
  Frames(1);
  sim.KeyUp(test::kKeyNumpad6);
  sim.KeyUp(test::kKeyEnd);
  Frames(1);
  EXPECT_FALSE(scenarioMenuOpen);
  EXPECT_TRUE(sim.world.prompts.all.empty());
  Ms(1000);  // the menu key toggles at most once a second
  OpenMenu();
  EXPECT_EQ(Sorted(VisiblePrompts()), Sorted({"Smoke Up", "Rest", "Lean Forward", "Lean Railing", "Settings"}));
  ExpectNoErrors();  // no deleted prompt was handed to the game again
}

TEST_F(ScenarioMenu, PromptsThatTakeOverTheNumbersOfDeletedOnesSurviveTheNextRebuild) {
  Boot();
  OpenMenu();
  TapKey(kKeyY);
  sim.KeyDown(test::kKeyEnd);
  sim.KeyDown(test::kKeyNumpad6);
  Frames(1);
  sim.KeyUp(test::kKeyNumpad6);
  sim.KeyUp(test::kKeyEnd);
  // The controller prompts get the numbers the menu had; the satchel also
  // closes (and so rebuilds) the menu, which must not delete them.
  Set("input.controller", "true");
  HoldControl("INPUT_OPEN_SATCHEL_MENU", 50);
  EXPECT_TRUE(PromptVisible("Smoke"));
  EXPECT_TRUE(PromptVisible("Show Scenarios"));
  ExpectNoErrors();
}

TEST_F(ScenarioMenu, TheMenuDoesNotOpenOnHorsebackButAlwaysCloses) {
  Boot();
  Set("player.on_foot", "false");
  HoldKey(kKeyY, 300);
  EXPECT_FALSE(scenarioMenuOpen);
  Set("player.on_foot", "true");
  Ms(1000);
  OpenMenu();
  Set("player.on_foot", "false");
  TapKey(kKeyY);
  EXPECT_FALSE(scenarioMenuOpen);
  EXPECT_TRUE(VisiblePrompts().empty());
}

TEST_F(ScenarioMenu, TheRailingSlotWhileSmokingLeansWithFreeHands) {
  Boot();
  HoldKey(kKeyN, 500);
  ASSERT_TRUE(Smoking(kCigarette));
  Ms(3000);
  OpenMenu();
  Choose("INPUT_RELOAD");
  ExpectScenario("WORLD_HUMAN_LEAN_RAILING_DYNAMIC", "WORLD_HUMAN_LEAN_RAILING_MALE_A");
  EXPECT_TRUE(Smoking(kCigarette));
}

}  // namespace
