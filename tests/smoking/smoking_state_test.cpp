// The posture rule that picks the clip parameters, and the easing's angle turn.
#include <gtest/gtest.h>

#include <string>

#include "animations/animation_tasks.h"
#include "plugin/main_loop.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

class SmokingState : public PluginTest {
 protected:
  // TYPE or TYPE/VARIATION, as a session writes it.
  void InScenario(const char* scenario) {
    std::string error;
    ASSERT_TRUE(sim.Set("player.scenario", scenario ? scenario : "none", error)) << error;
  }
  struct Params {
    int anim = 0;
    int ik = 0;
    std::string filter;
  };
  Params Read() {
    Params p;
    OnScript([&] {
      playerPed = sim.world.entities.player;
      p.anim = UpperBodyAnimFlags();
      p.ik = UpperBodyIkFlags();
      p.filter = UpperBodyFilter();
    });
    return p;
  }
};

TEST_F(SmokingState, WholeBodyOnFootOutsideScenarios) {
  InScenario(nullptr);
  Params p = Read();
  EXPECT_EQ(p.anim, 25);
  EXPECT_EQ(p.ik, 0x10000);
  EXPECT_EQ(p.filter, "");
}

// The game's sitting native does not answer for a rider: the mount is asked too.
TEST_F(SmokingState, UpperBodyOnlyOnAMountOrSitting) {
  InScenario(nullptr);
  for (const char* posture : {"player.mounted", "player.sitting"}) {
    SCOPED_TRACE(posture);
    std::string error;
    ASSERT_TRUE(sim.Set(posture, "true", error)) << error;
    Params p = Read();
    EXPECT_EQ(p.anim, 7191);
    EXPECT_EQ(p.ik, 0x8000082);
    EXPECT_EQ(p.filter, "headneckandrightarm_filter");
    ASSERT_TRUE(sim.Set(posture, "false", error)) << error;
  }
}

TEST_F(SmokingState, UpperBodyOnlyInAScenarioExceptLeaningOnTheLivestockFence) {
  InScenario("WORLD_HUMAN_SMOKE_INTERACTION");
  EXPECT_EQ(Read().anim, 7191);
  // The scenario menu starts it with its variation; the game names the type.
  InScenario("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK/WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F");
  ASSERT_EQ(sim.Hash("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK"), 0xF55AE31Cu);
  Params p = Read();
  EXPECT_EQ(p.anim, 25);
  EXPECT_EQ(p.filter, "");
}

TEST_F(SmokingState, ThePostureIsAskedAfreshOnEveryCall) {
  InScenario(nullptr);
  Read();
  sim.ClearCalls();
  Read();
  EXPECT_EQ(CountCalls("IsPedSitting"), 3u);
  EXPECT_EQ(CountCalls("IsPedOnMount"), 3u);
}

TEST(AngleDelta, IsTheSignedShortestTurn) {
  EXPECT_FLOAT_EQ(AngleDelta(350.0f, 10.0f), 20.0f);
  EXPECT_FLOAT_EQ(AngleDelta(10.0f, 350.0f), -20.0f);
  EXPECT_FLOAT_EQ(AngleDelta(0.0f, 90.0f), 90.0f);
  EXPECT_FLOAT_EQ(AngleDelta(0.0f, -270.0f), 90.0f);
  EXPECT_FLOAT_EQ(AngleDelta(-170.0f, 170.0f), -20.0f);
  EXPECT_FLOAT_EQ(AngleDelta(45.0f, 45.0f), 0.0f);
}

}  // namespace
