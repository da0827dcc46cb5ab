// The game's quick-use item takes an item out of the satchel on the I key:
// with the key of a kind that smokes it on I too, that kind must not be lit
// on the same press.
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "rules/world_rules.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"

namespace {
constexpr int kIKeyCode = 73;

bool AKindOnTheQuickUseKey() {
  for (const SmokeKind* kind : kSmokeKinds) {
    if (kind->item.takenByQuickUse && *kind->key == kIKeyCode) return true;
  }
  return false;
}
}  // namespace

// Every press counts, so the guard holds for each press, not only the first
// of a session.
void RecordQuickUseItem() {
  if (!AKindOnTheQuickUseKey()) return;
  if (native::IsInputJustPressed(GameName("INPUT_QUICK_USE_ITEM"))) quickUseItemPressTime = FrameGameTimer();
}
