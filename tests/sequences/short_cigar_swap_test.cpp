// The long cigar turns into the short lit one once, and never while the
// cigar is on its way out or after the smoke.
#include "sequences/short_cigar_swap.h"

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "builder_fixture.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "sequences/cigarette.h"
#include "sequences/cigar.h"

namespace {

using namespace Animations;

class ShortCigarSwap : public test::BuilderTest {
 protected:
  void SmokingCigar(bool inMouth) {
    activeSequence.smoke = &kCigar;
    activeSequence.running = true;
    PlayingNow(Clip(kCigar.dictionary, "loop"));
    kCigar.fit.model = kCigar.standardModel;
    HoldProp("p_cigar02x");
    propInMouth = inMouth;
    cigarLitTime = 1234;
  }
  void Swap() {
    OnScript([] { SwapToShortModel(); });
  }
};

TEST_F(ShortCigarSwap, HappensOnceAndForgetsTheLitTime) {
  SmokingCigar(true);
  Swap();
  EXPECT_STREQ(ModelOf(kCigar).name, "p_cigarlit01x");
  EXPECT_EQ(cigarLitTime, 0);
  EXPECT_TRUE(secondarySequence.running);
  EXPECT_EQ(secondarySequence.smoke, nullptr);
  ExpectRows({{"DestroyPropTask_p_cigarlit01x", -1},
              {"SpawnPropTask_p_cigarlit01x", -1},
              {"PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar", 4},
              {"MovePropTask_", 5}},
             0, secondarySequence);
  EXPECT_EQ(Task<MovePropTask>(3, secondarySequence)->bone, mouthBoneIndex);
  // The cigar in the mouth goes on with its puff cycle, drawn between 4.5 and 6.5 s.
  ASSERT_GE(CountCalls("GetRandomIntInRange"), 1u);
  EXPECT_EQ(Calls("GetRandomIntInRange")[0]->I(0), 4500);
  EXPECT_EQ(activeSequence.smoke, &kCigar);

  PlayOut();
  size_t spawns = CountCalls("CreateObject");
  activeSequence.smoke = &kCigar;
  cigarLitTime = 1;
  Swap();
  EXPECT_FALSE(secondarySequence.running);
  EXPECT_EQ(CountCalls("CreateObject"), spawns);
  EXPECT_EQ(cigarLitTime, 0);
}

TEST_F(ShortCigarSwap, HandHeldCigarIsPutBackInTheHand) {
  SmokingCigar(false);
  Swap();
  EXPECT_EQ(Task<MovePropTask>(3, secondarySequence)->bone, handBoneIndex);
}

TEST_F(ShortCigarSwap, WaitsWhileTheCigarIsThrownOrFinished) {
  SmokingCigar(false);
  PlayingNow(Clip(kCigar.dictionary, "outro"));
  Swap();
  EXPECT_STREQ(ModelOf(kCigar).name, "p_cigar02x");
  EXPECT_FALSE(secondarySequence.running);
  EXPECT_EQ(cigarLitTime, 1234);
}

TEST_F(ShortCigarSwap, DoesNothingForACigaretteOrAShortCigar) {
  SmokingCigar(false);
  activeSequence.smoke = &kCigarette;
  Swap();
  EXPECT_FALSE(secondarySequence.running);
  EXPECT_STREQ(ModelOf(kCigar).name, "p_cigar02x");
  EXPECT_EQ(cigarLitTime, 0);

  SmokingCigar(false);
  kCigar.fit.model = kCigar.alternativeModel;
  Swap();
  EXPECT_FALSE(secondarySequence.running);
}

}  // namespace
