// Lighting a cigar: the variants, the cigar models and the lit time the
// short-cigar swap waits on.
#include "sequences/cigar.h"

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "builder_fixture.h"
#include "config/settings.h"
#include "sequences/lighting.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

namespace {

using namespace Animations;
using test::Row;

class CigarLighting : public test::BuilderTest {
 protected:
  void Light(bool quick) {
    OnScript([=, this] {
      lightAt = sim.GameTimerMs();
      StartLighting(kCigar, 0, quick);
    });
  }
  int lightAt = 0;
};

TEST_F(CigarLighting, QuickVariantPlaysTheIntroAndLightsTheMatchAtTheAuxiliaryHandBone) {
  USE_SHORT_CIGAR_MODEL = true;
  Light(true);
  EXPECT_EQ(activeSequence.smoke, &kCigar);
  EXPECT_STREQ(ModelOf(kCigar).name, "p_cigarlit01x");
  ExpectRows({{"AnimationTask_script_mp@emotes@smoke_cigar@male@unarmed@upper_intro", -1},
              {"DestroyPropTask_p_cigarlit01x", 300},
              {"SpawnPropTask_p_cigarlit01x", 301},
              {"MovePropTask_", 301},
              {"DeleteEntityTask_", 1350},
              {"SpawnPedTask_A_C_Rabbit_01", 1354},
              {"MovePropTask_", 1354},
              {"AnimationTask_mech_inventory@smoking@cigarette_quick_right", 1354},
              {"SetAnimCurrentTimeTask_mech_inventory@smoking@cigarette_quick_right", 1358},
              {"DestroyPropTask_p_matchstick01x", 1570},
              {"SpawnPropTask_p_matchstick01x", 1571},
              {"PlaySoundFromEntityTask_Player_Campfire_Sounds_cook_meat_sizzle_loop", 1780},
              {"StopSoundTask_Player_Campfire_Sounds_cook_meat_sizzle_loop", 2500},
              {"MovePropTask_", 2700},
              {"DetachPropTask_", 2820},
              {"PropApplyForceTask_", 2221},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 2221},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar_ember", 2221},
              {"PlayFxOnBoneTask_anm_smoking_ent_anim_cig_exhale_mth_short", 2350}});
  EXPECT_EQ(Task<AnimationTask>(0)->durationMs, 3800);
  EXPECT_EQ(Task<AnimationTask>(7)->extraFlags, 25);
  EXPECT_EQ(Task<MovePropTask>(6)->y, -0.17f);
  EXPECT_EQ(Task<SpawnPropTask>(10)->bone, handAuxBoneIndex);
  EXPECT_EQ(Task<MovePropTask>(13)->bone, matchBoneIndex);
  auto* ember = Task<PlayFxOnPropTask>(17);
  EXPECT_EQ(ember->alpha, 0.05f);
  EXPECT_EQ(ember->scale, 0.75f);
  EXPECT_EQ(ember->durationMs, 3000);
  EXPECT_EQ(dummyPedTime, lightAt);
  ASSERT_EQ(CountCalls("InventoryRemoveInventoryItemWithItemId"), 1u);
  EXPECT_EQ(Calls("InventoryRemoveInventoryItemWithItemId")[0]->U(1), sim.Hash("consumable_cigar"));
  EXPECT_EQ(Calls("InventoryRemoveInventoryItemWithItemId")[0]->U(3), sim.Hash("REMOVE_REASON_USED"));
}

TEST_F(CigarLighting, StandardVariantLightsTheLongCigarWithOnlyTheCigarSmoke) {
  Light(false);
  EXPECT_STREQ(ModelOf(kCigar).name, "p_cigar02x");
  ExpectRows({{"AnimationTask_mech_inventory@smoking@cigar_quick_right", -1},
              {"DestroyPropTask_p_cigar02x", 550},
              {"SpawnPropTask_p_cigar02x", 600},
              {"MovePropTask_", 601},
              {"SpawnPropTask_p_matchstick01x", 951},
              {"MovePropTask_", 952},
              {"DetachPropTask_", 1989},
              {"PropApplyForceTask_", 1990},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 1990},
              {"AnimationTask_script_mp@emotes@smoke_cigar@male@unarmed@upper_loop", -1}});
  EXPECT_EQ(Task<AnimationTask>(0)->filter, "upperbodyfeathered_nolefttarm_filter");
  EXPECT_EQ(CountCalls("SetAttributeCoreValue"), 1u);
}

TEST_F(CigarLighting, ADrawnWeaponLightsWithTheLeftHandIntoTheMouth) {
  sim.world.player.weaponHolstered = false;
  Light(true);
  ExpectRows({{"AnimationTask_mech_inventory@smoking@cigar_quick_left", -1},
              {"DestroyPropTask_p_cigar02x", 600},
              {"SpawnPropTask_p_cigar02x", 600},
              {"MovePropTask_", 620},
              {"SpawnPropTask_p_matchstick01x", 951},
              {"MovePropTask_", 952},
              {"DetachPropTask_", 1989},
              {"PropApplyForceTask_", 1990},
              {"AnimationTask_amb_wander@code_human_smoking_wander@male_a@base_base", -1}});
  EXPECT_EQ(Task<AnimationTask>(0)->extraFlags, 0x8000);
  EXPECT_EQ(Task<MovePropTask>(3)->bone, mouthBoneIndex);
  EXPECT_EQ(Task<SpawnPropTask>(4)->bone, 193);
  EXPECT_EQ(Task<MovePropTask>(5)->bone, 193);
  EXPECT_TRUE(propInMouth);
  EXPECT_EQ(CountCalls("InventoryRemoveInventoryItemWithItemId"), 1u);
}

TEST_F(CigarLighting, LitTimeIsRecordedWithTheSwapSettingAndClearedWithout) {
  SWAP_TO_SHORT_CIGAR_AFTER_PERIOD = true;
  Light(false);
  EXPECT_EQ(cigarLitTime, lightAt);
  // A reload turns the swap off: the next cigar must not inherit the old time.
  SWAP_TO_SHORT_CIGAR_AFTER_PERIOD = false;
  ResetToIdle(activeSequence);
  Light(false);
  EXPECT_EQ(cigarLitTime, 0);
}

TEST_F(CigarLighting, AWholeCigarPlaysToItsFinishAndLeavesNothingBehind) {
  for (bool quick : {true, false}) {
    Light(quick);
    PlayOut(12000);
    EXPECT_FALSE(activeSequence.running) << quick;
    ExpectPlayedOutClean();
  }
}

}  // namespace
