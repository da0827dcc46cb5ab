// Key state tracking on both input paths: the hook's relay and, in
// compatibility mode, polling each frame with the foreground-window check.
#include <gtest/gtest.h>

#include <climits>

#include "config/settings.h"
#include "host/key_states.h"
#include "host/platform.h"
#include "plugin/main_loop.h"
#include "session.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

// A key no setting binds by default: the input dispatch consumes the events
// of the smoke key (N) every frame.
constexpr int kN = 'K';

class KeyStates : public PluginTest {
 protected:
  // 1 ms frames, so that key timings land on exact milliseconds.
  void StartWith(const std::string& ini) {
    WriteIni(ini);
    sim.SetFrameUs(1000);
    Start();
  }
  void StartHookPath() { StartWith("[General]\nCOMPATIBILITY_MODE_ENABLED=false\n"); }
  void StartPollingPath() { StartWith("[General]\nCOMPATIBILITY_MODE_ENABLED=true\n"); }
  uint32_t Tick() const { return static_cast<uint32_t>(sim.TickCount64()); }
  // Reloads the settings on the script fiber; from then on the test drives the
  // plug-in's frames itself with PluginFrames.
  void Reload(const std::string& ini) {
    OnScript([this, ini] {
      WriteIni(ini);
      ReloadSettings();
    });
  }
  void PluginFrames(int count) {
    OnScript([count] {
      for (int i = 0; i < count; ++i) {
        RunFrame();
        host::ScriptWait(0);
      }
    });
  }
  // A session presses, holds, releases and taps F5 with the given input path.
  void PlaySessionKeys(bool compatibility) {
    std::string error;
    const std::string text = std::string("ini <<END\n[General]\nCOMPATIBILITY_MODE_ENABLED=") +
                             (compatibility ? "true" : "false") + "\nEND\nframes 1\npress F5\nwait 300ms\n";
    Attach();
    ASSERT_TRUE(sim::RunSession(sim, text, workDir, error)) << error;
    EXPECT_EQ(compatibilityMode, compatibility);
    EXPECT_TRUE(IsKeyHeld(116));
    ASSERT_TRUE(sim::RunSession(sim, "release F5\nframes 1\n", workDir, error)) << error;
    EXPECT_FALSE(IsKeyDown(116));
    EXPECT_TRUE(ConsumeKeyReleased(116));
    ASSERT_TRUE(sim::RunSession(sim, "tap F5\nframes 1\n", workDir, error)) << error;
    EXPECT_TRUE(ConsumeKeyTapped(116));
    // Key messages go to the window in front: the relay hears nothing.
    ASSERT_TRUE(sim::RunSession(sim, "foreground other\npress F5\nframes 1\n", workDir, error)) << error;
    EXPECT_FALSE(IsKeyDown(116));
  }
  // Press, keep the key down for `ms`, release; in polling mode the frames in
  // between are what the plug-in sees.
  void PressFor(int key, int64_t ms) {
    sim.KeyDown(key);
    Ms(ms);
    sim.KeyUp(key);
  }
};

TEST_F(KeyStates, HookPathTapAt199MsButNotAt200) {
  StartHookPath();
  PressFor(kN, 199);
  EXPECT_FALSE(IsKeyDown(kN));
  EXPECT_TRUE(ConsumeKeyTapped(kN));
  EXPECT_FALSE(ConsumeKeyTapped(kN));  // consumed
  EXPECT_TRUE(ConsumeKeyReleased(kN));
  EXPECT_FALSE(ConsumeKeyReleased(kN));

  PressFor(kN, 200);
  EXPECT_FALSE(ConsumeKeyTapped(kN));
  EXPECT_TRUE(ConsumeKeyReleased(kN));
}

TEST_F(KeyStates, PollingPathTapAt199MsButNotAt200) {
  StartPollingPath();
  // The press is seen by the next frame's poll and the release by the poll
  // 199 frames (ms) after it.
  sim.KeyDown(kN);
  Frames(1);
  EXPECT_TRUE(IsKeyDown(kN));
  const uint32_t pressedAt = keyStates[kN].pressTime;
  Ms(198);
  sim.KeyUp(kN);
  Frames(1);
  EXPECT_EQ(keyStates[kN].releaseTime - pressedAt, 199u);
  EXPECT_EQ(keyStates[kN].pressTime, 0u);
  EXPECT_FALSE(IsKeyDown(kN));
  EXPECT_TRUE(ConsumeKeyTapped(kN));
  EXPECT_TRUE(ConsumeKeyReleased(kN));

  sim.KeyDown(kN);
  Frames(1);
  Ms(199);
  sim.KeyUp(kN);
  Frames(1);
  EXPECT_FALSE(ConsumeKeyTapped(kN));
  EXPECT_TRUE(ConsumeKeyReleased(kN));
}

