// Ending a smoke: everything removed at once, or the prop dropped to the ground.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/natives.h"
#include "plugin/main_loop.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "sequences/mouth_transition.h"
#include "sequences/sequence_building.h"
#include "smoking/mouth_easing.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "smoking/stop_cleanup.h"
#include "support/plugin_session.h"
#include "world/leftovers.h"

namespace {

using test::PluginTest;
using namespace Animations;

class StopAndDrop : public PluginTest {
 protected:
  void SetUp() override {
    NEVER_FALLS_OUT = false;
    Start();
    ENABLED = false;  // the tests step the runners themselves
  }

  // A lit cigarette as the lighting leaves it: prop and match in the hand,
  // ember and smoke on the prop, a breath effect on the face, the match
  // sizzle playing, the dummy ped posed, and the kind's sequence running
  // with `current` as its current task.
  void LightSmoke(const SmokeKind& kind, TaskPtr current, bool inMouth = false) {
    OnScript([&] {
      playerPed = native::PlayerPedId();
      UpdatePropAttachment();
      SpawnPropTask(&smokeProp, ModelOf(kCigarette).name, inMouth ? mouthBoneIndex : handBoneIndex, 255).Execute();
      SpawnPropTask(&matchProp, "p_matchstick01x", matchBoneIndex, 255).Execute();
      PlayFxOnPropTask(&smokeProp, &emberFx, "ent_anim_cig_ember", 1.0f, ModelOf(kCigarette).tip.x, 0, 0, 0, 0, 0, 1.0f, 10).Execute();
      PlayFxOnPropTask(&smokeProp, &tipSmokeFx, "ent_anim_cig_smoke", 1.0f, ModelOf(kCigarette).tip.x, 0, 0, 0, 0, 0, 1.0f, 10)
          .Execute();
      PlayFxOnPropTask(&smokeProp, &trailSmokeFx, "ent_anim_cig_smoke_trail", 1.0f, 0, 0, 0, 0, 0, 0, 1.0f, 10).Execute();
      PlayFxOnPropTask(&smokeProp, &cigarSmokeFx, "ent_anim_cig_smoke_cigar", 0.5f, 0, 0, 0, 0, 0, 0, 0.37f, 10).Execute();
      PlayFxOnPedBoneTask breath(&breathFx, mouthBoneIndex, "anm_smoking", "ent_anim_cig_exhale_mth", 1.0f, 0, 0,
                                 0, 0, 0, 0, 1.0f);
      breath.looped = 1;
      breath.Execute();
      PlaySoundFromEntityTask().Execute();
      SpawnPedTask(&dummyPed).Execute();
      dummyPedTime = native::GetGameTimer();
      propInMouth = inMouth;
      ResetToIdle(activeSequence);
      Append(activeSequence, std::move(current));
      Append(activeSequence, std::make_unique<TaskDelay>(60000));
      activeSequence.smoke = &kind;
      ::Start(activeSequence);
    });
    ASSERT_NE(smokeProp, 0);
    ASSERT_NE(matchProp, 0);
    ASSERT_NE(dummyPed, 0);
    ASSERT_FALSE(sim::FindLeftovers(sim).Clean());
  }
  TaskPtr Emote() { return std::make_unique<PlayEmoteTask>(0x8B7F6A2Bu, 1, 3230); }
  TaskPtr Clip(const char* dictionary, const char* clip, int ms = 5000) {
    return std::make_unique<AnimationTask>(&playerPed, dictionary, clip, ms, 25, 0x10000, 1.0f, -1.0f, 1.0f, "");
  }
  void StepRunners(int frames) {
    for (int i = 0; i < frames; ++i) OnScript([] {
        Update(activeSequence);
        Update(secondarySequence);
      });
  }
  void ExpectNothingLeft() {
    sim::Leftovers left = sim::FindLeftovers(sim);
    EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
    EXPECT_FALSE(activeSequence.running);
    EXPECT_FALSE(propInMouth);
    EXPECT_EQ(smokeProp, 0);
    EXPECT_EQ(matchProp, 0);
    EXPECT_EQ(dummyPed, 0);
    EXPECT_EQ(dummyPedTime, 0);
  }
  const sim::SimEntity* Entity(int handle) { return sim.world.entities.Find(handle); }
};

TEST_F(StopAndDrop, StopDuringTheLightingEmoteLeavesNothing) {
  LightSmoke(kCigarette, Emote());
  OnScript([] { StopSmokingNow(); });
  ExpectNothingLeft();
  EXPECT_EQ(activeSequence.smoke, nullptr);
  EXPECT_TRUE(activeSequence.pending.empty());
  EXPECT_EQ(CountCalls("StopSoundWithName"), 1u);
}

TEST_F(StopAndDrop, StopDuringTheCigarIntroAlsoEndsTheSizzle) {
  LightSmoke(kCigar, Clip(kCigar.dictionary, "intro", 3800));
  OnScript([] { StopSmokingNow(); });
  ExpectNothingLeft();
}

TEST_F(StopAndDrop, StopWithThePropInTheMouthLeavesNothing) {
  LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base"), true);
  OnScript([] { StopSmokingNow(); });
  ExpectNothingLeft();
}

TEST_F(StopAndDrop, StopWhenIdleDeletesTheDummyPedAndTouchesNoStrangers) {
  OnScript([] {
    SpawnPedTask(&dummyPed).Execute();
    dummyPedTime = native::GetGameTimer();
  });
  const int dummy = dummyPed;
  ASSERT_NE(dummy, 0);
  OnScript([] { StopSmokingNow(); });
  EXPECT_FALSE(sim.world.entities.Exists(dummy));
  ExpectNothingLeft();
  // The handle is forgotten: a ped that later gets the same number is safe.
  sim.ClearCalls();
  OnScript([] { StopSmokingNow(); });
  EXPECT_EQ(CountCalls("DeleteEntity"), 0u);
  EXPECT_EQ(CountCalls("StopSoundWithName"), 0u);
}

TEST_F(StopAndDrop, AMissingDummyPedIsForgottenToo) {
  dummyPed = 777777;
  dummyPedTime = 1234;
  OnScript([] { StopSmokingNow(); });
  EXPECT_EQ(dummyPed, 0);
  EXPECT_EQ(dummyPedTime, 0);
  EXPECT_EQ(CountCalls("DeleteEntity"), 0u);
}

TEST_F(StopAndDrop, AThrownPropLiesWhereItFell) {
  LightSmoke(kCigarette, Clip(kCigarette.dictionary, "throw"));
  const int thrown = smokeProp;
  OnScript([] {
    DetachPropTask(&smokeProp, false).Execute();
    PropApplyForceTask(&smokeProp, 0.0f, 1.0f, 0.5f).Execute();
    StopSmokingNow();
  });
  ExpectNothingLeft();
  ASSERT_NE(Entity(thrown), nullptr);
  sim::Leftovers left = sim::FindLeftovers(sim);
  ASSERT_EQ(left.propsInWorld.size(), 1u);
  EXPECT_NE(left.propsInWorld[0].find("thrown"), std::string::npos);
}

TEST_F(StopAndDrop, StopDuringADropEndsTheDroppedSmokesEffectsToo) {
  LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base"));
  OnScript([] { DropSmokeProp(); });
  StepRunners(5);
  OnScript([] { StopSmokingNow(); });
  EXPECT_TRUE(sim::FindLeftovers(sim).Clean()) << sim::FormatLeftovers(sim::FindLeftovers(sim));
}

TEST_F(StopAndDrop, NeverFallsOutKeepsThePropInTheMouth) {
  NEVER_FALLS_OUT = true;
  LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base"), true);
  const int prop = smokeProp;
  sim.ClearCalls();
  OnScript([] { DropSmokeProp(); });
  EXPECT_EQ(smokeProp, prop);
  EXPECT_TRUE(propInMouth);
  EXPECT_TRUE(activeSequence.running);
  EXPECT_FALSE(secondarySequence.running);
  EXPECT_EQ(Entity(prop)->attachedTo, sim.world.entities.player);
  EXPECT_TRUE(sim.Calls().empty()) << sim.Calls().front().ToString();
}

TEST_F(StopAndDrop, NeverFallsOutDoesNotHoldAPropInTheHand) {
  NEVER_FALLS_OUT = true;
  LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base"), false);
  const int prop = smokeProp;
  OnScript([] { DropSmokeProp(); });
  EXPECT_EQ(smokeProp, 0);
  EXPECT_EQ(Entity(prop)->attachedTo, 0);
}

TEST_F(StopAndDrop, ADroppedPropFallsAndItsSmokeDiesDownThreeSecondsLater) {
  LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base"), true);
  const int prop = smokeProp;
  const int ember = emberFx;
  OnScript([] { DropSmokeProp(); });
  EXPECT_FALSE(propInMouth);
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(activeSequence.smoke, nullptr);
  EXPECT_TRUE(secondarySequence.running);
  EXPECT_EQ(smokeProp, 0);
  EXPECT_EQ(Entity(prop)->attachedTo, 0);
  EXPECT_TRUE(Entity(prop)->missionEntity);  // deletable by the game
  EXPECT_EQ(CountCalls("StopAnimPlayback"), 0u);

  const int64_t dropped = sim.GameTimerMs();
  while (sim.world.effects.Running(ember) && sim.GameTimerMs() - dropped < 5000) StepRunners(1);
  const int64_t lasted = sim.GameTimerMs() - dropped;
  EXPECT_GE(lasted, 3000);
  EXPECT_LE(lasted, 3100);
  StepRunners(10);
  EXPECT_FALSE(secondarySequence.running);
  // The prop itself stays in the world; nothing else is left.
  EXPECT_NE(Entity(prop), nullptr);
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.loopedEffects.size() == 1u && left.loopedEffects[0].find("exhale") != std::string::npos)
      << sim::FormatLeftovers(left);
  // The cigarette, and the match the lighting still held, let go as it would have.
  EXPECT_EQ(left.propsInWorld.size(), 2u);
  EXPECT_EQ(matchProp, 0);
}

