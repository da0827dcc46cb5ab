// The runner's clock: tasks start by duration or by start offset, measured on
// the system clock, with the strict comparisons the controller relies on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/sequence_runner.h"
#include "animations/task_queries.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "smoking/smoke_kind.h"
#include "support/plugin_session.h"

namespace {

using test::PluginTest;

// A task that records when it ran and when it was destroyed.
struct Journal {
  std::vector<std::string> started;
  std::vector<std::string> destroyed;
};

class ProbeTask : public Animations::OffsetTask {
 public:
  ProbeTask(Journal& journal, std::string name, int durationMs)
      : journal_(journal), name_(std::move(name)), durationMs_(durationMs) {}
  ~ProbeTask() override { journal_.destroyed.push_back(name_); }
  void Execute() override { journal_.started.push_back(name_); }
  std::string GetName() override { return name_; }
  int GetDurationMs() override { return durationMs_; }

 private:
  Journal& journal_;
  std::string name_;
  int durationMs_;
};

// No plug-in script runs: frames only move the clocks, and the test steps the
// runner itself, as the controller would once per frame.
class Runner : public PluginTest {
 protected:
  TaskPtr Probe(const std::string& name, int durationMs) {
    return std::make_unique<ProbeTask>(journal, name, durationMs);
  }
  // Advances the clock by whole milliseconds (1 ms frames).
  void AdvanceMs(int ms) {
    sim.SetFrameUs(1000);
    sim.RunFrames(ms);
  }
  void TearDown() override {
    ResetToIdle(activeSequence);
    ResetToIdle(secondarySequence);
  }
  Journal journal;
  SequenceRunner& runner = activeSequence;
};

// Set back in the middle of a task, the system clock costs the task no more
// than the frame the step falls in; set forward, the task runs out at once.
TEST_F(Runner, TheSystemClockSetBackOrForwardMidTask) {
  for (const int64_t shiftMs : {int64_t{-300'000}, int64_t{300'000}}) {
    SCOPED_TRACE(shiftMs);
    Append(runner, std::make_unique<Animations::TaskDelay>(500));
    ::Start(runner);
    int idleAfterMs = 0;
    for (int ms = 1; ms <= 1000 && runner.running; ++ms) {
      if (ms == 200) sim.ShiftSystemTime100ns(shiftMs * 10'000);
      AdvanceMs(1);
      Update(runner);
      idleAfterMs = ms;
    }
    EXPECT_FALSE(runner.running);
    if (shiftMs < 0) {
      EXPECT_GE(idleAfterMs, 501);
      EXPECT_LE(idleAfterMs, 502);
    } else {
      EXPECT_EQ(idleAfterMs, 200);
    }
  }
}

TEST_F(Runner, StartOnAnEmptyQueueLeavesItIdle) {
  runner.smoke = &kCigarette;
  ::Start(runner);
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(runner.current, nullptr);
  EXPECT_EQ(SmokedNow(), nullptr);
}

TEST_F(Runner, ADelayRunsOutOnTheFirstUpdateAfterItsDuration) {
  runner.smoke = &kCigarette;
  Append(runner, std::make_unique<Animations::TaskDelay>(500));
  ::Start(runner);
  EXPECT_TRUE(runner.running);
  EXPECT_EQ(test::CurrentTaskName(runner), "TaskDelay_500");
  EXPECT_EQ(SmokedNow(), &kCigarette);
  AdvanceMs(500);
  Update(runner);  // exactly 500 ms: not yet, the comparison is strict
  EXPECT_TRUE(runner.running);
  EXPECT_DOUBLE_EQ(runner.elapsedMs, 500.0);
  AdvanceMs(1);
  Update(runner);
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(SmokedNow(), nullptr);
  EXPECT_DOUBLE_EQ(runner.elapsedMs, 501.0);  // kept while idle
}

TEST_F(Runner, AZeroDelayNeedsATickToPass) {
  Append(runner, std::make_unique<Animations::TaskDelay>(0));
  Append(runner, Probe("B", 10));
  ::Start(runner);
  Update(runner);  // same tick as the start
  EXPECT_EQ(test::CurrentTaskName(runner), "TaskDelay_0");
  sim.SetFrameUs(1);  // one microsecond is ten ticks
  sim.RunFrame();
  Update(runner);
  EXPECT_EQ(test::CurrentTaskName(runner), "B");
}

TEST_F(Runner, AnOffsetTaskStartsEarlyWithoutBecomingCurrent) {
  Append(runner, Probe("A", 1000));
  AppendWithOffset(runner, Probe("B", 5000), 300);
  ::Start(runner);
  AdvanceMs(300);
  Update(runner);
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A"}));
  AdvanceMs(1);
  Update(runner);
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(test::CurrentTaskName(runner), "A");
  EXPECT_EQ(journal.destroyed, (std::vector<std::string>{"B"}));  // released once started early
  AdvanceMs(699);
  Update(runner);
  EXPECT_TRUE(runner.running);
  AdvanceMs(1);
  Update(runner);  // B's own duration is never waited for
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(journal.destroyed, (std::vector<std::string>{"B", "A"}));
}

TEST_F(Runner, OffsetsAreMeasuredFromTheCurrentTaskAndStartOnePerFrame) {
  Append(runner, Probe("A", 100));
  AppendWithOffset(runner, Probe("B", 1), 10);
  AppendWithOffset(runner, Probe("C", 1), 20);
  AppendWithOffset(runner, Probe("D", 1), 20);
  ::Start(runner);
  AdvanceMs(50);
  Update(runner);
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A", "B"}));
  Update(runner);
  Update(runner);
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(test::CurrentTaskName(runner), "A");
}

TEST_F(Runner, OneTaskByDurationAndOneByOffsetPerUpdate) {
  Append(runner, Probe("A", 10));
  Append(runner, Probe("B", 10));
  AppendWithOffset(runner, Probe("C", 1), 0);
  AppendWithOffset(runner, Probe("D", 1), 0);
  ::Start(runner);
  AdvanceMs(100);
  Update(runner);
  // B became current just now: C's offset of 0 needs a tick after B's start.
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A", "B"}));
  AdvanceMs(1);
  Update(runner);
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A", "B", "C"}));
  AdvanceMs(100);
  Update(runner);  // B ran out: D becomes current by duration, nothing by offset
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(test::CurrentTaskName(runner), "D");
}

TEST_F(Runner, AnOffsetTaskReachedByDurationFirstSimplyBecomesCurrent) {
  Append(runner, Probe("A", 10));
  AppendWithOffset(runner, Probe("B", 50), 500);
  ::Start(runner);
  AdvanceMs(11);
  Update(runner);
  EXPECT_EQ(test::CurrentTaskName(runner), "B");
}

TEST_F(Runner, ClearPendingLetsTheCurrentTaskRunOut) {
  runner.smoke = &kCigar;
  Append(runner, Probe("A", 100));
  Append(runner, Probe("B", 100));
  Append(runner, Probe("C", 100));
  ::Start(runner);
  ClearPending(runner);
  EXPECT_EQ(journal.destroyed, (std::vector<std::string>{"B", "C"}));
  EXPECT_TRUE(runner.running);
  EXPECT_EQ(SmokedNow(), &kCigar);
  EXPECT_EQ(test::CurrentTaskName(runner), "A");
  AdvanceMs(101);
  Update(runner);
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(journal.started, (std::vector<std::string>{"A"}));
  EXPECT_EQ(journal.destroyed, (std::vector<std::string>{"B", "C", "A"}));
}

TEST_F(Runner, PrependGoesBeforeEverythingQueued) {
  Append(runner, Probe("A", 10));
  Append(runner, Probe("Z", 10));
  ::Start(runner);
  Prepend(runner, Probe("Y", 10));
  Prepend(runner, Probe("X", 10));
  EXPECT_EQ(runner.pending.front()->GetName(), "X");
  AdvanceSequence(runner);
  EXPECT_EQ(test::CurrentTaskName(runner), "X");
  EXPECT_EQ(journal.destroyed, (std::vector<std::string>{"A"}));
}

TEST_F(Runner, TheQueriesLookAtTheActiveSequenceOnly) {
  Append(secondarySequence, std::make_unique<Animations::PlayEmoteTask>(0x8B7C5F2Bu, 1, 100));
  secondarySequence.smoke = &kCigar;
  ::Start(secondarySequence);
  EXPECT_FALSE(CurrentTaskPlaysEmote());
  EXPECT_EQ(SmokedNow(), nullptr);
}

TEST_F(Runner, AnIdleRunnerIsNotStepped) {
  Append(runner, Probe("A", 0));
  AdvanceMs(10);
  Update(runner);
  EXPECT_TRUE(journal.started.empty());
  EXPECT_EQ(runner.pending.size(), 1u);
}

TEST_F(Runner, ResetToIdleReleasesEveryTask) {
  Append(runner, Probe("A", 10));
  Append(runner, Probe("B", 10));
  runner.smoke = &kCigarette;
  runner.quickEmote = true;
  ::Start(runner);
  ResetToIdle(runner);
  EXPECT_EQ(journal.destroyed.size(), 2u);
  EXPECT_FALSE(runner.running);
  EXPECT_EQ(runner.smoke, nullptr);
  EXPECT_FALSE(runner.quickEmote);
  EXPECT_TRUE(test::CurrentTaskName(runner).empty());
}

}  // namespace