TEST_F(KeyStates, HeldFrom200MsOnThroughTheRelaysAutoRepeat) {
  StartHookPath();
  sim.KeyDown(kN);
  const uint32_t pressedAt = Tick();
  Ms(199);
  EXPECT_TRUE(IsKeyDown(kN));
  EXPECT_FALSE(IsKeyHeld(kN));
  Ms(1);
  EXPECT_TRUE(IsKeyHeld(kN));
  Ms(2000);
  // The relay repeated the key-down with wasDownBefore set all along; the
  // press kept its time.
  EXPECT_GT(sim.world.keyboard.repeatsSent, 40u);
  EXPECT_EQ(keyStates[kN].pressTime, pressedAt);
  EXPECT_TRUE(IsKeyHeld(kN));
  sim.KeyUp(kN);
  EXPECT_FALSE(IsKeyHeld(kN));
  EXPECT_FALSE(ConsumeKeyTapped(kN));
  EXPECT_TRUE(ConsumeKeyReleased(kN));
}

// Another window comes to the front while the key is held and gets its
// key-up: the key counts as released, with no release or tap to act on, and
// the repeats the relay sends once the game is back do not press it again.
TEST_F(KeyStates, AKeyHeldAsTheGameLosesTheFrontCountsAsReleasedSilently) {
  StartHookPath();
  sim.KeyDown(kN);
  Frames(300);
  ASSERT_TRUE(IsKeyHeld(kN));
  std::string error;
  ASSERT_TRUE(sim::RunSession(sim, "foreground other\nframes 1\nrelease K\nframes 1\n", workDir, error)) << error;
  EXPECT_FALSE(IsKeyDown(kN));
  EXPECT_FALSE(ConsumeKeyReleased(kN));
  EXPECT_FALSE(ConsumeKeyTapped(kN));
  ASSERT_TRUE(sim::RunSession(sim, "press K\nforeground game\nwait 1s\n", workDir, error)) << error;
  EXPECT_GT(sim.world.keyboard.repeatsSent, 0u);
  EXPECT_FALSE(IsKeyDown(kN));
  ASSERT_TRUE(sim::RunSession(sim, "release K\ntap K\n", workDir, error)) << error;
  EXPECT_TRUE(ConsumeKeyTapped(kN));
}

TEST_F(KeyStates, TheRelayRepeatsAfterItsDelayAtItsInterval) {
  StartHookPath();
  std::string error;
  ASSERT_TRUE(sim.Set("key_repeat_delay", "300ms", error)) << error;
  ASSERT_TRUE(sim.Set("key_repeat_interval", "50ms", error)) << error;
  sim.KeyDown(kN);
  Ms(299);
  EXPECT_EQ(sim.world.keyboard.repeatsSent, 0u);
  Ms(2);
  EXPECT_EQ(sim.world.keyboard.repeatsSent, 1u);
  Ms(500);
  EXPECT_EQ(sim.world.keyboard.repeatsSent, 11u);
  sim.KeyUp(kN);
  Ms(500);
  EXPECT_EQ(sim.world.keyboard.repeatsSent, 11u);

  ASSERT_TRUE(sim.Set("key_repeat", "off", error)) << error;
  sim.KeyDown(kN);
  Ms(1000);
  EXPECT_EQ(sim.world.keyboard.repeatsSent, 11u);
  EXPECT_FALSE(sim.Set("key_repeat", "sometimes", error));
}

TEST_F(KeyStates, AnEventLastsUntilTheNextUpdateOfItsEntry) {
  StartHookPath();
  PressFor(kN, 50);
  Ms(100);
  sim.KeyDown('Y');  // another key's message leaves N's events alone
  EXPECT_TRUE(keyStates[kN].tappedEvent);
  sim.KeyDown(kN);  // N's own next message clears them
  EXPECT_FALSE(ConsumeKeyTapped(kN));
  EXPECT_FALSE(ConsumeKeyReleased(kN));
}

TEST_F(KeyStates, PolledEventsLastOneFrame) {
  StartPollingPath();
  sim.KeyDown(kN);
  Frames(1);
  sim.KeyUp(kN);
  Frames(1);
  EXPECT_TRUE(keyStates[kN].releasedEvent);
  Frames(1);
  EXPECT_FALSE(ConsumeKeyReleased(kN));
  EXPECT_FALSE(ConsumeKeyTapped(kN));
}

TEST_F(KeyStates, NoKeyStaysDownWhenTheTickCountWrapsBetweenPressAndRelease) {
  sim.SetTickBaseMs((uint64_t{1} << 32) * 3 - 100);
  StartHookPath();
  sim.KeyDown(kN);
  Ms(150);
  ASSERT_LT(Tick(), 100u);  // wrapped
  sim.KeyUp(kN);
  EXPECT_FALSE(IsKeyDown(kN));
  EXPECT_FALSE(IsKeyHeld(kN));
  EXPECT_TRUE(ConsumeKeyTapped(kN));

  sim.KeyDown(kN);
  Ms(250);
  EXPECT_TRUE(IsKeyHeld(kN));
}

