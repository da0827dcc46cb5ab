// Replacing a long cigar by the short lit one after a while.
#pragma once

void SwapToShortCigar();
