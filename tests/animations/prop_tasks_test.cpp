// Prop, effect and sound tasks against the simulated world: the natives they
// call, in order and with their arguments, and what the world then holds.
#include <string>
#include <vector>

#include "animations/prop_tasks.h"
#include "task_fixture.h"

namespace {

using namespace Animations;
using Names = std::vector<std::string>;

class PropTasks : public test::TaskTest {};

TEST_F(PropTasks, SpawnCreatesAttachesFadesAndMarksTheProp) {
  Entity handle = 0;
  SpawnPropTask task(&handle, "p_cigarette01x", 123, 200);
  Run(task);
  EXPECT_EQ(Actions(), (Names{"GetEntityCoords", "IsModelInCdImage", "IsModelValid", "RequestModel", "HasModelLoaded",
                              "CreateObject", "AttachEntityToEntity", "SetEntityAlpha", "SetEntityCanBeDamaged"}));
  EXPECT_EQ(Only("GetEntityCoords").I(1), 1);
  EXPECT_EQ(Only("GetEntityCoords").I(2), 0);
  EXPECT_EQ(Only("CreateObject").U(0), sim.Hash("p_cigarette01x"));
  const auto& attach = Only("AttachEntityToEntity");
  ASSERT_EQ(attach.words.size(), 17u);
  EXPECT_EQ(attach.I(0), handle);
  EXPECT_EQ(attach.I(1), Player());
  EXPECT_EQ(attach.I(2), 123);
  for (int i = 3; i < 9; ++i) EXPECT_EQ(attach.F(i), 0.0f);
  const int tail[] = {0, 0, 1, 0, 2, 1, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(attach.I(9 + i), tail[i]) << i;
  EXPECT_EQ(Only("SetEntityAlpha").I(1), 200);
  EXPECT_EQ(Only("SetEntityCanBeDamaged").I(1), 0);

  const sim::SimEntity* prop = sim.world.entities.Find(handle);
  ASSERT_NE(prop, nullptr);
  EXPECT_EQ(prop->modelName, "p_cigarette01x");
  EXPECT_TRUE(prop->createdByPlugin);
  EXPECT_EQ(prop->attachedTo, Player());
  EXPECT_EQ(prop->attachBone, 123);
  EXPECT_EQ(prop->alpha, 200);
  EXPECT_TRUE(sim.timeline.Contains("prop", "prop p_cigarette01x #" + std::to_string(handle) + " created"));
  EXPECT_TRUE(sim.timeline.Contains("prop", "attached to PLAYER_ZERO bone 123"));
  EXPECT_EQ(task.GetDurationMs(), 30);
}

TEST_F(PropTasks, SpawnOfAMissingModelLeavesZeroAndStillAttachesIt) {
  sim.world.assets.Configure(sim, "p_missing01x", {true, false, 0});
  Entity handle = 77;
  SpawnPropTask task(&handle, "p_missing01x", 5, 255);
  Run(task);
  EXPECT_EQ(handle, 0);
  EXPECT_EQ(Actions(), (Names{"GetEntityCoords", "IsModelInCdImage", "AttachEntityToEntity", "SetEntityAlpha",
                              "SetEntityCanBeDamaged"}));
  EXPECT_EQ(Only("AttachEntityToEntity").I(0), 0);
  EXPECT_TRUE(sim.world.entities.CreatedByPlugin().empty());
  EXPECT_TRUE(NoErrors());
}

TEST_F(PropTasks, MoveDetachesThenAttachesWithTheFurtherIntegersReversed) {
  Entity handle = HeldProp("p_cigarette01x");
  MovePropTask task(&handle, 42, 0.1f, 0.2f, 0.3f, 10.0f, 20.0f, 30.0f, 7, 2);
  Run(task);
  EXPECT_EQ(Actions(), (Names{"DetachEntity", "AttachEntityToEntity"}));
  const auto& detach = Only("DetachEntity");
  EXPECT_EQ(detach.I(0), handle);
  EXPECT_EQ(detach.I(1), 1);
  EXPECT_EQ(detach.I(2), 1);
  const auto& attach = Only("AttachEntityToEntity");
  ASSERT_EQ(attach.words.size(), 17u);
  EXPECT_EQ(attach.I(2), 42);
  const float floats[] = {0.1f, 0.2f, 0.3f, 10.0f, 20.0f, 30.0f};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(attach.F(3 + i), floats[i]);
  const int tail[] = {0, 0, 0, 7, 2, 1, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(attach.I(9 + i), tail[i]) << i;
  const sim::SimEntity* prop = sim.world.entities.Find(handle);
  EXPECT_EQ(prop->attachBone, 42);
  EXPECT_EQ(prop->attachRotation.y, 20.0f);
  EXPECT_FALSE(prop->released);
}

TEST_F(PropTasks, DetachMakesThePropDeletableAndMayClearTheHandle) {
  Entity kept = LooseProp("p_match01x");
  sim.world.entities.Find(kept)->attachedTo = Player();
  DetachPropTask keep(&kept, false);
  Run(keep);
  EXPECT_EQ(Actions(), (Names{"DetachEntity", "IsEntityAMissionEntity", "SetEntityAsMissionEntity"}));
  const auto& mission = Only("SetEntityAsMissionEntity");
  EXPECT_EQ(mission.I(1), 0);
  EXPECT_EQ(mission.I(2), 1);
  EXPECT_NE(kept, 0);
  EXPECT_TRUE(sim.world.entities.Find(kept)->released);

  Entity cleared = HeldProp("p_match01x");
  DetachPropTask clear(&cleared, true);
  Run(clear);
  EXPECT_EQ(Actions(), (Names{"DetachEntity", "IsEntityAMissionEntity"}));  // already a mission entity
  EXPECT_EQ(cleared, 0);
}

TEST_F(PropTasks, ApplyForcePassesFourteenArguments) {
  Entity handle = HeldProp("p_cigarette01x");
  PropApplyForceTask task(&handle, 0.5f, -1.0f, 2.0f);
  Run(task);
  const auto& force = Only("ApplyForceToEntity");
  ASSERT_EQ(force.words.size(), 14u);
  EXPECT_EQ(force.I(0), handle);
  EXPECT_EQ(force.I(1), 1);
  EXPECT_EQ(force.F(2), 0.5f);
  EXPECT_EQ(force.F(3), -1.0f);
  EXPECT_EQ(force.F(4), 2.0f);
  for (int i = 5; i < 8; ++i) EXPECT_EQ(force.F(i), 0.0f);
  const int tail[] = {0, 1, 0, 1, 1, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(force.I(8 + i), tail[i]) << i;
}

TEST_F(PropTasks, AForceOnAReleasedPropPushesIt) {
  Entity handle = HeldProp("p_cigarette01x");
  DetachPropTask detach(&handle, false);
  PropApplyForceTask push(&handle, 0.0f, 1.0f, 0.0f);
  Run(detach);
  Run(push);
  EXPECT_TRUE(sim.world.entities.Find(handle)->pushed);
}

TEST_F(PropTasks, DestroyHidesMarksDetachesAndDeletesThroughTheVariable) {
  Entity handle = HeldProp("p_cigarette01x");
  const int prop = handle;
  DestroyPropTask task(&handle, "p_cigarette01x", false, true);
  Run(task);
  EXPECT_EQ(Actions(), (Names{"IsEntityAttachedToEntity", "SetEntityVisible", "SetEntityCanBeDamaged",
                              "SetEntityAsMissionEntity", "DetachEntity", "DeleteObject"}));
  EXPECT_EQ(Only("SetEntityCanBeDamaged").I(1), 1);
  EXPECT_EQ(Only("DeleteObject").words[0], reinterpret_cast<uintptr_t>(&handle));
  EXPECT_EQ(handle, 0);
  EXPECT_FALSE(sim.world.entities.Exists(prop));
  EXPECT_TRUE(sim.timeline.Contains("prop", "#" + std::to_string(prop) + " deleted"));
}

TEST_F(PropTasks, DestroyOnlyIfAttachedLeavesAReleasedPropAlone) {
  Entity handle = HeldProp("p_cigarette01x");
  DetachPropTask detach(&handle, false);
  Run(detach);
  DestroyPropTask destroy(&handle, "p_cigarette01x", false, true);
  Run(destroy);
  EXPECT_EQ(Actions(), (Names{"IsEntityAttachedToEntity"}));
  EXPECT_TRUE(sim.world.entities.Exists(handle));
}

TEST_F(PropTasks, DestroyWithTheSearchDeletesEveryMatchingPropNearby) {
  const int first = LooseProp("p_cigarette_cs01x", {0.2f, 0.0f, 0.0f});
  const int second = LooseProp("p_cigarette_cs01x", {0.0f, -0.5f, 0.3f});
  const int other = LooseProp("p_match01x", {0.1f, 0.0f, 0.0f});
  const int far = LooseProp("p_cigarette_cs01x", {3.0f, 0.0f, 0.0f});
  Entity handle = HeldProp("p_cigarette01x");
  const int held = handle;
  DestroyPropTask task(&handle, "p_cigarette_cs01x", true, true);
  Run(task);
  EXPECT_FALSE(sim.world.entities.Exists(first));
  EXPECT_FALSE(sim.world.entities.Exists(second));
  EXPECT_TRUE(sim.world.entities.Exists(other));
  EXPECT_TRUE(sim.world.entities.Exists(far));
  EXPECT_FALSE(sim.world.entities.Exists(held));  // and then its own prop
  EXPECT_EQ(CountCalls("DeleteEntity"), 2u);
  EXPECT_EQ(Only("GetEntitiesNearPoint").F(3), 1.0f);
  EXPECT_EQ(Only("GetEntitiesNearPoint").I(5), 3);
  EXPECT_EQ(Only("CreateItemSet").I(0), 1);
  auto names = Actions();
  EXPECT_EQ(names.back(), "DeleteObject");
  EXPECT_EQ(std::count(names.begin(), names.end(), "DestroyItemSet"), 1);
  EXPECT_TRUE(sim.world.entities.itemSets.empty());
  EXPECT_TRUE(NoErrors());
}

TEST_F(PropTasks, ALoopedEffectOnThePropReplacesThePreviousOne) {
  smokeProp = HeldProp("p_cigarette01x");
  int effect = 0;
  PlayFxOnPropTask task(&smokeProp, &effect, "ent_anim_cig_smoke", 0.8f, 0.0f, 0.01f, 0.0f, 0.0f, 90.0f, 0.0f, 1.5f, 100);
  Run(task);
  EXPECT_EQ(Actions(),
            (Names{"DoesParticleFxLoopedExist", "HasNamedPtfxAssetLoaded", "RequestNamedPtfxAsset",
                   "HasNamedPtfxAssetLoaded", "UseParticleFxAsset", "StartNetworkedParticleFxLoopedOnEntity",
                   "SetParticleFxLoopedAlpha"}));
  EXPECT_EQ(sim.hashes.Name(Only("RequestNamedPtfxAsset").U(0)), "anm_smoking");
  EXPECT_EQ(Only("DoesParticleFxLoopedExist").I(0), 0);
  EXPECT_EQ(Only("UseParticleFxAsset").S(0), "anm_smoking");
  const auto& start = Only("StartNetworkedParticleFxLoopedOnEntity");
  EXPECT_EQ(start.S(0), "ent_anim_cig_smoke");
  EXPECT_EQ(start.I(1), smokeProp);
  EXPECT_EQ(start.F(3), 0.01f);
  EXPECT_EQ(start.F(6), 90.0f);
  EXPECT_EQ(start.F(8), 1.5f);
  EXPECT_EQ(start.I(9), 1);
  EXPECT_EQ(Only("SetParticleFxLoopedAlpha").F(1), 0.8f);
  const int first = effect;
  ASSERT_NE(first, 0);
  EXPECT_TRUE(sim.timeline.Contains("effect", "looped effect ent_anim_cig_smoke #" + std::to_string(first) +
                                                  " started on p_cigarette01x #" + std::to_string(smokeProp)));

  Run(task);
  EXPECT_EQ(Actions().front(), "DoesParticleFxLoopedExist");
  EXPECT_EQ(Calls("RemoveParticleFx").at(0)->I(0), first);
  EXPECT_FALSE(sim.world.effects.Running(first));
  EXPECT_TRUE(sim.world.effects.Running(effect));
  EXPECT_EQ(sim.world.effects.looped.size(), 1u);  // one variable, one running effect
  EXPECT_EQ(task.GetName(), "PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke");
}

TEST_F(PropTasks, AOneShotEffectOnABoneUsesTheNextEffectAlpha) {
  int effect = 0;
  PlayFxOnPedBoneTask task(&effect, 21030, "core", "ent_anim_cig_exhale_mth", 0.4f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                           0.0f, 1.0f);
  Run(task);
  EXPECT_EQ(Actions(),
            (Names{"DoesParticleFxLoopedExist", "HasNamedPtfxAssetLoaded", "RequestNamedPtfxAsset",
                   "HasNamedPtfxAssetLoaded", "UseParticleFxAsset", "SetParticleFxNonLoopedAlpha",
                   "StartParticleFxNonLoopedOnPedBone"}));
  const auto& start = Only("StartParticleFxNonLoopedOnPedBone");
  EXPECT_EQ(start.I(1), Player());
  EXPECT_EQ(start.I(8), 21030);
  EXPECT_EQ(start.F(9), 1.0f);
  EXPECT_EQ(effect, 0);
  ASSERT_EQ(sim.world.effects.oneShots.size(), 1u);
  EXPECT_EQ(sim.world.effects.oneShots[0].alpha, 0.4f);
  EXPECT_EQ(sim.world.effects.oneShots[0].asset, "core");
  EXPECT_TRUE(sim.world.effects.looped.empty());
}

TEST_F(PropTasks, ALoopedEffectOnABoneIsKeptInItsVariable) {
  int effect = 0;
  PlayFxOnPedBoneTask task(&effect, 31086, "anm_smoking", "ent_anim_cig_exhale_nse", 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                           0.0f, 0.0f, 1.0f);
  task.looped = 1;
  Run(task);
  ASSERT_NE(effect, 0);
  EXPECT_EQ(Only("StartParticleFxLoopedOnPedBone").I(8), 31086);
  RemoveParticleFxTask remove(&effect);
  Run(remove);
  EXPECT_EQ(Actions(), (Names{"DoesParticleFxLoopedExist", "RemoveParticleFx"}));
  EXPECT_EQ(Only("RemoveParticleFx").I(1), 1);
  EXPECT_EQ(effect, 0);
  EXPECT_TRUE(sim.world.effects.looped.empty());
}

TEST_F(PropTasks, EffectAlphaAndRemovalTolerateANullVariable) {
  SetFxAlphaOnPropTask alphaTask(nullptr, 0.5f);
  RemoveParticleFxTask removeTask(nullptr);
  Run(alphaTask);
  EXPECT_TRUE(Actions().empty());
  Run(removeTask);
  EXPECT_TRUE(Actions().empty());
  int effect = 1234;
  SetFxAlphaOnPropTask set(&effect, 0.25f);
  Run(set);
  EXPECT_EQ(Only("SetParticleFxLoopedAlpha").I(0), 1234);
  EXPECT_EQ(Only("SetParticleFxLoopedAlpha").F(1), 0.25f);
}

TEST_F(PropTasks, EntityAlphaFindsTheInteractionCigaretteNextToThePlayer) {
  const int cigarette = LooseProp("p_cigarette_cs01x", {0.3f, 0.0f, 0.0f});
  sim.world.entities.Find(cigarette)->attachedTo = Player();
  SetEntityAlphaTask task(&smokeProp);
  task.alpha = 128.9f;
  Run(task);
  EXPECT_EQ(Actions(), (Names{"GetEntityCoords", "CreateItemSet", "GetEntitiesNearPoint", "GetIndexedItemInItemSet",
                              "GetEntityModel", "GetIndexedItemInItemSet", "GetEntityModel", "DestroyItemSet",
                              "IsEntityAttachedToEntity", "SetEntityAlpha"}));
  EXPECT_EQ(Only("SetEntityAlpha").I(0), cigarette);
  EXPECT_EQ(Only("SetEntityAlpha").I(1), 128);  // truncated
  EXPECT_EQ(sim.world.entities.Find(cigarette)->alpha, 128);
}

TEST_F(PropTasks, EntityAlphaWithNoMatchChangesNothing) {
  SetEntityAlphaTask task(&smokeProp);
  Run(task);
  EXPECT_EQ(Only("IsEntityAttachedToEntity").I(0), 0);
  EXPECT_EQ(CountCalls("SetEntityAlpha"), 0u);
}

TEST_F(PropTasks, SoundFromThePlayerKeepsLoopingUntilStopped) {
  PlaySoundFromEntityTask play;
  Run(play);
  EXPECT_EQ(Actions(), (Names{"PrepareSoundSet", "PlaySoundFromEntity"}));
  EXPECT_EQ(Only("PrepareSoundSet").S(0), "Player_Campfire_Sounds");
  EXPECT_EQ(Only("PrepareSoundSet").I(1), 1);
  const auto& sound = Only("PlaySoundFromEntity");
  EXPECT_EQ(sound.S(0), "cook_meat_sizzle_loop");
  EXPECT_EQ(sound.I(1), Player());
  EXPECT_EQ(sound.S(2), "Player_Campfire_Sounds");
  EXPECT_EQ(sound.I(3), 0);  // not a networked sound
  EXPECT_EQ(sim.world.effects.loopedSounds.size(), 1u);
  Frames(100);
  EXPECT_EQ(sim.world.effects.loopedSounds.size(), 1u);

  StopSoundTask stop;
  Run(stop);
  EXPECT_EQ(Actions(), (Names{"StopSoundWithName", "ReleaseSoundSet"}));
  EXPECT_EQ(Only("StopSoundWithName").S(1), "Player_Campfire_Sounds");
  EXPECT_EQ(Only("ReleaseSoundSet").S(0), "Player_Campfire_Sounds");  // the set, by its own name
  EXPECT_TRUE(sim.world.effects.loopedSounds.empty());
  EXPECT_TRUE(sim.world.effects.preparedSoundSets.empty());

  // A set released once is not released again; one never prepared is left alone.
  Run(stop);
  EXPECT_EQ(Actions(), (Names{"StopSoundWithName"}));
}

TEST_F(PropTasks, ASoundWithAnOffsetPlaysAtThatPlaceNearThePlayer) {
  sim.world.entities.Find(Player())->position = {10.0f, 20.0f, 1.0f};
  PlaySoundFromEntityTask play;
  play.y = 0.5f;
  Run(play);
  EXPECT_EQ(Actions(), (Names{"PrepareSoundSet", "GetOffsetFromEntityInWorldCoords", "PlaySoundFromPosition"}));
  const auto& sound = Only("PlaySoundFromPosition");
  EXPECT_EQ(sound.F(1), 10.0f);
  EXPECT_EQ(sound.F(2), 20.5f);
  EXPECT_EQ(sound.S(4), "Player_Campfire_Sounds");
  EXPECT_EQ(sound.I(5), 0);
}

TEST_F(PropTasks, ASoundSetThatLoadsLateIsWaitedFor) {
  sim.world.assets.Configure(sim, "Player_Campfire_Sounds", {false, false, 5});
  PlaySoundFromEntityTask play;
  const uint64_t before = sim.Frame();
  Run(play);
  EXPECT_EQ(CountCalls("PrepareSoundSet"), 6u);
  EXPECT_EQ(CountCalls("PlaySoundFromEntity"), 1u);
  EXPECT_GE(sim.Frame() - before, 5u);
}

}  // namespace