TEST_F(KeyStates, PollingAcrossTheWrapAndAPressAtTickZero) {
  sim.SetTickBaseMs((uint64_t{1} << 32) - 20);
  StartPollingPath();
  // Frames are 1 ms: find the frame on which the low 32 bits read 0.
  while (Tick() != 0) Frames(1);
  sim.KeyDown(kN);
  Frames(1);
  EXPECT_EQ(keyStates[kN].pressTime, 0u);
  EXPECT_TRUE(IsKeyDown(kN));
  Ms(100);
  EXPECT_TRUE(IsKeyDown(kN));  // not taken for a new press
  EXPECT_FALSE(ConsumeKeyReleased(kN));
  Ms(150);
  EXPECT_TRUE(IsKeyHeld(kN));
  sim.KeyUp(kN);
  Frames(1);
  EXPECT_FALSE(IsKeyDown(kN));
  EXPECT_FALSE(ConsumeKeyTapped(kN));
  EXPECT_TRUE(ConsumeKeyReleased(kN));
}

TEST_F(KeyStates, CodesOutsideTheTableAreNeverPressed) {
  StartHookPath();
  const KeyState before = keyStates[255];
  OnKeyboardMessage(256, 1, 0, 0, 0, 0, 0);
  OnKeyboardMessage(0xFFFFFFFFu, 1, 0, 0, 0, 0, 0);
  OnKeyboardMessage(4095, 1, 0, 0, 0, 0, 1);
  EXPECT_EQ(keyStates[255].pressTime, before.pressTime);
  for (int key : {-1, -16, 256, 4095, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(IsKeyDown(key)) << key;
    EXPECT_FALSE(IsKeyHeld(key)) << key;
    EXPECT_FALSE(ConsumeKeyReleased(key)) << key;
    EXPECT_FALSE(ConsumeKeyTapped(key)) << key;
  }
  // The same through a binding that reads as a negative number, polled too.
  Reload("[General]\nKEY_SMOKE=-1\nCOMPATIBILITY_MODE_ENABLED=true\n");
  PluginFrames(2);
  EXPECT_FALSE(IsKeyDown(KEY_SMOKE));
  EXPECT_FALSE(ConsumeKeyTapped(KEY_SMOKE));
}

TEST_F(KeyStates, AReleaseWithoutASeenPressIsNoTap) {
  StartHookPath();
  // Held since before the plug-in loaded: only repeats and the release arrive.
  OnKeyboardMessage(kN, 1, 0, 0, 0, 1, 0);
  EXPECT_FALSE(IsKeyDown(kN));
  OnKeyboardMessage(kN, 1, 0, 0, 0, 1, 1);
  EXPECT_TRUE(ConsumeKeyReleased(kN));
  EXPECT_FALSE(ConsumeKeyTapped(kN));
}

TEST_F(KeyStates, CompatibilityModeAnswersNothingWhileAnotherWindowIsInFront) {
  StartPollingPath();
  sim.KeyDown(kN);  // the relay's message is ignored: only the poll sees the key
  EXPECT_FALSE(IsKeyDown(kN));
  Frames(1);
  EXPECT_TRUE(IsKeyDown(kN));
  sim.world.keyboard.gameInForeground = false;
  Ms(300);
  // Still polled: the table follows the key, but no query answers.
  EXPECT_NE(keyStates[kN].down, 0);
  EXPECT_FALSE(IsKeyDown(kN));
  EXPECT_FALSE(IsKeyHeld(kN));
  sim.KeyUp(kN);
  Frames(1);
  EXPECT_TRUE(keyStates[kN].releasedEvent);
  EXPECT_FALSE(ConsumeKeyReleased(kN));
  // Nothing was consumed: back in front before the next poll, the release is there.
  sim.world.keyboard.gameInForeground = true;
  EXPECT_TRUE(ConsumeKeyReleased(kN));
}

TEST_F(KeyStates, AReloadSwitchesTheInputPathAndKeepsTheTable) {
  StartHookPath();
  sim.KeyDown(kN);
  const uint32_t pressedAt = keyStates[kN].pressTime;
  Ms(50);
  Reload("[General]\nCOMPATIBILITY_MODE_ENABLED=true\n");
  EXPECT_TRUE(compatibilityMode);
  EXPECT_EQ(keyStates[kN].pressTime, pressedAt);
  // Polling now: the key still down keeps its press; its release is polled.
  PluginFrames(1);
  EXPECT_EQ(keyStates[kN].pressTime, pressedAt);
  sim.world.keyboard.gameInForeground = false;
  EXPECT_FALSE(IsKeyDown(kN));
  sim.world.keyboard.gameInForeground = true;
  sim.KeyUp(kN);
  PluginFrames(1);
  EXPECT_TRUE(ConsumeKeyTapped(kN));

  // And back: the relay is heard again, and the queries make no window check;
  // the next frame lets go of a key held as another window comes to the front.
  Reload("[General]\nCOMPATIBILITY_MODE_ENABLED=false\n");
  sim.KeyDown('Y');
  sim.world.keyboard.gameInForeground = false;
  EXPECT_TRUE(IsKeyDown('Y'));
  PluginFrames(1);
  EXPECT_FALSE(IsKeyDown('Y'));
}

TEST_F(KeyStates, SessionKeysReachThePlugInThroughTheRelay) { PlaySessionKeys(false); }
TEST_F(KeyStates, SessionKeysReachThePlugInThroughPolling) { PlaySessionKeys(true); }

}  // namespace
