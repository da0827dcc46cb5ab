// Hand to mouth: the queued transition, its refusals, and the easing that
// seats the cigarette on the lips frame by frame.
#include "sequences/mouth_transition.h"
#include "smoking/mouth_easing.h"

#include <cmath>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "builder_fixture.h"
#include "config/settings.h"
#include "sequences/sequence_building.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "sequences/cigarette.h"
#include "sequences/cigar.h"

namespace {

using namespace Animations;
using test::Row;

class MouthTransition : public test::BuilderTest {
 protected:
  void Smoking(TaskPtr current) {
    ResetToIdle(activeSequence);
    activeSequence.smoke = &kCigarette;
    activeSequence.running = true;
    PlayingNow(std::move(current));
    HoldProp();
    propInMouth = false;
  }
  static TaskPtr Holding() { return Clip(building::kWanderBaseDictionary, "base"); }
  static constexpr const char* kHold = "AnimationTask_amb_wander@code_human_smoking_wander@male_a@base_base";
};

TEST_F(MouthTransition, HandAnimationFlourishesAndSpawnsTheMarker) {
  Smoking(Holding());
  OnScript([] { MoveToMouth(kCigarette, false, false, false); });
  EXPECT_TRUE(propInMouth);
  EXPECT_EQ(activeSequence.smoke, &kCigarette);
  std::vector<Row> rows = {{kHold, -1},
                           {"AnimationTask_script_mp@emotes@smoke_cigarette@male@unarmed@upper_outro", -1}};
  for (int at : {375, 400, 420, 440, 460, 480}) rows.push_back({"MovePropTask_", at});
  rows.push_back({"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 500});
  for (int at : {501, 520, 540, 560, 580, 600, 620, 640, 660, 680}) rows.push_back({"MovePropTask_", at});
  rows.push_back({"DestroyPropTask_p_cigarettebox01x", 880});
  rows.push_back({"SpawnPropTask_p_cigarettebox01x", 880});
  rows.push_back({"TaskDelay_1000", -1});
  for (int at : {300, 350, 400, 500, 550, 600, 650, 700, 750, 800, 850, 920, 990}) {
    rows.push_back({"SetFxAlphaOnPropTask", at});
  }
  ExpectRows(rows);
  EXPECT_EQ(Task<AnimationTask>(0)->durationMs, 10);
  EXPECT_EQ(Task<MovePropTask>(9)->ry, -10.0f);
  EXPECT_EQ(Task<SpawnPropTask>(20)->alpha, 0);
  EXPECT_EQ(Task<SpawnPropTask>(20)->bone, mouthBoneIndex);
  EXPECT_EQ(Task<SetFxAlphaOnPropTask>(34)->alpha, 0.001f);
}

TEST_F(MouthTransition, QuickMoveUsesTheShorterClipAndBlock) {
  Smoking(Holding());
  int before = 0;
  OnScript([&] {
    before = sim.GameTimerMs();
    MoveToMouth(kCigarette, false, false, true);
  });
  ExpectRows({{"AnimationTask_script_mp@emotes@smoke_cigarette@male@unarmed@upper_action_alt1", -1}}, 1);
  EXPECT_EQ(Task<AnimationTask>(1)->durationMs, 790);
  ExpectRows({{"DestroyPropTask_p_cigarettebox01x", 750}, {"SpawnPropTask_p_cigarettebox01x", 750}}, 19);
  EXPECT_EQ(holsterBlockUntil, before + 900);
  EXPECT_EQ(quickSelectReplayDelay, 20);
}

TEST_F(MouthTransition, DirectCutSeatsTheCigaretteAtOnceWithoutMarker) {
  Smoking(Holding());
  Answer("IsControlEnabled", true);
  OnScript([] { MoveToMouth(kCigarette, true, true, false); });
  ExpectRows({{"MovePropTask_", -1},
              {kHold, -1},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 750},
              {"MovePropTask_", 750},
              {"TaskDelay_1000", -1}});
  EXPECT_EQ(Task<MovePropTask>(0)->bone, mouthBoneIndex);
  EXPECT_EQ(holsterBlockUntil, 0);
}

TEST_F(MouthTransition, RefusedDuringLightingAndThrowButTheCigarMayCutALighting) {
  for (const char* clip : {"intro", "outro"}) {
    Smoking(Clip(kCigar.dictionary, clip));
    OnScript([] { MoveToMouth(kCigarette, true, true, false); });
    EXPECT_FALSE(propInMouth) << clip;
  }
  Smoking(std::make_unique<PlayEmoteTask>(0x8B7F8EEB, 1, 3230));
  OnScript([] { MoveToMouth(kCigar, false, false); });
  EXPECT_FALSE(propInMouth);

  Smoking(Clip(kCigar.dictionary, "intro"));
  activeSequence.smoke = &kCigar;
  OnScript([] { MoveToMouth(kCigar, true, true); });
  EXPECT_TRUE(propInMouth);
  ExpectRows({{kHold, -1},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 1},
              {"MovePropTask_", 2},
              {"DestroyPropTask_p_matchstick01x", 3},
              {"StopSoundTask_Player_Campfire_Sounds_cook_meat_sizzle_loop", 660},
              {"TaskDelay_1000", -1}});
}

TEST_F(MouthTransition, CigarHandMoveTakesItToTheLips) {
  Smoking(Holding());
  activeSequence.smoke = &kCigar;
  sim.world.player.mounted = true;
  OnScript([] { MoveToMouth(kCigar, false, false); });
  ExpectRows({{"AnimationTask_script_mp@emotes@smoke_cigar@male@unarmed@upper_action", -1},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 500},
              {"MovePropTask_", 650},
              {"DestroyPropTask_p_matchstick01x", 621},
              {kHold, -1}});
  EXPECT_EQ(Task<AnimationTask>(4)->durationMs, 2000);
  EXPECT_EQ(Task<AnimationTask>(4)->filter, "facialonly_brows");
}

