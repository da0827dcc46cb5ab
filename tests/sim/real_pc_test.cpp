// The PC around the game in a session: each command moves the three clocks
// the plug-in reads as a real PC would, and says so in the timeline; another
// window in front hears the keyboard instead of the game.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "session.h"
#include "simulator.h"

namespace {

struct Clocks {
  int64_t game;    // GetGameTimer, ms
  int64_t tick;    // GetTickCount64, ms
  int64_t system;  // the system time, ms
};

Clocks Read(const sim::Simulator& world) {
  return {world.GameTimerMs(), static_cast<int64_t>(world.TickCount64()), world.SystemTime100ns() / 10'000};
}

TEST(RealPc, EachCommandMovesTheClocksAsARealPcDoes) {
  const struct {
    const char* session;
    Clocks moved;  // how far each clock moves, within a frame
    const char* timeline;  // empty: nothing of the PC in the timeline
  } cases[] = {
      {"wait 1s", {1000, 1000, 1000}, ""},
      {"hitch 2s", {2000, 2000, 2000}, "a hitch: this frame lasts 2000 ms"},
      {"pause 3s", {0, 3000, 3000}, "the game's timer stands still for 3000 ms"},
      {"clock tick still 3s", {3000, 0, 3000}, "the tick count runs again"},
      {"clock system -5min", {0, 0, -300000}, "the system clock is set back 300000 ms"},
      {"clock system +90s", {0, 0, 90000}, "the system clock is set forward 90000 ms"},
      {"fps 10\nwait 1s", {1000, 1000, 1000}, "the frame rate is now 10 fps"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.session);
    sim::Simulator world;
    world.RunFrame();
    const Clocks before = Read(world);
    std::string error;
    ASSERT_TRUE(sim::RunSession(world, c.session, ".", error)) << error;
    const Clocks after = Read(world);
    EXPECT_NEAR(after.game - before.game, c.moved.game, 100);
    EXPECT_NEAR(after.tick - before.tick, c.moved.tick, 100);
    EXPECT_NEAR(after.system - before.system, c.moved.system, 100);
    EXPECT_EQ(world.timeline.Contains("pc", c.timeline), *c.timeline != '\0');
  }
}

TEST(RealPc, TheTickCountPassesTwoToTheThirtyTwoWhenTold) {
  sim::Simulator world;
  world.RunFrame();
  std::string error;
  ASSERT_TRUE(sim::RunSession(world, "clock tick wrap 500ms\nwait 400ms", ".", error)) << error;
  EXPECT_GT(static_cast<uint32_t>(world.TickCount64()), 0xFFFFFF00u);
  EXPECT_FALSE(world.timeline.Contains("pc", "passes 2^32 ms: its low"));
  ASSERT_TRUE(sim::RunSession(world, "wait 200ms", ".", error)) << error;
  EXPECT_LT(static_cast<uint32_t>(world.TickCount64()), 200u);
  EXPECT_TRUE(world.timeline.Contains("pc", "the tick count passes 2^32 ms"));
}

TEST(RealPc, AnotherWindowInFrontGetsTheKeysAndTheirRepeats) {
  sim::Simulator world;
  static std::vector<std::string> heard;
  heard.clear();
  world.OnKeyboardHandlerRegister([](uint32_t key, uint16_t, uint8_t, int32_t, int32_t, int32_t before, int32_t up) {
    heard.push_back(std::string(1, static_cast<char>(key)) + (up ? " up" : before ? " repeat" : " down"));
  });
  std::string error;
  ASSERT_TRUE(sim::RunSession(world, "press N\nwait 100ms\nforeground other\nrelease N\npress Y\nwait 1s\n"
                                     "foreground game\nwait 600ms\nrelease Y\n",
                              ".", error))
      << error;
  // N's key-up and all of Y until the game is back went to the other window;
  // then Y's repeats and key-up come to the game.
  ASSERT_GE(heard.size(), 3u);
  EXPECT_EQ(heard.front(), "N down");
  EXPECT_EQ(heard[1], "Y repeat");
  EXPECT_EQ(heard.back(), "Y up");
  EXPECT_TRUE(world.timeline.Contains("window", "another window is in front; held: N (the key-ups go to that window)"));
}

}  // namespace
