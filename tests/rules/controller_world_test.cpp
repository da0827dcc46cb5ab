// Whole smokes played by key presses while the world changes around the
// player: what the player would see of the cigarette or cigar.
#include <gtest/gtest.h>

#include <string>

#include "config/settings.h"
#include "controller_fixture.h"
#include "sequences/cigarette.h"
#include "world/leftovers.h"

namespace {

using test::ControllerWorld;

class SmokeInTheWorld : public ControllerWorld {
 protected:
  // The plug-in's own lighting clip rather than the game's emote, so every
  // smoke takes the same course.
  void BeginSmoking(const std::string& ini = "[General]\nENABLED=true\n") {
    Begin(ini);
    Set("player.crouching", "true");
    Frames(2);
  }

  void LightCigaretteInHand() {
    HoldKey(kSmokeKey, 500);
    Ms(4500);
    ASSERT_TRUE(activeSequence.running);
    ASSERT_FALSE(propInMouth);
    ASSERT_TRUE(Prop() != nullptr && Prop()->attachedTo == sim.world.entities.player);
  }

  void LightCigaretteInMouth() {
    LightCigaretteInHand();
    HoldKey(kSmokeKey, 500);
    ASSERT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex) && mouthEaseActive == 0; }, 5000));
    ASSERT_TRUE(propInMouth);
  }

  bool SmokeOver() { return !activeSequence.running; }

  // The reload keys (END and NUMPAD6 by default) held together for a frame.
  void Reload() {
    for (int i = 0; i < KEY_RELOAD.count; ++i) sim.KeyDown(KEY_RELOAD.keys[i]);
    Frames(1);
    for (int i = 0; i < KEY_RELOAD.count; ++i) sim.KeyUp(KEY_RELOAD.keys[i]);
    Frames(1);
  }

  // Plug-in presses of a control, as game ms of the frames they land on.
  std::vector<int64_t> ReplayedAt(const std::string& control) {
    std::vector<int64_t> at;
    for (const sim::RecordedCall* call : CallsWithHash("SetControlValueNextFrame", control)) at.push_back(call->gameMs);
    return at;
  }
};

TEST_F(SmokeInTheWorld, SelectingAWeaponPutsTheCigaretteInTheMouthAndReplaysTheSelectionOnce) {
  BeginSmoking();
  LightCigaretteInHand();
  sim.ClearCalls();
  const int64_t pressedAt = sim.GameTimerMs();
  PressOnce("INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT");
  EXPECT_TRUE(propInMouth);
  EXPECT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex) && mouthEaseActive == 0; }, 4000));
  std::vector<int64_t> replays = ReplayedAt("INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT");
  ASSERT_FALSE(replays.empty());
  ASSERT_LE(replays.size(), 2u);  // the frames of one 20 ms window
  for (int64_t at : replays) {
    EXPECT_GT(at - pressedAt, 1020);
    EXPECT_LE(at - pressedAt, 1040);
  }
  EXPECT_TRUE(sim.timeline.Contains("control", "INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT pressed by the plug-in"));
  EXPECT_TRUE(activeSequence.running);  // smoking goes on in the mouth
}

TEST_F(SmokeInTheWorld, AWeaponDrawnOnHorsebackSettlesTheCigaretteInTheFingersOncePerRide) {
  BeginSmoking();
  LightCigaretteInHand();
  Set("player.weapon", "WEAPON_REPEATER_CARBINE");
  Set("player.mounted", "true");
  sim.timeline.Clear();
  Ms(9000);
  const std::string toFingers = "bone " + std::to_string(fingerBoneIndex) + " at 0 0 0.01 rot 0 0 -90";
  const size_t before = sim.timeline.Count("prop", toFingers);
  Ms(1500);
  EXPECT_GT(sim.timeline.Count("prop", toFingers), before);
  // In the saddle the clips keep to the upper body.
  for (const sim::TimelineEvent& event : sim.timeline.Events()) {
    if (event.category == "clip" && event.text.find("script_mp@emotes") != std::string::npos) {
      EXPECT_NE(event.text.find("filter headneckandrightarm_filter"), std::string::npos) << event.text;
    }
  }
  EXPECT_EQ(mountedSince, 0u);
  Set("player.mounted", "false");
  Frames(2);
  EXPECT_FALSE(mountLatched);
}

