// Clip, emote, interaction, dummy-ped and delay tasks against the simulated world.
#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "host/natives.h"
#include "task_fixture.h"

namespace {

using namespace Animations;
using Names = std::vector<std::string>;

class AnimationTasks : public test::TaskTest {
 protected:
  void SetUp() override { playerPed = Player(); }
};

constexpr const char* kDictionary = "script_mp@emotes@smoke_cigarette@male@unarmed@upper";

TEST_F(AnimationTasks, AClipPlaysWithThirteenArgumentsAndAnEmptyFilter) {
  AnimationTask task(&playerPed, kDictionary, "smoke_cigarette_puff", 2500, 31, 4, 2.0f, -3.0f, 1.25f, "");
  Run(task);
  EXPECT_EQ(Actions(), (Names{"HasAnimDictLoaded", "HasAnimDictLoaded", "TaskPlayAnim"}));
  const auto& clip = Only("TaskPlayAnim");
  ASSERT_EQ(clip.words.size(), 13u);
  EXPECT_EQ(clip.I(0), Player());
  EXPECT_EQ(clip.S(1), kDictionary);
  EXPECT_EQ(clip.S(2), "smoke_cigarette_puff");
  EXPECT_EQ(clip.F(3), 2.0f);
  EXPECT_EQ(clip.F(4), -3.0f);
  EXPECT_EQ(clip.I(5), 2500);
  EXPECT_EQ(clip.I(6), 31);
  EXPECT_EQ(clip.F(7), 1.25f);
  EXPECT_EQ(clip.I(8), 0);
  EXPECT_EQ(clip.I(9), 4);
  EXPECT_EQ(clip.I(10), 0);
  EXPECT_NE(clip.words[11], 0u);  // a string, not a null pointer
  EXPECT_EQ(clip.S(11), "");
  EXPECT_EQ(clip.I(12), 0);
  ASSERT_NE(sim.world.animation.ClipOn(Player()), nullptr);
  EXPECT_EQ(sim.world.animation.ClipOn(Player())->clip, "smoke_cigarette_puff");
}

TEST_F(AnimationTasks, TheClipReadsThePedVariableWhenItExecutes) {
  Ped ped = 0;
  AnimationTask task(&ped, kDictionary, "base", 100, 0, 0, 1.0f, 1.0f, 1.0f, "upperbody");
  ped = Player();
  Run(task);
  EXPECT_EQ(Only("TaskPlayAnim").I(0), Player());
  EXPECT_EQ(Only("TaskPlayAnim").S(11), "upperbody");
}

TEST_F(AnimationTasks, AClipRunsForItsDurationAndReportsItsPhase) {
  AnimationTask task(&playerPed, kDictionary, "base", 1000, 0, 0, 1.0f, 1.0f, 1.0f, "");
  Run(task);
  Ms(500);
  float phase = -1.0f;
  OnScript([&] { phase = native::GetEntityAnimCurrentTime(Player(), kDictionary, "base"); });
  EXPECT_NEAR(phase, 0.5f, 0.05f);
  Ms(600);
  OnScript([&] { phase = native::GetEntityAnimCurrentTime(Player(), kDictionary, "base"); });
  EXPECT_EQ(phase, 0.0f);
  EXPECT_TRUE(sim.timeline.Contains("clip", "base ended"));
}

TEST_F(AnimationTasks, ADictionaryThatIsNotLoadedIsRequestedAndWaitedFor) {
  sim.world.assets.Configure(sim, kDictionary, {false, false, 3});
  AnimationTask task(&playerPed, kDictionary, "base", 100, 0, 0, 1.0f, 1.0f, 1.0f, "");
  Run(task);
  auto names = Actions();
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], "HasAnimDictLoaded");
  EXPECT_EQ(names[1], "RequestAnimDict");
  EXPECT_EQ(names.back(), "TaskPlayAnim");
  EXPECT_EQ(CountCalls("HasAnimDictLoaded"), 5u);  // first ask, then 3 frames of waiting
}

TEST_F(AnimationTasks, AnEmotePlaysWithItsFlag) {
  PlayEmoteTask task(0x8B7C5F2Bu, 5, 3000);
  Run(task);
  const auto& emote = Only("TaskPlayEmoteWithHash");
  const uint32_t expected[] = {static_cast<uint32_t>(Player()), 0, 0, 0x8B7C5F2Bu, 1, 1, 0, 0, 1};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(emote.U(i), expected[i]) << i;
  EXPECT_TRUE(sim.world.animation.EmotePlaying(Player()));
  PlayEmoteTask quiet(1u, 0, 10);
  Run(quiet);
  EXPECT_EQ(Only("TaskPlayEmoteWithHash").I(8), 0);
}

TEST_F(AnimationTasks, AnItemInteractionStartsWithTheHashesOfItsNames) {
  ItemInteractionTask task;
  Run(task);
  EXPECT_EQ(CountCalls("GetHashKey"), 0u);
  const auto& start = Only("StartTaskItemInteraction");
  EXPECT_EQ(start.I(0), Player());
  EXPECT_EQ(start.U(1), sim.Hash("ID_XH_R_HAND00"));
  EXPECT_EQ(start.U(2), sim.Hash("QUICK_SMOKE_CIGARETTE_LEFT_HAND"));
  EXPECT_EQ(start.I(3), 1);
  EXPECT_EQ(start.I(4), 0);
  EXPECT_EQ(start.F(5), 0.0f);
  EXPECT_EQ(task.GetDurationMs(), 2150);
  EXPECT_EQ(sim.world.animation.interactions.size(), 1u);
}

