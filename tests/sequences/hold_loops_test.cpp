// Holding the lit prop between puffs.
#include <gtest/gtest.h>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "plugin/main_loop.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "sequences/hold_loops.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

class HoldLoops : public PluginTest {
 protected:
  void StepRunner(int frames) {
    for (int i = 0; i < frames; ++i) OnScript([] { Update(activeSequence); });
  }
};

TEST_F(HoldLoops, ACigaretteHoldPlaysTheWanderClipAndPinsThePropSevenTimes) {
  OnScript([] {
    ResetToIdle(activeSequence);
    QueueHoldLoop(kCigarette, 7000);
  });
  ASSERT_EQ(activeSequence.pending.size(), 8u);
  auto* clip = dynamic_cast<Animations::AnimationTask*>(activeSequence.pending.front().get());
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->ped, &playerPed);
  EXPECT_EQ(clip->dictionary, "amb_wander@code_human_smoking_wander@male_a@base");
  EXPECT_EQ(clip->clip, "base");
  EXPECT_EQ(clip->durationMs, 7000);
  EXPECT_EQ(clip->clipFlags, 25);
  EXPECT_EQ(clip->extraFlags, 0x10000);
  EXPECT_FLOAT_EQ(clip->blendIn, 0.3f);
  EXPECT_FLOAT_EQ(clip->blendOut, -0.3f);
  EXPECT_FLOAT_EQ(clip->rate, 1.2f);
  EXPECT_EQ(clip->filter, "");
  EXPECT_FALSE(clip->HasStartOffset());
  EXPECT_FALSE(activeSequence.running);  // queued only
}

TEST_F(HoldLoops, ThePropIsPinnedBackIntoTheFingersAtItsOffsetsIntoTheClip) {
  Start();
  ENABLED = false;  // only this test steps the runner
  smokeProp = 4242;
  sim.ClearCalls();
  OnScript([] {
    UpdatePropAttachment();
    ResetToIdle(activeSequence);
    QueueHoldLoop(kCigarette, 7000);
    ::Start(activeSequence);
  });
  ASSERT_EQ(CountCalls("TaskPlayAnim"), 1u);
  const int64_t clipStart = Calls("TaskPlayAnim")[0]->gameMs;
  StepRunner(7000 / 16 + 20);

  auto attaches = Calls("AttachEntityToEntity");
  ASSERT_EQ(attaches.size(), 7u);
  const int expected[] = {375, 1000, 2000, 3000, 4000, 5000, 6000};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    const auto* call = attaches[i];
    const int64_t at = call->gameMs - clipStart;
    EXPECT_GE(at, expected[i]);
    EXPECT_LE(at, expected[i] + 40);
    EXPECT_EQ(call->I(0), 4242);
    EXPECT_EQ(call->I(1), sim.world.entities.player);
    EXPECT_EQ(call->I(2), fingerBoneIndex);
    EXPECT_FLOAT_EQ(call->F(5), 0.01f);
    EXPECT_FLOAT_EQ(call->F(8), -90.0f);
    for (int k = 9; k <= 12; ++k) EXPECT_EQ(call->I(k), 0);
    EXPECT_EQ(call->I(13), 2);
    EXPECT_EQ(call->I(14), 1);
  }
  EXPECT_FALSE(activeSequence.running);
}

// What is left of a manual-smoking window may be nothing: no hold is queued.
TEST_F(HoldLoops, AHoldOfNoTimeQueuesNothing) {
  for (const SmokeKind* kind : kSmokeKinds) {
    OnScript([kind] {
      ResetToIdle(activeSequence);
      QueueHoldLoop(*kind, 0);
      QueueHoldLoop(*kind, -5);
    });
    EXPECT_TRUE(activeSequence.pending.empty()) << kind->name;
  }
}

TEST_F(HoldLoops, TheCigarIsHeldWithTheEmoteLoopOnTheRightArm) {
  OnScript([] {
    ResetToIdle(activeSequence);
    QueueHoldLoop(kCigar, 5000);
  });
  ASSERT_EQ(activeSequence.pending.size(), 1u);
  auto* clip = dynamic_cast<Animations::AnimationTask*>(activeSequence.pending.front().get());
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->dictionary, "script_mp@emotes@smoke_cigar@male@unarmed@upper");
  EXPECT_EQ(clip->clip, "loop");
  EXPECT_EQ(clip->durationMs, 5000);
  EXPECT_EQ(clip->clipFlags, 25);
  EXPECT_EQ(clip->extraFlags, 0x10000);
  EXPECT_FLOAT_EQ(clip->blendIn, 1.3f);
  EXPECT_FLOAT_EQ(clip->blendOut, -0.3f);
  EXPECT_FLOAT_EQ(clip->rate, 0.3f);
  EXPECT_EQ(clip->filter, "rightarmonly_filter");
}

}  // namespace
