// What differs between the kinds of smoke: one description per kind, and
// "what is smoked now" as a pointer to it.
//
// A description holds a kind's models with their seats on each head rig, its
// clips, its tip effects, how it is held, moved, thrown and finished, its
// inventory item, its key setting and controller control, and the steps of
// the sequences that differ in shape for it (its lighting, its quick emote
// smoke, the draw of its puff cycle, its moves to the mouth;
// smoking/smoke_steps.h). One builder of each sequence serves every kind, and
// the verbs of the layers above take a description and read it rather than
// asking which kind they were given. Each kind is defined in
// sequences/<kind>.cpp; a kind that reuses another's assets refers to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "animations/sequence_runner.h"
#include "host/game_names.h"
#include "host/native_types.h"
#include "smoking/smoke_steps.h"

// A push, as ApplyForceToEntity takes it.
struct PropPush {
  float x, y, z;
};

// One prop model a kind is smoked with.
struct SmokeModel {
  const char* name;          // the game's model
  PropSeat mouth;            // on the mouth bone of Arthur's head rig
  PropSeat laterStoryMouth;  // on the mouth bone of the later story characters' rig
  PropSeat headMouth;        // on the head bone, for every other character model
  PropSeat hand;             // in the hand
  PropSeat tip;              // where the effects of the lit end burn
  TipEffect smoke;           // the smoke rising from the lit end
  PropPush thrown;           // the push it leaves the hand with when thrown away
  const Hash* moods;         // eight facial moods it is smoked with in the mouth, or none
};

// Where a kind's prop sits now: the model smoked and its seat on
// mouthBoneIndex for this character with the user's offsets added. Rebuilt
// from the descriptions by UpdatePropAttachment on every frame.
struct PropFit {
  const SmokeModel* model;
  PropSeat mouth;
};

// The clip that holds the lit prop between puffs.
struct HoldClip {
  const char* dictionary;
  const char* clip;
  float blendIn, blendOut, rate;
  const char* filter;
  // An ambient clip that does not grip the prop: it is pinned back between
  // the fingers at intervals instead. A clip that grips it has to be cut
  // before the prop can be let go of.
  bool repinsToFingers;
};

// One clip of a puff from the hand.
struct PuffClip {
  const char* name;
  int durationMs;
  float blendIn, blendOut, rate;
};

// One kind of puff from the hand: a hold first, up to three clips (the first
// brings the prop to the mouth and is followed by the re-seating in the
// hand), and maybe an exhale during a further hold of 1000 ms.
struct PuffVariant {
  int leadingHoldMs;
  PuffClip clips[3];
  int clipCount;
  int exhaleOffsetMs;  // 0: no exhale
};

// A run of puffs draws its variants with the game's random numbers: the
// first draw from 1..firstDrawMax, redraws from 1..redrawMax.
struct PuffRuns {
  std::span<const PuffVariant> variants;
  int firstDrawMax;
  int redrawMax;
};

// A puff on demand (KEY_TAKE_PUFF) while the prop is in the hand.
struct PuffOnDemand {
  int minGapMs;             // since the last one
  bool secondWhileKeyHeld;  // a key still held by then asks for a second puff
};

// The gap before the next in-mouth puff, drawn when an exhale begins.
struct PuffGap {
  int aimingMinMs, aimingMaxMs;  // while the player aims
  int minMs, maxMs;
};

// The move from the mouth back to the hand.
struct ToHand {
  const char* clip;
  int durationMs;
  int seatAtMs;       // the prop reaches the hand this far into the clip
  int extendedPuffs;  // the puffs that follow with EXTENDED_SMOKE_DURATION (5 without)
};

// One step of the finish: a hold, then a clip, maybe re-seated in the hand.
struct FinishStep {
  int holdMs;  // 0: none
  const char* clip;
  int durationMs;
  float blendOut;
  bool backToHand;  // the prop is seated in the hand again 475 ms into the clip
};

// The end of a smoke that burned down in the hand: the steps, then the butt
// let go of and pushed away `releaseAtMs` into the last clip.
struct Finish {
  std::span<const FinishStep> steps;
  int releaseAtMs;
  PropPush push;
};

// Throwing the prop away from the hand or the mouth with the "outro" clip.
struct ThrowMove {
  int holsterBlockMs, selectionReplayDelayMs;  // weapon selection swallowed meanwhile
  int durationMs;
  float blendIn, blendOut, rate;
  int seatFromMouthAtMs, seatFromHandAtMs;  // in the hand for the throw
  int releaseAtMs;
};

