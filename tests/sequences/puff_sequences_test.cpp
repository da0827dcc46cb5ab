// Runs of random puffs: which variants a run plays under the no-repetition
// rules, what each variant queues, and that the draw always ends.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "plugin/main_loop.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "sequences/puff_sequences.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace {

using Animations::AnimationTask;
using Animations::MovePropTask;
using Animations::PlayFxOnPedBoneTask;

// The rules a run must keep: no variant twice in a row, none more than twice
// per run, variant 5 neither first nor last, every value inside the table.
void ExpectRulesKept(const std::vector<int>& variants, int tableSize, const std::string& context) {
  std::map<int, int> times;
  for (size_t i = 0; i < variants.size(); ++i) {
    const int v = variants[i];
    EXPECT_GE(v, 1) << context;
    EXPECT_LE(v, tableSize) << context;
    if (i > 0) {
      EXPECT_NE(v, variants[i - 1]) << context << " at puff " << i;
    }
    EXPECT_LE(++times[v], 2) << context << " variant " << v;
  }
  if (!variants.empty()) {
    EXPECT_NE(variants.front(), 5) << context;
    EXPECT_NE(variants.back(), 5) << context;
  }
}

class PuffRuns : public test::PluginTest {
 protected:
  void SetUp() override {
    Start();
    handBoneIndex = 11;
    fingerBoneIndex = 22;
    kCigar.fit.model = kCigar.alternativeModel;  // the short cigar, held off the hand bone's origin
  }
  void TearDown() override {
    ResetToIdle(activeSequence);
    kCigar.fit.model = kCigar.standardModel;
  }

  std::vector<int> Cigarette(int count) {
    std::vector<int> variants;
    OnScript([&] { variants = DrawPuffVariants(kCigarette, count); });
    return variants;
  }
  std::vector<int> Cigar(int count) {
    std::vector<int> variants;
    OnScript([&] { variants = DrawPuffVariants(kCigar, count); });
    return variants;
  }

  // The queue as readable steps: clips by name and length, the hand
  // re-attachment and the exhale with their offsets; hold loops as "hold N"
  // (their finger re-attachments left out).
  std::vector<std::string> Steps() {
    std::vector<std::string> steps;
    for (const TaskPtr& task : activeSequence.pending) {
      if (auto* clip = dynamic_cast<AnimationTask*>(task.get())) {
        if (clip->clip == "base" || (clip->clip == "loop" && clip->filter == "rightarmonly_filter")) {
          steps.push_back("hold " + std::to_string(clip->durationMs));
        } else {
          steps.push_back(clip->clip + " " + std::to_string(clip->durationMs));
        }
      } else if (auto* move = dynamic_cast<MovePropTask*>(task.get())) {
        if (move->bone == handBoneIndex) steps.push_back("move@" + std::to_string(move->GetStartOffsetMs()));
      } else if (auto* fx = dynamic_cast<PlayFxOnPedBoneTask*>(task.get())) {
        steps.push_back("exhale@" + std::to_string(fx->GetStartOffsetMs()));
      } else {
        steps.push_back(task->GetName());
      }
    }
    return steps;
  }

  AnimationTask* Clip(const std::string& name, int durationMs) {
    for (AnimationTask* clip : Pending<AnimationTask>()) {
      if (clip->clip == name && clip->durationMs == durationMs) return clip;
    }
    return nullptr;
  }

  template <typename T>
  std::vector<T*> Pending() {
    std::vector<T*> found;
    for (const TaskPtr& task : activeSequence.pending) {
      if (auto* t = dynamic_cast<T*>(task.get())) found.push_back(t);
    }
    return found;
  }
};

TEST_F(PuffRuns, EveryCountTheCallersUseKeepsTheRules) {
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    for (int count = 1; count <= 13; ++count) {
      sim.world.random.Seed(seed * 1000 + count);
      const std::string context = "seed " + std::to_string(seed) + ", " + std::to_string(count) + " puffs";
      std::vector<int> cigarette = Cigarette(count);
      ASSERT_EQ(cigarette.size(), static_cast<size_t>(count));
      ExpectRulesKept(cigarette, 10, "cigarette, " + context);
      std::vector<int> cigar = Cigar(count);
      ASSERT_EQ(cigar.size(), static_cast<size_t>(count));
      ExpectRulesKept(cigar, 9, "cigar, " + context);
    }
  }
}