TEST_F(SmokeInTheWorld, ACutsceneSettlesAHandHeldCigaretteAndTheSmokeGoesOn) {
  BeginSmoking();
  LightCigaretteInHand();
  const int prop = smokeProp;
  Set("camera.anim_scene", "true");
  Set("player.control", "false");
  EXPECT_TRUE(RunUntil([this] { return PropOnBone(fingerBoneIndex); }, 12000));
  Ms(2000);
  EXPECT_TRUE(activeSequence.running);
  EXPECT_EQ(smokeProp, prop);
}

TEST_F(SmokeInTheWorld, LosingControlStopsTheSmokeWhenSoConfigured) {
  BeginSmoking("[Cutscenes]\nDISABLE_ON_CONTROL_LOSS=true\nFORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true\n");
  LightCigaretteInHand();
  const int prop = smokeProp;
  Set("camera.anim_scene", "true");
  Set("player.control", "false");
  Frames(2);
  EXPECT_TRUE(SmokeOver());
  EXPECT_FALSE(propInMouth);
  EXPECT_FALSE(sim.world.entities.Exists(prop));
  Ms(4000);
  EXPECT_TRUE(sim::FindLeftovers(sim).Clean()) << sim::FormatLeftovers(sim::FindLeftovers(sim));
}

TEST_F(SmokeInTheWorld, LosingControlPutsAHandHeldCigaretteInTheMouthWhenSoConfigured) {
  BeginSmoking("[Cutscenes]\nFORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true\n");
  LightCigaretteInHand();
  Set("camera.anim_scene", "true");
  Set("player.control", "false");
  Frames(1);
  EXPECT_TRUE(propInMouth);
  // In a cutscene the cigarette is seated at once rather than eased.
  EXPECT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex); }, 3000));
  EXPECT_TRUE(activeSequence.running);
}

// Whatever is smoked goes to the mouth with its own kind's move: every clip
// it plays comes from that kind's own dictionary.
TEST_F(SmokeInTheWorld, LosingControlPutsEveryKindInTheMouthWithItsOwnMove) {
  BeginSmoking("[Cutscenes]\nFORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS=true\n");
  for (const SmokeKind* kind : kSmokeKinds) {
    SCOPED_TRACE(kind->name);
    HoldKey(*kind->key, 500);
    Ms(4500);
    ASSERT_EQ(SmokedNow(), kind);
    ASSERT_FALSE(propInMouth);
    sim.timeline.Clear();
    Set("player.control", "false");
    Frames(1);
    EXPECT_TRUE(propInMouth);
    EXPECT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex) && mouthEaseActive == 0; }, 4000));
    size_t clips = 0;
    for (const sim::TimelineEvent& event : sim.timeline.Events()) {
      if (event.category != "clip" || event.text.find("script_mp@emotes") == std::string::npos) continue;
      ++clips;
      EXPECT_NE(event.text.find(kind->dictionary), std::string::npos) << event.text;
    }
    EXPECT_GT(clips, 0u);
    Set("player.control", "true");
    HoldKey(*kind->key, 100);
    EXPECT_TRUE(RunUntil([this] { return SmokeOver(); }, 10000));
  }
}

struct FallCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> events;
};

void PrintTo(const FallCase& fall, std::ostream* out) { *out << fall.name; }

class FallsOut : public SmokeInTheWorld, public ::testing::WithParamInterface<FallCase> {
 protected:
  void Happen() {
    for (const auto& [setting, value] : GetParam().events) Set(setting, value);
  }
};