TEST_F(StopAndDrop, AClipInTheHandIsCutBeforeThePropIsReleased) {
  for (const char* clip : {"action", "loop"}) {
    SCOPED_TRACE(clip);
    LightSmoke(kCigar, Clip(kCigar.dictionary, clip));
    const int prop = smokeProp;
    sim.ClearCalls();
    OnScript([] { DropSmokeProp(); });
    ASSERT_EQ(CountCalls("StopAnimPlayback"), 1u);
    EXPECT_EQ(Entity(prop)->attachedTo, sim.world.entities.player);
    const int64_t cut = Calls("StopAnimPlayback")[0]->gameMs;
    while (Entity(prop)->attachedTo != 0 && sim.GameTimerMs() - cut < 1000) StepRunners(1);
    EXPECT_GE(sim.GameTimerMs() - cut, 280);
    EXPECT_LE(sim.GameTimerMs() - cut, 320);
    OnScript([] { StopSmokingNow(); });
  }
}

TEST_F(StopAndDrop, ALoopClipOfACigaretteIsNotCut) {
  LightSmoke(kCigarette, Clip(kCigarette.dictionary, "loop"));
  OnScript([] { DropSmokeProp(); });
  EXPECT_EQ(CountCalls("StopAnimPlayback"), 0u);
}

