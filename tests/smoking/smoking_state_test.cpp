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
  void InScenario(const char* scenario) {
    scenario_ = scenario ? sim.Hash(scenario) : 0;
    sim.Handle("GetActiveDynamicScenario",
               [this](const sim::Call&, sim::Result& r) { r.Int(static_cast<int>(scenario_)); });
    sim.Handle("IsPedUsingAnyScenario", [this](const sim::Call&, sim::Result& r) { r.Bool(scenario_ != 0); });
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
  uint32_t scenario_ = 0;
};

TEST_F(SmokingState, WholeBodyOnFootOutsideScenarios) {
  InScenario(nullptr);
  Params p = Read();
  EXPECT_EQ(p.anim, 25);
  EXPECT_EQ(p.ik, 0x10000);
  EXPECT_EQ(p.filter, "");
}

TEST_F(SmokingState, UpperBodyOnlyOnAMount) {
  InScenario(nullptr);
  std::string error;
  ASSERT_TRUE(sim.Set("player.mounted", "true", error)) << error;
  Params p = Read();
  EXPECT_EQ(p.anim, 7191);
  EXPECT_EQ(p.ik, 0x8000082);
  EXPECT_EQ(p.filter, "headneckandrightarm_filter");
}

TEST_F(SmokingState, UpperBodyOnlyInAScenarioExceptLeaningOnTheLivestockFence) {
  InScenario("WORLD_HUMAN_SMOKE_INTERACTION");
  EXPECT_EQ(Read().anim, 7191);
  InScenario("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F");
  ASSERT_EQ(sim.Hash("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F"), 0xDE41D495u);
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
