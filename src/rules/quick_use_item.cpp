// The game's quick-use item takes a cigar out of the satchel on the I key:
// with the cigar key on I too, a cigar must not be lit on the same press.
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"
#include "rules/world_rules.h"
#include "smoking/smoking_state.h"

namespace {
constexpr int kIKeyCode = 73;
}  // namespace

// Every press counts, so the guard holds for each press, not only the first
// of a session.
void RecordQuickUseItem() {
  if (KEY_SMOKE_CIGAR != kIKeyCode) return;
  if (native::IsInputJustPressed(GameName("INPUT_QUICK_USE_ITEM"))) quickUseItemPressTime = FrameGameTimer();
}
