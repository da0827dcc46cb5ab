// The end-of-session check for what the plug-in left behind.
#include <gtest/gtest.h>

#include "host/natives.h"
#include "simulator.h"
#include "world/leftovers.h"

namespace {

class LeftoverReport : public ::testing::Test {
 protected:
  sim::SimEntity& PluginObject(const char* model, int attachedTo = 0) {
    sim::SimEntity& entity =
        sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash(model), model, sim::Vec3{});
    entity.createdByPlugin = true;
    entity.attachedTo = attachedTo;
    return entity;
  }
  int LoopedEffectOn(int entity, const char* name) {
    sim::LoopedEffect effect;
    effect.handle = sim.world.effects.nextHandle++;
    effect.name = name;
    effect.entity = entity;
    sim.world.effects.looped[effect.handle] = effect;
    return effect.handle;
  }
  sim::Simulator sim;
};

TEST_F(LeftoverReport, AQuietWorldIsClean) {
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean());
  EXPECT_EQ(sim.leftoverReport(), "Nothing was left behind.\n");
}

TEST_F(LeftoverReport, SortsWhatItFinds) {
  const int player = sim.world.entities.player;
  sim::SimEntity& held = PluginObject("p_cigarette01x", player);
  PluginObject("p_cigarettebox01x", player);
  sim::SimEntity& dropped = PluginObject("p_cigar02x");
  dropped.released = true;
  sim::SimEntity& dummy =
      sim.world.entities.Create(sim::SimEntity::Type::Ped, sim.Hash("A_C_Rabbit_01"), "A_C_Rabbit_01", {});
  dummy.createdByPlugin = true;
  PluginObject("p_matchstick01x", dummy.handle);
  // Not the plug-in's: never reported.
  sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash("p_bottle01x"), "p_bottle01x", {});
  LoopedEffectOn(held.handle, "ent_anim_cig_ember");
  sim.world.effects.loopedSounds.push_back({"cook_meat_sizzle_loop", "Player_Campfire_Sounds", player});

  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_FALSE(left.Clean());
  ASSERT_EQ(left.propsOnPlayer.size(), 1u);
  EXPECT_NE(left.propsOnPlayer[0].find("p_cigarette01x"), std::string::npos);
  EXPECT_EQ(left.helperEntities.size(), 3u);  // marker, dummy ped, the match on the dummy
  ASSERT_EQ(left.loopedEffects.size(), 1u);
  EXPECT_EQ(left.loopedSounds.size(), 1u);
  ASSERT_EQ(left.propsInWorld.size(), 1u);
  EXPECT_NE(left.propsInWorld[0].find("p_cigar02x"), std::string::npos);

  const std::string text = sim::FormatLeftovers(left);
  EXPECT_NE(text.find("Left behind by the plug-in"), std::string::npos);
  EXPECT_NE(text.find("cook_meat_sizzle_loop"), std::string::npos);
  EXPECT_NE(text.find("lying in the world"), std::string::npos);
}

TEST_F(LeftoverReport, PropsLyingInTheWorldAloneAreNotALeftover) {
  PluginObject("p_cigarette01x").pushed = true;
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean());
  const std::string text = sim::FormatLeftovers(left);
  EXPECT_NE(text.find("Nothing was left behind."), std::string::npos);
  EXPECT_NE(text.find("thrown"), std::string::npos);
}

// The game holds a prepared sound set until it is released by its own name:
// released by its sound's name, as the plug-in once did, it stays behind.
TEST_F(LeftoverReport, APreparedSoundSetIsLeftBehindUntilReleasedByItsOwnName) {
  ASSERT_TRUE(native::PrepareSoundSet("Player_Campfire_Sounds", true));
  native::ReleaseSoundSet("cook_meat_sizzle_loop");
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_FALSE(left.Clean());
  ASSERT_EQ(left.soundSets, std::vector<std::string>{"Player_Campfire_Sounds"});
  EXPECT_NE(sim::FormatLeftovers(left).find("sound sets still prepared"), std::string::npos);
  EXPECT_TRUE(sim.timeline.Contains("sound", "cook_meat_sizzle_loop released, but no such set was prepared"));

  native::ReleaseSoundSet("player_campfire_sounds");  // names are case-insensitive
  EXPECT_TRUE(sim::FindLeftovers(sim).Clean());
  EXPECT_TRUE(sim.timeline.Contains("sound", "sound set player_campfire_sounds released"));
}

TEST_F(LeftoverReport, AnEffectEndsWithTheEntityItBurnsOn) {
  sim::SimEntity& prop = PluginObject("p_cigarette01x", sim.world.entities.player);
  const int handle = prop.handle;
  const int ember = LoopedEffectOn(handle, "ent_anim_cig_ember");
  const int breath = LoopedEffectOn(sim.world.entities.player, "ent_anim_cig_exhale_mth");
  sim.RunFrame();
  EXPECT_TRUE(sim.world.effects.Running(ember));
  sim.world.entities.Remove(handle);
  sim.RunFrame();
  EXPECT_FALSE(sim.world.effects.Running(ember));
  EXPECT_TRUE(sim.world.effects.Running(breath));
  EXPECT_TRUE(sim.timeline.Contains("effect", "ends with its deleted entity"));
}

}  // namespace