TEST_P(FallsOut, TheCigaretteFallsFromTheMouth) {
  BeginSmoking();
  LightCigaretteInMouth();
  const int prop = smokeProp;
  Happen();
  Frames(3);
  EXPECT_TRUE(SmokeOver());
  EXPECT_FALSE(propInMouth);
  EXPECT_EQ(smokeProp, 0);
  EXPECT_TRUE(PropLooseInWorld(prop));
  EXPECT_TRUE(sim.timeline.Contains("prop", "#" + std::to_string(prop) + " detached"));
  Ms(3500);  // the embers die down on the fallen cigarette
  EXPECT_TRUE(sim::FindLeftovers(sim).Clean()) << sim::FormatLeftovers(sim::FindLeftovers(sim));
}

TEST_P(FallsOut, NeverFallsOutKeepsItInTheMouth) {
  BeginSmoking("[Smoking]\nNEVER_FALLS_OUT=true\n");
  LightCigaretteInMouth();
  const int prop = smokeProp;
  Happen();
  Ms(2000);
  EXPECT_TRUE(propInMouth);
  EXPECT_EQ(smokeProp, prop);
  EXPECT_TRUE(PropOnBone(mouthBoneIndex));
}

std::string FallName(const ::testing::TestParamInfo<FallCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Events, FallsOut,
    ::testing::Values(FallCase{"Death", {{"player.dead", "true"}}}, FallCase{"Ragdoll", {{"player.ragdoll", "true"}}},
                      FallCase{"Water", {{"player.underwater", "true"}}},
                      FallCase{"HitOnTheHead",
                               {{"player.melee", "true"}, {"player.melee_opponent", "true"},
                                {"player.hit_by_opponent", "21030"}}}),
    FallName);

TEST_F(SmokeInTheWorld, AHandHeldCigaretteFallsOnRagdollEvenWhenItNeverFallsFromTheMouth) {
  BeginSmoking("[Smoking]\nNEVER_FALLS_OUT=true\n");
  LightCigaretteInHand();
  const int prop = smokeProp;
  Set("player.ragdoll", "true");
  Frames(3);
  EXPECT_TRUE(SmokeOver());
  EXPECT_TRUE(PropLooseInWorld(prop));
}

TEST_F(SmokeInTheWorld, ACigarSubmergedToTheChinFalls) {
  BeginSmoking();
  HoldKey(kCigarKey, 500);
  Ms(4500);
  HoldKey(kCigarKey, 500);
  ASSERT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex); }, 5000));
  const int prop = smokeProp;
  Set("player.submerged", "0.61");
  Ms(1000);
  EXPECT_TRUE(activeSequence.running);
  Set("player.submerged", "0.62");
  Frames(2);
  EXPECT_TRUE(SmokeOver());
  EXPECT_TRUE(PropLooseInWorld(prop));
}

TEST_F(SmokeInTheWorld, FirstPersonHidesTheCigaretteInTheMouthAndLeavingItShowsItAgain) {
  BeginSmoking("[Advanced]\nHIDE_PROP_IN_FIRST_PERSON=true\n");
  LightCigaretteInMouth();
  Set("camera.first_person", "true");
  Frames(2);
  ASSERT_NE(Prop(), nullptr);
  EXPECT_EQ(Prop()->alpha, 0);
  EXPECT_FLOAT_EQ(Prop()->attachOffset.x, -50.0f);
  Set("camera.first_person", "false");
  Frames(2);
  EXPECT_EQ(Prop()->alpha, 255);
  // Re-seated at the lips by the direct move, 750 ms on.
  EXPECT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex) && Prop()->attachOffset.x > -1.0f; }, 1500));
  EXPECT_FLOAT_EQ(Prop()->attachOffset.x, kCigarette.fit.mouth.x);
  EXPECT_TRUE(activeSequence.running);
}