class MouthEasing : public test::BuilderTest {
 protected:
  void SetUp() override {
    BuilderTest::SetUp();
    PlayerModel("PLAYER_ZERO");
    sim.Handle("DoesEntityExist", [](const sim::Call& c, sim::Result& r) { r.Bool(c.I(0) != 0); });
    // The hand left the cigarette 2 cm in front of and 1 cm below the lips.
    sim.Handle("GetOffsetFromEntityGivenWorldCoords", [](const sim::Call&, sim::Result& r) {
      r.Vector(kCigarette.fit.mouth.x + 0.02f, kCigarette.fit.mouth.y, kCigarette.fit.mouth.z - 0.01f);
    });
    kCigarette.fit.mouth.x = 0.019f;
    kCigarette.fit.mouth.y = 0.0019f;
    kCigarette.fit.mouth.z = 0.00539f;
    kCigarette.fit.mouth.rx = 1.4f;
    kCigarette.fit.mouth.ry = 98.5f;
    kCigarette.fit.mouth.rz = 0.0f;
    smokeProp = 500;
    mouthMarkerProp = 600;
    propInMouth = true;
    activeSequence.smoke = &kCigarette;  // whose move left the marker
  }
  // Runs the per-frame easing step for `frames` frames.
  void Ease(int frames) {
    OnScript([frames] {
      for (int i = 0; i < frames; ++i) {
        UpdateMouthEasing();
        scriptWait(0);
      }
    });
  }
  std::vector<const sim::RecordedCall*> Moves() { return Calls("AttachEntityToEntity"); }
};

TEST_F(MouthEasing, ConvergesOnTheMouthPositionAndEnds) {
  Ease(120);
  EXPECT_EQ(mouthEaseActive, 0);
  EXPECT_EQ(mouthEaseWaitStart, 0);
  EXPECT_EQ(mouthMarkerProp, 0);
  EXPECT_EQ(CountCalls("DeleteObject"), 1u);
  std::vector<const sim::RecordedCall*> moves = Moves();
  // Waits 51 ms, then one move a frame for about 40 frames.
  ASSERT_GT(moves.size(), 30u);
  ASSERT_LT(moves.size(), 80u);
  // From the story rotation of 98 degrees, 1.5 degrees a frame towards 98.5.
  EXPECT_FLOAT_EQ(moves.front()->F(7), 99.5f);
  float firstX = moves.front()->F(3) - kCigarette.fit.mouth.x;
  EXPECT_NEAR(firstX, 0.02f * 0.92f, 1e-5f);
  for (size_t i = 1; i + 1 < moves.size(); ++i) {
    EXPECT_LE(moves[i]->F(3), moves[i - 1]->F(3)) << "frame " << i;
  }
  const sim::RecordedCall* seat = moves.back();
  EXPECT_FLOAT_EQ(seat->F(3), 0.019f);
  EXPECT_FLOAT_EQ(seat->F(5), 0.00539f);
  EXPECT_FLOAT_EQ(seat->F(7), 98.5f);
  size_t after = Moves().size();
  Ease(10);
  EXPECT_EQ(Moves().size(), after);
}

// The game's quick emote smoke moves our cigarette to the lips with the same
// move, marker and all: it is eased and seated as a smoke we lit is, and a
// marker that no smoke is left to claim goes at once.
TEST_F(MouthEasing, AQuickEmoteSmokeIsEasedAndAMarkerWithoutASmokeRemoved) {
  activeSequence.quickEmote = true;
  Ease(120);
  EXPECT_EQ(mouthMarkerProp, 0);
  ASSERT_FALSE(Moves().empty());
  EXPECT_FLOAT_EQ(Moves().back()->F(3), 0.019f);
  activeSequence.quickEmote = false;

  mouthMarkerProp = 601;
  activeSequence.smoke = nullptr;
  const size_t moves = Moves().size();
  Ease(1);
  EXPECT_EQ(mouthMarkerProp, 0);
  EXPECT_EQ(CountCalls("DeleteObject"), 2u);
  EXPECT_EQ(Moves().size(), moves);
}

TEST_F(MouthEasing, ACutsceneSeatsTheCigaretteWithoutEasing) {
  sim.world.player.animSceneCamera = true;
  Ease(1);
  ASSERT_EQ(Moves().size(), 1u);
  EXPECT_FLOAT_EQ(Moves()[0]->F(3), 0.019f);
  EXPECT_EQ(mouthMarkerProp, 0);
}

TEST_F(MouthEasing, CancelEndsTheEasingAndRemovesTheMarker) {
  Ease(10);
  ASSERT_EQ(mouthEaseActive, 1);
  OnScript([] { CancelMouthEasing(); });
  EXPECT_EQ(mouthEaseActive, 0);
  EXPECT_EQ(mouthEaseWaitStart, 0);
  EXPECT_EQ(mouthMarkerProp, 0);
  EXPECT_EQ(CountCalls("DeleteObject"), 1u);
  // The next smoke's prop is not dragged to the lips.
  smokeProp = 700;
  size_t moves = Moves().size();
  Ease(30);
  EXPECT_EQ(Moves().size(), moves);
}

TEST_F(MouthEasing, StopsWhenThePropLeavesTheMouthRoute) {
  Ease(10);
  propInMouth = false;  // moved to the hand or thrown meanwhile
  size_t moves = Moves().size();
  Ease(30);
  EXPECT_EQ(Moves().size(), moves);
  EXPECT_EQ(mouthEaseActive, 0);
  EXPECT_EQ(mouthMarkerProp, 0);
}

}  // namespace
