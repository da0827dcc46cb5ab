// Unloading the plug-in while its prompts are up takes them off the screen.
#include <gtest/gtest.h>

#include "input/input_fixture.h"
#include "input/prompts.h"
#include "world/leftovers.h"

namespace {

using test::InputTest;

TEST_F(InputTest, UnloadWithTheScenarioMenuOpenLeavesNoPromptOnScreen) {
  Boot();
  HoldKey('Y', 400);
  ASSERT_TRUE(scenarioMenuOpen);
  ASSERT_FALSE(VisiblePrompts().empty());
  sim.Detach();
  EXPECT_TRUE(VisiblePrompts().empty());
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
  ExpectNoErrors();
}

TEST_F(InputTest, UnloadWithTheControllerPromptsUpLeavesNoPromptOnScreen) {
  Boot();
  Set("input.controller", "true");
  HoldControl("INPUT_OPEN_SATCHEL_MENU", 50);
  ASSERT_FALSE(VisiblePrompts().empty());
  sim.Detach();
  EXPECT_TRUE(VisiblePrompts().empty());
  EXPECT_TRUE(sim::FindLeftovers(sim).visiblePrompts.empty());
  ExpectNoErrors();
}

}  // namespace
