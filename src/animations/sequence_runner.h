// A queue of tasks started one after another, by duration or by start offset,
// on the 100-ns system clock (steps of it back ignored).
#pragma once

#include <cstdint>
#include <list>

#include "animations/sequence_task.h"

// What a smoking sequence smokes, described in smoking/smoke_kind.h. The
// runner only carries the builder's answer along with the queue.
struct SmokeKind;

struct SequenceRunner {
  std::list<TaskPtr> pending;
  int64_t currentStartTicks = 0;
  TaskPtr current;
  int64_t sequenceStartTicks = 0;
  double elapsedMs = 0.0;
  bool running = false;
  // What the sequence smokes, as the builder that started it set it: the
  // kind, and whether the game's quick smoking emote plays it. Forgotten
  // when the runner goes idle, like the queue.
  const SmokeKind* smoke = nullptr;
  bool quickEmote = false;
};

extern SequenceRunner activeSequence;
extern SequenceRunner secondarySequence;

// The clock both runners read: the 100-ns system clock with its steps back
// taken out. It starts from the system clock on its first reading.
struct RunnerClock {
  int64_t lastSystemTicks = 0;  // 0 = not read yet
  int64_t ticks = 0;
};
extern RunnerClock runnerClock;

void Append(SequenceRunner& runner, TaskPtr task);
void AppendWithOffset(SequenceRunner& runner, TaskPtr task, int offsetMs);
void Prepend(SequenceRunner& runner, TaskPtr task);
void Start(SequenceRunner& runner);
void AdvanceSequence(SequenceRunner& runner);
void Update(SequenceRunner& runner);
void ClearPending(SequenceRunner& runner);
// Nothing smoked, no current task, queue empty, not running.
void ResetToIdle(SequenceRunner& runner);
