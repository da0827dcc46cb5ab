// A kind of smoke that only this file knows: a cheroot, smoked with the
// cigar's models, clips and effects and the cigar's item, under a key and a
// controller control of its own. Listed while a test runs, it is lit,
// moved, puffed and thrown away through the simulated game like the kinds
// the plug-in ships, and goes through the interruption sweep's cuts, with
// nothing written for it anywhere but here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/prompts.h"
#include "input_fixture.h"
#include "sequences/cigar.h"
#include "smoking/prop_attachment.h"
#include "sweep_cases.h"
#include "world/leftovers.h"

namespace {

constexpr int kKeyH = 0x48;
int cherootKey = kKeyH;
const std::string kCherootLabel = "Cheroot";
const std::string kThrowMoveCherootLabel = "Throw/Move Cheroot";

const SmokeKind kCheroot = [] {
  SmokeKind cheroot = kCigar;
  cheroot.name = "cheroot";
  cheroot.order = 3;
  cheroot.key = &cherootKey;
  cheroot.control = {"INPUT_FRONTEND_LB", HashName("INPUT_FRONTEND_LB")};
  cheroot.choiceLabel = &kCherootLabel;
  cheroot.throwMoveLabel = &kThrowMoveCherootLabel;
  return cheroot;
}();

// Listed before the plug-in starts and until it has unloaded.
struct CherootListed {
  ListedSmokeKind listed{kCheroot};
};

class NewKind : private CherootListed, public test::InputTest {
 protected:

  bool PropOnBone(int bone) const {
    const sim::SimEntity* prop = sim.world.entities.Find(smokeProp);
    return PropOnPlayer() && prop->attachBone == bone;
  }
  bool Settled() const { return !CurrentTaskPlays("intro") && !CurrentTaskPlays("outro"); }
};

// From lighting to throw-away by its own key, in the cigar's clips, and the
// smoke key works it like any other kind while it is lit.
TEST_F(NewKind, IsLitMovedAndThrownAwayLikeTheKindsThePlugInShips) {
  ASSERT_EQ(kSmokeKinds[kSmokeKinds.size() - 1], &kCheroot);
  Boot();
  Set("player.move_blend_ratio", "1.5");  // the standard lighting
  HoldKey(kKeyH, 500);
  ASSERT_TRUE(Smoking(kCheroot));
  Ms(4000);
  ASSERT_TRUE(PropOnPlayer());
  EXPECT_EQ(sim.world.entities.Find(smokeProp)->modelName, kCigar.standardModel->name);
  EXPECT_TRUE(sim.timeline.Contains("clip", std::string(kCigar.dictionary) + "/loop"));

  HoldKey(kKeyH, 500);
  EXPECT_TRUE(propInMouth);
  EXPECT_TRUE(RunUntil([this] { return PropOnBone(mouthBoneIndex); }, 3000));
  Ms(8000);  // a puff cycle in the mouth
  EXPECT_TRUE(sim.timeline.Contains("effect", "ent_anim_cig_exhale_mth"));
  HoldKey(test::kKeyN, 500);
  EXPECT_FALSE(propInMouth);
  ASSERT_TRUE(RunUntil([this] { return PropOnBone(handBoneIndex) && Settled(); }, 3000));

  const int thrown = smokeProp;
  TapKey(kKeyH);
  ASSERT_TRUE(RunUntil([] { return !activeSequence.running; }, 8000)) << test::CurrentTaskName();
  const sim::SimEntity* prop = sim.world.entities.Find(thrown);
  ASSERT_NE(prop, nullptr);
  EXPECT_TRUE(prop->pushed);
  EXPECT_EQ(prop->attachedTo, 0);
  const sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
  ExpectNoErrors();
}

// Its choice prompt sits beside the shipped kinds' with its own label and
// control, and that control lights it once the choice is armed.
TEST_F(NewKind, ItsControlLightsItFromItsOwnChoicePrompt) {
  Boot();
  Set("input.controller", "true");
  HoldControl("INPUT_OPEN_SATCHEL_MENU", 50);
  HoldControl("INPUT_FRONTEND_RB", 50);
  ASSERT_TRUE(RunUntil([] { return controllerChoiceArmed; }, 1000));
  EXPECT_TRUE(PromptVisible("Cheroot"));
  EXPECT_TRUE(PromptVisible("Cigar"));
  const sim::SimPrompt* prompt = sim.world.prompts.FindByLabel("Cheroot");
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->control, sim.Hash("INPUT_FRONTEND_LB"));
  EXPECT_EQ(prompt->holdMs, 540);

  HoldControl("INPUT_FRONTEND_LB", 600);
  EXPECT_TRUE(Smoking(kCheroot));
  Ms(4000);
  EXPECT_TRUE(PropOnPlayer());
  // Unloading removes its prompt with the others.
  sim.Detach();
  const sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
  ExpectNoErrors();
}

// A few of the sweep's cuts, at a moment of the lighting and one after it.
TEST(NewKindSwept, ComesThroughTheSweepsCuts) {
  const ListedSmokeKind listed{kCheroot};
  const std::vector<std::string> cuts = {"tap of the cheroot key", "hold of the cheroot key", "reload", "death",
                                         "weapon wheel", "loss of control (keeps it in the mouth)", "a hitch of 5 s"};
  int played = 0;
  for (const sweep::Way& way : sweep::Ways()) {
    if (way.kind != &kCheroot) continue;
    for (const sweep::Interruption& interruption : sweep::Interruptions()) {
      bool chosen = false;
      for (const std::string& cut : cuts) chosen = chosen || interruption.name == cut;
      if (!chosen) continue;
      for (int moment : {1200, 4000}) {
        ++played;
        const std::string verdict = sweep::PlayCaseApart(way, interruption, moment);
        EXPECT_EQ(verdict, "") << way.name << ", " << interruption.name << " at " << moment << " ms";
      }
    }
  }
  // Its standard, quick, fallback, alternative-model and quick emote smokes.
  EXPECT_EQ(played, 5 * 7 * 2);
}

}  // namespace
