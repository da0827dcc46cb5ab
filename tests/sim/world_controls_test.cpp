// The simulated player state and controls, as the plug-in's natives see them.
#include <gtest/gtest.h>

#include "host/natives.h"
#include "session.h"
#include "simulator.h"

namespace {

bool Set(sim::Simulator& world, const std::string& name, const std::string& value) {
  std::string error;
  bool ok = world.Set(name, value, error);
  EXPECT_TRUE(ok) << error;
  return ok;
}

TEST(SimControls, PressedControlIsJustPressedOnItsFirstFrameOnly) {
  sim::Simulator world;
  std::string error;
  ASSERT_TRUE(sim::RunSession(world, "control INPUT_OPEN_JOURNAL press\n", ".", error)) << error;
  Hash journal = native::HashString("INPUT_OPEN_JOURNAL");
  EXPECT_TRUE(native::IsControlJustPressed(0, journal));
  EXPECT_TRUE(native::IsDisabledControlHeld(0, journal));
  world.RunFrame();
  EXPECT_FALSE(native::IsControlJustPressed(0, journal));
  EXPECT_TRUE(native::IsControlPressed(0, journal));
  ASSERT_TRUE(sim::RunSession(world, "control INPUT_OPEN_JOURNAL release\n", ".", error)) << error;
  EXPECT_TRUE(native::IsDisabledControlJustReleased(0, journal));
  EXPECT_FALSE(native::IsControlPressed(0, journal));
  world.RunFrame();
  EXPECT_FALSE(native::IsDisabledControlJustReleased(0, journal));
}

TEST(SimControls, DisabledControlIsInactiveForThatFrameAndPushedControlReadsPressedNextFrame) {
  sim::Simulator world;
  Hash holster = native::HashString("INPUT_TOGGLE_HOLSTER");
  EXPECT_TRUE(native::IsControlActive(0, holster));
  native::DisableControlThisFrame(0, holster, true);
  EXPECT_FALSE(native::IsControlActive(0, holster));
  world.RunFrame();
  EXPECT_TRUE(native::IsControlActive(0, holster));

  native::PushControlValue(0, holster, 1.0f);
  EXPECT_FALSE(native::IsControlJustPressed(0, holster));
  world.RunFrame();
  EXPECT_TRUE(native::IsControlJustPressed(0, holster));
  EXPECT_TRUE(world.timeline.Contains("control", "INPUT_TOGGLE_HOLSTER pressed by the plug-in"));
}

TEST(SimPlayerState, SettersChangeWhatThePlayerNativesAnswer) {
  sim::Simulator world;
  Ped player = native::GetPlayerPed();
  EXPECT_TRUE(native::IsPedOnFoot(player));
  EXPECT_TRUE(native::IsPlayerPlaying(0));
  Set(world, "player.mounted", "true");
  EXPECT_TRUE(native::IsPedOnMount(player));
  EXPECT_TRUE(native::IsPedMountedOrSeated(player));
  EXPECT_FALSE(native::IsPedOnFoot(player));
  Set(world, "player.submerged", "0.62");
  EXPECT_FLOAT_EQ(native::PedSubmergedLevel(player), 0.62f);
  Set(world, "player.dead", "true");
  EXPECT_FALSE(native::IsPlayerPlaying(0));
  std::string error;
  EXPECT_FALSE(world.Set("player.speed", "fast", error));
  EXPECT_FALSE(world.Set("player.unknown", "1", error));
}

TEST(SimPlayerState, MeleeHitOnTheHeadIsSeenByTheDamageNatives) {
  sim::Simulator world;
  Ped player = native::GetPlayerPed();
  Set(world, "player.melee_opponent", "true");
  Set(world, "player.hit_by_opponent", "21030");
  Ped opponent = native::GetPedMeleeOpponent(player);
  ASSERT_NE(opponent, 0);
  EXPECT_TRUE(native::HasEntityBeenDamagedBy(player, opponent, true, true));
  EXPECT_FALSE(native::HasEntityBeenDamagedBy(opponent, player, true, true));
  int bone = 0;
  EXPECT_TRUE(native::GetPedLastDamageBone(player, &bone));
  EXPECT_EQ(bone, 21030);
}

TEST(SimPlayerState, DeadEyeCoreAndRestoreShowInTheTimeline) {
  sim::Simulator world;
  Ped player = native::GetPlayerPed();
  Set(world, "deadeye.core", "97");
  native::SetPedAttributeValue(player, 2, native::GetPedAttributeValue(player, 2) + 3);
  EXPECT_EQ(native::GetPedAttributeValue(player, 2), 100);
  native::RestoreDeadEye(0, 1.5f, 0, 0, 1);
  EXPECT_TRUE(world.timeline.Contains("deadeye", "core 97 -> 100"));
  EXPECT_TRUE(world.timeline.Contains("deadeye", "restored by 1.5"));
}

TEST(SimScreen, LiteralTextKeepsItsAddressAndDrawingIsReportedOnce) {
  sim::Simulator world;
  std::string label = "Smoke";
  const char* text = native::MakeLiteralText(10, "LITERAL_STRING", label.c_str());
  label = "changed";
  EXPECT_STREQ(text, "Smoke");
  for (int i = 0; i < 5; ++i) {
    native::DrawTextOnScreen(text, 0.07f, 0.5f);
    world.RunFrame();
  }
  EXPECT_EQ(world.timeline.Count("screen"), 1u);
}

}  // namespace