std::vector<std::pair<int, int>> DrawRanges(const std::vector<const sim::RecordedCall*>& calls) {
  std::vector<std::pair<int, int>> ranges;
  for (const sim::RecordedCall* call : calls) ranges.emplace_back(call->I(0), call->I(1));
  return ranges;
}

TEST_F(PuffRuns, FirstDrawsCoverTheWholeTableAndRedrawsTheLowerPart) {
  // 5 cannot open a run and 7 cannot follow 7: both are drawn again.
  sim.world.random.QueueInts({5, 7, 7, 3, 4});
  sim.ClearCalls();
  EXPECT_EQ(Cigarette(3), (std::vector<int>{7, 3, 4}));
  EXPECT_EQ(DrawRanges(Calls("GetRandomIntInRange")),
            (std::vector<std::pair<int, int>>{{1, 10}, {1, 8}, {1, 10}, {1, 8}, {1, 10}}));

  // The cigar draws from its whole table both times; 5 cannot close a run.
  sim.world.random.QueueInts({9, 9, 5, 4});
  sim.ClearCalls();
  EXPECT_EQ(Cigar(2), (std::vector<int>{9, 4}));
  EXPECT_EQ(DrawRanges(Calls("GetRandomIntInRange")),
            (std::vector<std::pair<int, int>>{{1, 9}, {1, 9}, {1, 9}, {1, 9}}));

  sim.ClearCalls();
  OnScript([] {
    QueuePuffs(kCigarette, 0, false);
    QueuePuffs(kCigar, 0, true);
  });
  EXPECT_EQ(CountCalls("GetRandomIntInRange"), 0u);
  EXPECT_TRUE(activeSequence.pending.empty());
}

TEST_F(PuffRuns, AVariantAlreadyPlayedTwiceIsDrawnAgain) {
  sim.world.random.QueueInts({2, 4, 2, 4, 2, 6, 4, 1});
  EXPECT_EQ(Cigarette(6), (std::vector<int>{2, 4, 2, 4, 6, 1}));
}

// Twelve puffs that use up every low variant but 8 leave a thirteenth, last
// puff (where 5 is barred) that only 8 can fill. Whether a redraw can ever
// answer 8 depends on the game's bound, so 8 is taken without redrawing.
TEST_F(PuffRuns, TheLastOfThirteenCigarettePuffsEndsWhenOnly8IsLeft) {
  sim.world.random.QueueInts({1, 2, 3, 4, 6, 7, 1, 2, 3, 4, 6, 7});
  sim.world.random.QueueInts({7});  // the previous variant: needs a redraw
  sim.world.random.QueueInts(std::vector<int>(50, 1));
  std::vector<int> variants = Cigarette(13);
  EXPECT_EQ(variants, (std::vector<int>{1, 2, 3, 4, 6, 7, 1, 2, 3, 4, 6, 7, 8}));
  EXPECT_EQ(sim.world.random.intDraws, 13u);
  ExpectRulesKept(variants, 10, "thirteen puffs");
}

// With every variant a redraw can answer used up twice, the run may play one
// of them a third time rather than draw forever; it keeps the other rules.
TEST_F(PuffRuns, WhenNoRedrawCanBeAcceptedAVariantMayPlayAThirdTime) {
  sim.world.random.QueueInts({1, 2, 3, 4, 6, 7, 8, 1, 2, 3, 4, 6, 7, 8});
  sim.world.random.QueueInts({8, 8, 5, 3});  // previous, previous, 5 on the last puff, then 3
  std::vector<int> variants = Cigarette(15);
  ASSERT_EQ(variants.size(), 15u);
  EXPECT_EQ(variants.back(), 3);
  EXPECT_EQ(sim.world.random.intDraws, 18u);
  EXPECT_EQ(sim.world.random.QueuedInts(), 0u);
}

TEST_F(PuffRuns, ARandomSourceThatNeverHelpsCannotHoldTheRunForever) {
  // Always the same answer: every redraw repeats the previous variant.
  sim.world.random.QueueInts(std::vector<int>(30000, 1));
  std::vector<int> variants = Cigarette(13);
  ASSERT_EQ(variants.size(), 13u);
  ExpectRulesKept(variants, 10, "constant source");
  EXPECT_LT(sim.world.random.intDraws, 13u * 1001u);

  sim.world.random.ClearQueues();
  sim.world.random.QueueInts(std::vector<int>(30000, 2));
  variants = Cigar(13);
  ASSERT_EQ(variants.size(), 13u);
  ExpectRulesKept(variants, 9, "constant source, cigar");
}

