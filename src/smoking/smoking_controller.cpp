#include "smoking/smoking_controller.h"

#include <array>
#include <string>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/main_loop.h"
#include "host/game_time.h"
#include "host/natives.h"
#include "host/planted_fault.h"
#include "host/platform.h"
#include "input/stop_cleanup.h"
#include "sequences/settle_in_fingers.h"
#include "sequences/short_cigar_swap.h"
#include "smoking/mouth_transition.h"
#include "smoking/prop_attachment.h"
#include "smoking/puff_effects.h"
#include "smoking/smoking_state.h"

uint32_t mountedSince = 0;
bool mountLatched = false;
bool quickSelectReplayArmed = false;
const char* const kNoControl = "";
const char* pendingQuickSelect = kNoControl;
int quickSelectReplayTime = 0;
Hash cigarMood = 0;
int cigarMoodTime = 0;
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

using Animations::AnimationTask;
using Animations::MovePropTask;
using Animations::TaskDelay;

constexpr const char* kCigaretteSequence = "smoke_cigarette";
constexpr const char* kCigarSequence = "smoke_cigar";
constexpr const char* kCigaretteEmoteSequence = "smoke_cigarette_emote";
constexpr Hash kWheelControl = GameName("INPUT_OPEN_WHEEL_MENU");
constexpr const char* kFacialBrowsFilter = "facialonly_brows";
constexpr const char* kMissingDictionaryText =
    "Animation dictionary missing. Online Content Unlocker or version.dll not working.";

constexpr int kDeadEyeCore = 2;
constexpr int kHeadBone = 21030;
constexpr int kJawBone = 56200;
constexpr int kWeaponAttachPoint = 10;
constexpr int kIKeyCode = 73;

int Now() { return FrameGameTimer(); }

int Elapsed(int since) { return game_time::Since(Now(), since); }

// The low 32 bits of the tick count wrap after 49.7 days; differences taken
// as unsigned 32-bit values stay right across the wrap.
uint32_t Tick32() { return static_cast<uint32_t>(host::TickCount64()); }
uint32_t TicksSince(uint32_t since) { return Tick32() - since; }

// The hash of a selection control (or of no control), known by its name.
Hash ControlHash(const char* name) {
  for (int i = 0; i < kQuickSelectControlCount; ++i) {
    if (QuickSelectControls[i] == name) return kQuickSelectHashes[i];
  }
  return HashName(name);
}

bool Held(Hash control) { return native::IsDisabledControlHeld(0, control); }
bool JustPressed(Hash control) { return native::IsControlJustPressed(0, control); }

bool PlayingCigarette() { return IsSequence(kCigaretteSequence); }
bool PlayingCigar() { return IsSequence(kCigarSequence); }

TaskPtr WanderBase(int durationMs, float blendIn, float blendOut, const char* filter) {
  return MakeWanderBaseClip(durationMs, UpperBodyAnimFlags(), UpperBodyIkFlags(), blendIn, blendOut, 1.2f, filter);
}

TaskPtr PropToFingers() {
  return std::make_unique<MovePropTask>(&smokeProp, fingerBoneIndex, 0.0f, 0.0f, 0.01f, 0.0f, 0.0f, -90.0f, 0, 2);
}

void ShowMissingDictionaryMessage() {
  if (animDictMissingTime == 0) return;
  const uint32_t u = TicksSince(static_cast<uint32_t>(animDictMissingTime)) / 16;
  if (u >= 1 && u <= 399) {
    const char* text = native::MakeLiteralText(10, "LITERAL_STRING", kMissingDictionaryText);
    native::DrawTextOnScreen(text, 0.07f, 0.5f);
  } else if (u > 400) {
    animDictMissingTime = 0;
  }
}

void TrackMount() {
  if (!mountLatched && native::IsPedOnMount(FramePlayerPed())) {
    mountLatched = true;
    const uint32_t now = Tick32();
    mountedSince = now != 0 ? now : 1;  // 0 means not mounted
  } else if (native::IsPedOnFoot(playerPed)) {
    mountLatched = false;
    mountedSince = 0;
  }
}

// The last of the selection controls that is held; later ones win.
const char* ScanQuickSelect() {
  const char* pressed = kNoControl;
  for (int i = 0; i < kQuickSelectControlCount; ++i) {
    if (Held(kQuickSelectHashes[i])) pressed = QuickSelectControls[i];
  }
  return pressed;
}

