// The description of each kind of smoke: every kind has every entry, and
// every kind goes the whole way through the shared verbs and leaves nothing.
#include <set>
#include <string>

#include "builder_fixture.h"
#include "config/settings.h"
#include "host/game_names.h"
#include "sequences/hand_smoking.h"
#include "sequences/lighting.h"
#include "sequences/throw_away.h"

namespace {

void ExpectModel(const SmokeModel* model, const std::string& kind) {
  ASSERT_NE(model, nullptr) << kind;
  EXPECT_TRUE(IsGameName(model->name)) << kind << ": " << model->name;
  EXPECT_NE(model->smoke.slot, nullptr) << model->name;
  EXPECT_NE(std::string(model->smoke.name), "") << model->name;
}

// A kind may reuse another's models, clips and dictionary; its key and its
// controller control are its own.
TEST(SmokeKinds, EveryKindHasEveryEntry) {
  std::set<const void*> keys;
  std::set<std::string> controls;
  int lastOrder = 0;
  for (const SmokeKind* kind : kSmokeKinds) {
    const std::string name = kind->name;
    SCOPED_TRACE(name);
    EXPECT_GT(kind->order, lastOrder) << "listed in the order of its own place";
    lastOrder = kind->order;
    ExpectModel(kind->standardModel, name);
    ExpectModel(kind->alternativeModel, name);
    EXPECT_NE(kind->useAlternativeModel, nullptr);
    ASSERT_NE(kind->userOffsets, nullptr);
    for (int axis = 0; axis < 6; ++axis) EXPECT_NE(kind->userOffsets[axis], nullptr) << axis;

    EXPECT_NE(std::string(kind->dictionary), "");
    EXPECT_NE(std::string(kind->hold.clip), "");
    // Every variant a draw can give is in the table, with one to three clips.
    ASSERT_FALSE(kind->puffs.variants.empty());
    EXPECT_LE(static_cast<size_t>(kind->puffs.firstDrawMax), kind->puffs.variants.size());
    EXPECT_LE(static_cast<size_t>(kind->puffs.redrawMax), kind->puffs.variants.size());
    for (const PuffVariant& variant : kind->puffs.variants) {
      EXPECT_GE(variant.clipCount, 1);
      EXPECT_LE(variant.clipCount, 3);
    }
    EXPECT_LE(kind->puffGap.minMs, kind->puffGap.maxMs);
    EXPECT_LE(kind->puffGap.aimingMinMs, kind->puffGap.aimingMaxMs);
    EXPECT_GT(kind->toHand.seatAtMs, 0);
    // The butt leaves the hand while the last clip of the finish, its outro, plays.
    ASSERT_FALSE(kind->finish.steps.empty());
    EXPECT_EQ(std::string(kind->finish.steps.back().clip), "outro");
    EXPECT_LT(kind->finish.releaseAtMs, kind->finish.steps.back().durationMs);
    EXPECT_LT(kind->throwAway.releaseAtMs, kind->throwAway.durationMs);
    if (kind->flick) {
      EXPECT_LT(kind->flick->move.releaseAtMs, kind->flick->move.durationMs);
    }

    // Each lighting variant plays something, and the quick emote smoke has its emote.
    for (const LightingVariant* variant : {&kind->lighting.standard, &kind->lighting.quick, &kind->lighting.fallback}) {
      EXPECT_FALSE(variant->steps.empty());
    }
    EXPECT_NE(kind->quick.emote, 0u);
    EXPECT_GT(kind->quick.durationMs, 0);
    EXPECT_FALSE(kind->puffCycle.draw.empty());
    EXPECT_FALSE(kind->toMouth.direct.empty());
    EXPECT_FALSE(kind->toMouth.raise.steps.empty());

    EXPECT_TRUE(IsGameName(kind->item.item.text)) << kind->item.item.text;
    ASSERT_NE(kind->key, nullptr);
    EXPECT_TRUE(keys.insert(kind->key).second) << "a key setting of its own";
    EXPECT_TRUE(controls.insert(kind->control.text).second) << "a control of its own";
    EXPECT_EQ(kind->control.hash, HashName(kind->control.text));
    ASSERT_NE(kind->choiceLabel, nullptr);
    ASSERT_NE(kind->throwMoveLabel, nullptr);
  }
}

class EveryKind : public test::BuilderTest {
 protected:
  void PlayMs(int ms) { PlayFrames(ms * 60 / 1000); }
};

// Lit, moved to the mouth and back to the hand, then thrown: each kind through
// the verbs every kind shares, until nothing of it is left on the player.
TEST_F(EveryKind, LightsMovesAndIsThrownAwayClean) {
  for (const SmokeKind* kind : kSmokeKinds) {
    SCOPED_TRACE(kind->name);
    OnScript([kind] { StartLighting(*kind, 0, false); });
    EXPECT_EQ(SmokedNow(), kind);
    PlayMs(5000);
    ASSERT_TRUE(SmokePropHeld());
    OnScript([kind] { MoveToMouth(*kind, true, true); });
    EXPECT_TRUE(propInMouth);
    PlayMs(2000);
    OnScript([kind] { MoveToHand(*kind); });
    EXPECT_FALSE(propInMouth);
    PlayMs(2000);
    OnScript([] { StartThrowAway(true); });
    PlayOut();
    EXPECT_EQ(SmokedNow(), nullptr);
    ExpectPlayedOutClean();
  }
}

}  // namespace
