#include "animations/sequence_runner.h"

SequenceRunner activeSequence;
SequenceRunner secondarySequence;

void Append(SequenceRunner&, TaskPtr) {}
void AppendWithOffset(SequenceRunner&, TaskPtr, int) {}
void Prepend(SequenceRunner&, TaskPtr) {}
void Start(SequenceRunner&) {}
void AdvanceSequence(SequenceRunner&) {}
void Update(SequenceRunner&) {}
void ClearPending(SequenceRunner&) {}
void ResetToIdle(SequenceRunner&) {}
bool IsSequence(const char*) { return false; }
bool CurrentTaskNameContains(const char*) { return false; }
bool NextTaskNameContains(const char*) { return false; }
