// The controller path: the satchel button opens the prompt window, the smoke
// hint hands over to the cigarette and cigar choices, RB and RT then work like
// the two keys.
#include <gtest/gtest.h>

#include "animations/sequence_runner.h"
#include "input/input_dispatch.h"
#include "input/prompts.h"
#include "input_fixture.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "smoking/smoking_state.h"

namespace {

class ControllerInput : public test::InputTest {
 protected:
  void BootWithController() {
    Boot();
    Set("input.controller", "true");
  }
  void PressSatchel() { HoldControl("INPUT_OPEN_SATCHEL_MENU", 50); }
  // Satchel, then the smoke hint held until the choice is armed.
  void ArmChoice() {
    PressSatchel();
    HoldControl("INPUT_FRONTEND_RB", 50);
    ASSERT_TRUE(RunUntil([] { return controllerChoiceArmed; }, 1000));
  }
  const sim::SimPrompt* Prompt(const std::string& label) const { return sim.world.prompts.FindByLabel(label); }
};

TEST_F(ControllerInput, TheSatchelButtonShowsTheSmokeHintAndTheScenarioPrompt) {
  BootWithController();
  PressSatchel();
  EXPECT_TRUE(PromptVisible("Smoke"));
  EXPECT_TRUE(PromptVisible("Show Scenarios"));
  EXPECT_FALSE(PromptVisible("Cigarette"));
  EXPECT_FALSE(PromptVisible("Cigar"));

  const sim::SimPrompt* hint = Prompt("Smoke");
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->control, sim.Hash("INPUT_FRONTEND_RB"));
  EXPECT_EQ(hint->holdMs, 1);
  EXPECT_EQ(hint->priority, 1);
  EXPECT_FALSE(hint->attribute10);
  const sim::SimPrompt* cigar = Prompt("Cigar");
  ASSERT_NE(cigar, nullptr);
  EXPECT_EQ(cigar->control, sim.Hash("INPUT_FRONTEND_RT"));
  EXPECT_EQ(cigar->holdMs, 540);
  EXPECT_TRUE(cigar->attribute10);

  // RB and RT belong to the prompts while the window is open.
  EXPECT_GT(CountCalls("DisableControlAction"), 0u);

  // The window closes by itself after 3750 ms.
  Ms(3800);
  EXPECT_TRUE(VisiblePrompts().empty());
  EXPECT_EQ(controllerPromptWindowAt, 0);
  const size_t disables = CountCalls("DisableControlAction");
  Frames(10);
  EXPECT_EQ(CountCalls("DisableControlAction"), disables);
  ExpectNoErrors();
}

TEST_F(ControllerInput, CompletingTheHintOffersTheChoiceAndRbLightsACigarette) {
  BootWithController();
  PressSatchel();
  HoldControl("INPUT_FRONTEND_RB", 50);
  EXPECT_NE(smokeHintCompletedAt, 0);
  EXPECT_FALSE(activeSequence.running);

  ASSERT_TRUE(RunUntil([this] { return PromptVisible("Cigarette"); }, 400));
  EXPECT_GT(sim.GameTimerMs() - smokeHintCompletedAt, 115);
  EXPECT_TRUE(PromptVisible("Cigar"));
  EXPECT_FALSE(PromptVisible("Smoke"));
  EXPECT_FALSE(PromptVisible("Show Scenarios"));
  EXPECT_FALSE(controllerChoiceArmed);
  ASSERT_TRUE(RunUntil([] { return controllerChoiceArmed; }, 400));

  // A hold of RB lights, and completing the choice closes the window 750 ms later.
  ControlDown("INPUT_FRONTEND_RB");
  ASSERT_TRUE(RunUntil([] { return activeSequence.running; }, 400));
  EXPECT_TRUE(Smoking(kCigarette));
  Ms(250);
  ControlUp("INPUT_FRONTEND_RB");
  Frames(1);
  EXPECT_TRUE(PromptVisible("Cigarette"));
  Ms(700);
  EXPECT_TRUE(PromptVisible("Cigarette"));
  Ms(100);
  EXPECT_TRUE(VisiblePrompts().empty());
  EXPECT_TRUE(Smoking(kCigarette));
  ExpectNoErrors();
}

TEST_F(ControllerInput, RtLightsACigarOnceArmed) {
  BootWithController();
  ArmChoice();
  HoldControl("INPUT_FRONTEND_RT", 600);
  EXPECT_TRUE(Smoking(kCigar));
}

TEST_F(ControllerInput, ATapOfRtWhileArmedStartsTheQuickCigar) {
  BootWithController();
  ArmChoice();
  HoldControl("INPUT_FRONTEND_RT", 100);
  EXPECT_TRUE(QuickSmoking(kCigar));
}

TEST_F(ControllerInput, TheShowScenariosPromptOpensTheMenu) {
  BootWithController();
  PressSatchel();
  ControlDown("INPUT_FRONTEND_UP");
  Frames(3);
  EXPECT_TRUE(scenarioMenuOpen);
  ControlUp("INPUT_FRONTEND_UP");
  Frames(1);
  EXPECT_TRUE(PromptVisible("Sit Down"));
  EXPECT_FALSE(PromptVisible("Show Scenarios"));
}

TEST_F(ControllerInput, WhileSmokingRbWorksTheCigaretteAtOnce) {
  BootWithController();
  ArmChoice();
  HoldControl("INPUT_FRONTEND_RB", 600);
  ASSERT_TRUE(Smoking(kCigarette));
  ASSERT_TRUE(RunUntil([] { return CurrentTaskPlays("base"); }, 30000)) << test::CurrentTaskName();
  ASSERT_TRUE(RunUntil([] { return controllerPromptWindowAt == 0; }, 5000));

  PressSatchel();
  const sim::SimPrompt* prompt = Prompt("Throw/Move Cigarette");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->holdMs, 450);
  EXPECT_TRUE(PromptVisible("Throw/Move Cigarette"));
  EXPECT_TRUE(controllerChoiceArmed);

  // A long press moves it to the mouth; a tap throws it away.
  HoldControl("INPUT_FRONTEND_RB", 500);
  ASSERT_TRUE(RunUntil([] { return propInMouth; }, 5000));
  ASSERT_TRUE(RunUntil([] { return !CurrentTaskPlays("intro") && !CurrentTaskPlays("outro"); }, 5000));
  PressSatchel();
  HoldControl("INPUT_FRONTEND_RB", 100);
  ASSERT_TRUE(RunUntil([] { return !activeSequence.running; }, 15000)) << test::CurrentTaskName();
  EXPECT_FALSE(PropOnPlayer());
  ExpectNoErrors();
}

TEST_F(ControllerInput, TheKeyboardTakesOverWhenItIsInUseAgain) {
  BootWithController();
  PressSatchel();
  Set("input.controller", "false");
  HoldKey(test::kKeyN, 500);
  EXPECT_TRUE(Smoking(kCigarette));
}

}  // namespace
