#include "sequences/short_cigar_swap.h"

void SwapToShortCigar() {}