TEST_F(StopAndDrop, ASmokeLitDuringTheDropKeepsItsEmber) {
  LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base"));
  const int oldEmber = emberFx;
  OnScript([] { DropSmokeProp(); });
  StepRunners(30);
  OnScript([] {
    SpawnPropTask(&smokeProp, ModelOf(kCigarette).name, handBoneIndex, 255).Execute();
    PlayFxOnPropTask(&smokeProp, &emberFx, "ent_anim_cig_ember", 1.0f, ModelOf(kCigarette).tip.x, 0, 0, 0, 0, 0, 1.0f, 10).Execute();
  });
  const int newEmber = emberFx;
  ASSERT_NE(newEmber, 0);
  EXPECT_TRUE(sim.world.effects.Running(oldEmber));  // the dropped one still glows
  StepRunners(3200 / 16);
  EXPECT_FALSE(sim.world.effects.Running(oldEmber));
  EXPECT_TRUE(sim.world.effects.Running(newEmber));
  EXPECT_EQ(emberFx, newEmber);
}

TEST_F(StopAndDrop, ASecondDropEndsTheFirstDropsSmokeAtOnce) {
  LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base"));
  const int firstEmber = emberFx;
  OnScript([] { DropSmokeProp(); });
  StepRunners(10);
  OnScript([] {
    SpawnPropTask(&smokeProp, ModelOf(kCigarette).name, handBoneIndex, 255).Execute();
    DropSmokeProp();
  });
  EXPECT_FALSE(sim.world.effects.Running(firstEmber));
}