void SwallowSelection(const char* pressed) {
  if (holsterBlockUntil != 0 && Now() != holsterBlockUntil) {
    for (Hash control : kQuickSelectHashes) native::DisableControlThisFrame(0, control, false);
    if (pressed != kNoControl) {
      quickSelectReplayArmed = true;
      pendingQuickSelect = pressed;
    }
  }
  if (holsterBlockUntil != 0 && Elapsed(holsterBlockUntil) > 0) holsterBlockUntil = 0;
}

bool HandHeldEmoteFinished() {
  static const char* const kEmoteClips[] = {"outro", "loop", "action", "action_alt1", "action_alt2"};
  for (const char* clip : kEmoteClips) {
    if (native::GetEntityAnimTime(playerPed, kCigaretteDictionary, clip) != 0.0f) return false;
  }
  return true;
}

void ReleaseSwallowedSelection() {
  if (!quickSelectReplayArmed) return;
  if (!native::IsControlActive(0, GameName("INPUT_TOGGLE_HOLSTER"))) return;
  if (!HandHeldEmoteFinished()) return;
  for (Hash control : kQuickSelectHashes) native::EnableControl(0, control, true);
  quickSelectReplayTime = Now() + quickSelectReplayDelay;
  quickSelectReplayArmed = false;
  holsterBlockUntil = 0;
}

void ReplaySelection() {
  if (quickSelectReplayTime == 0) return;
  const int elapsed = Elapsed(quickSelectReplayTime);
  if (elapsed > 40) {
    quickSelectReplayTime = 0;
  } else if (elapsed > 20) {
    native::PushControlValue(0, ControlHash(pendingQuickSelect), 1.0f);
  }
}

// Every press counts, so the cigar key's guard against the game's quick-use
// item holds for each press, not only the first of a session.
void RecordQuickUseItem() {
  if (KEY_SMOKE_CIGAR != kIKeyCode) return;
  if (native::IsInputJustPressed(GameName("INPUT_QUICK_USE_ITEM"))) quickUseItemPressTime = Now();
}

int SinceOrZero(int time) { return time == 0 ? 0 : Elapsed(time); }

bool DeadEyeBurstFull() {
  return deadEyeBurstEnabled && native::GetPedAttributeValue(playerPed, kDeadEyeCore) == 100 &&
         SinceOrZero(smokeStartTime) < deadEyeBurstWindowMs;
}

void RegenerateDeadEye() {
  if (native::IsDeadEyeActive(FramePlayerIndex())) return;
  int intervalMs = 0;
  int amount = 0;
  if (DeadEyeBurstFull()) {
    intervalMs = 1800;
  } else if (deadEyeBurstEnabled && SinceOrZero(smokeStartTime) < deadEyeBurstWindowMs) {
    intervalMs = 700;
    amount = 3;
  } else if (REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED) {
    intervalMs = 7500;
    amount = propInMouth ? 6 : 7;
  }
  if (SinceOrZero(deadEyeTickTime) <= intervalMs) return;
  deadEyeTickTime = Now();
  if (DeadEyeBurstFull()) {
    // The game takes three more integers here; its own scripts pass 0, 0, 1.
    if (EMBERWICK_PLANTED(dead_eye_two_arguments)) {
      native::Invoke<0x51345AE20F22C261ull, void, int, float>(FramePlayerIndex(), 1.5f);
    } else {
      native::RestoreDeadEye(FramePlayerIndex(), 1.5f, 0, 0, 1);
    }
  } else if (amount != 0) {
    const int core = native::GetPedAttributeValue(playerPed, kDeadEyeCore);
    native::SetPedAttributeValue(playerPed, kDeadEyeCore, core + amount);
  }
}

void InteractWithHandHeldProp() {
  if (!JustPressed(GameName("INPUT_INTERACT_ANIMAL")) && !JustPressed(GameName("INPUT_ENTER"))) return;
  if (PlayingCigarette() && SmokePropHeld()) {
    Prepend(activeSequence, std::make_unique<TaskDelay>(4500));
    Prepend(activeSequence, WanderBase(1000, 0.0001f, -1.0f, kFacialBrowsFilter));
    Prepend(activeSequence, PropToFingers());
    Prepend(activeSequence, WanderBase(350, 0.0001f, -1.0f, kFacialBrowsFilter));
    AdvanceSequence(activeSequence);
  } else if (PlayingCigar()) {
    MoveCigarToMouth(false, false);
  }
}

