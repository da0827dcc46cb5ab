// A standard model that burns down (the long cigar) turns into the
// alternative one a while after it was lit (SWAP_TO_SHORT_CIGAR_AFTER_PERIOD).
#include "animations/task_queries.h"
#include "host/frame_reads.h"
#include "rules/world_rules.h"
#include "sequences/short_cigar_swap.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

// The swap rebuilds the queue, so it waits while an outro (a finish or a
// throw) plays rather than cutting it off.
void SwapWhenBurnedDown() {
  if (cigarLitTime == 0) return;
  const SmokeKind* kind = SmokedNow();
  if (kind && kind->burnsDown && GameMsSince(cigarLitTime) <= kind->burnsDown->afterMs) return;
  if (CurrentTaskPlays("outro")) return;
  SwapToShortModel();
}
