// Throwing the cigarette or cigar away: which throw, the prop released and
// pushed, the effects ended, and the busy check.
#include "sequences/throw_away.h"

#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "sequences/lighting.h"
#include "sequences/mouth_transition.h"
#include "smoking/mouth_easing.h"

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "builder_fixture.h"
#include "config/settings.h"
#include "sequences/sequence_building.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

namespace {

using namespace Animations;
using test::Row;

class ThrowAway : public test::BuilderTest {
 protected:
  void Smoking(const SmokeKind& kind, bool inMouth) {
    ResetToIdle(activeSequence);
    activeSequence.smoke = &kind;
    activeSequence.running = true;
    PlayingNow(Clip(building::kWanderBaseDictionary, "base"));
    HoldProp();
    propInMouth = inMouth;
  }
  void Throw(bool faster) {
    OnScript([=] { StartThrowAway(faster); });
  }
  // The random draw and the clip phases, as the game would answer them.
  void Draw(int value, float loopPhase = 0.0f) {
    sim.Handle("GetRandomIntInRange", [value](const sim::Call&, sim::Result& r) { r.Int(value); });
    sim.Handle("GetEntityAnimCurrentTime", [loopPhase](const sim::Call& c, sim::Result& r) {
      r.Float(std::string(c.S(2)) == "loop" ? loopPhase : 0.0f);
    });
  }
  static std::vector<Row> EffectRemovals() { return std::vector<Row>(7, Row{"RemoveParticleFx", -1}); }
};

TEST_F(ThrowAway, FasterThrowFlicksAHandHeldCigarette) {
  Smoking(kCigarette, false);
  cigarLitTime = 1234;
  Throw(true);
  ExpectRows({{"AnimationTask_script_mp@emotes@smoke_cigarette@male@unarmed@upper_outro", -1},
              {"MovePropTask_", 500},
              {"DetachPropTask_", 853},
              {"PropApplyForceTask_", 853}});
  ExpectRows(EffectRemovals(), 4);
  EXPECT_EQ(Task<AnimationTask>(0)->durationMs, 900);
  auto* push = Task<PropApplyForceTask>(3);
  EXPECT_EQ(push->handle, &smokeProp);
  EXPECT_EQ(push->fz, 8.7f);
  EXPECT_EQ(activeSequence.smoke, &kCigarette);
  EXPECT_FALSE(propInMouth);
  EXPECT_EQ(cigarLitTime, 0);
}

TEST_F(ThrowAway, ACigaretteInTheMouthAlwaysGetsTheFullThrow) {
  Smoking(kCigarette, true);
  Throw(true);
  ExpectRows({{"AnimationTask_script_mp@emotes@smoke_cigarette@male@unarmed@upper_outro", -1},
              {"MovePropTask_", 1130},
              {"DetachPropTask_", 2725},
              {"PropApplyForceTask_", 2725}});
  EXPECT_EQ(Task<AnimationTask>(0)->durationMs, 2800);
  EXPECT_EQ(Task<PropApplyForceTask>(3)->fz, 5.8f);
}

TEST_F(ThrowAway, ALatePuffPhaseFlicksWhateverTheDraw) {
  Smoking(kCigarette, false);
  Draw(0, 0.5f);
  Throw(false);
  EXPECT_EQ(Task<AnimationTask>(0)->durationMs, 900);

  Smoking(kCigarette, false);
  Draw(0, 0.2f);
  Throw(false);
  EXPECT_EQ(Task<AnimationTask>(0)->durationMs, 2800);
  ExpectRows({{"MovePropTask_", 380}}, 1);
}

TEST_F(ThrowAway, CigarIsThrownHarderWhenLong) {
  for (const char* model : {"p_cigar02x", "p_cigarlit01x"}) {
    Smoking(kCigar, true);
    kCigar.fit.model = std::string(model) == "p_cigar02x" ? kCigar.standardModel : kCigar.alternativeModel;
    Draw(9, 0.9f);
    Throw(true);
    ExpectRows({{"AnimationTask_script_mp@emotes@smoke_cigar@male@unarmed@upper_outro", -1},
                {"MovePropTask_", 1100},
                {"DetachPropTask_", 1685},
                {"PropApplyForceTask_", 1685}});
    EXPECT_EQ(Task<PropApplyForceTask>(3)->fx, std::string(model) == "p_cigar02x" ? -9.9f : -5.9f) << model;
  }
}

TEST_F(ThrowAway, OtherSmokesOnlyEndTheirEffects) {
  Smoking(kCigarette, false);
  activeSequence.quickEmote = true;
  sim.world.player.mounted = true;
  Throw(false);
  ExpectRows({{"AnimationTask_amb_wander@code_human_smoking_wander@male_a@base_base", -1}});
  ExpectRows(EffectRemovals(), 1);
  EXPECT_EQ(Queue().size(), 8u);
}

TEST_F(ThrowAway, IsIgnoredWhileALightingPlays) {
  Smoking(kCigar, false);
  PlayingNow(Clip(kCigar.dictionary, "intro"));
  Append(activeSequence, std::make_unique<TaskDelay>(5000));
  cigarLitTime = 1234;
  sim.ClearCalls();
  Throw(true);
  EXPECT_EQ(activeSequence.pending.size(), 1u);
  EXPECT_EQ(cigarLitTime, 1234);
  EXPECT_EQ(CountCalls("GetRandomIntInRange"), 0u);
}

TEST_F(ThrowAway, PlayedOutTheCigaretteIsReleasedAndPushedAndTheEffectsEnd) {
  Smoking(kCigarette, false);
  const int prop = smokeProp;
  tipSmokeFx = 11;
  emberFx = 12;
  cigarSmokeFx = 13;
  sim.Handle("DoesParticleFxLoopedExist", [](const sim::Call& c, sim::Result& r) { r.Bool(c.I(0) != 0); });
  Throw(false);
  PlayOut();
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(activeSequence.smoke, nullptr);
  ASSERT_GE(CountCalls("DetachEntity"), 1u);
  EXPECT_EQ(Calls("DetachEntity").back()->I(0), prop);
  ASSERT_EQ(CountCalls("ApplyForceToEntity"), 1u);
  EXPECT_EQ(Calls("ApplyForceToEntity")[0]->I(0), prop);
  EXPECT_EQ(CountCalls("RemoveParticleFx"), 3u);
  EXPECT_EQ(tipSmokeFx + emberFx + cigarSmokeFx, 0);
  EXPECT_FALSE(propInMouth);
}

// Lit, smoked a little, then thrown from the hand or the mouth: the prop
// flies off and every effect and helper is gone.
TEST_F(ThrowAway, EveryThrowInTheWorldReleasesThePropAndEndsTheEffects) {
  enum Where { kCigaretteHand, kCigaretteMouth, kCigaretteEasing, kCigarMouth };
  for (Where where : {kCigaretteHand, kCigaretteMouth, kCigaretteEasing, kCigarMouth}) {
    OnScript([where] {
      if (where == kCigarMouth) {
        StartLighting(kCigar, 0, false);
      } else {
        StartLighting(kCigarette, 0, false);
      }
    });
    PlayFrames(360);
    if (where != kCigaretteHand) {
      // A large user rotation keeps the easing turning for seconds.
      if (where == kCigaretteEasing) kCigarette.fit.mouth.ry = 400.0f;
      OnScript([where] {
        if (where == kCigarMouth) {
          MoveToMouth(kCigar, false, false);
        } else {
          MoveToMouth(kCigarette, false, false, false);
        }
      });
      // Mid-way the cigarette is still easing towards the lips.
      PlayFrames(where == kCigaretteEasing ? 70 : 150);
      ASSERT_TRUE(propInMouth);
      EXPECT_EQ(mouthEaseActive, where == kCigaretteEasing ? 1 : 0);
    }
    Entity thrown = smokeProp;
    OnScript([] { StartThrowAway(true); });
    EXPECT_FALSE(propInMouth);
    PlayOut();
    const sim::SimEntity* prop = sim.world.entities.Find(thrown);
    ASSERT_NE(prop, nullptr) << where;
    EXPECT_EQ(prop->attachedTo, 0) << where;
    EXPECT_TRUE(prop->pushed) << where;
    sim::Leftovers left = LeftBehind();
    EXPECT_TRUE(left.Clean()) << where << Describe(left);
    EXPECT_EQ(mouthMarkerProp, 0);
  }
  EXPECT_TRUE(sim.Errors().empty());
}

}  // namespace
