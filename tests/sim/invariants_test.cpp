// The world's invariants break when the world shows what they forbid, and the
// explorer's same-thread script plays a session exactly as the threaded one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "invariants.h"
#include "plugin/main_loop.h"
#include "session.h"

namespace {

class Invariants : public ::testing::Test {
 protected:
  void Run(const std::string& session) {
    std::string error;
    ASSERT_TRUE(sim::RunSession(sim, session, ".", error)) << error;
  }
  sim::SimEntity& OnPlayer(const char* model) {
    sim::SimEntity& prop = sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash(model), model, {});
    prop.createdByPlugin = true;
    prop.attachedTo = sim.world.entities.player;
    return prop;
  }
  bool Broke(const std::string& part) const {
    for (const std::string& error : sim.Errors()) {
      if (error.find(part) != std::string::npos) return true;
    }
    return false;
  }
  sim::Simulator sim;
};

TEST_F(Invariants, EachBreaksOnWhatItForbidsAndOnlyOnceSwitchedOn) {
  OnPlayer("p_cigarette01x");
  OnPlayer("p_cigarette01x");
  const int match = OnPlayer("p_matchstick01x").handle;
  Run("wait 6s");
  EXPECT_TRUE(sim.Errors().empty());

  Run("invariants on\nwait 4900ms");
  EXPECT_TRUE(Broke("2 smoke props of the plug-in on the player at once"));
  EXPECT_FALSE(Broke("stayed on the player"));
  Run("wait 200ms");
  EXPECT_TRUE(Broke("the match p_matchstick01x #" + std::to_string(match) + " stayed on the player for 5 s"));

  // Frames spent waiting for an asset do not count for the match: a script
  // that asks after a model that never loads, and yields.
  const size_t before = sim.Errors().size();
  sim.world.entities.Remove(match);
  Run("frames 1");
  OnPlayer("p_matchstick01x");
  Run("set asset.never p_cigar02x");
  sim.AddFrameStartHook([this] {
    sim.OnNativeInit(sim::FindNative("HasModelLoaded")->hash);
    sim.OnNativePush(sim.Hash("p_cigar02x"));
    sim.OnNativeCall();
  });
  Run("wait 200ms");
  EXPECT_EQ(sim.Errors().size(), before);
  Run("wait 5s");
  EXPECT_TRUE(Broke("p_cigar02x, which is not loaded, held the script for 301 frames"));
}

TEST_F(Invariants, SettledMeansNothingLeftUnlessASmokeIsStillHeld) {
  sim::SimEntity& cigarette = OnPlayer("p_cigarette01x");
  sim::LoopedEffect ember;
  ember.handle = 77;
  ember.name = "ent_anim_cig_smoke_cigar_ember";
  sim.world.effects.looped[ember.handle] = ember;
  Run("expect settled");
  EXPECT_TRUE(sim.Errors().empty());
  cigarette.attachedTo = 0;  // dropped: the ember should have gone with the smoke
  Run("expect settled");
  EXPECT_TRUE(Broke("once the world settled"));

  // A sound set the smoke prepared and never released counts the same.
  sim.world.effects.looped.clear();
  sim.world.effects.preparedSoundSets[sim.Hash("Player_Campfire_Sounds")] = "Player_Campfire_Sounds";
  const size_t before = sim.Errors().size();
  Run("expect settled");
  ASSERT_GT(sim.Errors().size(), before);
  EXPECT_NE(sim.Errors().back().find("sound sets still prepared:\n    Player_Campfire_Sounds"), std::string::npos);
}

// The same session, threaded and then on the host's thread, each with an
// unload and a load in the middle: the same world, event for event.
std::vector<std::string> PlayWith(bool sameThread, int64_t laterMs) {
  static const char* const kSession =
      "ini <<END\n[General]\nENABLED=true\nEND\nwait 1s\nhold N 600ms\nwait 12s\nhold N 500ms\nwait 4s\n"
      "tap Y\nwait 6s\nset player.ragdoll true\nwait 1s\nset player.ragdoll false\nwait 4s\n"
      "hold , 600ms\nwait 3s\nunload\nwait 1s\nload\nwait 1s\nhold Y 300ms\nwait 1s\n"
      "control INPUT_DIVE tap\nwait 500ms\ncontrol INPUT_INTERACT_OPTION1 tap\nwait 4s\n"
      "control INPUT_MOVE_UP_ONLY tap 300ms\nwait 3s\ntap N\nwait 8s\nunload\n";
  sim::Simulator sim;
  sim.sameThreadScript = sameThread;
  sim.recordCalls = false;
  sim.SetTickBaseMs(5'000'000 + laterMs);
  sim.SetGameTimerBaseMs(100'000 + laterMs);
  sim.SetSystemTimeBase100ns(134'000'000'000'000'000 + laterMs * 10'000);
  sim.AttachInProcess(&PluginDllMain);
  std::string error;
  EXPECT_TRUE(sim::RunSession(sim, kSession, ".", error)) << error;
  EXPECT_TRUE(sim.Errors().empty()) << sim.Errors().front();
  std::vector<std::string> events;
  for (const sim::TimelineEvent& event : sim.timeline.Events()) {
    events.push_back(std::to_string(event.frame) + " " + event.category + " " + event.text);
  }
  return events;
}

TEST(SameThreadScript, PlaysASessionAsTheThreadedScriptDoes) {
#if defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer does not follow stack switches it is not told about.
  GTEST_SKIP() << "the same-thread script switches stacks unannounced to AddressSanitizer";
#endif
  // The plug-in reads Emberwick.ini from the working directory: a fresh one.
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  char dir[] = "/tmp/emberwick-test-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  ASSERT_EQ(chdir(dir), 0);
  const std::vector<std::string> threaded = PlayWith(false, 0);
  // The plug-in keeps its timestamps over an unload and a load, as the module
  // stays mapped: the second session comes an hour later, as it would in a game.
  const std::vector<std::string> sameThread = PlayWith(true, 3'600'000);
  ASSERT_GT(threaded.size(), 100u);
  EXPECT_EQ(threaded.size(), sameThread.size());
  for (size_t i = 0; i < threaded.size() && i < sameThread.size(); ++i) {
    if (threaded[i] != sameThread[i]) {
      ADD_FAILURE() << "event " << i << ":\n  " << threaded[i] << "\n  " << sameThread[i];
      break;
    }
  }
  std::remove("Emberwick.ini");
  EXPECT_EQ(chdir(previous), 0);
  rmdir(dir);
}

}  // namespace