// A quicker throw from the hand, flicked the same way whatever the model.
struct Flick {
  ThrowMove move;
  PropPush push;
};

// The rotation a prop eased into the mouth starts from, on the mouth bone of
// a story character and on the head bone of any other model.
struct Rotation {
  float x, y, z;
};
struct MouthEasing {
  Rotation fromOnStoryMouth;
  Rotation fromOnHead;
};

// A standard model that burns down to the alternative one a while after it
// was lit, when the setting asks for it.
struct BurnDown {
  const bool* enabled;
  int afterMs;
};

// What a lighting takes from the player's inventory: one `item` for each
// smoke lit, else one of the same thing cheaper when the kind has one.
struct SmokeItem {
  HashedName item;
  HashedName cheaperItem;  // or none
  bool takenByQuickUse;    // the game's quick-use item (the I key) takes one out of the satchel
};

// A value drawn from the game's random numbers between min and max; one of
// min == max is that value, and the game is not asked.
struct Drawn {
  float min, max;
};
struct DrawnMs {
  int min, max;
};

// How a kind is lit: the steps before a variant is chosen, then one of the
// three variants' steps. The fallback when the player may not play the
// plug-in's own clips; the quick one when the caller asks for it (for a quick
// variant that plays the game's emote, only while emotes are allowed); the
// standard one otherwise. A variant that leaves the smoke in the mouth goes
// on with its puff cycle; one that leaves it in the hand, with a run of
// `puffs` (`extendedPuffs` with EXTENDED_SMOKE_DURATION) or the endless
// hold of manual smoking, and the finish. The start every lighting shares
// swallows weapon selection for holsterBlockMs.
struct LightingVariant {
  std::span<const Step> steps;
  bool endsInMouth;
};
struct Lighting {
  std::span<const Step> first;
  LightingVariant standard, quick, fallback;
  bool quickPlaysEmote;
  int puffs, extendedPuffs;
  int holsterBlockMs;
};

// The game's own quick smoking emote with this kind, lasting durationMs, with
// its steps around it (their offsets count from the emote's start).
struct QuickSmoke {
  uint32_t emote;
  int durationMs;
  std::span<const Step> steps;
  // The emote draws from the regular items, the cheaper ones hidden from it.
  bool hidesCheaperItems;
  // Our own prop rides in the emote's hand: once the emote is over it is
  // dropped. Without one, the emote smoke ends by stopping everything.
  bool ownProp;
};

// A puff cycle's exhale through the nose, after a pause of more than 3.5 s:
// with a chance, a draw of 0..10 decides whether there is one (from
// `fromDraw`) and whether it comes early and fainter (from `earlyFromDraw`).
struct NoseChance {
  int fromDraw;
  int earlyFromDraw;
  int earlyAtMs;
  float earlyFainterBy;
};
struct NoseExhale {
  Drawn alpha;
  DrawnMs atMs;
  float x;                   // to the side of the nose
  const NoseChance* chance;  // none: always at atMs
};

// The endless in-mouth puff cycle: a pause, maybe the nose exhale, the draw
// (the prop to the lips and the glow of the lit end), then after a drawn
// pause the short and the long mouth exhales.
struct PuffCycle {
  NoseExhale nose;
  std::span<const Step> draw;
  bool drawUnseenInFirstPerson;  // HIDE_PROP_IN_FIRST_PERSON in first person: no draw
  DrawnMs exhaleAfterMs;
  Drawn shortExhale, longExhale;  // their opacities
};

// The move from the hand to the mouth: `direct` puts it there at once; a
// raise lifts the hand first (the quick raise, when the kind has one, for a
// smoke put away for a weapon) and swallows weapon selection meanwhile (a
// block of 0: none). Then the body settles, the `settled` steps follow and
// the puff cycle begins.
struct MouthRaise {
  std::span<const Step> steps;
  int holsterBlockMs;
};
struct MouthMove {
  std::span<const Step> direct;
  MouthRaise raise, quickRaise;
  int selectionReplayDelayMs;
  std::span<const Step> settled;
  // A direct move may cut a lighting's "intro" short.
  bool directCutsLighting;
  // A direct move that cuts the clip playing seats the prop in the mouth first.
  bool directCutSeatsFirst;
};

struct SmokeKind {
  const char* name;  // "cigarette": for people, never compared
  int order;         // its place in kSmokeKinds, lowest first

