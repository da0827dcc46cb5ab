#include "sequences/cigar_lighting.h"

#include "config/settings.h"
#include "sequences/lighting.h"
#include "sequences/puff_cycle.h"
#include "sequences/sequence_building.h"
#include "smoking/inventory.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

constexpr const char* kLightingDictionary = "mech_inventory@smoking@cigar";
constexpr const char* kMatchModel = "p_matchstick01x";
// A fixed bone of the left hand, not looked up by name.
constexpr int kLeftHandMatchBone = 193;
constexpr PropSeat kQuickLightingDummyPedSeat{0.0f, -0.17f, 0.0f, 0.0f, 0.0f, 0.0f};
constexpr PropSeat kQuickSmokeDummyPedSeat{0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 90.0f};

constexpr TipEffect kEmber{&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.05f, 0.75f, 3000};

const char* Model() { return ModelOf(kCigar).name; }
TaskPtr Smoke() { return building::OnTip(kCigar, ModelOf(kCigar).smoke); }

int LightingIkFlags() { return UpperBodyOnly() ? 0x8000082 : 0x8080; }

// The cigar emote's "intro" on the player, the match lit by an invisible dummy ped.
void QueueQuickLighting() {
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kCigar.dictionary, "intro", 3800, 25, LightingIkFlags(), 1.6f, 0.8f, 1.8f, "");
  At<DestroyPropTask>(s, 300, &smokeProp, Model(), true, true);
  At<SpawnPropTask>(s, 301, &smokeProp, Model(), handBoneIndex, 255);
  AppendWithOffset(s, building::ToHand(kCigar), 301);
  building::QueueDummyPed(1350, 1354, 1358, kQuickLightingDummyPedSeat, 25);
  At<DestroyPropTask>(s, 1570, &matchProp, kMatchModel, false, true);
  At<SpawnPropTask>(s, 1571, &matchProp, kMatchModel, handAuxBoneIndex, 255);
  At<PlaySoundFromEntityTask>(s, 1780);
  At<StopSoundTask>(s, 2500);
  AppendWithOffset(s, building::MoveProp(&matchProp, matchBoneIndex, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 2700);
  At<DetachPropTask>(s, 2820, &matchProp, false);
  // Already due when the detach starts: they follow it one per frame.
  At<PropApplyForceTask>(s, 2221, &matchProp, -2.1f, -3.6f, -2.8f);
  AppendWithOffset(s, Smoke(), 2221);
  AppendWithOffset(s, building::OnTip(kCigar, kEmber), 2221);
  AppendWithOffset(s, building::LightingExhale(), 2350);
}

void QueueStandardLighting() {
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kLightingDictionary, "quick_right", 3200, 25, LightingIkFlags(), 1.6f, 0.8f,
                      1.8f, "upperbodyfeathered_nolefttarm_filter");
  At<DestroyPropTask>(s, 550, &smokeProp, Model(), true, true);
  At<SpawnPropTask>(s, 600, &smokeProp, Model(), handBoneIndex, 255);
  AppendWithOffset(s, building::ToHand(kCigar), 601);
  At<SpawnPropTask>(s, 951, &matchProp, kMatchModel, matchBoneIndex, 255);
  AppendWithOffset(s, building::MoveProp(&matchProp, matchBoneIndex, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 952);
  At<DetachPropTask>(s, 1989, &matchProp, false);
  At<PropApplyForceTask>(s, 1990, &matchProp, -2.1f, -3.6f, -2.8f);
  AppendWithOffset(s, Smoke(), 1990);
  Next<AnimationTask>(s, &playerPed, kCigar.dictionary, "loop", 300, UpperBodyAnimFlags(), UpperBodyIkFlags(), 2.0f,
                      1.4f, 1.2f, UpperBodyFilter());
}

// Lit with the left hand, the cigar straight to the mouth.
void QueueFallbackLighting() {
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kLightingDictionary, "quick_left", 3200, 25, 0x8000, 1.6f, 0.8f, 1.8f,
                      "upperbodyfeathered_norightarm_filter");
  At<DestroyPropTask>(s, 600, &smokeProp, Model(), true, true);
  At<SpawnPropTask>(s, 600, &smokeProp, Model(), handBoneIndex, 255);
  AppendWithOffset(s, building::ToMouth(kCigar), 620);
  At<SpawnPropTask>(s, 951, &matchProp, kMatchModel, kLeftHandMatchBone, 255);
  AppendWithOffset(s,
                   building::MoveProp(&matchProp, kLeftHandMatchBone, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 952);
  At<DetachPropTask>(s, 1989, &matchProp, false);
  At<PropApplyForceTask>(s, 1990, &matchProp, -2.1f, -3.6f, -2.8f);
  Append(s, building::WanderBase(1, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.0001f, -1.0f, 1.2f,
                                 "facialonly_brows"));
  QueuePuffCycle(kCigar, native::RandomIntInRange(1000, 2000));
  propInMouth = true;
}

}  // namespace

void LightCigar(bool quickStyle) {
  kCigar.fit.model = ModelFromSettings(kCigar);
  UpdatePropAttachment();
  building::RaiseSmokingAttribute();
  TakeItemFor(kCigar);

  if (building::MustUseFallback()) {
    QueueFallbackLighting();
  } else {
    if (quickStyle) {
      QueueQuickLighting();
    } else {
      QueueStandardLighting();
    }
    building::QueueHandHeldTail(kCigar, 7, 13);
  }

  // A lit time left from an earlier cigar would swap this one on its first frame.
  cigarLitTime = SWAP_TO_SHORT_CIGAR_AFTER_PERIOD ? FrameGameTimer() : 0;
}

void StartQuickCigar() {
  if (!CanStartSmoking() || !HasItemFor(kCigar)) return;

  activeSequence.smoke = &kCigar;
  activeSequence.quickEmote = true;
  ClearPending(activeSequence);
  // The emote brings its own cigar: nothing to spawn, nothing consumed.
  Next<PlayEmoteTask>(activeSequence, kQuickCigarEmote, 0, 11000);
  building::QueueDummyPed(1200, 1204, 1208, kQuickSmokeDummyPedSeat, 25);
  Start(activeSequence);
}
