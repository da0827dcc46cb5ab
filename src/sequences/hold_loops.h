// Holding the lit prop in the hand between puffs.
#pragma once

struct SmokeKind;

// Queues the kind's hold clip for `durationMs`; nothing for 0 or less.
void QueueHoldLoop(const SmokeKind& kind, int durationMs);
