// The game's emote of a quick smoke ends on its own; once it is over (the
// player's config flag 408 clears) our prop in its hand is dropped.
#include "host/frame_reads.h"
#include "host/natives.h"
#include "rules/world_rules.h"
#include "smoking/smoke_kind.h"
#include "smoking/stop_cleanup.h"

void EndFinishedEmote() {
  const SmokeKind* quick = QuickSmokeNow();
  if (activeSequence.elapsedMs > 500 && quick && quick->quick.ownProp &&
      !native::GetPedConfigFlag(playerPed, 408, true)) {
    DropSmokeProp();
  }
}
