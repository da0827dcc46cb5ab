// The simulated props, peds, effects, sounds, clips and asset loading, as the
// plug-in's natives see them.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/natives.h"
#include "session.h"
#include "simulator.h"

namespace {

bool Play(sim::Simulator& world, const std::string& session) {
  std::string error;
  bool ok = sim::RunSession(world, session, ".", error);
  EXPECT_TRUE(ok) << error;
  return ok;
}

Entity Spawn(const char* model) {
  return native::CreateObject(native::GetHashKey(model), 0.0f, 0.0f, 0.0f, 0, 0, 0, 0, 0);
}

TEST(SimAssets, SessionSettersMakeAssetsMissingSlowOrNeverLoaded) {
  sim::Simulator world;
  ASSERT_TRUE(Play(world, "set asset.missing p_gone01x\nset asset.never anm_smoking\nset asset.delay p_slow01x 3\n"));
  const Hash gone = native::GetHashKey("p_gone01x");
  const Hash slow = native::GetHashKey("p_slow01x");
  EXPECT_FALSE(native::IsModelInCdImage(gone));
  EXPECT_TRUE(native::IsModelInCdImage(slow));
  EXPECT_FALSE(native::HasModelLoaded(slow));  // not even requested yet
  native::RequestModel(slow, 0);
  world.RunFrames(2);
  EXPECT_FALSE(native::HasModelLoaded(slow));
  EXPECT_EQ(Spawn("p_slow01x"), 0);  // the game cannot create what is not loaded
  world.RunFrame();
  EXPECT_TRUE(native::HasModelLoaded(slow));
  EXPECT_NE(Spawn("p_slow01x"), 0);
  native::RequestAnimDict("anm_smoking");
  world.RunFrames(1000);
  EXPECT_FALSE(native::HasNamedPtfxAssetLoaded(native::GetHashKey("ANM_SMOKING")));  // names are case-insensitive
  EXPECT_TRUE(native::HasModelLoaded(native::GetHashKey("p_cigarette01x")));         // unconfigured: at once
}

// The game loads a particle asset only when it is asked for by its name's
// hash: a clip dictionary's request of the same name, which the plug-in once
// made, loads nothing of it however long the script waits.
TEST(SimAssets, AParticleAssetLoadsOnlyWhenRequestedByItsNameHash) {
  sim::Simulator world;
  ASSERT_TRUE(Play(world, "set asset.delay cut_rprsn 5\n"));
  const Hash smoking = native::GetHashKey("anm_smoking");
  const Hash breath = native::GetHashKey("cut_rprsn");
  EXPECT_FALSE(native::HasNamedPtfxAssetLoaded(smoking));
  native::RequestAnimDict("anm_smoking");
  world.RunFrames(400);
  EXPECT_FALSE(native::HasNamedPtfxAssetLoaded(smoking));
  native::RequestNamedPtfxAsset(smoking);
  EXPECT_TRUE(native::HasNamedPtfxAssetLoaded(smoking));  // unconfigured: at once
  native::RequestNamedPtfxAsset(breath);
  world.RunFrames(4);
  EXPECT_FALSE(native::HasNamedPtfxAssetLoaded(breath));
  world.RunFrame();
  EXPECT_TRUE(native::HasNamedPtfxAssetLoaded(breath));
  EXPECT_TRUE(world.timeline.Contains("asset", "cut_rprsn requested; it loads in 5 frames"));
}

TEST(SimAssets, BadSetterValuesAreRefused) {
  sim::Simulator world;
  std::string error;
  EXPECT_FALSE(world.Set("asset.delay", "p_slow01x", error));
  EXPECT_FALSE(world.Set("asset.delay", "p_slow01x soon", error));
  EXPECT_FALSE(world.Set("asset.delay", "p_slow01x -4", error));
  EXPECT_FALSE(world.Set("asset.never", "", error));
  EXPECT_FALSE(world.Set("asset.missing", "two names", error));
}

TEST(SimEntities, AnAttachedPropIsWhereItsParentIsAndFallsThereWhenDetached) {
  sim::Simulator world;
  const int player = world.world.entities.player;
  world.world.entities.Find(player)->position = {5.0f, 6.0f, 7.0f};
  const Entity prop = Spawn("p_cigarette01x");
  native::AttachEntityToEntity(prop, player, 123, 0.1f, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 1, 0, 0);
  world.world.entities.Find(player)->position = {8.0f, 6.0f, 7.0f};
  Vector3 at = native::GetEntityCoords(prop, true, false);
  EXPECT_EQ(at.x, 8.0f);
  EXPECT_TRUE(native::IsEntityAttachedToEntity(prop, player));
  native::DetachEntity(prop, 1, 1);
  world.world.entities.Find(player)->position = {0.0f, 0.0f, 0.0f};
  at = native::GetEntityCoords(prop, true, false);
  EXPECT_EQ(at.x, 8.0f);
  EXPECT_FALSE(native::IsEntityAttachedToEntity(prop, player));
  const sim::SimEntity& entity = *world.world.entities.Find(prop);
  EXPECT_TRUE(entity.createdByPlugin);
  EXPECT_TRUE(entity.released);
  EXPECT_FALSE(entity.pushed);
  native::ApplyForceToEntity(prop, 1, 0, 2, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1);
  EXPECT_TRUE(world.world.entities.Find(prop)->pushed);
  EXPECT_TRUE(world.timeline.Contains("prop", "attached to PLAYER_ZERO bone 123"));
  EXPECT_TRUE(world.timeline.Contains("prop", "p_cigarette01x #" + std::to_string(prop) + " detached"));
}

TEST(SimEntities, OnlyMissionEntitiesAreDeletedAndTheVariableIsCleared) {
  sim::Simulator world;
  ASSERT_TRUE(Play(world, "prop p_cigarette_cs01x\n"));
  Entity found = world.world.entities.nextHandle - 1;
  Entity copy = found;
  native::DeleteEntity(&copy);
  EXPECT_EQ(copy, found);
  EXPECT_TRUE(native::DoesEntityExist(found));
  native::SetEntityAsMissionEntity(found, false, true);
  EXPECT_TRUE(native::IsEntityAMissionEntity(found));
  native::DeleteObject(&copy);
  EXPECT_EQ(copy, 0);
  EXPECT_FALSE(native::DoesEntityExist(found));
  EXPECT_TRUE(world.Errors().empty());
}

TEST(SimEntities, TheNearbySetHoldsEntitiesWithinTheRadius) {
  sim::Simulator world;
  ASSERT_TRUE(Play(world, "prop p_a 0.5 0 0\nprop p_b 0 0 1.5\nprop p_c 0 0.9 0.3\n"));
  const int set = native::CreateItemSet(1);
  const int count = native::GetEntitiesNearPoint(0, 0, 0, 1.0f, set, 3);
  EXPECT_EQ(count, 3);  // the player, p_a and p_c
  std::vector<std::string> models;
  for (int i = 0; i < count; ++i)
    models.push_back(world.hashes.Name(native::GetEntityModel(native::GetIndexedItemInItemSet(i, set))));
  EXPECT_NE(std::find(models.begin(), models.end(), "p_a"), models.end());
  EXPECT_NE(std::find(models.begin(), models.end(), "p_c"), models.end());
  EXPECT_EQ(native::GetIndexedItemInItemSet(count, set), 0);
  native::DestroyItemSet(set);
  EXPECT_TRUE(world.world.entities.itemSets.empty());
}

TEST(SimEntities, OffsetsTurnWithTheEntitysHeading) {
  sim::Simulator world;
  sim::SimEntity& player = *world.world.entities.Find(world.world.entities.player);
  player.position = {10.0f, 0.0f, 0.0f};
  player.heading = 90.0f;
  Vector3 ahead = native::GetOffsetFromEntityInWorldCoords(player.handle, 0.0f, 1.0f, 0.5f);
  EXPECT_NEAR(ahead.x, 9.0f, 1e-5);
  EXPECT_NEAR(ahead.y, 0.0f, 1e-5);
  EXPECT_NEAR(ahead.z, 0.5f, 1e-5);
  Vector3 back = native::GetOffsetFromEntityGivenWorldCoords(player.handle, ahead.x, ahead.y, ahead.z);
  EXPECT_NEAR(back.x, 0.0f, 1e-5);
  EXPECT_NEAR(back.y, 1.0f, 1e-5);
  EXPECT_NEAR(back.z, 0.5f, 1e-5);
}

TEST(SimEffects, LoopedEffectsRunUntilStoppedAndNeedAnEntity) {
  sim::Simulator world;
  const Entity prop = Spawn("p_cigarette01x");
  native::UseParticleFxAsset("anm_smoking");
  const int effect =
      native::StartNetworkedParticleFxLoopedOnEntity("ent_anim_cig_smoke", prop, 0, 0, 0, 0, 0, 0, 1.0f, 1, 1, 1);
  EXPECT_NE(effect, 0);
  EXPECT_EQ(native::StartNetworkedParticleFxLoopedOnEntity("ent_anim_cig_smoke", 0, 0, 0, 0, 0, 0, 0, 1.0f, 1, 1, 1),
            0);
  native::SetParticleFxLoopedAlpha(effect, 0.3f);
  EXPECT_EQ(world.world.effects.looped.at(effect).alpha, 0.3f);
  EXPECT_EQ(world.world.effects.looped.at(effect).asset, "anm_smoking");
  world.RunFrames(50);
  EXPECT_TRUE(native::DoesParticleFxLoopedExist(effect));
  native::RemoveParticleFx(effect, 1);
  EXPECT_FALSE(native::DoesParticleFxLoopedExist(effect));
  EXPECT_FALSE(native::DoesParticleFxLoopedExist(0));
  EXPECT_TRUE(world.timeline.Contains("effect", "looped effect ent_anim_cig_smoke #" + std::to_string(effect) +
                                                    " started on p_cigarette01x"));
  EXPECT_TRUE(world.timeline.Contains("effect", "stopped"));
}

TEST(SimEffects, TheNextEffectAlphaAppliesToOneEffectOnly) {
  sim::Simulator world;
  const int player = world.world.entities.player;
  native::SetParticleFxNonLoopedAlpha(0.2f);
  native::StartParticleFxNonLoopedOnPedBone("ent_anim_cig_exhale_mth", player, 0, 0, 0, 0, 0, 0, 21030, 1.0f, 1, 1, 1);
  native::StartParticleFxNonLoopedOnPedBone("ent_anim_cig_exhale_mth", player, 0, 0, 0, 0, 0, 0, 21030, 1.0f, 1, 1, 1);
  ASSERT_EQ(world.world.effects.oneShots.size(), 2u);
  EXPECT_EQ(world.world.effects.oneShots[0].alpha, 0.2f);
  EXPECT_EQ(world.world.effects.oneShots[1].alpha, 1.0f);
  EXPECT_EQ(world.world.effects.oneShots[0].bone, 21030);
}

TEST(SimSounds, ALoopedSoundPlaysUntilStoppedAOneShotDoesNotLinger) {
  sim::Simulator world;
  const int player = world.world.entities.player;
  native::PlaySoundFromEntity("cook_meat_sizzle_loop", player, "Player_Campfire_Sounds", 1, 0, 0);
  native::PlaySoundFromEntity("match_strike", player, "Player_Campfire_Sounds", 1, 0, 0);
  EXPECT_EQ(world.world.effects.soundsPlayed.size(), 2u);
  ASSERT_EQ(world.world.effects.loopedSounds.size(), 1u);
  native::StopSoundWithName("cook_meat_sizzle_loop", "Other_Set");
  EXPECT_EQ(world.world.effects.loopedSounds.size(), 1u);
  native::StopSoundWithName("cook_meat_sizzle_loop", "Player_Campfire_Sounds");
  EXPECT_TRUE(world.world.effects.loopedSounds.empty());
}

TEST(SimAnimation, ClipsEmotesAndInteractionsEndWhenTheirTimeIsUp) {
  sim::Simulator world;
  ASSERT_TRUE(Play(world, "set emote.duration 500\n"));
  const int player = world.world.entities.player;
  native::TaskPlayEmoteWithHash(player, 0, 0, native::GetHashKey("KIT_EMOTE_ACTION_SMOKE"), 1, 1, 0, 0, 0);
  native::StartTaskItemInteraction(player, native::GetHashKey("ID_XH_R_HAND00"),
                                   native::GetHashKey("QUICK_SMOKE_CIGARETTE_LEFT_HAND"), 1, 0, 0.0f);
  // The game's own cigarette for the interaction, in the player's hand.
  auto& entities = world.world.entities;
  int cigarette = 0;
  for (auto& [handle, entity] : entities.all) {
    if (entity.modelName == "p_cigarette_cs01x") cigarette = handle;
  }
  ASSERT_NE(cigarette, 0);
  EXPECT_TRUE(native::IsEntityAttachedToEntity(cigarette, player));
  EXPECT_FALSE(entities.Find(cigarette)->createdByPlugin);
  EXPECT_TRUE(world.world.animation.EmotePlaying(player));
  world.RunMs(600);
  EXPECT_FALSE(world.world.animation.EmotePlaying(player));
  EXPECT_EQ(world.world.animation.interactions.size(), 1u);
  world.RunMs(2000);
  EXPECT_TRUE(world.world.animation.interactions.empty());
  EXPECT_FALSE(entities.Exists(cigarette));
}

// As in the game, clearing a ped's tasks ends its clip and emote at once and
// its item interaction (with the game's prop) at the next frame; a pause of
// the game holds them all.
TEST(SimAnimation, ClearingAPedsTasksEndsWhatItPlaysAndAPauseHoldsIt) {
  sim::Simulator world;
  ASSERT_TRUE(Play(world, "set emote.duration 500\n"));
  const int player = world.world.entities.player;
  native::TaskPlayEmoteWithHash(player, 0, 0, native::GetHashKey("KIT_EMOTE_ACTION_SMOKE"), 1, 1, 0, 0, 0);
  ASSERT_TRUE(Play(world, "pause 2s\n"));
  EXPECT_TRUE(world.world.animation.EmotePlaying(player));
  native::TaskPlayAnim(player, "d", "c", 1, 1, -1, 1, 1.0f, 0, 0, 0, "", 0);
  native::StartTaskItemInteraction(player, native::GetHashKey("ID_XH_R_HAND00"),
                                   native::GetHashKey("QUICK_SMOKE_CIGARETTE_LEFT_HAND"), 1, 0, 0.0f);
  native::ClearPedTasks(player, 0, 0);
  EXPECT_FALSE(world.world.animation.EmotePlaying(player));
  EXPECT_EQ(world.world.animation.ClipOn(player), nullptr);
  world.RunFrame();
  EXPECT_TRUE(world.world.animation.interactions.empty());
  EXPECT_TRUE(world.timeline.Contains("emote", "ended (tasks stopped)"));
}

TEST(SimAnimation, AClipThatLoopsHasAPhaseAndIsEndedByCancel) {
  sim::Simulator world;
  const int player = world.world.entities.player;
  native::TaskPlayAnim(player, "d", "c", 1, 1, -1, 1, 1.0f, 0, 0, 0, "", 0);
  world.RunMs(1500);
  const float phase = native::GetEntityAnimCurrentTime(player, "d", "c");
  EXPECT_GT(phase, 0.0f);
  EXPECT_LT(phase, 1.0f);
  EXPECT_EQ(native::GetEntityAnimCurrentTime(player, "d", "other"), 0.0f);
  native::StopAnimPlayback(player, 1, 1);
  EXPECT_EQ(native::GetEntityAnimCurrentTime(player, "d", "c"), 0.0f);
}

}  // namespace

namespace {

TEST(SimEffects, DeletingAnEntityEndsTheLoopedEffectsOnIt) {
  sim::Simulator world;
  Entity prop = native::CreateObject(native::GetHashKey("p_cigar01x"), 0, 0, 0, 0, 0, 0, 0, 0);
  const int onProp =
      native::StartNetworkedParticleFxLoopedOnEntity("ent_anim_cig_smoke", prop, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1);
  const int onPlayer = native::StartParticleFxLoopedOnPedBone("ent_anim_cig_exhale_nse", world.world.entities.player, 0,
                                                              0, 0, 0, 0, 0, 21030, 1, 1, 1, 1);
  native::DeleteObject(&prop);
  EXPECT_FALSE(native::DoesParticleFxLoopedExist(onProp));
  EXPECT_TRUE(native::DoesParticleFxLoopedExist(onPlayer));
  ASSERT_EQ(world.world.effects.stopped.size(), 1u);
  EXPECT_TRUE(world.world.effects.stopped[0].endedWithEntity);
}

}  // namespace