TEST_F(PuffRuns, CigaretteVariantsQueueTheirHoldsClipsMovesAndExhales) {
  sim.world.random.QueueInts({3, 6, 1});
  OnScript([] { QueuePuffs(kCigarette, 3, false); });
  EXPECT_EQ(Steps(), (std::vector<std::string>{
                         "hold 9000", "action 4000", "move@475", "loop 300", "action_alt2 4740",  // 3
                         "hold 7300", "action_alt2 1750", "move@475", "hold 1000", "exhale@950",  // 6
                         "hold 3600", "action 3000", "move@475",                                  // 1
                     }));

  const AnimationTask* action = Clip("action", 4000);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->ped, &playerPed);
  EXPECT_EQ(action->dictionary, "script_mp@emotes@smoke_cigarette@male@unarmed@upper");
  EXPECT_EQ(action->clipFlags, 25);
  EXPECT_EQ(action->extraFlags, 0x10000);
  EXPECT_FLOAT_EQ(action->blendIn, 1.0f);
  EXPECT_FLOAT_EQ(action->blendOut, -0.5f);
  EXPECT_FLOAT_EQ(action->rate, 1.2f);
  EXPECT_EQ(action->filter, "");
  const AnimationTask* loop = Clip("loop", 300);
  ASSERT_NE(loop, nullptr);
  EXPECT_FLOAT_EQ(loop->blendIn, 2.0f);
  EXPECT_FLOAT_EQ(loop->blendOut, -0.3f);
  const AnimationTask* first = Clip("action", 3000);
  ASSERT_NE(first, nullptr);
  EXPECT_FLOAT_EQ(first->blendIn, 1.2f);
  EXPECT_FLOAT_EQ(first->blendOut, 1.2f);

  for (MovePropTask* move : Pending<MovePropTask>()) {
    if (move->bone != handBoneIndex) continue;
    EXPECT_EQ(move->handle, &smokeProp);
    EXPECT_EQ(move->GetDurationMs(), 1);
    EXPECT_FLOAT_EQ(move->x, 0.0f);
    EXPECT_FLOAT_EQ(move->rz, 0.0f);
    EXPECT_EQ(move->further[1], 2);
  }

  std::vector<PlayFxOnPedBoneTask*> exhales = Pending<PlayFxOnPedBoneTask>();
  ASSERT_EQ(exhales.size(), 1u);
  const PlayFxOnPedBoneTask* exhale = exhales[0];
  EXPECT_EQ(exhale->effect, &exhaleFx);
  EXPECT_EQ(exhale->bone, 21030);
  EXPECT_EQ(exhale->asset, "anm_smoking");
  EXPECT_EQ(exhale->effectName, "ent_anim_cig_exhale_mth_short");
  EXPECT_FLOAT_EQ(exhale->alpha, 0.88f);
  EXPECT_FLOAT_EQ(exhale->x, -0.03f);
  EXPECT_FLOAT_EQ(exhale->y, 0.11f);
  EXPECT_FLOAT_EQ(exhale->z, -0.023f);
  EXPECT_FLOAT_EQ(exhale->rx, 22.0f);
  EXPECT_FLOAT_EQ(exhale->rz, -180.0f);
  EXPECT_FLOAT_EQ(exhale->scale, 1.3f);
}

TEST_F(PuffRuns, EachCigaretteVariantHasItsOwnLengths) {
  sim.world.random.QueueInts({2, 4, 5, 7, 8, 9, 10});
  OnScript([] { QueuePuffs(kCigarette, 7, false); });
  EXPECT_EQ(Steps(), (std::vector<std::string>{
                         "hold 7000", "action_alt2 4740", "move@475",                             // 2
                         "hold 9700", "action 3000", "move@475",                                  // 4
                         "hold 6700", "action_alt1 3920", "move@475", "action_alt2 4740",         // 5
                         "hold 7300", "action_alt2 1750", "move@475", "hold 1000", "exhale@950",  // 7
                         "hold 8500", "action_alt2 1700", "move@475", "hold 1000", "exhale@950",  // 8
                         "hold 7000", "action_alt2 1850", "move@475", "hold 1000", "exhale@950",  // 9
                         "hold 8000", "action_alt2 1750", "move@475", "hold 1000", "exhale@950",  // 10
                     }));
}

