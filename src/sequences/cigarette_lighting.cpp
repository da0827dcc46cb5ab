#include "sequences/cigarette_lighting.h"

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/main_loop.h"
#include "host/planted_fault.h"
#include "input/hand_smoking.h"
#include "input/hold_loops.h"
#include "input/input_dispatch.h"
#include "input/inventory.h"
#include "sequences/puff_sequences.h"
#include "sequences/sequence_building.h"
#include "smoking/puff_effects.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

constexpr uint32_t kQuickCigaretteEmote = 0x8B7F8EEB;
constexpr const char* kLightingDictionary = "mech_inventory@smoking@cigarette";
constexpr const char* kLightingFilter = "upperbodyfeathered_nolefttarm_filter";
constexpr const char* kMatchModel = "p_matchstick01x";

// The story characters with the slimmer fingers: the cigarette slides in less far.
bool HasSlimFingers() {
  Hash model = FramePlayerModel();
  return model == GameName("PLAYER_THREE") || model == GameName("CS_JOHNMARSTON");
}

void SlideCigarette(int offsetMs, float z) {
  AppendWithOffset(activeSequence, building::MoveProp(&smokeProp, handBoneIndex, 0.0f, 0.0f, z, 0.0f, 0.0f, 0.0f),
                   offsetMs);
}

// The game's own cigarette emote carries the body; an invisible dummy ped
// plays the lighting clip the match follows.
void QueueQuickLighting() {
  ConsumeCheapCigaretteBox();
  SequenceRunner& s = activeSequence;
  Next<PlayEmoteTask>(s, kQuickCigaretteEmote, 1, 3230);
  At<DestroyPropTask>(s, 499, &smokeProp, "p_cigarette01x", true, true);
  At<SpawnPropTask>(s, 500, &smokeProp, cigaretteModel, handBoneIndex, 255);
  if (EMBERWICK_PLANTED(smoke_prop_twice)) At<SpawnPropTask>(s, 501, &smokeProp, cigaretteModel, handBoneIndex, 255);
  SlideCigarette(610, -0.001f);
  SlideCigarette(620, -0.002f);
  SlideCigarette(630, -0.003f);
  SlideCigarette(640, -0.004f);
  if (!HasSlimFingers()) {
    SlideCigarette(650, -0.005f);
    SlideCigarette(660, -0.006f);
    SlideCigarette(670, -0.007f);
  }
  At<DeleteEntityTask>(s, 750);
  At<SpawnPedTask>(s, 759);
  At<MovePropTask>(s, 759, &dummyPed, handBoneIndex, 0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 90.0f, 1, 0);
  At<AnimationTask>(s, 759, &dummyPed, kLightingDictionary, "quick_right", 3200, 31, UpperBodyIkFlags(), -1.6f, 1.6f,
                    0.0f, kLightingFilter);
  At<SetAnimCurrentTimeTask>(s, 760);
  dummyPedTime = FrameGameTimer();
  At<PlaySoundFromEntityTask>(s, 1480);
  At<DestroyPropTask>(s, 2070, &matchProp, kMatchModel, false, true);
  At<SpawnPropTask>(s, 2071, &matchProp, kMatchModel, matchBoneIndex, 255);
  At<StopSoundTask>(s, 2200);
  if (!EMBERWICK_PLANTED(match_never_released)) At<DetachPropTask>(s, 2220, &matchProp, false);
  At<PropApplyForceTask>(s, 2221, &matchProp, -2.1f, -3.6f, -2.8f);
  AppendWithOffset(s, building::Ember(), 2225);
  AppendWithOffset(s, building::TipSmoke(), 2226);
  AppendWithOffset(s, building::TrailSmoke(), 2227);
  AppendWithOffset(s, building::LightingExhale(), 2350);
  SlideCigarette(3200, -0.006f);
  SlideCigarette(3210, -0.005f);
  SlideCigarette(3220, -0.004f);
  SlideCigarette(3225, -0.003f);
}

void QueueStandardLighting() {
  building::RaiseSmokingAttribute();
  ConsumeCigaretteBox();
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kLightingDictionary, "quick_right", 3200, 25,
                      UpperBodyOnly() ? 0x8000082 : 0x8080, 1.6f, 0.8f, 1.8f, kLightingFilter);
  At<DestroyPropTask>(s, 550, &smokeProp, cigaretteModel, true, true);
  At<SpawnPropTask>(s, 600, &smokeProp, cigaretteModel, handBoneIndex, 255);
  At<SpawnPropTask>(s, 951, &matchProp, kMatchModel, matchBoneIndex, 255);
  AppendWithOffset(s, building::MoveProp(&matchProp, matchBoneIndex, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 952);
  if (!EMBERWICK_PLANTED(match_never_released)) At<DetachPropTask>(s, 1989, &matchProp, false);
  At<PropApplyForceTask>(s, 1990, &matchProp, -2.1f, -3.6f, -2.8f);
  Next<AnimationTask>(s, &playerPed, kCigaretteDictionary, "loop", 300, UpperBodyAnimFlags(), UpperBodyIkFlags(), 2.0f,
                      1.4f, 1.2f, UpperBodyFilter());
  AppendWithOffset(s, building::TipSmoke(), 103);
  AppendWithOffset(s, building::TrailSmoke(), 104);
  AppendWithOffset(s, building::Ember(), 105);
}

// The puffs (or the endless hold when the player puffs by hand) and the finish.
void QueueHandHeldTail() {
  if (MANUAL_SMOKING_ONLY) {
    QueueCigaretteHoldLoop(560000);
  } else {
    QueueCigarettePuffs(EXTENDED_SMOKE_DURATION ? 12 : 6, false);
  }
  QueueCigaretteFinish();
}

// The game's quick-smoke interaction; our cigarette goes straight to the mouth
// and the interaction's own cigarette is hidden.
void QueueFallbackLighting() {
  SequenceRunner& s = activeSequence;
  Next<ItemInteractionTask>(s);
  At<SetEntityAlphaTask>(s, 600);
  At<DestroyPropTask>(s, 600, &smokeProp, cigaretteModel, false, true);
  At<SpawnPropTask>(s, 600, &smokeProp, cigaretteModel, handBoneIndex, 255);
  AppendWithOffset(s, building::CigaretteToMouth(), 600);
  AppendWithOffset(s, building::CigaretteCigarSmoke(), 1600);
  AppendWithOffset(s, building::TipSmoke(), 1600);
  AppendWithOffset(s, building::TrailSmoke(), 1600);
  AppendWithOffset(s, building::Ember(), 1600);
  Append(s, MakeWanderBaseClip(1, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.0001f, -1.0f, 1.2f, "facialonly_brows"));
  Next<TaskDelay>(s, 5);
  QueueCigarettePuffCycle(native::RandomIntInRange(1000, 2000));
  propInMouth = true;
  ConsumeCigaretteBox();
}

}  // namespace

void StartCigaretteLighting(int startDelayMs, bool quickStyle) {
  ClearPending(activeSequence);
  activeSequence.sequenceName = "smoke_cigarette";
  manualPuff = false;

  if (building::HolsterInputActive() && native::IsPedFreeToAnimate(FramePlayerPed())) {
    building::BlockHolster(3500, 150);
  }
  if (startDelayMs >= 1) Next<TaskDelay>(activeSequence, startDelayMs);

  if (building::MustUseFallback()) {
    QueueFallbackLighting();
  } else {
    if (quickStyle && !native::IsPedEmoteBlocked(FramePlayerPed())) {
      QueueQuickLighting();
    } else {
      QueueStandardLighting();
    }
    QueueHandHeldTail();
  }
  Start(activeSequence);
}
