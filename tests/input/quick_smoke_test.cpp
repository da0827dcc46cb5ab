// The quick smoke that the game's emote plays: what it queues, when the
// plug-in's cigarette replaces the emote's own, and when it is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animations/sequence_runner.h"
#include "input_fixture.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "sequences/quick_smoke.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

namespace {

using test::kKeyComma;
using test::kKeyN;

class QuickSmoke : public test::InputTest {
 protected:
  // The queued tasks as "name@offset", the emote (current) first.
  std::vector<std::string> Queue() const {
    std::vector<std::string> out;
    if (activeSequence.current) out.push_back(activeSequence.current->GetName());
    for (const TaskPtr& task : activeSequence.pending) {
      out.push_back(task->GetName() + "@" + std::to_string(task->GetStartOffsetMs()));
    }
    return out;
  }
  int CountNamed(const std::string& prefix) const {
    int n = 0;
    for (const TaskPtr& task : activeSequence.pending) n += task->GetName().rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
};

TEST_F(QuickSmoke, TheCigaretteEmoteGetsThePluginsCigaretteAndADummyPed) {
  Boot();
  TapKey(kKeyN);
  ASSERT_TRUE(QuickSmoking(kCigarette));
  EXPECT_EQ(test::CurrentTaskName(), "PlayEmoteTask_-1954574613");
  const std::vector<std::string> queue = Queue();
  ASSERT_GE(queue.size(), 3u);
  EXPECT_EQ(queue[1], "DestroyPropTask_p_cigarette01x@499");
  EXPECT_EQ(queue[2].rfind("SpawnPropTask_", 0), 0u);
  EXPECT_EQ(queue[2].substr(queue[2].size() - 4), "@500");
  // Seven early nudges and four late ones for the default character.
  EXPECT_EQ(CountNamed("MovePropTask_"), 7 + 4 + 1);  // and the dummy ped's attachment
  EXPECT_EQ(CountNamed("SpawnPedTask_A_C_Rabbit_01"), 1);
  EXPECT_EQ(queue.back(), "DestroyPropTask_p_cigarette01x@12800");
  EXPECT_NE(dummyPedTime, 0);

  // The cigarette is in the hand while the emote plays, and gone at its end.
  Ms(1000);
  EXPECT_TRUE(PropOnPlayer());
  ASSERT_TRUE(RunUntil([] { return !activeSequence.running; }, 14000));
  EXPECT_FALSE(PropOnPlayer());
  ExpectNoErrors();
}

TEST_F(QuickSmoke, ArthurAndJohnGetFourEarlyNudges) {
  for (const char* model : {"PLAYER_THREE", "CS_JOHNMARSTON"}) {
    SCOPED_TRACE(model);
    if (!sim.Attached()) Boot();
    Set("player.model", model);
    OnScript([] {
      StartQuickSmoke(kCigarette);
    });
    EXPECT_EQ(CountNamed("MovePropTask_"), 4 + 4 + 1);
    OnScript([] { ResetToIdle(activeSequence); });
  }
}

TEST_F(QuickSmoke, TheCigarEmoteBringsItsOwnCigar) {
  Boot("[General]\nENABLED=true\n[Smoking]\nBLOCK_SMOKING_IF_NO_ITEM=true\n");
  Set("inventory.consumable_cigar", "2");
  TapKey(kKeyComma);
  ASSERT_TRUE(QuickSmoking(kCigar));
  EXPECT_EQ(test::CurrentTaskName(), "PlayEmoteTask_-2124325981");
  EXPECT_EQ(CountNamed("SpawnPropTask_"), 0);
  EXPECT_EQ(sim.world.inventory.Count(sim.Hash("consumable_cigar")), 2);
  ASSERT_TRUE(RunUntil([] { return !activeSequence.running; }, 12000));
}

TEST_F(QuickSmoke, CheapBoxesAloneStillAllowTheQuickCigarette) {
  Boot("[General]\nENABLED=true\n[Smoking]\nBLOCK_SMOKING_IF_NO_ITEM=true\n");
  Set("inventory.consumable_cigarette_box_cheap", "3");
  TapKey(kKeyN);
  EXPECT_TRUE(QuickSmoking(kCigarette));
  EXPECT_EQ(sim.world.inventory.Count(sim.Hash("consumable_cigarette_box_cheap")), 3);
}

TEST_F(QuickSmoke, NotOnHorseback) {
  Boot();
  Set("player.mounted", "true");
  TapKey(kKeyN);
  TapKey(kKeyComma);
  EXPECT_FALSE(activeSequence.running);
}

}  // namespace
