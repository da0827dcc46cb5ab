// Weapon selection while smoking. While a clip needs the hand (a lighting,
// a throw) the selection controls are swallowed and the last one pressed is
// replayed once the hand is free; a selection with the prop in the hand puts
// it in the mouth first and then replays the selection.
#include <array>

#include "animations/task_queries.h"
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/name_hash.h"
#include "rules/rule_support.h"
#include "rules/world_rules.h"
#include "sequences/mouth_transition.h"

constexpr const char* QuickSelectControls[kQuickSelectControlCount] = {
    "INPUT_TOGGLE_HOLSTER",
    "INPUT_SELECT_QUICKSELECT_SIDEARMS_LEFT",
    "INPUT_SELECT_QUICKSELECT_DUALWIELD",
    "INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT",
    "INPUT_SELECT_QUICKSELECT_UNARMED",
    "INPUT_SELECT_QUICKSELECT_MELEE_NO_UNARMED",
    "INPUT_SELECT_QUICKSELECT_SECONDARY_LONGARM",
    "INPUT_SELECT_QUICKSELECT_THROWN",
    "INPUT_SELECT_QUICKSELECT_PRIMARY_LONGARM",
};
const char* const kNoControl = "";
bool quickSelectReplayArmed = false;
const char* pendingQuickSelect = kNoControl;
int quickSelectReplayTime = 0;

namespace {

// The selection controls' hashes, in the order of their names.
constexpr auto kQuickSelectHashes = [] {
  std::array<Hash, kQuickSelectControlCount> hashes{};
  for (int i = 0; i < kQuickSelectControlCount; ++i) hashes[i] = HashName(QuickSelectControls[i]);
  return hashes;
}();
// Listed game names, as GameName() would insist.
static_assert([] {
  for (const char* control : QuickSelectControls) {
    if (!IsGameName(control)) return false;
  }
  return true;
}());

// The hash of a selection control (or of no control), known by its name.
Hash ControlHash(const char* name) {
  for (int i = 0; i < kQuickSelectControlCount; ++i) {
    if (QuickSelectControls[i] == name) return kQuickSelectHashes[i];
  }
  return HashName(name);
}

// The last of the selection controls that is held; later ones win.
const char* ScanQuickSelect() {
  const char* pressed = kNoControl;
  for (int i = 0; i < kQuickSelectControlCount; ++i) {
    if (rules::ControlHeld(kQuickSelectHashes[i])) pressed = QuickSelectControls[i];
  }
  return pressed;
}

void SwallowSelection(const char* pressed) {
  if (holsterBlockUntil != 0 && FrameGameTimer() != holsterBlockUntil) {
    for (Hash control : kQuickSelectHashes) native::DisableControlAction(0, control, false);
    if (pressed != kNoControl) {
      quickSelectReplayArmed = true;
      pendingQuickSelect = pressed;
    }
  }
  if (holsterBlockUntil != 0 && GameMsSince(holsterBlockUntil) > 0) holsterBlockUntil = 0;
}

// The hand is free once none of the hand-held emote clips of the kinds that
// hold the selection plays on the player (other kinds' are not asked).
bool HandHeldEmoteFinished() {
  static const char* const kEmoteClips[] = {"outro", "loop", "action", "action_alt1", "action_alt2"};
  for (const SmokeKind* kind : kSmokeKinds) {
    if (!kind->handHeldClipsHoldTheSelection) continue;
    for (const char* clip : kEmoteClips) {
      if (native::GetEntityAnimCurrentTime(playerPed, kind->dictionary, clip) != 0.0f) return false;
    }
  }
  return true;
}

void ReleaseSwallowedSelection() {
  if (!quickSelectReplayArmed) return;
  if (!native::IsControlEnabled(0, GameName("INPUT_TOGGLE_HOLSTER"))) return;
  if (!HandHeldEmoteFinished()) return;
  for (Hash control : kQuickSelectHashes) native::EnableControlAction(0, control, true);
  quickSelectReplayTime = FrameGameTimer() + quickSelectReplayDelay;
  quickSelectReplayArmed = false;
  holsterBlockUntil = 0;
}

void ReplaySelection() {
  if (quickSelectReplayTime == 0) return;
  const int elapsed = GameMsSince(quickSelectReplayTime);
  if (elapsed > 40) {
    quickSelectReplayTime = 0;
  } else if (elapsed > 20) {
    native::SetControlValueNextFrame(0, ControlHash(pendingQuickSelect), 1.0f);
  }
}

}  // namespace

const char* UpdateWeaponSelection() {
  const char* pressed = ScanQuickSelect();
  SwallowSelection(pressed);
  ReleaseSwallowedSelection();
  ReplaySelection();
  return pressed;
}

void PutAwayForWeapon(const char* pressed) {
  if (propInMouth || !native::IsPedCurrentWeaponHolstered(playerPed) || pressed == kNoControl) return;
  if (activeSequence.elapsedMs <= 1000) return;
  if (CurrentTaskPlays("outro") || CurrentTaskPlays("intro")) return;
  const SmokeKind* kind = SmokedNow();
  if (kind) MoveToMouth(*kind, MOVE_TO_MOUTH_IMMEDIATELY, false, true);
  pendingQuickSelect = pressed;
  if (!MOVE_TO_MOUTH_IMMEDIATELY) {
    quickSelectReplayTime = FrameGameTimer() + (kind ? kind->toMouthForWeaponMs : 1000);
    return;
  }
  native::ClearPedTasks(playerPed, 0, 0);
  native::SetControlValueNextFrame(0, ControlHash(pendingQuickSelect), 1.0f);
  quickSelectReplayTime = FrameGameTimer() + 30;
}
