// A smoke left alone burns down: the butt is flicked away and nothing of the
// plug-in's keeps running in the world.
#include <gtest/gtest.h>

#include "animations/sequence_runner.h"
#include "session.h"
#include "support/plugin_session.h"
#include "world/leftovers.h"

namespace {

class SmokeBurnsDown : public test::PluginTest {
 protected:
  void LightAndWaitForTheEnd(const char* key) {
    Start();
    std::string error;
    ASSERT_TRUE(sim::RunSession(sim, std::string("hold ") + key + " 600ms\n", ".", error)) << error;
    ASSERT_TRUE(activeSequence.running);
    for (int second = 0; second < 400 && activeSequence.running; ++second) Ms(1000);
    ASSERT_FALSE(activeSequence.running) << "the smoke never ended";
    Frames(2);
  }
};

TEST_F(SmokeBurnsDown, CigaretteLeavesOnlyItsButtAndTheMatchInTheWorld) {
  LightAndWaitForTheEnd("N");
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
  EXPECT_FALSE(left.propsInWorld.empty());
}

TEST_F(SmokeBurnsDown, CigarLeavesNothingRunning) {
  LightAndWaitForTheEnd(",");
  sim::Leftovers left = sim::FindLeftovers(sim);
  EXPECT_TRUE(left.Clean()) << sim::FormatLeftovers(left);
}

}  // namespace