TEST_F(PuffRuns, AManualPuffPlaysAtOnceWithoutItsLeadingHold) {
  sim.world.random.QueueInts({6});
  OnScript([] { QueuePuffs(kCigarette, 1, true); });
  EXPECT_EQ(Steps(), (std::vector<std::string>{"action_alt2 1750", "move@475", "hold 1000", "exhale@950"}));
}

TEST_F(PuffRuns, CigarVariantsUseTheCigarClipsOffsetsAndRates) {
  sim.world.random.QueueInts({3, 9, 1, 2, 4, 5, 6, 8});
  OnScript([] { QueuePuffs(kCigar, 8, false); });
  EXPECT_EQ(Steps(), (std::vector<std::string>{
                         "hold 6200", "action 4000", "move@475", "loop 300", "action_alt2 4740",   // 3
                         "hold 6000", "action_alt1 2350", "move@475", "hold 1000", "exhale@1500",  // 9
                         "hold 5300", "action 3000", "move@475",                                   // 1
                         "hold 5500", "action_alt1 3920", "move@475",                              // 2
                         "hold 7000", "action 3000", "move@475",                                   // 4
                         "hold 5600", "action_alt1 2700", "move@475",                              // 5
                         "hold 7700", "action_alt1 3950", "move@475", "hold 1000", "exhale@950",   // 6
                         "hold 6000", "action_alt1 2450", "move@475", "hold 1000", "exhale@950",   // 8
                     }));

  for (AnimationTask* clip : Pending<AnimationTask>()) {
    if (clip->dictionary != "script_mp@emotes@smoke_cigar@male@unarmed@upper" || clip->filter == "rightarmonly_filter")
      continue;  // hold loops
    EXPECT_EQ(clip->clipFlags, 25);
    EXPECT_EQ(clip->extraFlags, 0x8000) << clip->clip;
    if (clip->clip == "loop") {
      EXPECT_EQ(clip->filter, "");
      EXPECT_FLOAT_EQ(clip->rate, 1.2f);
    } else {
      EXPECT_EQ(clip->filter, "upperbodyfeathered_nolefttarm_filter") << clip->clip;
    }
    if (clip->clip == "action") {
      EXPECT_FLOAT_EQ(clip->blendIn, 1.7f);
      EXPECT_FLOAT_EQ(clip->blendOut, 1.0f);
      EXPECT_FLOAT_EQ(clip->rate, 1.0f);
    }
    if (clip->clip == "action_alt1" && clip->durationMs != 3920) {
      EXPECT_FLOAT_EQ(clip->blendOut, -0.2f);
      EXPECT_FLOAT_EQ(clip->rate, 1.2f);
    }
  }
  for (MovePropTask* move : Pending<MovePropTask>()) {
    if (move->bone != handBoneIndex) continue;
    const PropSeat& hand = kCigar.alternativeModel->hand;
    EXPECT_FLOAT_EQ(move->x, hand.x);
    EXPECT_FLOAT_EQ(move->y, hand.y);
    EXPECT_FLOAT_EQ(move->z, hand.z);
    EXPECT_FLOAT_EQ(move->rx, hand.rx);
    EXPECT_FLOAT_EQ(move->ry, hand.ry);
    EXPECT_FLOAT_EQ(move->rz, hand.rz);
  }
}

// The last cigar variant's exhale is set later than its 1000 ms hold lasts:
// it comes when the hold ends, as the next task, not 1500 ms into it.
TEST_F(PuffRuns, TheLateCigarExhaleStartsWhenItsHoldEnds) {
  sim.world.random.QueueInts({9});
  sim.SetFrameUs(5000);
  OnScript([] {
    activeSequence.smoke = &kCigar;
    QueuePuffs(kCigar, 1, true);
    ::Start(activeSequence);
  });
  int64_t holdStartedUs = -1;
  int64_t exhaleUs = -1;
  for (int frame = 0; frame < 2000 && activeSequence.running && exhaleUs < 0; ++frame) {
    OnScript([&] {
      Update(activeSequence);
      if (holdStartedUs < 0 && test::CurrentTaskName().find("_loop") != std::string::npos)
        holdStartedUs = sim.NowUs();
      if (exhaleUs < 0 && test::CurrentTaskName().find("exhale_mth_short") != std::string::npos)
        exhaleUs = sim.NowUs();
    });
  }
  ASSERT_GE(holdStartedUs, 0);
  ASSERT_GE(exhaleUs, 0);
  EXPECT_GT(exhaleUs - holdStartedUs, 1000 * 1000);
  EXPECT_LE(exhaleUs - holdStartedUs, 1010 * 1000);
}

}  // namespace
