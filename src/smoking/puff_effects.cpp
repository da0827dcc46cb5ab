#include "smoking/puff_effects.h"

void QueueCigarettePuffCycle(int) {}
void QueueCigarPuffCycle(int) {}
void UpdateInMouthEffects() {}
