// Holding the lit prop between puffs.
#pragma once

void QueueCigaretteHoldLoop(int durationMs);
void QueueCigarHoldLoop(int durationMs);
