// The bundled session with a mistyped settings file, played as emberwick-sim
// plays it: the notice at the load, each finding in the log's lines of the
// timeline, and a reload through the file's own KEY_RELOAD.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "host/version.h"
#include "plugin_log.h"
#include "session.h"
#include "support/plugin_session.h"

namespace {

class MistypedSettingsSession : public test::PluginTest {};

TEST_F(MistypedSettingsSession, TellsThePlayerEachLineAndPlaysOn) {
  std::stringstream session;
  session << std::ifstream(EMBERWICK_SESSIONS_DIR "/mistyped_settings.ews").rdbuf();
  ASSERT_FALSE(session.str().empty());
  sim::FollowPluginLog(sim, workDir);
  Attach();
  std::string error;
  ASSERT_TRUE(sim::RunSession(sim, session.str(), EMBERWICK_SESSIONS_DIR, error)) << error;

  const std::string version = kEmberwickVersion;
  auto at = [this](const std::string& category, const std::string& piece) -> int64_t {
    for (const sim::TimelineEvent& event : sim.timeline.Events()) {
      if (event.category == category && event.text.find(piece) != std::string::npos) {
        return static_cast<int64_t>(event.frame);
      }
    }
    return -1;
  };
  EXPECT_EQ(at("screen", "Emberwick " + version + ": 7 lines of Emberwick.ini need a look, see Emberwick.log"), 0);
  EXPECT_EQ(at("log", "Settings: Emberwick.ini in <run folder> (the module's folder)"), 0);
  for (const char* line : {"line 4 \"ENABLED=flase\"", "line 6 \"KEY_SMOKE=F5\"", "line 7 \"KEY_TAKE_PUFF=H\"",
                           "line 8 \"KEY_SMOK=F6\"", "line 9 \"KEY_OPEN_SCENARIO_MENU=DEL\"",
                           "line 12 \"REGEN_DEAD_EYE_BURST_SECONDS=035\"", "line 15 \"CIGARETTE_X_OFFSET=0,01\""}) {
    EXPECT_EQ(at("log", std::string("Emberwick.ini ") + line), 0) << line;
  }
  const int64_t reload = at("note", "END + F5");
  ASSERT_GT(reload, 0);
  EXPECT_EQ(at("screen", "Emberwick " + version + ": settings reloaded"), reload);
  EXPECT_EQ(at("log", "Settings reloaded"), reload);
  EXPECT_EQ(sim.timeline.Count("prop", "prop p_cigarette01x"), 2u) << "N lights before and after the reload";
  EXPECT_TRUE(sim.Errors().empty());
}

}  // namespace
