#include "sequences/cigarette_lighting.h"

#include "host/planted_fault.h"
#include "sequences/lighting.h"
#include "sequences/puff_cycle.h"
#include "sequences/sequence_building.h"
#include "smoking/inventory.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

constexpr const char* kLightingDictionary = "mech_inventory@smoking@cigarette";
constexpr const char* kLightingFilter = "upperbodyfeathered_nolefttarm_filter";
constexpr const char* kMatchModel = "p_matchstick01x";
// The cigarette the game's emote brings along, swapped for ours.
constexpr const char* kEmoteCigaretteModel = "p_cigarette01x";
constexpr PropSeat kDummyPedSeat{0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 90.0f};

constexpr TipEffect kEmber{&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.85f, 0.22f, 10};
constexpr TipEffect kTrail{&trailSmokeFx, "ent_anim_cig_smoke", 0.55f, 0.45f, 10};

const char* Model() { return ModelOf(kCigarette).name; }
TaskPtr Ember() { return building::OnTip(kCigarette, kEmber); }
TaskPtr TipSmoke() { return building::OnTip(kCigarette, ModelOf(kCigarette).smoke); }
TaskPtr Trail() { return building::OnTip(kCigarette, kTrail); }

void Slide(int offsetMs, float z) {
  AppendWithOffset(activeSequence, building::MoveProp(&smokeProp, handBoneIndex, 0.0f, 0.0f, z, 0.0f, 0.0f, 0.0f),
                   offsetMs);
}

// While the emote's hand moves the cigarette slides deeper between the
// fingers, less far for the slimmer fingers of the later story characters.
void SlideIntoTheFingers() {
  Slide(610, -0.001f);
  Slide(620, -0.002f);
  Slide(630, -0.003f);
  Slide(640, -0.004f);
  if (!HasSlimFingers()) {
    Slide(650, -0.005f);
    Slide(660, -0.006f);
    Slide(670, -0.007f);
  }
}

// The game's own cigarette emote carries the body; an invisible dummy ped
// plays the lighting clip the match follows.
void QueueQuickLighting() {
  HideCheaperItemsFor(kCigarette);
  SequenceRunner& s = activeSequence;
  Next<PlayEmoteTask>(s, kQuickCigaretteEmote, 1, 3230);
  At<DestroyPropTask>(s, 499, &smokeProp, kEmoteCigaretteModel, true, true);
  At<SpawnPropTask>(s, 500, &smokeProp, Model(), handBoneIndex, 255);
  if (EMBERWICK_PLANTED(smoke_prop_twice)) At<SpawnPropTask>(s, 501, &smokeProp, Model(), handBoneIndex, 255);
  SlideIntoTheFingers();
  building::QueueDummyPed(750, 759, 760, kDummyPedSeat, UpperBodyIkFlags());
  At<PlaySoundFromEntityTask>(s, 1480);
  At<DestroyPropTask>(s, 2070, &matchProp, kMatchModel, false, true);
  At<SpawnPropTask>(s, 2071, &matchProp, kMatchModel, matchBoneIndex, 255);
  At<StopSoundTask>(s, 2200);
  if (!EMBERWICK_PLANTED(match_never_released)) At<DetachPropTask>(s, 2220, &matchProp, false);
  At<PropApplyForceTask>(s, 2221, &matchProp, -2.1f, -3.6f, -2.8f);
  AppendWithOffset(s, Ember(), 2225);
  AppendWithOffset(s, TipSmoke(), 2226);
  AppendWithOffset(s, Trail(), 2227);
  AppendWithOffset(s, building::LightingExhale(), 2350);
  Slide(3200, -0.006f);
  Slide(3210, -0.005f);
  Slide(3220, -0.004f);
  Slide(3225, -0.003f);
}