// A name of the form "AnimationTask_<dictionary>_<clip>" contains `text`.
bool ClipNameContains(const AnimationTask& task, const char* text) {
  return task.dictionary.find(text) != std::string::npos || task.clip.find(text) != std::string::npos;
}

// Keeps a clip that is about to play to the upper body while mounted, seated
// or in a scenario. The queued task is inspected by type rather than by a
// freshly built name, so no string is made on the frames this runs.
void AdjustNextAnimation() {
  AnimationTask* next = nullptr;
  if (!activeSequence.pending.empty()) next = dynamic_cast<AnimationTask*>(activeSequence.pending.front().get());
  if (next == nullptr || !UpperBodyOnly()) {
    wanderBaseQueued = false;
    return;
  }
  next->extraFlags = UpperBodyIkFlags();
  next->clipFlags = UpperBodyAnimFlags();
  next->filter = "headneckandrightarm_filter";
  if (ClipNameContains(*next, kWanderBaseDictionary)) {
    next->extraFlags = UpperBodyIkFlags();
    next->clipFlags = UpperBodyAnimFlags();
    next->blendIn = 0.0001f;
    next->filter = kFacialBrowsFilter;
  }
  if (ClipNameContains(*next, "outro") && !wanderBaseQueued) {
    Append(activeSequence, WanderBase(2000, 0.0001f, -1.0f, kFacialBrowsFilter));
    wanderBaseQueued = true;
  }
}

bool HoldsWeapon() {
  Hash weapon = 0;
  native::GetPedWeaponInHand(playerPed, &weapon, false, kWeaponAttachPoint, false);
  return native::IsWeaponValid(weapon) && weapon != native::UnarmedWeaponOf(playerPed);
}

// A weapon drawn in the saddle: the hand-held prop goes to the mouth or the
// fingers once per ride, after 600 units of 16 ms.
void HandleWeaponOnHorseback() {
  if (!mountLatched || !activeSequence.running || mountedSince == 0) return;
  if (TicksSince(mountedSince) / 16 <= 600) return;
  if (!propInMouth && HoldsWeapon() && SmokePropHeld()) {
    if (PlayingCigar()) {
      MoveCigarToMouth(false, false);
    } else {
      Prepend(activeSequence, PropToFingers());
      AdvanceSequence(activeSequence);
      Prepend(activeSequence, WanderBase(10, 0.3f, -0.3f, ""));
      AdvanceSequence(activeSequence);
      Prepend(activeSequence, std::make_unique<TaskDelay>(6000));
    }
  }
  mountedSince = 0;
}

void EndFinishedEmote() {
  if (activeSequence.elapsedMs > 500 && IsSequence(kCigaretteEmoteSequence) &&
      !native::GetPedConfigFlag(playerPed, 408, true)) {
    DropSmokeProp();
  }
}

void OpenWeaponWheel() {
  if (!Held(kWheelControl) || propInMouth) return;
  if (PlayingCigarette()) MoveCigaretteToMouth(false, false, false);
  else if (PlayingCigar()) MoveCigarToMouth(false, false);
  native::PushControlValue(0, kWheelControl, 1.0f);
}

void OpenJournal() {
  if (!JustPressed(GameName("INPUT_OPEN_JOURNAL"))) return;
  if (PlayingCigarette()) MoveCigaretteToMouth(true, false, false);
  else if (PlayingCigar()) MoveCigarToMouth(true, false);
}

// The swap rebuilds the queue, so it waits while an outro (a finish or a
// throw) plays rather than cutting it off.
void SwapCigarWhenBurnedDown() {
  if (cigarLitTime == 0 || Elapsed(cigarLitTime) <= 72000) return;
  if (CurrentTaskNameContains("outro")) return;
  SwapToShortCigar();
}

