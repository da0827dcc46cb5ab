#include "sequences/cigar_lighting.h"

void StartCigarLighting(int, bool) {}