void QueueStandardLighting() {
  building::RaiseSmokingAttribute();
  TakeItemFor(kCigarette);
  SequenceRunner& s = activeSequence;
  Next<AnimationTask>(s, &playerPed, kLightingDictionary, "quick_right", 3200, 25,
                      UpperBodyOnly() ? 0x8000082 : 0x8080, 1.6f, 0.8f, 1.8f, kLightingFilter);
  At<DestroyPropTask>(s, 550, &smokeProp, Model(), true, true);
  At<SpawnPropTask>(s, 600, &smokeProp, Model(), handBoneIndex, 255);
  At<SpawnPropTask>(s, 951, &matchProp, kMatchModel, matchBoneIndex, 255);
  AppendWithOffset(s, building::MoveProp(&matchProp, matchBoneIndex, 0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f), 952);
  if (!EMBERWICK_PLANTED(match_never_released)) At<DetachPropTask>(s, 1989, &matchProp, false);
  At<PropApplyForceTask>(s, 1990, &matchProp, -2.1f, -3.6f, -2.8f);
  Next<AnimationTask>(s, &playerPed, kCigarette.dictionary, "loop", 300, UpperBodyAnimFlags(), UpperBodyIkFlags(),
                      2.0f, 1.4f, 1.2f, UpperBodyFilter());
  AppendWithOffset(s, TipSmoke(), 103);
  AppendWithOffset(s, Trail(), 104);
  AppendWithOffset(s, Ember(), 105);
}

// The game's quick-smoke interaction; our cigarette goes straight to the mouth
// and the interaction's own cigarette is hidden.
void QueueFallbackLighting() {
  SequenceRunner& s = activeSequence;
  Next<ItemInteractionTask>(s);
  At<SetEntityAlphaTask>(s, 600, &smokeProp);
  At<DestroyPropTask>(s, 600, &smokeProp, Model(), false, true);
  At<SpawnPropTask>(s, 600, &smokeProp, Model(), handBoneIndex, 255);
  AppendWithOffset(s, building::ToMouth(kCigarette), 600);
  AppendWithOffset(s, building::OnTip(kCigarette, kCigarette.drawGlow), 1600);
  AppendWithOffset(s, TipSmoke(), 1600);
  AppendWithOffset(s, Trail(), 1600);
  AppendWithOffset(s, Ember(), 1600);
  Append(s, building::WanderBase(1, UpperBodyAnimFlags(), UpperBodyIkFlags(), 0.0001f, -1.0f, 1.2f,
                                 "facialonly_brows"));
  Next<TaskDelay>(s, 5);
  QueuePuffCycle(kCigarette, native::RandomIntInRange(1000, 2000));
  propInMouth = true;
  TakeItemFor(kCigarette);
}

}  // namespace

void LightCigarette(bool quickStyle) {
  if (building::MustUseFallback()) {
    QueueFallbackLighting();
    return;
  }
  if (quickStyle && !native::IsPedEmoteBlocked(FramePlayerPed())) {
    QueueQuickLighting();
  } else {
    QueueStandardLighting();
  }
  building::QueueHandHeldTail(kCigarette, 6, 12);
}

void StartQuickCigarette() {
  if (!CanStartSmoking() || !HasItemFor(kCigarette)) return;
  HideCheaperItemsFor(kCigarette);

  activeSequence.smoke = &kCigarette;
  activeSequence.quickEmote = true;
  ClearPending(activeSequence);
  SequenceRunner& s = activeSequence;
  Next<PlayEmoteTask>(s, kQuickCigaretteEmote, 0, 13000);

  // Swap the emote's own cigarette for ours.
  At<DestroyPropTask>(s, 499, &smokeProp, kEmoteCigaretteModel, true, true);
  At<SpawnPropTask>(s, 500, &smokeProp, Model(), handBoneIndex, 255);
  SlideIntoTheFingers();
  building::QueueDummyPed(750, 759, 760, kDummyPedSeat, 25);
  Slide(3250, -0.006f);
  Slide(3260, -0.005f);
  Slide(3270, -0.004f);
  Slide(3280, -0.003f);

  At<DetachPropTask>(s, 12799, &smokeProp, false);
  At<DestroyPropTask>(s, 12800, &smokeProp, kEmoteCigaretteModel, true, true);
  Start(s);
}
