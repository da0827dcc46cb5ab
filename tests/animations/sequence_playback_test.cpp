// Real tasks played by the runner frame by frame against the simulated world.
#include <memory>
#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "task_fixture.h"

namespace {

using namespace Animations;

class Sequence : public test::TaskTest {
 protected:
  void SetUp() override { playerPed = Player(); }
  void TearDown() override { ResetToIdle(activeSequence); }
  // One frame of the controller's stepping.
  void Step(int frames) {
    for (int i = 0; i < frames; ++i) OnScript([] { Update(activeSequence); });
  }
};

TEST_F(Sequence, APropItsSmokeAndItsRemovalPlayInOrder) {
  OnScript([] {
    Append(activeSequence, std::make_unique<SpawnPropTask>(&smokeProp, "p_cigarette01x", 123, 255));
    AppendWithOffset(activeSequence,
                     std::make_unique<PlayFxOnPropTask>(&smokeProp, &tipSmokeFx, "ent_anim_cig_smoke", 1.0f, 0, 0, 0, 0, 0, 0,
                                                        1.0f, 500),
                     10);
    Append(activeSequence, std::make_unique<TaskDelay>(200));
    Append(activeSequence, std::make_unique<RemoveParticleFxTask>(&tipSmokeFx));
    Append(activeSequence, std::make_unique<DestroyPropTask>(&smokeProp, "p_cigarette01x", false, true));
    ::Start(activeSequence);
  });
  const int prop = smokeProp;
  ASSERT_TRUE(sim.world.entities.Exists(prop));
  Step(1);  // a frame later (16.7 ms): the smoke starts early, the spawn's 30 ms still run
  EXPECT_NE(tipSmokeFx, 0);
  EXPECT_EQ(test::CurrentTaskName(), "SpawnPropTask_p_cigarette01x");
  Step(1);
  EXPECT_EQ(test::CurrentTaskName(), "TaskDelay_200");
  Step(11);
  EXPECT_TRUE(sim.world.effects.Running(tipSmokeFx));
  Step(10);
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(tipSmokeFx, 0);
  EXPECT_EQ(smokeProp, 0);
  EXPECT_FALSE(sim.world.entities.Exists(prop));
  EXPECT_TRUE(sim.world.effects.looped.empty());
  EXPECT_TRUE(sim.world.entities.CreatedByPlugin().empty());
  // The timeline tells the same story in order.
  std::vector<std::string> story;
  for (const auto& event : sim.timeline.Events()) {
    if (event.category == "prop" || event.category == "effect") story.push_back(event.text);
  }
  ASSERT_GE(story.size(), 5u);
  EXPECT_NE(story.front().find("created"), std::string::npos);
  EXPECT_NE(story[1].find("attached to PLAYER_ZERO bone 123"), std::string::npos);
  EXPECT_NE(story.back().find("deleted"), std::string::npos);
  EXPECT_TRUE(NoErrors());
}

}  // namespace
