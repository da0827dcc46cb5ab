// Loads that never complete, loads during the library unload, and the runner
// counting a task's duration from after its load.
#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/asset_loading.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "host/platform.h"
#include "task_fixture.h"

namespace {

using namespace Animations;

class AssetLoading : public test::TaskTest {
 protected:
  void SetUp() override { playerPed = Player(); }
  void TearDown() override { ResetToIdle(activeSequence); }
};

TEST_F(AssetLoading, AModelThatNeverLoadsIsGivenUpAndTheHandleStaysZero) {
  sim.world.assets.Configure(sim, "p_cigarette01x", {false, true, 0});
  Entity handle = 99;
  SpawnPropTask task(&handle, "p_cigarette01x", 1, 255);
  const uint64_t before = sim.Frame();
  Run(task);
  EXPECT_EQ(handle, 0);
  EXPECT_EQ(CountCalls("HasModelLoaded"), static_cast<size_t>(kAssetLoadTimeoutFrames) + 1);
  EXPECT_EQ(CountCalls("CreateObject"), 0u);
  EXPECT_LE(sim.Frame() - before, static_cast<uint64_t>(kAssetLoadTimeoutFrames) + 2);
  EXPECT_TRUE(sim.world.entities.CreatedByPlugin().empty());
  EXPECT_TRUE(NoErrors());
}

TEST_F(AssetLoading, AnEffectAssetThatNeverLoadsStartsNoEffect) {
  sim.world.assets.Configure(sim, "anm_smoking", {false, true, 0});
  smokeProp = HeldProp("p_cigarette01x");
  int effect = 0;
  PlayFxOnPropTask task(&smokeProp, &effect, "ent_anim_cig_smoke", 1, 0, 0, 0, 0, 0, 0, 1, 10);
  Run(task);
  EXPECT_EQ(effect, 0);
  EXPECT_EQ(CountCalls("UseParticleFxAsset"), 0u);
  EXPECT_EQ(CountCalls("StartNetworkedParticleFxLoopedOnEntity"), 0u);
  // Asked for by its name's hash, the one request that loads a particle asset.
  ASSERT_EQ(CountCalls("RequestNamedPtfxAsset"), 1u);
  EXPECT_EQ(Only("RequestNamedPtfxAsset").U(0), sim.Hash("anm_smoking"));
  EXPECT_EQ(CountCalls("RequestAnimDict"), 0u);
}

// Three tasks in a row need an effect asset that never comes: the script is
// held for one wait, not three, and the asset is used as soon as it arrives.
TEST_F(AssetLoading, AnAssetGivenUpIsNotWaitedForAgainUntilItArrives) {
  sim.world.assets.Configure(sim, "anm_smoking", {false, true, 0});
  smokeProp = HeldProp("p_cigarette01x");
  int effects[3] = {};
  const uint64_t before = sim.Frame();
  PlayFxOnPropTask first(&smokeProp, &effects[0], "ent_anim_cig_smoke", 1, 0, 0, 0, 0, 0, 0, 1, 10);
  Run(first);
  PlayFxOnPropTask second(&smokeProp, &effects[1], "ent_anim_cig_smoke", 1, 0, 0, 0, 0, 0, 0, 1, 10);
  Run(second);
  EXPECT_LE(sim.Frame() - before, static_cast<uint64_t>(kAssetLoadTimeoutFrames) + 2);
  EXPECT_EQ(CountCalls("HasNamedPtfxAssetLoaded"), 2u);  // the second: a look and one ask
  EXPECT_EQ(effects[0] + effects[1], 0);

  sim.world.assets.Configure(sim, "anm_smoking", {false, false, 0});
  PlayFxOnPropTask task(&smokeProp, &effects[2], "ent_anim_cig_smoke", 1, 0, 0, 0, 0, 0, 0, 1, 10);
  Run(task);
  EXPECT_NE(effects[2], 0);
  EXPECT_TRUE(NoErrors());
}

TEST_F(AssetLoading, ADictionaryOrSoundSetThatNeverLoadsPlaysNothing) {
  sim.world.assets.Configure(sim, "never@dict", {false, true, 0});
  sim.world.assets.Configure(sim, "Player_Campfire_Sounds", {false, true, 0});
  AnimationTask clip(&playerPed, "never@dict", "base", 100, 0, 0, 1, 1, 1, "");
  PlaySoundFromEntityTask sound;
  Run(clip);
  Run(sound);
  EXPECT_EQ(CountCalls("TaskPlayAnim"), 0u);
  EXPECT_EQ(CountCalls("PlaySoundFromEntity"), 0u);
  EXPECT_TRUE(sim.world.effects.loopedSounds.empty());
}

TEST_F(AssetLoading, ASequenceGoesOnAfterALoadIsGivenUp) {
  sim.world.assets.Configure(sim, "p_cigarette01x", {false, true, 0});
  OnScript([] {
    Append(activeSequence, std::make_unique<SpawnPropTask>(&smokeProp, "p_cigarette01x", 1, 255));
    Append(activeSequence, std::make_unique<TaskDelay>(10));
    ::Start(activeSequence);
  });
  EXPECT_EQ(test::CurrentTaskName(), "SpawnPropTask_p_cigarette01x");
  Ms(40);
  OnScript([] { Update(activeSequence); });
  EXPECT_EQ(test::CurrentTaskName(), "TaskDelay_10");
  Ms(20);
  OnScript([] { Update(activeSequence); });
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(smokeProp, 0);
}

TEST_F(AssetLoading, ATasksDurationCountsFromTheEndOfItsLoad) {
  constexpr const char* dictionary = "slow@dict";
  sim.world.assets.Configure(sim, dictionary, {false, false, 30});
  int64_t started = 0;
  OnScript([&] {
    Append(activeSequence, std::make_unique<AnimationTask>(&playerPed, dictionary, "base", 100, 0, 0, 1.0f, 1.0f,
                                                           1.0f, ""));
    started = host::SystemTime100ns();
    ::Start(activeSequence);
  });
  // Thirty frames of about 16.7 ms passed inside Execute.
  EXPECT_GE(activeSequence.currentStartTicks - started, 30 * 16'000 * 10);
  EXPECT_EQ(sim.SystemTime100ns() - activeSequence.currentStartTicks, sim.FrameUs() * 10);  // the frame it loaded in
  EXPECT_EQ(CountCalls("TaskPlayAnim"), 1u);
}

TEST_F(AssetLoading, OffTheScriptFiberALoadIsNotWaitedFor) {
  sim.world.assets.Configure(sim, "slow@dict", {false, false, 5});
  Attach();
  scriptFiberAvailable = false;  // as during the library unload
  AnimationTask clip(&playerPed, "slow@dict", "base", 100, 0, 0, 1, 1, 1, "");
  clip.Execute();  // on the test's own thread, like DllMain's
  EXPECT_EQ(CountCalls("TaskPlayAnim"), 0u);
  EXPECT_EQ(CountCalls("HasAnimDictLoaded"), 2u);
  EXPECT_TRUE(NoErrors()) << sim.Errors().front();
}

TEST_F(AssetLoading, UnloadingWhileATaskWaitsForItsAssetDoesNotYield) {
  sim.world.assets.Configure(sim, "slow@dict", {false, false, 5});
  sim.world.assets.Configure(sim, "p_slow01x", {false, false, 5});
  Start();  // the plug-in's own script runs, so the fiber is available
  Append(activeSequence, std::make_unique<AnimationTask>(&playerPed, "slow@dict", "base", 100, 0, 0, 1, 1, 1, ""));
  Append(activeSequence, std::make_unique<SpawnPropTask>(&matchProp, "p_slow01x", 1, 255));
  sim.ClearCalls();
  sim.Detach();  // ResetPluginState advances the active sequence on the unloading thread
  EXPECT_TRUE(NoErrors()) << sim.Errors().front();
  EXPECT_EQ(CountCalls("TaskPlayAnim"), 0u);
}

}  // namespace
