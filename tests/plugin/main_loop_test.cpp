// The script entry and the frame: attach, detach and the frame countdowns.
#include <gtest/gtest.h>

#include "config/settings.h"
#include "input/scenarios.h"
#include "plugin/main_loop.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

class MainLoop : public PluginTest {
 protected:
  void PlayerMoves(bool moving) {
    moving_ = moving;
    sim.Handle("IsControlPressed", [this](const sim::Call& c, sim::Result& r) {
      r.Bool(moving_ && c.U(1) == sim.Hash("INPUT_MOVE_LEFT_ONLY"));
    });
  }
  bool moving_ = false;
};

TEST_F(MainLoop, AttachRegistersTheScriptAndTheKeyboardHandlerAndCallsNoNative) {
  Attach();
  EXPECT_NE(sim.RegisteredScriptMain(), nullptr);
  EXPECT_NE(sim.KeyboardHandlerRegistered(), nullptr);
  EXPECT_EQ(sim.TotalCalls(), 0u);
}

TEST_F(MainLoop, DetachUnregistersBeforeItResets) {
  Start();
  scenarioActive = true;  // so that the reset has something to end
  bool registeredDuringReset = true;
  sim.Handle("ClearPedTasks", [&](const sim::Call&, sim::Result&) {
    registeredDuringReset = sim.RegisteredScriptMain() != nullptr || sim.KeyboardHandlerRegistered() != nullptr;
  });
  sim.Detach();
  EXPECT_EQ(CountCalls("ClearPedTasks"), 1u);
  EXPECT_FALSE(registeredDuringReset);
  EXPECT_FALSE(scenarioActive);
  EXPECT_TRUE(sim.Errors().empty()) << sim.Errors().front();
}

TEST_F(MainLoop, RefreshesThePlayerOncePerFrameWhenDisabled) {
  Start();
  ENABLED = false;
  sim.ClearCalls();
  Frames(10);
  EXPECT_EQ(CountCalls("PlayerPedId"), 10u);
  EXPECT_EQ(playerPed, sim.world.entities.player);
}

TEST_F(MainLoop, LeavingAScenarioStopsTasksFor90FramesAndResetsOnce) {
  Start();
  scenarioActive = true;
  sittingScenario = true;
  PlayerMoves(true);
  sim.ClearCalls();
  Frames(1);
  EXPECT_FALSE(scenarioActive);
  EXPECT_EQ(scenarioExitCountdown, 89);
  PlayerMoves(false);
  Frames(88);
  EXPECT_EQ(CountCalls("ClearPedTasks"), 89u);
  EXPECT_EQ(CountCalls("HidePedWeapons"), 0u);
  Frames(1);
  EXPECT_EQ(CountCalls("ClearPedTasks"), 90u);
  ASSERT_EQ(CountCalls("HidePedWeapons"), 1u);
  EXPECT_EQ(Calls("HidePedWeapons")[0]->I(2), 1);
  Frames(5);
  EXPECT_EQ(CountCalls("ClearPedTasks"), 90u);
}

TEST_F(MainLoop, MovingAgainDuringTheExitDoesNotRestartIt) {
  Start();
  scenarioActive = true;
  PlayerMoves(true);
  sim.ClearCalls();
  Frames(120);
  EXPECT_EQ(CountCalls("ClearPedTasks"), 90u);
  EXPECT_EQ(CountCalls("HidePedWeapons"), 1u);
}

TEST_F(MainLoop, SittingCameraHoldStartsAfter90FramesAndIsReleasedAfter70More) {
  Start();
  sittingCameraHold->sitting = true;
  sittingCameraHold->countdownFrames = 90;
  sim.ClearCalls();
  Frames(89);
  EXPECT_FALSE(sittingCameraHold->active);
  Frames(1);
  EXPECT_TRUE(sittingCameraHold->active);
  Frames(10);
  EXPECT_EQ(CountCalls("HoldSittingCamera"), 10u);

  sittingCameraHold->sitting = false;
  sittingCameraHold->countdownFrames = 70;
  Frames(70);
  EXPECT_TRUE(sittingCameraHold->releasePending);
  Frames(1);
  EXPECT_FALSE(sittingCameraHold->active);
  EXPECT_FALSE(sittingCameraHold->releasePending);
  EXPECT_EQ(CountCalls("HoldSittingCamera"), 80u);
}

TEST_F(MainLoop, NoCameraHoldInFirstPerson) {
  Start();
  sim.Handle("IsFirstPersonCameraActive", [](const sim::Call&, sim::Result& r) { r.Bool(true); });
  sittingCameraHold->active = true;
  sim.ClearCalls();
  Frames(5);
  EXPECT_EQ(CountCalls("HoldSittingCamera"), 0u);
}

TEST_F(MainLoop, DisabledPluginLeavesTheCountdownsStanding) {
  Start();
  ENABLED = false;
  scenarioActive = true;
  promptRefreshCountdown = 10;
  sittingCameraHold->countdownFrames = 5;
  PlayerMoves(true);
  Frames(20);
  EXPECT_TRUE(scenarioActive);
  EXPECT_EQ(promptRefreshCountdown, 10);
  EXPECT_EQ(sittingCameraHold->countdownFrames, 5);
}

}  // namespace
