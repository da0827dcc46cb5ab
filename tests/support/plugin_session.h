// A simulated game with the plug-in linked into the test: the way tests drive
// the plug-in frame by frame and look at the world it leaves.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "animations/sequence_runner.h"
#include "simulator.h"

namespace test {

// The name of the runner's current task, for checks and messages
// ("TaskDelay_600"); empty while it is idle.
std::string CurrentTaskName(const SequenceRunner& runner = activeSequence);

class PluginTest : public ::testing::Test {
 protected:
  PluginTest();
  ~PluginTest() override;

  // Writes Emberwick.ini into the test's working directory (call before Start).
  void WriteIni(const std::string& contents);
  // DllMain attach, then the first frame: ScriptMain cleans up, loads the
  // settings and runs its first pass.
  void Start();
  // Attach only; no frame runs.
  void Attach();
  void Frames(int count) { sim.RunFrames(count); }
  void Ms(int64_t ms) { sim.RunMs(ms); }

  // Runs `fn` on the script fiber in place of the plug-in's script main for
  // one frame, for tests that call the plug-in's functions directly (tasks
  // that wait for assets yield frames there).
  void OnScript(const std::function<void()>& fn);

  // A plug-in prop of `model` in the player's hand, as smokeProp: what the
  // builders that act on a held smoke need.
  int HoldProp(const char* model = "p_cigarette01x");

  // Native calls recorded so far, by catalogue name.
  std::vector<const sim::RecordedCall*> Calls(const std::string& name) const { return sim.CallsNamed(name); }
  size_t CountCalls(const std::string& name) const { return sim.CountCalls(name); }
  // The names of every call recorded, in order ("PlayerPedId", ...).
  std::vector<std::string> CallNames() const;

  sim::Simulator sim;
  std::string workDir;

 private:
  std::string previousDir_;
};

}  // namespace test