void HidePropInFirstPerson() {
  if (!HIDE_PROP_IN_FIRST_PERSON) return;
  if (propInMouth && native::IsFirstPersonView(0, 0, 0) && !native::CutsceneRunning()) {
    native::SetEntityAlpha(smokeProp, 0, false);
    // The catalogue's form of the call takes two more integers than the
    // fifteen values that park the prop; they are passed as 0.
    native::AttachEntityToEntity(smokeProp, playerPed, mouthBoneIndex, -50.0f, -50.0f, -50.0f, 0.0f, 0.0f, 0.0f,
                                 0, 0, 0, 0, 2, 1, 0, 0);
    return;
  }
  // Without a prop there is nothing to show again; re-seating then would
  // restart the sequence every frame and the prop would never appear.
  if (!native::EntityExists(smokeProp)) return;
  if (native::GetEntityAlpha(smokeProp) != 0) return;
  native::SetEntityAlpha(smokeProp, 255, false);
  if (!propInMouth) return;
  if (PlayingCigarette()) MoveCigaretteToMouth(true, false, false);
  else if (PlayingCigar()) MoveCigarToMouth(true, false);
}

bool PlayerHasControl() { return native::PlayerHasControl(FramePlayerIndex()); }

void HandleControlLoss() {
  if (DISABLE_ON_CONTROL_LOSS && !PlayerHasControl()) StopSmokingNow();
  if (FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS && !propInMouth && !PlayerHasControl()) {
    MoveCigaretteToMouth(false, false, false);
  }
}

void SettleWhenHandIsNeeded() {
  if (propInMouth) return;
  if (native::CutsceneRunning()) SettleCigaretteInFingers();
  if ((native::IsPedSprinting(playerPed) || native::IsPedRunning(playerPed)) && PlayingCigarette()) {
    SettleCigaretteInFingers();
  }
  if (native::IsPedInMeleeCombat(playerPed)) SettleCigaretteInFingers();
}

bool PropAttachedToPlayer() { return native::IsEntityAttachedTo(smokeProp, playerPed); }

bool PropFallsOut() {
  if (!native::IsPlayerPlaying(FramePlayerIndex())) return true;
  if (native::IsPedRagdoll(playerPed)) return true;
  if (Held(kWheelControl) && !propInMouth) return true;
  if (activeSequence.elapsedMs > 1200 && native::IsEntityUnderwater(smokeProp, true) && PropAttachedToPlayer()) {
    return true;
  }
  if (activeSequence.elapsedMs > 1200 && PlayingCigar() && native::PedSubmergedLevel(playerPed) > 0.61f &&
      PropAttachedToPlayer()) {
    return true;
  }
  return native::IsEntityUnderwater(playerPed, true);
}

// In the mouth the prop falls when the player is hit on the head; in the hand
// when the player strikes a living opponent (a cigar in the hand always falls).
void HandleMeleeHits() {
  // Asked again, not remembered from SettleWhenHandIsNeeded: the clips it may
  // have started since can change the answer.
  if (!native::IsPedInMeleeCombat(playerPed) && !native::IsPedBusyState(playerPed)) return;
  const Ped opponent = native::GetPedMeleeOpponent(playerPed);
  int bone = 0;
  native::GetPedLastDamageBone(playerPed, &bone);
  if (propInMouth) {
    if (native::HasEntityBeenDamagedBy(playerPed, opponent, true, true) &&
        (bone == kHeadBone || (native::PedStateTestJaw(playerPed) && bone == kJawBone) ||
         native::IsPedBusyState(playerPed))) {
      DropSmokeProp();
    }
    return;
  }
  if (native::HasEntityBeenDamagedBy(opponent, playerPed, true, true) && !native::IsEntityDead(opponent) &&
      native::PedMeleeHitTest(playerPed, true, false)) {
    DropSmokeProp();
  } else if (PlayingCigar()) {
    DropSmokeProp();
  }
}

void PutAwayForWeapon(const char* pressed) {
  if (propInMouth || !native::IsPedFreeToAnimate(playerPed) || pressed == kNoControl) return;
  if (activeSequence.elapsedMs <= 1000) return;
  if (CurrentTaskNameContains("outro") || CurrentTaskNameContains("intro")) return;
  const bool cigar = PlayingCigar();
  if (PlayingCigarette()) MoveCigaretteToMouth(MOVE_TO_MOUTH_IMMEDIATELY, false, true);
  else if (cigar) MoveCigarToMouth(MOVE_TO_MOUTH_IMMEDIATELY, false);
  pendingQuickSelect = pressed;
  if (!MOVE_TO_MOUTH_IMMEDIATELY) {
    quickSelectReplayTime = Now() + (cigar ? 1100 : 1000);
    return;
  }
  native::StopPedTasks(playerPed, 0, 0);
  native::PushControlValue(0, ControlHash(pendingQuickSelect), 1.0f);
  quickSelectReplayTime = Now() + 30;
}

