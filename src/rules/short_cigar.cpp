// A long cigar burns down to the short one 72 s after it was lit
// (SWAP_TO_SHORT_CIGAR_AFTER_PERIOD).
#include "animations/task_queries.h"
#include "host/frame_reads.h"
#include "rules/world_rules.h"
#include "sequences/short_cigar_swap.h"
#include "smoking/smoking_state.h"

// The swap rebuilds the queue, so it waits while an outro (a finish or a
// throw) plays rather than cutting it off.
void SwapCigarWhenBurnedDown() {
  if (cigarLitTime == 0 || GameMsSince(cigarLitTime) <= 72000) return;
  if (CurrentTaskPlays("outro")) return;
  SwapToShortCigar();
}
