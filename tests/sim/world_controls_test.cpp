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
  Hash journal = native::GetHashKey("INPUT_OPEN_JOURNAL");
  EXPECT_TRUE(native::IsControlJustPressed(0, journal));
  EXPECT_TRUE(native::IsDisabledControlPressed(0, journal));
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
  Hash holster = native::GetHashKey("INPUT_TOGGLE_HOLSTER");
  EXPECT_TRUE(native::IsControlEnabled(0, holster));
  native::DisableControlAction(0, holster, true);
  EXPECT_FALSE(native::IsControlEnabled(0, holster));
  world.RunFrame();
  EXPECT_TRUE(native::IsControlEnabled(0, holster));

  native::SetControlValueNextFrame(0, holster, 1.0f);
  EXPECT_FALSE(native::IsControlJustPressed(0, holster));
  world.RunFrame();
  EXPECT_TRUE(native::IsControlJustPressed(0, holster));
  EXPECT_TRUE(world.timeline.Contains("control", "INPUT_TOGGLE_HOLSTER pressed by the plug-in"));
}

TEST(SimPlayerState, SettersChangeWhatThePlayerNativesAnswer) {
  sim::Simulator world;
  Ped player = native::PlayerPedId();
  EXPECT_TRUE(native::IsPedOnFoot(player));
  EXPECT_TRUE(native::IsPlayerPlaying(0));
  Set(world, "player.mounted", "true");
  EXPECT_TRUE(native::IsPedOnMount(player));
  EXPECT_FALSE(native::IsPedSitting(player));  // a rider is not sitting
  EXPECT_FALSE(native::IsPedOnFoot(player));
  Set(world, "player.sitting", "true");
  EXPECT_TRUE(native::IsPedSitting(player));
  Set(world, "player.submerged", "0.62");
  EXPECT_FLOAT_EQ(native::GetEntitySubmergedLevel(player), 0.62f);
  Set(world, "player.dead", "true");
  EXPECT_FALSE(native::IsPlayerPlaying(0));
  std::string error;
  EXPECT_FALSE(world.Set("player.speed", "fast", error));
  EXPECT_FALSE(world.Set("player.unknown", "1", error));
}

// A drawn weapon is at attach point 0, the hand; the world keeps none on the
// body. Hiding the weapons empties the hand.
TEST(SimPlayerState, TheWeaponInTheHandAndHidingIt) {
  sim::Simulator world;
  Ped player = native::PlayerPedId();
  Set(world, "player.weapon", "WEAPON_REVOLVER_CATTLEMAN");
  Set(world, "player.weapon_holstered", "false");
  for (int attachPoint : {0, 1, 10}) {
    Hash weapon = 0;
    EXPECT_EQ(native::GetCurrentPedWeapon(player, &weapon, false, attachPoint, false), attachPoint == 0);
    EXPECT_EQ(world.hashes.Name(weapon), attachPoint == 0 ? "WEAPON_REVOLVER_CATTLEMAN" : "WEAPON_UNARMED");
  }
  Set(world, "player.scenario", "WORLD_HUMAN_SIT_GROUND");
  native::HidePedWeapons(player, 0, true);
  EXPECT_TRUE(native::IsPedCurrentWeaponHolstered(player));
  Hash weapon = 0;
  native::GetCurrentPedWeapon(player, &weapon, false, 0, false);
  EXPECT_EQ(weapon, native::GetDefaultUnarmedWeaponHash(player));
  EXPECT_TRUE(native::IsPedUsingAnyScenario(player));
  EXPECT_TRUE(world.timeline.Contains("player", "puts WEAPON_REVOLVER_CATTLEMAN away"));
}

TEST(SimPlayerState, MeleeHitOnTheHeadIsSeenByTheDamageNatives) {
  sim::Simulator world;
  Ped player = native::PlayerPedId();
  Set(world, "player.melee_opponent", "true");
  Set(world, "player.hit_by_opponent", "21030");
  Ped opponent = native::GetCurrentTargetForPed(player);
  ASSERT_NE(opponent, 0);
  EXPECT_TRUE(native::HasEntityBeenDamagedByEntity(player, opponent, true, true));
  EXPECT_FALSE(native::HasEntityBeenDamagedByEntity(opponent, player, true, true));
  int bone = 0;
  EXPECT_TRUE(native::GetPedLastDamageBone(player, &bone));
  EXPECT_EQ(bone, 21030);
}

TEST(SimPlayerState, DeadEyeCoreAndRestoreShowInTheTimeline) {
  sim::Simulator world;
  Ped player = native::PlayerPedId();
  Set(world, "deadeye.core", "97");
  native::SetAttributeCoreValue(player, 2, native::GetAttributeCoreValue(player, 2) + 3);
  EXPECT_EQ(native::GetAttributeCoreValue(player, 2), 100);
  native::SpecialAbilityRestoreByAmount(0, 1.5f, 0, 0, 0);
  EXPECT_TRUE(world.timeline.Contains("deadeye", "core 97 -> 100"));
  EXPECT_TRUE(world.timeline.Contains("deadeye", "restored by 1.5"));
}

TEST(SimScreen, LiteralTextKeepsItsAddressAndDrawingIsReportedOnce) {
  sim::Simulator world;
  std::string label = "Smoke";
  const char* text = native::VarString(10, "LITERAL_STRING", label.c_str());
  label = "changed";
  EXPECT_STREQ(text, "Smoke");
  for (int i = 0; i < 5; ++i) {
    native::DisplayText(text, 0.07f, 0.5f);
    world.RunFrame();
  }
  EXPECT_EQ(world.timeline.Count("screen"), 1u);
}

}  // namespace
