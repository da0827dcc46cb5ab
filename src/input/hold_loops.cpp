#include "input/hold_loops.h"

void QueueCigaretteHoldLoop(int) {}
void QueueCigarHoldLoop(int) {}
