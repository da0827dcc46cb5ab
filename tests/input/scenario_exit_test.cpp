// Leaving a scenario: 90 frames of stops and one reset when the player steers,
// one stop on a reload, and the sitting camera hold that must follow it out.
#include <gtest/gtest.h>

#include "input/scenarios.h"
#include "plugin/main_loop.h"
#include "support/plugin_session.h"

namespace {

class ScenarioExit : public test::PluginTest {
 protected:
  void Steer(bool on) {
    sim::ControlState& s = sim.world.controls.byHash[sim.Hash("INPUT_MOVE_UP_ONLY")];
    s.down = on;
  }
  void Sit() {
    // Between frames, as the menu would within one; it yields no frame.
    StartScenario("WORLD_HUMAN_SIT_SMOKE", "", false);
    ASSERT_TRUE(scenarioActive);
  }
  bool UsingScenario() const { return sim.world.scenarios.Of(sim.world.entities.player) != nullptr; }
};

TEST_F(ScenarioExit, SteeringOutOfASittingScenarioStopsTasksFor90FramesAndReleasesTheCamera) {
  Start();
  Sit();
  Frames(100);
  ASSERT_TRUE(sittingCameraHold->active);
  EXPECT_GT(CountCalls("HoldSittingCamera"), 0u);

  sim.ClearCalls();
  Steer(true);
  Frames(1);
  EXPECT_FALSE(scenarioActive);
  EXPECT_FALSE(UsingScenario());
  Steer(false);
  Frames(89);
  EXPECT_EQ(CountCalls("ClearPedTasks"), 90u);
  EXPECT_EQ(CountCalls("HidePedWeapons"), 1u);
  // The hold lets go 70 frames after the exit ends, and stays off.
  Frames(71);
  EXPECT_FALSE(sittingCameraHold->active);
  const size_t holds = CountCalls("HoldSittingCamera");
  Frames(100);
  EXPECT_EQ(CountCalls("HoldSittingCamera"), holds);
  EXPECT_TRUE(sim.Errors().empty());
}

TEST_F(ScenarioExit, LeavingBeforeTheHoldComesOnNeverHoldsTheCamera) {
  Start();
  Sit();
  Frames(30);
  Steer(true);
  Frames(1);
  Steer(false);
  Frames(400);
  EXPECT_EQ(CountCalls("HoldSittingCamera"), 0u);
  EXPECT_FALSE(sittingCameraHold->active);
  EXPECT_FALSE(sittingCameraHold->sitting);
}

TEST_F(ScenarioExit, AReloadWithinTheFirst90FramesNeverHoldsTheCamera) {
  Start();
  Sit();
  Frames(30);
  sim.ClearCalls();
  sim.KeyDown(0x23);
  sim.KeyDown(0x66);
  Frames(1);
  sim.KeyUp(0x66);
  sim.KeyUp(0x23);
  EXPECT_FALSE(scenarioActive);
  EXPECT_FALSE(UsingScenario());
  EXPECT_EQ(CountCalls("ClearPedTasks"), 1u);
  Frames(400);
  EXPECT_EQ(CountCalls("HoldSittingCamera"), 0u);
}

TEST_F(ScenarioExit, AReloadWhileTheHoldIsOnReleasesIt) {
  Start();
  Sit();
  Frames(100);
  ASSERT_TRUE(sittingCameraHold->active);
  sim.KeyDown(0x23);
  sim.KeyDown(0x66);
  Frames(1);
  sim.KeyUp(0x66);
  sim.KeyUp(0x23);
  Frames(72);
  EXPECT_FALSE(sittingCameraHold->active);
  const size_t holds = CountCalls("HoldSittingCamera");
  Frames(50);
  EXPECT_EQ(CountCalls("HoldSittingCamera"), holds);
}

}  // namespace