// A cigarette or cigar smoke goes on only with its prop, or while a queued
// spawn will still bring it; without either (a lighting cut before the prop
// came, a spawn that failed, a prop the game removed) it is over.
bool SmokeLostItsProp() {
  if (!PlayingCigarette() && !PlayingCigar()) return false;
  return !native::EntityExists(smokeProp) && !SmokePropStillToCome();
}

// The rules that apply while a smoke plays. Once the smoke has ended in this
// frame (dropped or stopped), the remaining rules have nothing to act on.
void UpdateRunningSmoke(const char* pressed) {
  if (SmokeLostItsProp()) {
    StopSmokingNow();
    return;
  }
  UpdateMouthEasing();
  RegenerateDeadEye();
  if (propInMouth) {
    UpdateInMouthEffects();
    if (PlayingCigar()) {
      cigarMood = ChooseCigarMood();
      native::SetPedFacialMood(FramePlayerPed(), cigarMood, 6);
    }
  } else {
    InteractWithHandHeldProp();
  }
  AdjustNextAnimation();
  HandleWeaponOnHorseback();
  EndFinishedEmote();
  if (!activeSequence.running) return;
  OpenWeaponWheel();
  OpenJournal();
  SwapCigarWhenBurnedDown();
  HidePropInFirstPerson();
  HandleControlLoss();
  if (!activeSequence.running) return;
  SettleWhenHandIsNeeded();
  if (PropFallsOut()) DropSmokeProp();
  if (!activeSequence.running) return;
  HandleMeleeHits();
  if (!activeSequence.running) return;
  PutAwayForWeapon(pressed);
}

void GiveBackCheapBoxes() {
  if (cheapBoxRemovalTime == 0 || Elapsed(cheapBoxRemovalTime) <= 650) return;
  RestoreCheapBoxes(removedCheapBoxCount);
  cheapBoxRemovalTime = 0;
}

// The handle is forgotten once the ped is gone, so that a number the game
// hands out again later never deletes an unrelated ped. While the sequence
// that spawns it still plays, a ped that is not there yet is waited for.
void DeleteTemporaryPed() {
  if (dummyPedTime == 0 || Elapsed(dummyPedTime) <= 2100) return;
  if (DeleteDummyPed() || !activeSequence.running) dummyPedTime = 0;
}

}  // namespace

void UpdateSmokingController() {
  ShowMissingDictionaryMessage();
  Update(activeSequence);
  Update(secondarySequence);
  TrackMount();
  const char* pressed = ScanQuickSelect();
  SwallowSelection(pressed);
  ReleaseSwallowedSelection();
  ReplaySelection();
  RecordQuickUseItem();
  // The delayed jobs also run between smokes: a smoke that ended early must
  // still give the boxes back and remove its temporary ped.
  if (activeSequence.running) UpdateRunningSmoke(pressed);
  GiveBackCheapBoxes();
  DeleteTemporaryPed();
}

Hash ChooseCigarMood() {
  const int now = Now();
  if (cigarMoodTime != 0 && now != cigarMoodTime && Elapsed(cigarMoodTime) <= 8500) return cigarMood;
  struct MoodPair {
    Hash cigar;
    Hash shortCigar;
  };
  static constexpr MoodPair kMoods[] = {
      {GameName("MoodExhausted"), GameName("MoodUnderfireMild")},      // 0
      {GameName("MoodAngryInjured"), GameName("MoodUnderfireMild")},   // 1
      {GameName("MoodUnderfireMild"), GameName("MoodUnderfireMild")},  // 2
      {GameName("MoodUnderfireMild"), GameName("MoodUnderfireMild")},  // 3
      {GameName("MoodSlide"), GameName("MoodExhausted")},              // 4
      {GameName("MoodUnderfireMild"), GameName("MoodAngryInjured")},   // 5
      {GameName("MoodCharging"), GameName("MoodExhausted")},           // 6
      {GameName("MoodCharging"), GameName("MoodCharging")},            // 7
  };
  const int r = native::RandomIntInRange(0, 12);
  const MoodPair& mood = (r >= 1 && r <= 7) ? kMoods[r] : kMoods[0];
  cigarMood = mood.cigar;
  if (IsShortCigarModel()) cigarMood = mood.shortCigar;
  cigarMoodTime = now;
  return cigarMood;
}
