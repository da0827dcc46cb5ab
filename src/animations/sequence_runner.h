// A queue of tasks started one after another, by duration or by start offset,
// on the 100-ns system clock (steps of it back ignored).
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "animations/sequence_task.h"

struct SequenceRunner {
  std::list<TaskPtr> pending;
  int64_t currentStartTicks = 0;
  TaskPtr current;
  std::string currentTaskName;
  std::string sequenceName;
  int64_t sequenceStartTicks = 0;
  double elapsedMs = 0.0;
  bool running = false;
};

extern SequenceRunner activeSequence;
extern SequenceRunner secondarySequence;

void Append(SequenceRunner& runner, TaskPtr task);
void AppendWithOffset(SequenceRunner& runner, TaskPtr task, int offsetMs);
void Prepend(SequenceRunner& runner, TaskPtr task);
void Start(SequenceRunner& runner);
void AdvanceSequence(SequenceRunner& runner);
void Update(SequenceRunner& runner);
void ClearPending(SequenceRunner& runner);
// Name empty, no current task, queue empty, not running.
void ResetToIdle(SequenceRunner& runner);

bool IsSequence(const char* name);
bool CurrentTaskNameContains(const char* text);
bool NextTaskNameContains(const char* text);
