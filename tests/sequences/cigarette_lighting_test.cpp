// Lighting a cigarette: which variant the player's state selects, and each
// variant's tasks, start offsets and key arguments.
#include "sequences/cigarette.h"

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "builder_fixture.h"
#include "sequences/lighting.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

namespace {

using namespace Animations;
using test::Row;

class CigaretteLighting : public test::BuilderTest {
 protected:
  void Light(int delayMs, bool quick) {
    OnScript([=, this] {
      lightAt = sim.GameTimerMs();
      StartLighting(kCigarette, delayMs, quick);
    });
  }
  int lightAt = 0;
  std::vector<Row> QuickHead(bool allSlides) {
    std::vector<Row> rows = {{"PlayEmoteTask_-1954574613", -1},
                             {"DestroyPropTask_p_cigarette01x", 499},
                             {"SpawnPropTask_p_cigarette01x", 500}};
    for (int at : {610, 620, 630, 640}) rows.push_back({"MovePropTask_", at});
    if (allSlides) {
      for (int at : {650, 660, 670}) rows.push_back({"MovePropTask_", at});
    }
    return rows;
  }
};

TEST_F(CigaretteLighting, QuickVariantFollowsTheEmoteWithTheDummyPedAndTheMatch) {
  PlayerModel("PLAYER_ZERO");
  Light(0, true);
  EXPECT_EQ(activeSequence.smoke, &kCigarette);
  EXPECT_TRUE(activeSequence.running);
  ExpectRows(QuickHead(true));
  ExpectRows({{"DeleteEntityTask_", 750},
              {"SpawnPedTask_A_C_Rabbit_01", 759},
              {"MovePropTask_", 759},
              {"AnimationTask_mech_inventory@smoking@cigarette_quick_right", 759},
              {"SetAnimCurrentTimeTask_mech_inventory@smoking@cigarette_quick_right", 760},
              {"PlaySoundFromEntityTask_Player_Campfire_Sounds_cook_meat_sizzle_loop", 1480},
              {"DestroyPropTask_p_matchstick01x", 2070},
              {"SpawnPropTask_p_matchstick01x", 2071},
              {"StopSoundTask_Player_Campfire_Sounds_cook_meat_sizzle_loop", 2200},
              {"DetachPropTask_", 2220},
              {"PropApplyForceTask_", 2221},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar_ember", 2225},
              {"PlayFxOnPropTask_anm_smoking_cs_cig_smoke", 2226},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke", 2227},
              {"PlayFxOnBoneTask_anm_smoking_ent_anim_cig_exhale_mth_short", 2350},
              {"MovePropTask_", 3200},
              {"MovePropTask_", 3210},
              {"MovePropTask_", 3220},
              {"MovePropTask_", 3225}},
             10);
  auto* emote = Task<PlayEmoteTask>(0);
  EXPECT_EQ(emote->durationMs, 3230);
  EXPECT_EQ(Task<MovePropTask>(9)->z, -0.007f);
  auto* dummy = Task<MovePropTask>(12);
  EXPECT_EQ(dummy->handle, &dummyPed);
  EXPECT_EQ(dummy->rz, 90.0f);
  EXPECT_EQ(dummy->attach[3], 1);
  EXPECT_EQ(dummy->further[1], 0);
  auto* clip = Task<AnimationTask>(13);
  EXPECT_EQ(clip->ped, &dummyPed);
  EXPECT_EQ(clip->clipFlags, 31);
  EXPECT_EQ(clip->blendIn, -1.6f);
  EXPECT_EQ(clip->filter, "upperbodyfeathered_nolefttarm_filter");
  auto* push = Task<PropApplyForceTask>(20);
  EXPECT_EQ(push->handle, &matchProp);
  EXPECT_EQ(push->fx, -2.1f);
  EXPECT_EQ(push->fz, -2.8f);
  EXPECT_EQ(Task<MovePropTask>(25)->z, -0.006f);
  EXPECT_EQ(dummyPedTime, lightAt);
}

TEST_F(CigaretteLighting, SlimFingeredCharactersSlideTheCigaretteLessFar) {
  for (const char* model : {"PLAYER_THREE", "CS_JOHNMARSTON"}) {
    ResetToIdle(activeSequence);
    PlayerModel(model);
    Light(0, true);
    ExpectRows(QuickHead(false));
    ExpectRows({{"DeleteEntityTask_", 750}}, 7);
    EXPECT_EQ(Task<MovePropTask>(6)->z, -0.004f) << model;
  }
}

TEST_F(CigaretteLighting, CrouchingGivesTheStandardVariant) {
  sim.world.player.crouching = true;
  Light(0, true);
  ExpectRows({{"AnimationTask_mech_inventory@smoking@cigarette_quick_right", -1},
              {"DestroyPropTask_p_cigarette01x", 550},
              {"SpawnPropTask_p_cigarette01x", 600},
              {"SpawnPropTask_p_matchstick01x", 951},
              {"MovePropTask_", 952},
              {"DetachPropTask_", 1989},
              {"PropApplyForceTask_", 1990},
              {"AnimationTask_script_mp@emotes@smoke_cigarette@male@unarmed@upper_loop", -1},
              {"PlayFxOnPropTask_anm_smoking_cs_cig_smoke", 103},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke", 104},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar_ember", 105}});
  auto* lighting = Task<AnimationTask>(0);
  EXPECT_EQ(lighting->ped, &playerPed);
  EXPECT_EQ(lighting->extraFlags, 0x8080);
  EXPECT_EQ(lighting->rate, 1.8f);
  auto* match = Task<MovePropTask>(4);
  EXPECT_EQ(match->handle, &matchProp);
  EXPECT_EQ(match->rx, 55.0f);
  EXPECT_EQ(Task<AnimationTask>(7)->durationMs, 300);
  ASSERT_EQ(CountCalls("SetAttributeCoreValue"), 1u);
  EXPECT_EQ(Calls("SetAttributeCoreValue")[0]->I(1), 2);
  EXPECT_EQ(Calls("SetAttributeCoreValue")[0]->I(2), 60);
  EXPECT_FALSE(propInMouth);
}

