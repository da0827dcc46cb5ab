// Runs of random puffs from the hand.
#pragma once

#include <vector>

struct SmokeKind;

void QueuePuffs(const SmokeKind& kind, int count, bool manual);

// The variants a run of `count` puffs plays, drawn with the game's random
// numbers under the no-repetition rules; QueuePuffs draws with this.
std::vector<int> DrawPuffVariants(const SmokeKind& kind, int count);
