// What a frame costs inside the game is the natives it invokes, each a trip
// through the hook. The counts of an idle frame and of a frame while a
// cigarette is smoked between puffs are held to their budgets here.
#include <gtest/gtest.h>

#include <string>

#include "catalogue.h"
#include "animations/sequence_runner.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace {

class FrameCost : public test::PluginTest {
 protected:
  void SetUp() override {
    sim.recordCalls = false;
    WriteIni("[General]\nENABLED=true\n");
    Start();
    Frames(60);
  }

  // Counts the natives of the next `frames` frames.
  const sim::FrameStats& Measure(int frames) {
    sim.CountCallsPerFrame();
    Frames(frames);
    return *sim.Stats();
  }

  static size_t Index(const char* native) {
    const sim::NativeInfo* info = sim::FindNative(std::string_view(native));
    EXPECT_NE(info, nullptr) << native;
    return static_cast<size_t>(info - sim::Catalogue().data());
  }

  static void ExpectBudget(const sim::FrameStats& stats, uint32_t perFrame, bool median) {
    SCOPED_TRACE(stats.Report());
    const sim::FrameCountSummary all = stats.AllNatives();
    EXPECT_LE(median ? all.median : all.max, perFrame);
    EXPECT_EQ(stats.Native(Index("GetHashKey")).max, 0u);
    EXPECT_LE(stats.Native(Index("PlayerPedId")).max, 1u);
    EXPECT_LE(stats.Native(Index("GetGameTimer")).max, 1u);
    EXPECT_LE(stats.Native(Index("IsUsingKeyboardAndMouse")).max, 1u);
    EXPECT_LE(stats.Native(Index("GetEntityModel")).max, 1u);
  }
};

TEST_F(FrameCost, IdleFrameStaysWithinItsBudget) {
  const sim::FrameStats& stats = Measure(120);
  ExpectBudget(stats, 22, false);
}

// Between puffs: the cigarette lit and in the hand, its hold clip playing,
// then in the mouth. The median skips the few frames where a puff or a clip
// starts.
TEST_F(FrameCost, SmokingFrameStaysWithinItsBudget) {
  std::string error;
  ASSERT_TRUE(sim.Set("player.crouching", "true", error)) << error;
  auto holdSmokeKey = [this] {
    sim.KeyDown('N');
    Ms(500);
    sim.KeyUp('N');
  };
  holdSmokeKey();
  Ms(8000);
  ASSERT_TRUE(activeSequence.running && !propInMouth);
  ExpectBudget(Measure(600), 45, true);

  holdSmokeKey();
  Ms(4000);
  ASSERT_TRUE(activeSequence.running && propInMouth);
  ExpectBudget(Measure(600), 45, true);
  ASSERT_TRUE(activeSequence.running && propInMouth);
}

}  // namespace
