// Replacing a standard model that burns down (the long cigar) by the
// alternative one (the short cigar) a while after it was lit.
#pragma once

void SwapToShortModel();
