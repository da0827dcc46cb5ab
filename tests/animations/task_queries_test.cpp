// What the logic asks of the queued tasks: the game names they hand over
// (never the names made up for the tasks), their offsets and durations.
#include <gtest/gtest.h>

#include <memory>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "animations/task_queries.h"

namespace {

using namespace Animations;

TEST(TaskQueries, ATaskPlaysTheGameNamesItHandsOverAndNothingElse) {
  Ped ped = 0;
  Entity prop = 0;
  int effect = 0;
  AnimationTask outro(&ped, "script_mp@emotes@smoke_cigar@male@unarmed@upper", "outro", 1, 0, 0, 1, 1, 1, "");
  EXPECT_TRUE(TaskPlays(&outro, "outro"));
  EXPECT_TRUE(TaskPlays(&outro, "smoke_cigar@"));  // the dictionary counts too
  EXPECT_FALSE(TaskPlays(&outro, "AnimationTask"));
  // The match's sizzle is a looped sound: it plays a "loop" as the cigar's hold clip does.
  EXPECT_TRUE(TaskPlays(std::make_unique<PlaySoundFromEntityTask>().get(), "loop"));
  EXPECT_TRUE(TaskPlays(std::make_unique<StopSoundTask>().get(), "sizzle"));
  PlayFxOnPedBoneTask exhale(&effect, 1, "anm_smoking", "ent_anim_cig_exhale_mth_short", 1, 0, 0, 0, 0, 0, 0, 1);
  EXPECT_TRUE(TaskPlays(&exhale, "exhale_mth_short"));
  PlayFxOnPropTask tip(&prop, &effect, "cs_cig_smoke", 1, 0, 0, 0, 0, 0, 0, 1, 10);
  EXPECT_TRUE(TaskPlays(&tip, "cs_cig_smoke"));
  // The item interaction's class name holds "action"; what it plays does not.
  ItemInteractionTask interaction;
  EXPECT_FALSE(TaskPlays(&interaction, "action"));
  EXPECT_TRUE(TaskPlays(&interaction, "QUICK_SMOKE"));
  // Emotes, props, delays play no named thing.
  PlayEmoteTask emote(0x8B7F8EEB, 0, 1);
  SpawnPropTask spawn(&prop, "p_cigarette01x", 1, 255);
  TaskDelay delay(5);
  for (ISequenceTask* task : std::initializer_list<ISequenceTask*>{&emote, &spawn, &delay}) {
    EXPECT_FALSE(TaskPlays(task, "p_cigarette01x"));
    EXPECT_FALSE(TaskPlays(task, "Task"));
  }
  EXPECT_FALSE(TaskPlays(nullptr, ""));
}

TEST(TaskQueries, TheActiveSequencesCurrentAndNextTask) {
  Ped ped = 0;
  EXPECT_FALSE(CurrentTaskPlaysEmote());
  EXPECT_FALSE(NextTaskPlaysClip());
  activeSequence.current = std::make_unique<PlayEmoteTask>(0x81615BA3, 0, 1);
  activeSequence.pending.push_back(std::make_unique<AnimationTask>(&ped, "d", "c", 1, 0, 0, 1, 1, 1, ""));
  EXPECT_TRUE(CurrentTaskPlaysEmote());
  EXPECT_TRUE(CurrentTaskPlaysEmote(0x81615BA3));
  EXPECT_FALSE(CurrentTaskPlaysEmote(0x8B7F8EEB));
  EXPECT_FALSE(CurrentTaskIsItemInteraction());
  EXPECT_TRUE(NextTaskPlaysClip());
  activeSequence.current = std::make_unique<ItemInteractionTask>();
  activeSequence.pending.front() = std::make_unique<SetAnimCurrentTimeTask>(&ped);
  EXPECT_TRUE(CurrentTaskIsItemInteraction());
  EXPECT_FALSE(NextTaskPlaysClip());  // it freezes a clip, it plays none
  ResetToIdle(activeSequence);
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
  EXPECT_EQ(PlayFxOnPropTask(&prop, &effect, "e", 1, 0, 0, 0, 0, 0, 0, 1, 777).GetDurationMs(), 777);
  EXPECT_EQ(PlayFxOnPedBoneTask(&effect, 1, "a", "e", 1, 0, 0, 0, 0, 0, 0, 1).GetDurationMs(), 10);
  EXPECT_EQ(SpawnPedTask(&prop).GetDurationMs(), 0);
  EXPECT_EQ(DeleteEntityTask(&prop).GetDurationMs(), 1);
  EXPECT_EQ(SetAnimCurrentTimeTask(&prop).GetDurationMs(), 1);
}

}  // namespace
