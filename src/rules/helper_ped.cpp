// The lighting's helper ped (the invisible dummy that holds a pose) is
// deleted 2.1 s after it was queued, also after a smoke that ended early.
#include "animations/sequence_runner.h"
#include "host/frame_reads.h"
#include "rules/world_rules.h"
#include "smoking/smoking_state.h"
#include "smoking/stop_cleanup.h"

// The handle is forgotten once the ped is gone, so that a number the game
// hands out again later never deletes an unrelated ped. While the sequence
// that spawns it still plays, a ped that is not there yet is waited for.
void DeleteHelperPed() {
  if (dummyPedTime == 0 || GameMsSince(dummyPedTime) <= 2100) return;
  if (DeleteDummyPed() || !activeSequence.running) dummyPedTime = 0;
}
