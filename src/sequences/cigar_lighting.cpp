#include "sequences/cigar_lighting.h"

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/main_loop.h"
#include "input/hand_smoking.h"
#include "input/hold_loops.h"
#include "input/input_dispatch.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"
#include "smoking/puff_effects.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

constexpr const char* kCigarLightingDictionary = "mech_inventory@smoking@cigar";
constexpr const char* kMatchModel = "p_matchstick01x";
// A fixed bone of the left hand, not looked up by name.
constexpr int kLeftHandMatchBone = 193;

int LightingIkFlags() { return UpperBodyOnly() ? 0x8000082 : 0x8080; }

void TakeCigarFromInventory() {
  native::InventoryRemoveItem(1, GameName("consumable_cigar"), 1, GameName("REMOVE_REASON_USED"));
}

// The cigar emote's "intro" on the player, the match lit by an invisible dummy ped.
void QueueQuickLighting() {
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kCigarDictionary, "intro", 3800, 25, LightingIkFlags(), 1.6f, 0.8f, 1.8f, "");
  At<DestroyPropTask>(s, 300, &smokeProp, cigarModel, true, true);
  At<SpawnPropTask>(s, 301, &smokeProp, cigarModel, handBoneIndex, 255);
  AppendWithOffset(s, building::CigarToHand(), 301);
  At<DeleteEntityTask>(s, 1350);
  At<SpawnPedTask>(s, 1354);
  At<MovePropTask>(s, 1354, &dummyPed, handBoneIndex, 0.0f, -0.17f, 0.0f, 0.0f, 0.0f, 0.0f, 1, 0);
  At<AnimationTask>(s, 1354, &dummyPed, "mech_inventory@smoking@cigarette", "quick_right", 3200, 31, 25, -1.6f, 1.6f,
                    0.0f, "upperbodyfeathered_nolefttarm_filter");
  At<SetAnimCurrentTimeTask>(s, 1358);
  dummyPedTime = FrameGameTimer();
  At<DestroyPropTask>(s, 1570, &matchProp, kMatchModel, false, true);
  At<SpawnPropTask>(s, 1571, &matchProp, kMatchModel, handAuxBoneIndex, 255);
  At<PlaySoundFromEntityTask>(s, 1780);
  At<StopSoundTask>(s, 2500);
  AppendWithOffset(s, building::MoveProp(&matchProp, matchBoneIndex, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 2700);
  At<DetachPropTask>(s, 2820, &matchProp, false);
  // Already due when the detach starts: they follow it one per frame.
  At<PropApplyForceTask>(s, 2221, &matchProp, -2.1f, -3.6f, -2.8f);
  AppendWithOffset(s, building::CigarSmoke(), 2221);
  AppendWithOffset(s, building::CigarEmber(), 2221);
  AppendWithOffset(s, building::LightingExhale(), 2350);
}

void QueueStandardLighting() {
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kCigarLightingDictionary, "quick_right", 3200, 25, LightingIkFlags(), 1.6f, 0.8f,
                      1.8f, "upperbodyfeathered_nolefttarm_filter");
  At<DestroyPropTask>(s, 550, &smokeProp, cigarModel, true, true);
  At<SpawnPropTask>(s, 600, &smokeProp, cigarModel, handBoneIndex, 255);
  AppendWithOffset(s, building::CigarToHand(), 601);
  At<SpawnPropTask>(s, 951, &matchProp, kMatchModel, matchBoneIndex, 255);
  AppendWithOffset(s, building::MoveProp(&matchProp, matchBoneIndex, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 952);
  At<DetachPropTask>(s, 1989, &matchProp, false);
  At<PropApplyForceTask>(s, 1990, &matchProp, -2.1f, -3.6f, -2.8f);
  AppendWithOffset(s, building::CigarSmoke(), 1990);
  Next<AnimationTask>(s, &playerPed, kCigarDictionary, "loop", 300, UpperBodyAnimFlags(), UpperBodyIkFlags(), 2.0f,
                      1.4f, 1.2f, UpperBodyFilter());
}

void QueueHandHeldTail() {
  if (MANUAL_SMOKING_ONLY) {
    QueueCigarHoldLoop(560000);
  } else {
    QueueCigarPuffs(EXTENDED_SMOKE_DURATION ? 13 : 7, false);
  }
  QueueCigarFinish();
}

// Lit with the left hand, the cigar straight to the mouth.
void QueueFallbackLighting() {
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kCigarLightingDictionary, "quick_left", 3200, 25, 0x8000, 1.6f, 0.8f, 1.8f,
                      "upperbodyfeathered_norightarm_filter");
  At<DestroyPropTask>(s, 600, &smokeProp, cigarModel, true, true);
  At<SpawnPropTask>(s, 600, &smokeProp, cigarModel, handBoneIndex, 255);
  AppendWithOffset(s, building::CigarToMouth(), 620);
  At<SpawnPropTask>(s, 951, &matchProp, kMatchModel, kLeftHandMatchBone, 255);
  AppendWithOffset(s,
                   building::MoveProp(&matchProp, kLeftHandMatchBone, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 952);
  At<DetachPropTask>(s, 1989, &matchProp, false);
  At<PropApplyForceTask>(s, 1990, &matchProp, -2.1f, -3.6f, -2.8f);
  Append(s, MakeWanderBaseClip(1, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.0001f, -1.0f, 1.2f, "facialonly_brows"));
  QueueCigarPuffCycle(native::RandomIntInRange(1000, 2000));
  propInMouth = true;
}

}  // namespace

void StartCigarLighting(int startDelayMs, bool quickStyle) {
  ClearPending(activeSequence);
  activeSequence.sequenceName = "smoke_cigar";
  manualPuff = false;

  if (building::HolsterInputActive() && native::IsPedFreeToAnimate(FramePlayerPed())) {
    building::BlockHolster(4500, 150);
  }
  if (startDelayMs >= 1) Next<TaskDelay>(activeSequence, startDelayMs);

  cigarModel = USE_SHORT_CIGAR_MODEL ? kShortLitCigarModel : kLongCigarModel;
  UpdatePropAttachment();
  building::RaiseSmokingAttribute();
  TakeCigarFromInventory();

  if (building::MustUseFallback()) {
    QueueFallbackLighting();
  } else {
    if (quickStyle) {
      QueueQuickLighting();
    } else {
      QueueStandardLighting();
    }
    QueueHandHeldTail();
  }

  // A lit time left from an earlier cigar would swap this one on its first frame.
  cigarLitTime = SWAP_TO_SHORT_CIGAR_AFTER_PERIOD ? FrameGameTimer() : 0;
  Start(activeSequence);
}