  // Models and where they sit. The fit is rebuilt every frame: from the
  // settings' choice, or, for a kind that keeps the model it was lit with,
  // from what the lighting (or a swap since) chose.
  const SmokeModel* standardModel;
  const SmokeModel* alternativeModel;
  const bool* useAlternativeModel;  // the setting that chooses the alternative
  bool keepsModelOnceLit;
  mutable PropFit fit;  // starts with the standard model
  const float* const* userOffsets;  // X, Y, Z, ROTX, ROTY, ROTZ settings added to the mouth seat

  // Clips: the emote dictionary of the puffs, holds, moves, throw and finish,
  // and the IK flags and filter of the clips played with the prop in hand.
  const char* dictionary;
  int handClipIkFlags;
  const char* handClipFilter;

  HoldClip hold;
  PuffRuns puffs;
  PuffOnDemand puffOnDemand;
  PuffGap puffGap;
  ToHand toHand;
  Finish finish;
  ThrowMove throwAway;  // with the push of the model smoked
  const Flick* flick;    // or none
  // Moving it to the mouth takes this long before a swallowed weapon
  // selection is replayed.
  int toMouthForWeaponMs;
  // A swallowed weapon selection is given back only once none of this
  // kind's hand-held emote clips plays on the player.
  bool handHeldClipsHoldTheSelection;
  MouthEasing easing;  // of a move to the mouth that leaves a marker at the lips
  const BurnDown* burnsDown;  // or none

  // Tip effects beyond the model's smoke: the glow of a draw, which burns
  // only between the lips (a slot of none: the kind has none), and whether a
  // run blows the smoke of the lit end away until the player slows down.
  TipEffect drawGlow;
  bool smokeClearsAtSpeed;

  // World rules that differ.
  float fallsOutSubmergedAbove;  // 0: only the general water rules
  bool fallsFromHandInMelee;

  // The inventory; the key that lights it; on a controller, the control of
  // its choice prompt and that prompt's label (the prompt itself, created
  // while the prompt window is open), and the label of the smoke prompt
  // that throws or moves it.
  SmokeItem item;
  const int* key;
  HashedName control;
  const std::string* choiceLabel;
  mutable Prompt choicePrompt;
  const std::string* throwMoveLabel;

  // The sequences that differ in shape, as their steps.
  Lighting lighting;
  QuickSmoke quick;
  PuffCycle puffCycle;
  MouthMove toMouth;
};

// The kinds there are, in the order of their `order`: the input asks their
// buttons and the prompts list them in it. Nothing names a kind to find it:
// each kind's own file enters its description here for the whole run with a
// ListedSmokeKind beside it, and a test may enter one of its own for as long
// as the test lasts.
struct SmokeKindList {
  static constexpr int kMaxKinds = 16;
  const SmokeKind* kinds[kMaxKinds];
  int count;

  const SmokeKind* const* begin() const { return kinds; }
  const SmokeKind* const* end() const { return kinds + count; }
  size_t size() const { return static_cast<size_t>(count); }
  const SmokeKind* operator[](size_t i) const { return kinds[i]; }
};
extern SmokeKindList kSmokeKinds;

// Keeps `kind` in kSmokeKinds while it lives.
class ListedSmokeKind {
 public:
  explicit ListedSmokeKind(const SmokeKind& kind);
  ~ListedSmokeKind();
  ListedSmokeKind(const ListedSmokeKind&) = delete;
  ListedSmokeKind& operator=(const ListedSmokeKind&) = delete;

 private:
  const SmokeKind& kind_;
};

// The kind the active sequence smokes with its own lighting, or none (idle,
// or a quick emote smoke).
inline const SmokeKind* SmokedNow() { return activeSequence.quickEmote ? nullptr : activeSequence.smoke; }
// The kind of the quick emote smoke that plays now, or none.
inline const SmokeKind* QuickSmokeNow() { return activeSequence.quickEmote ? activeSequence.smoke : nullptr; }
// The model a kind is smoked with now.
inline const SmokeModel& ModelOf(const SmokeKind& kind) { return *kind.fit.model; }
// A kind whose hold pins it between the fingers can rest there while the
// hand is needed; any other goes to the mouth.
inline bool RestsInFingers(const SmokeKind& kind) { return kind.hold.repinsToFingers; }
// The model the settings choose for a kind.
inline const SmokeModel* ModelFromSettings(const SmokeKind& kind) {
  return *kind.useAlternativeModel ? kind.alternativeModel : kind.standardModel;
}
