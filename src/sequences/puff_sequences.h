// Runs of random puffs from the hand.
#pragma once

void QueueCigarettePuffs(int count, bool manual);
void QueueCigarPuffs(int count, bool manual);