TEST_F(AnimationTasks, SetAnimTimeMovesTheDummyPedsClip) {
  SpawnPedTask spawn(&dummyPed);
  Run(spawn);
  ASSERT_NE(dummyPed, 0);
  AnimationTask clip(&dummyPed, "mech_inventory@smoking@cigarette", "quick_right", 4000, 0, 0, 1.0f, 1.0f, 1.0f, "");
  Run(clip);
  SetAnimCurrentTimeTask task(&dummyPed);
  Run(task);
  const auto& set = Only("SetEntityAnimCurrentTime");
  EXPECT_EQ(set.I(0), dummyPed);
  EXPECT_EQ(set.S(1), "mech_inventory@smoking@cigarette");
  EXPECT_EQ(set.S(2), "quick_right");
  EXPECT_FLOAT_EQ(set.F(3), 0.1f);
  float phase = 0.0f;
  OnScript(
      [&] { phase = native::GetEntityAnimCurrentTime(dummyPed, "mech_inventory@smoking@cigarette", "quick_right"); });
  EXPECT_NEAR(phase, 0.1f, 0.02f);
}

TEST_F(AnimationTasks, CancelEndsThePlayersAnimations) {
  PlayEmoteTask emote(0x1234u, 0, 3000);
  Run(emote);
  TaskCancelCurrentAnimation task(250);
  Run(task);
  const auto& cancel = Only("StopAnimPlayback");
  EXPECT_EQ(cancel.I(0), Player());
  EXPECT_EQ(cancel.I(1), 1);
  EXPECT_EQ(cancel.I(2), 1);
  EXPECT_FALSE(sim.world.animation.EmotePlaying(Player()));
}

TEST_F(AnimationTasks, ADelayCallsNoNative) {
  TaskDelay task(500);
  Run(task);
  EXPECT_TRUE(CallNames().empty());
  EXPECT_EQ(task.GetDurationMs(), 500);
}

TEST_F(AnimationTasks, TheDummyPedSpawnsAboveThePlayerInvisible) {
  sim.world.entities.Find(Player())->position = {1.0f, 2.0f, 3.0f};
  sim.world.entities.Find(Player())->heading = 45.0f;
  SpawnPedTask task(&dummyPed);
  Run(task);
  EXPECT_EQ(Actions(), (Names{"GetEntityCoords", "IsModelInCdImage", "IsModelValid", "RequestModel", "HasModelLoaded",
                              "GetEntityHeading", "CreatePed", "SetRandomOutfitVariation", "FreezeEntityPosition",
                              "SetEntityAlpha", "SetEntityVisible", "SetPedScale", "SetModelAsNoLongerNeeded"}));
  EXPECT_EQ(Only("GetEntityCoords").I(1), 0);
  EXPECT_EQ(Only("GetEntityCoords").I(2), 1);
  const auto& create = Only("CreatePed");
  EXPECT_EQ(create.U(0), sim.Hash("A_C_Rabbit_01"));
  EXPECT_EQ(create.F(3), 4.0f);
  EXPECT_EQ(create.F(4), 45.0f);
  EXPECT_FLOAT_EQ(Only("SetPedScale").F(1), 0.1f);
  EXPECT_EQ(Only("SetModelAsNoLongerNeeded").U(0), sim.Hash("A_C_Rabbit_01"));
  const sim::SimEntity* ped = sim.world.entities.Find(dummyPed);
  ASSERT_NE(ped, nullptr);
  EXPECT_EQ(ped->type, sim::SimEntity::Type::Ped);
  EXPECT_FALSE(ped->visible);
  EXPECT_EQ(ped->alpha, 0);
  EXPECT_TRUE(ped->createdByPlugin);
}

TEST_F(AnimationTasks, TheThirdSpawnOptionAppliesBothCalls) {
  SpawnPedTask task(&dummyPed);
  task.invisible = 0;
  task.freezePosition = 0;
  task.collisionOff = 1;
  Run(task);
  EXPECT_EQ(Actions(), (Names{"GetEntityCoords", "IsModelInCdImage", "IsModelValid", "RequestModel", "HasModelLoaded",
                              "GetEntityHeading", "CreatePed", "SetRandomOutfitVariation", "SetEntityCollision",
                              "SetEntityCompletelyDisableCollision", "SetPedScale", "SetModelAsNoLongerNeeded"}));
  EXPECT_EQ(Only("SetEntityCompletelyDisableCollision").I(1), 1);
}

TEST_F(AnimationTasks, AMissingPedModelLeavesZero) {
  sim.world.assets.Configure(sim, "A_C_Rabbit_01", {true, false, 0});
  dummyPed = 55;
  SpawnPedTask task(&dummyPed);
  Run(task);
  EXPECT_EQ(dummyPed, 0);
  EXPECT_EQ(CountCalls("CreatePed"), 0u);
}

TEST_F(AnimationTasks, DeleteEntityDeletesThroughALocalCopy) {
  SpawnPedTask spawn(&dummyPed);
  Run(spawn);
  const int ped = dummyPed;
  DeleteEntityTask task(&dummyPed);
  Run(task);
  EXPECT_EQ(Actions(), (Names{"IsEntityAMissionEntity", "DeleteEntity"}));
  EXPECT_NE(Only("DeleteEntity").words[0], reinterpret_cast<uintptr_t>(&dummyPed));
  EXPECT_EQ(dummyPed, ped);  // the variable keeps its value
  EXPECT_FALSE(sim.world.entities.Exists(ped));
  Run(task);  // the same handle again: nothing left to delete
  EXPECT_EQ(Only("IsEntityAMissionEntity").I(0), ped);
  EXPECT_EQ(Only("SetEntityAsMissionEntity").I(0), ped);
  EXPECT_EQ(CountCalls("DeleteEntity"), 1u);
  EXPECT_EQ(sim.timeline.Count("ped", "deleted"), 1u);
  EXPECT_TRUE(NoErrors());
}

}  // namespace
