// The game's random numbers in the simulator: seeded and repeatable, both
// bounds of a whole-number draw reachable, scripted values first.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "host/natives.h"
#include "support/plugin_session.h"
#include "world/random.h"

namespace {

using sim::RandomSource;
using test::PluginTest;

TEST(RandomSource, WholeNumbersCoverBothBoundsAndNothingOutside) {
  RandomSource random;
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) {
    int v = random.NextInt(1, 10);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 10);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 10u);
  EXPECT_EQ(random.NextInt(7, 7), 7);
  EXPECT_EQ(random.NextInt(7, 3), 7);  // an empty range answers its lower end
  EXPECT_EQ(random.NextInt(-5, -5), -5);
}

TEST(RandomSource, FractionsStayBelowTheUpperBound) {
  RandomSource random;
  float low = 1.0f, high = 0.0f;
  for (int i = 0; i < 2000; ++i) {
    float v = random.NextFloat(0.5f, 0.95f);
    ASSERT_GE(v, 0.5f);
    ASSERT_LT(v, 0.95f);
    low = std::min(low, v);
    high = std::max(high, v);
  }
  EXPECT_LT(low, 0.52f);
  EXPECT_GT(high, 0.93f);
}

TEST(RandomSource, TheSameSeedGivesTheSameNumbers) {
  RandomSource a, b, c;
  c.Seed(42);
  bool differs = false;
  for (int i = 0; i < 50; ++i) {
    int x = a.NextInt(0, 1000);
    EXPECT_EQ(x, b.NextInt(0, 1000));
    differs |= x != c.NextInt(0, 1000);
  }
  EXPECT_TRUE(differs);
  a.Seed(42);
  RandomSource d;
  d.Seed(42);
  EXPECT_EQ(a.NextFloat(0.0f, 1.0f), d.NextFloat(0.0f, 1.0f));
}

TEST(RandomSource, QueuedValuesComeFirstClampedIntoTheRange) {
  RandomSource random, reference;
  random.QueueInts({3, 12, -4});
  random.QueueFloats({0.7f, 2.0f});
  EXPECT_EQ(random.NextInt(1, 10), 3);
  EXPECT_EQ(random.NextInt(1, 10), 10);
  EXPECT_EQ(random.NextInt(1, 10), 1);
  EXPECT_EQ(random.QueuedInts(), 0u);
  // Only then the generator, which the queue did not advance.
  EXPECT_EQ(random.NextInt(1, 1000), reference.NextInt(1, 1000));
  EXPECT_FLOAT_EQ(random.NextFloat(0.5f, 0.95f), 0.7f);
  EXPECT_FLOAT_EQ(random.NextFloat(0.5f, 0.95f), 0.95f);
  EXPECT_EQ(random.intDraws, 4u);
  EXPECT_EQ(random.floatDraws, 2u);

  random.clampQueued = false;
  random.QueueInts({0});
  EXPECT_EQ(random.NextInt(1, 10), 0);
}

using RandomNatives = PluginTest;

TEST_F(RandomNatives, SessionSettersScriptTheAnswers) {
  std::string error;
  ASSERT_TRUE(sim.Set("random.ints", "3 5 7", error)) << error;
  ASSERT_TRUE(sim.Set("random.floats", "0.25", error)) << error;
  EXPECT_FALSE(sim.Set("random.ints", "3 x", error));
  EXPECT_FALSE(sim.Set("random.ints", "", error));
  EXPECT_FALSE(sim.Set("random.seed", "-", error));
  EXPECT_FALSE(sim.Set("random.clamp", "maybe", error));

  std::vector<int> ints;
  float fraction = 0.0f;
  OnScript([&] {
    for (int i = 0; i < 3; ++i) ints.push_back(native::GetRandomIntInRange(1, 10));
    fraction = native::GetRandomFloatInRange(0.0f, 1.0f);
  });
  EXPECT_EQ(ints, (std::vector<int>{3, 5, 7}));
  EXPECT_FLOAT_EQ(fraction, 0.25f);

  ASSERT_TRUE(sim.Set("random.seed", "99", error)) << error;
  int first = 0;
  OnScript([&] { first = native::GetRandomIntInRange(0, 1000000); });
  RandomSource expected;
  expected.Seed(99);
  EXPECT_EQ(first, expected.NextInt(0, 1000000));

  ASSERT_TRUE(sim.Set("random.clamp", "off", error)) << error;
  ASSERT_TRUE(sim.Set("random.ints", "40", error)) << error;
  int unclamped = 0;
  OnScript([&] { unclamped = native::GetRandomIntInRange(1, 10); });
  EXPECT_EQ(unclamped, 40);
}

}  // namespace
