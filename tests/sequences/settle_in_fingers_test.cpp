// Settling a hand-held cigarette between the fingers interrupts the queue
// only in front of a clip, and resumes it after the hold.
#include "sequences/settle_in_fingers.h"

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "builder_fixture.h"
#include "sequences/sequence_building.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "sequences/cigarette.h"

namespace {

using namespace Animations;

class SettlingInFingers : public test::BuilderTest {
 protected:
  void Running(TaskPtr first) {
    activeSequence.smoke = &kCigarette;
    HoldProp();
    Append(activeSequence, std::make_unique<TaskDelay>(5000));
    if (first) Append(activeSequence, std::move(first));
    OnScript([] { ::Start(activeSequence); });
  }
  void Settle() {
    OnScript([] { ::SettleInFingers(); });
  }
};

TEST_F(SettlingInFingers, HoldsBetweenTheFingersThenResumesTheNextClip) {
  Running(building::WanderBase(700, 25, 0x10000, 1.0f, 1.0f, 1.0f, ""));
  fingerBoneIndex = 77;
  sim.ClearCalls();
  Settle();
  ExpectRows({{"AnimationTask_amb_wander@code_human_smoking_wander@male_a@base_base", -1},
              {"TaskDelay_100", -1},
              {"AnimationTask_amb_wander@code_human_smoking_wander@male_a@base_base", -1}});
  EXPECT_EQ(Task<AnimationTask>(0)->durationMs, 3000);
  EXPECT_EQ(Task<AnimationTask>(2)->durationMs, 700);
  ASSERT_EQ(CountCalls("AttachEntityToEntity"), 1u);
  EXPECT_EQ(Calls("AttachEntityToEntity")[0]->I(2), 77);
  EXPECT_EQ(activeSequence.smoke, &kCigarette);
}

TEST_F(SettlingInFingers, ChangesNothingUnlessAClipIsNext) {
  Running(nullptr);
  Settle();
  EXPECT_EQ(test::CurrentTaskName(), "TaskDelay_5000");
  EXPECT_TRUE(activeSequence.pending.empty());

  ResetToIdle(activeSequence);
  Running(std::make_unique<TaskDelay>(10));
  Settle();
  EXPECT_EQ(test::CurrentTaskName(), "TaskDelay_5000");
  EXPECT_EQ(activeSequence.pending.size(), 1u);
}

}  // namespace
