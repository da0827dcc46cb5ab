// Task names are how the controller recognises what is playing: exact
// prefixes, separators and number formats.
#include <gtest/gtest.h>

#include <sstream>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"

namespace {

using namespace Animations;

TEST(TaskNames, PropEffectAndSoundTasks) {
  Entity prop = 1004;
  int effect = 0;
  EXPECT_EQ(SpawnPropTask(&prop, "p_cigarette01x", 1, 255).GetName(), "SpawnPropTask_p_cigarette01x");
  EXPECT_EQ(MovePropTask(&prop, 1, 0, 0, 0, 0, 0, 0, 0, 2).GetName(), "MovePropTask_1004");
  EXPECT_EQ(DetachPropTask(&prop, false).GetName(), "DetachPropTask_1004");
  EXPECT_EQ(PropApplyForceTask(&prop, 0, 0, 0).GetName(), "PropApplyForceTask_1004");
  EXPECT_EQ(DestroyPropTask(&prop, "p_cigar01x", false, true).GetName(), "DestroyPropTask_p_cigar01x");
  EXPECT_EQ(PlayFxOnPropTask(&effect, "ent_anim_cig_smoke", 1, 0, 0, 0, 0, 0, 0, 1, 10).GetName(),
            "PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke");
  EXPECT_EQ(PlayFxOnPedBoneTask(&effect, 1, "core", "ent_anim_cig_exhale_nse", 1, 0, 0, 0, 0, 0, 0, 1).GetName(),
            "PlayFxOnBoneTask_core_ent_anim_cig_exhale_nse");
  EXPECT_EQ(SetFxAlphaOnPropTask(&effect, 1).GetName(), "SetFxAlphaOnPropTask");
  EXPECT_EQ(RemoveParticleFxTask(&effect).GetName(), "RemoveParticleFx");
  EXPECT_EQ(SetEntityAlphaTask().GetName(), "SetEntityAlphaTask_p_cigarette_cs01x");
  EXPECT_EQ(PlaySoundFromEntityTask().GetName(), "PlaySoundFromEntityTask_Player_Campfire_Sounds_cook_meat_sizzle_loop");
  EXPECT_EQ(StopSoundTask().GetName(), "StopSoundTask_Player_Campfire_Sounds_cook_meat_sizzle_loop");
}

TEST(TaskNames, HandleNamesFollowTheVariable) {
  Entity prop = 0;
  MovePropTask task(&prop, 1, 0, 0, 0, 0, 0, 0, 0, 2);
  EXPECT_EQ(task.GetName(), "MovePropTask_0");
  prop = -7;
  EXPECT_EQ(task.GetName(), "MovePropTask_-7");
}

TEST(TaskNames, AnimationEmotePedAndDelayTasks) {
  Ped ped = 0;
  EXPECT_EQ(AnimationTask(&ped, "amb_rest@world_human_smoking@male_a@idle_a", "idle_b", 1, 0, 0, 1, 1, 1, "")
                .GetName(),
            "AnimationTask_amb_rest@world_human_smoking@male_a@idle_a_idle_b");
  EXPECT_EQ(PlayEmoteTask(0x8B7C5F2Bu, 0, 1).GetName(), "PlayEmoteTask_-1954783445");
  EXPECT_EQ(PlayEmoteTask(0x7FFFFFFFu, 0, 1).GetName(), "PlayEmoteTask_2147483647");
  EXPECT_EQ(PlayEmoteTask(0x80000000u, 0, 1).GetName(), "PlayEmoteTask_-2147483648");
  EXPECT_EQ(ItemInteractionTask().GetName(), "ItemInteractionTask_ID_XH_R_HAND00_QUICK_SMOKE_CIGARETTE_LEFT_HAND");
  EXPECT_EQ(SetAnimCurrentTimeTask().GetName(), "SetAnimCurrentTimeTask_mech_inventory@smoking@cigarette_quick_right");
  EXPECT_EQ(TaskCancelCurrentAnimation(250).GetName(), "TaskCancelCurrentAnimation_250");
  EXPECT_EQ(TaskDelay(0).GetName(), "TaskDelay_0");
  EXPECT_EQ(TaskDelay(-5).GetName(), "TaskDelay_-5");
  EXPECT_EQ(SpawnPedTask().GetName(), "SpawnPedTask_A_C_Rabbit_01");
}

TEST(TaskNames, DeleteEntityNamesTheVariablesAddressAsAStreamWritesIt) {
  DeleteEntityTask task;
  std::ostringstream expected;
  expected << "DeleteEntityTask_" << static_cast<const void*>(&dummyPed);
  EXPECT_EQ(task.GetName(), expected.str());
}

TEST(TaskOffsets, EveryTaskStartsWithoutAnOffsetUntilOneIsSet) {
  TaskDelay task(10);
  EXPECT_FALSE(task.HasStartOffset());
  EXPECT_EQ(task.GetStartOffsetMs(), 0);
  task.SetStartOffsetMs(0);
  EXPECT_TRUE(task.HasStartOffset());
  EXPECT_EQ(task.GetStartOffsetMs(), 0);
}

TEST(TaskDurations, FixedAndDefaultDurations) {
  Entity prop = 0;
  int effect = 0;
  EXPECT_EQ(SpawnPropTask(&prop, "m", 0, 0).GetDurationMs(), 30);
  EXPECT_EQ(MovePropTask(&prop, 1, 0, 0, 0, 0, 0, 0, 0, 2).GetDurationMs(), 1);
  EXPECT_EQ(DestroyPropTask(&prop, "m", false, false).GetDurationMs(), 1);
  EXPECT_EQ(PlayFxOnPropTask(&effect, "e", 1, 0, 0, 0, 0, 0, 0, 1, 777).GetDurationMs(), 777);
  EXPECT_EQ(PlayFxOnPedBoneTask(&effect, 1, "a", "e", 1, 0, 0, 0, 0, 0, 0, 1).GetDurationMs(), 10);
  EXPECT_EQ(SpawnPedTask().GetDurationMs(), 0);
  EXPECT_EQ(DeleteEntityTask().GetDurationMs(), 1);
  EXPECT_EQ(SetAnimCurrentTimeTask().GetDurationMs(), 1);
}

}  // namespace
