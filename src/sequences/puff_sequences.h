// Runs of random puffs from the hand.
#pragma once

#include <vector>

void QueueCigarettePuffs(int count, bool manual);
void QueueCigarPuffs(int count, bool manual);

// The variants a run of `count` puffs plays, drawn with the game's random
// numbers under the no-repetition rules; the two builders above draw with these.
std::vector<int> DrawCigarettePuffVariants(int count);
std::vector<int> DrawCigarPuffVariants(int count);