TEST_F(StopAndDrop, DropWithoutAPropDoesNothing) {
  sim.ClearCalls();
  OnScript([] { DropSmokeProp(); });
  EXPECT_TRUE(sim.Calls().empty()) << sim.Calls().front().ToString();
  EXPECT_FALSE(secondarySequence.running);
}

class StopDuringTheMoveToTheMouth : public StopAndDrop {
 protected:
  // Plays the hand-to-mouth move until its marker sits at the mouth.
  void MoveUntilTheMarkerIsPlaced() {
    LightSmoke(kCigarette, Clip(building::kWanderBaseDictionary, "base", 100));
    OnScript([] { MoveToMouth(kCigarette, false, true, false); });
    for (int i = 0; i < 400 && mouthMarkerProp == 0; ++i) {
      OnScript([] {
        Update(activeSequence);
        UpdateMouthEasing();
      });
    }
    ASSERT_NE(mouthMarkerProp, 0);
  }
};

TEST_F(StopDuringTheMoveToTheMouth, AStopEndsTheEasingAndRemovesTheMarker) {
  MoveUntilTheMarkerIsPlaced();
  OnScript([] { StopSmokingNow(); });
  ExpectNothingLeft();
  EXPECT_EQ(mouthMarkerProp, 0);
  EXPECT_EQ(mouthEaseActive, 0);
}

TEST_F(StopDuringTheMoveToTheMouth, ADropEndsTheEasingAndRemovesTheMarker) {
  MoveUntilTheMarkerIsPlaced();
  OnScript([] { DropSmokeProp(); });
  StepRunners(3300 / 16);
  EXPECT_EQ(mouthMarkerProp, 0);
  EXPECT_EQ(mouthEaseActive, 0);
  for (const std::string& entity : sim::FindLeftovers(sim).helperEntities) {
    EXPECT_EQ(entity.find("mouth marker"), std::string::npos) << entity;
  }
}

// The reset on unload starts the next queued task before it stops: even a
// sound or a ped started that way is gone afterwards.
TEST_F(StopAndDrop, UnloadJustBeforeTheSizzleStartsLeavesNothing) {
  LightSmoke(kCigarette, Clip(kCigarette.dictionary, "intro", 60000));
  OnScript([] {
    StopSoundTask().Execute();
    ClearPending(activeSequence);
    Append(activeSequence, std::make_unique<PlaySoundFromEntityTask>());
    Append(activeSequence, std::make_unique<TaskDelay>(1000));
  });
  ASSERT_TRUE(sim.world.effects.loopedSounds.empty());
  sim.Detach();
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
}

}  // namespace