TEST_F(CigaretteLighting, PlayerWithoutControlGetsTheInteractionWithTheCigaretteInTheMouth) {
  sim.world.player.hasControl = false;
  Light(0, true);
  ExpectRows({{"ItemInteractionTask_ID_XH_R_HAND00_QUICK_SMOKE_CIGARETTE_LEFT_HAND", -1},
              {"SetEntityAlphaTask_p_cigarette_cs01x", 600},
              {"DestroyPropTask_p_cigarette01x", 600},
              {"SpawnPropTask_p_cigarette01x", 600},
              {"MovePropTask_", 600},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 1600},
              {"PlayFxOnPropTask_anm_smoking_cs_cig_smoke", 1600},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke", 1600},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar_ember", 1600},
              {"AnimationTask_amb_wander@code_human_smoking_wander@male_a@base_base", -1},
              {"TaskDelay_5", -1}});
  auto* mouth = Task<MovePropTask>(4);
  EXPECT_EQ(mouth->bone, mouthBoneIndex);
  EXPECT_EQ(mouth->y, kCigarette.fit.mouth.y);
  EXPECT_TRUE(propInMouth);
  ASSERT_GE(CountCalls("GetRandomIntInRange"), 1u);
  EXPECT_EQ(Calls("GetRandomIntInRange")[0]->I(0), 1000);
  EXPECT_EQ(Calls("GetRandomIntInRange")[0]->I(1), 2000);
}

TEST_F(CigaretteLighting, ADelayComesFirstOnlyWhenAsked) {
  Light(2550, false);
  ExpectRows({{"TaskDelay_2550", -1}, {"AnimationTask_mech_inventory@smoking@cigarette_quick_right", -1}});
  ResetToIdle(activeSequence);
  Light(0, false);
  ExpectRows({{"AnimationTask_mech_inventory@smoking@cigarette_quick_right", -1}});
}

TEST_F(CigaretteLighting, HolsterIsBlockedOnlyWhileItsInputIsActive) {
  Answer("IsControlEnabled", false);
  Light(0, false);
  EXPECT_EQ(holsterBlockUntil, 0);
  Answer("IsControlEnabled", true);
  ResetToIdle(activeSequence);
  Light(0, false);
  EXPECT_EQ(holsterBlockUntil, lightAt + 3500);
  EXPECT_EQ(quickSelectReplayDelay, 150);
}

TEST_F(CigaretteLighting, AWholeCigarettePlaysToItsFinishAndLeavesNothingBehind) {
  Light(0, true);
  PlayOut(12000);
  EXPECT_FALSE(activeSequence.running);
  EXPECT_FALSE(secondarySequence.running);
  ExpectPlayedOutClean();
  EXPECT_EQ(CountCalls("TaskPlayEmoteWithHash"), 1u);
  EXPECT_EQ(CountCalls("ApplyForceToEntity"), 2u);  // the match, then the butt at the finish
}

}  // namespace
