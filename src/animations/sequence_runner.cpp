#include "animations/sequence_runner.h"

#include <utility>

#include "host/platform.h"

SequenceRunner activeSequence;
SequenceRunner secondarySequence;
RunnerClock runnerClock;

namespace {

constexpr int64_t kTicksPerMs = 10'000;

// The system clock can be set back (by the player, or by a time sync) in the
// middle of a sequence; the runner's clock never goes back with it: a step
// back counts as no time at all, so the current task does not wait out the
// step. A step forward is taken as it comes.
int64_t RunnerTicks() {
  RunnerClock& clock = runnerClock;
  const int64_t system = host::SystemTime100ns();
  if (clock.lastSystemTicks == 0) clock.ticks = system;
  else if (system > clock.lastSystemTicks) clock.ticks += system - clock.lastSystemTicks;
  clock.lastSystemTicks = system;
  return clock.ticks;
}

}  // namespace

void Append(SequenceRunner& runner, TaskPtr task) {
  if (!task) return;
  runner.pending.push_back(std::move(task));
}

void AppendWithOffset(SequenceRunner& runner, TaskPtr task, int offsetMs) {
  if (!task) return;
  task->SetStartOffsetMs(offsetMs);
  runner.pending.push_back(std::move(task));
}

void Prepend(SequenceRunner& runner, TaskPtr task) {
  if (!task) return;
  runner.pending.push_front(std::move(task));
}

void Start(SequenceRunner& runner) {
  runner.sequenceStartTicks = RunnerTicks();
  runner.running = true;
  AdvanceSequence(runner);
}

void AdvanceSequence(SequenceRunner& runner) {
  if (runner.pending.empty()) {
    ResetToIdle(runner);
    return;
  }
  // The task leaves the queue before it runs: an Execute that yields frames
  // must not find itself still pending. The previous current task is released
  // only now, once nothing can refer to it any more.
  TaskPtr next = std::move(runner.pending.front());
  runner.pending.pop_front();
  runner.current = std::move(next);
  runner.current->Execute();
  // Taken after Execute, so frames spent loading assets do not eat the duration.
  runner.currentStartTicks = RunnerTicks();
}

void Update(SequenceRunner& runner) {
  if (!runner.running) return;
  const int64_t now = RunnerTicks();
  runner.elapsedMs = static_cast<double>(now - runner.sequenceStartTicks) * 0.0001;
  if (runner.current &&
      runner.currentStartTicks + static_cast<int64_t>(runner.current->GetDurationMs()) * kTicksPerMs < now) {
    AdvanceSequence(runner);
  }
  if (runner.pending.empty()) return;
  Animations::ISequenceTask& head = *runner.pending.front();
  if (head.HasStartOffset() &&
      runner.currentStartTicks + static_cast<int64_t>(head.GetStartOffsetMs()) * kTicksPerMs < now) {
    TaskPtr early = std::move(runner.pending.front());
    runner.pending.pop_front();
    early->Execute();
  }
}

void ClearPending(SequenceRunner& runner) { runner.pending.clear(); }

void ResetToIdle(SequenceRunner& runner) {
  runner.smoke = nullptr;
  runner.quickEmote = false;
  runner.current.reset();
  runner.pending.clear();
  runner.running = false;
}
