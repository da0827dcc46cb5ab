#include "sequences/quick_smoke.h"

#include "sequences/sequence_building.h"
#include "sequences/steps.h"
#include "smoking/inventory.h"

void StartQuickSmoke(const SmokeKind& kind) {
  if (!CanStartSmoking() || !HasItemFor(kind)) return;
  const QuickSmoke& quick = kind.quick;
  if (quick.hidesCheaperItems) HideCheaperItemsFor(kind);

  activeSequence.smoke = &kind;
  activeSequence.quickEmote = true;
  ClearPending(activeSequence);
  building::Next<Animations::PlayEmoteTask>(activeSequence, quick.emote, 0, quick.durationMs);
  QueueSteps(kind, quick.steps);
  Start(activeSequence);
}