TEST_F(SmokeInTheWorld, DeadEyeBurstsFor37SecondsThenComesAtTheConstantRate) {
  BeginSmoking();
  Set("deadeye.core", "100");
  const int64_t startedAt = sim.GameTimerMs();
  LightCigaretteInMouth();
  Ms(40000 - (sim.GameTimerMs() - startedAt));
  const size_t restores = sim.timeline.Count("deadeye", "Dead Eye restored");
  EXPECT_GE(restores, 19u);  // 1.5 of the bar every 1.8 s while the core is full
  EXPECT_LE(restores, 21u);
  for (const sim::TimelineEvent& event : sim.timeline.Events()) {
    if (event.category == "deadeye" && event.text.find("restored") != std::string::npos) {
      EXPECT_LT(event.gameMs - startedAt, 37600);
    }
  }
  Set("deadeye.core", "40");
  Ms(16000);
  EXPECT_EQ(sim.world.player.deadEyeCore, 52);  // 6 a step, every 7.5 s, in the mouth
  EXPECT_EQ(sim.timeline.Count("deadeye", "Dead Eye restored"), restores);
}

TEST_F(SmokeInTheWorld, TheCigarTurnsShortAfter72SecondsOnce) {
  BeginSmoking("[Advanced]\nSWAP_TO_SHORT_CIGAR_AFTER_PERIOD=true\n");
  const int64_t litAt = sim.GameTimerMs();
  HoldKey(kCigarKey, 500);
  Ms(4500);
  HoldKey(kCigarKey, 500);
  ASSERT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex); }, 5000));
  Ms(71000 - (sim.GameTimerMs() - litAt));
  ASSERT_NE(Prop(), nullptr);
  EXPECT_EQ(Prop()->modelName, "p_cigar02x");
  Ms(3000);
  ASSERT_NE(Prop(), nullptr);
  EXPECT_EQ(Prop()->modelName, "p_cigarlit01x");
  EXPECT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex); }, 2000));
  Ms(60000);
  EXPECT_EQ(sim.timeline.Count("prop", "prop p_cigarlit01x #"), 1u);
  EXPECT_TRUE(activeSequence.running);
}

// A reload cuts the lighting's clip, so the hand is free at once: the
// weapon selection is no longer held back for the rest of the lighting.
TEST_F(SmokeInTheWorld, AReloadDuringTheLightingFreesTheWeaponSelectionAtOnce) {
  BeginSmoking();
  sim.KeyDown(kSmokeKey);
  ASSERT_TRUE(RunUntil([] { return holsterBlockUntil != 0; }, 2000));
  sim.KeyUp(kSmokeKey);
  Reload();
  ASSERT_FALSE(activeSequence.running);
  sim.ClearCalls();
  Frames(10);
  EXPECT_EQ(holsterBlockUntil, 0);
  EXPECT_TRUE(CallsWithHash("DisableControlAction", "INPUT_TOGGLE_HOLSTER").empty());
}

// The swap runs beside the smoke's own sequence; a reload on the frame after
// it began must not let it spawn the short cigar onto a player whose smoke
// has been cleared away.
TEST_F(SmokeInTheWorld, AReloadInTheMiddleOfTheSwapLeavesNoCigarBehind) {
  BeginSmoking("[Advanced]\nSWAP_TO_SHORT_CIGAR_AFTER_PERIOD=true\n");
  HoldKey(kCigarKey, 500);
  Ms(4500);
  HoldKey(kCigarKey, 500);
  ASSERT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex); }, 5000));
  ASSERT_TRUE(RunUntil([] { return secondarySequence.running; }, 80000));
  Reload();
  Frames(30);
  EXPECT_FALSE(activeSequence.running);
  EXPECT_FALSE(secondarySequence.running);
  EXPECT_EQ(smokeProp, 0);
  const sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
}

}  // namespace
