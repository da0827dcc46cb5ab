#include "sequences/puff_sequences.h"

void QueueCigarettePuffs(int, bool) {}
void QueueCigarPuffs(int, bool) {}
