// The steps of a kind's sequences, as data of its description. Its lighting
// (each variant), its quick emote smoke, the draw of its puff cycle and its
// moves to the mouth are lists of steps; one builder for every kind plays a
// list in order (sequences/steps.h), so that what differs in shape between
// two kinds is their lists, not two copies of a builder.
//
// A step queues one task, plainly (when the task before it is over) or at a
// start offset into the current task, or does one thing at once while the
// sequence is built (takes the item, raises the smoking attribute, ...).
// Where a step leaves a value to the kind ("the model smoked", "the kind's
// dictionary", "the upper-body flags"), it is read when the step is played.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>

// An offset and a rotation on a bone, as AttachEntityToEntity takes them.
struct PropSeat {
  float x, y, z;
  float rx, ry, rz;
};

// A looped effect at the lit end of the prop: the variable that keeps its
// handle, its name in "anm_smoking", and how it looks.
struct TipEffect {
  int* slot;
  const char* name;
  float alpha;
  float scale;
  int durationMs;  // of the task that starts it
};

enum class StepDoes : uint8_t {
  // Tasks on the player.
  clip,             // a clip
  emote,            // the game's emote
  itemInteraction,  // the game's quick-smoke item interaction
  delay,
  // Tasks on a prop.
  destroyProp,
  spawnProp,
  moveProp,     // to a bone, at `seat`
  seatInHand,   // the smoke to the kind's hand seat for the model smoked
  seatInMouth,  // the smoke to the kind's mouth seat as it fits now
  releaseProp,
  pushProp,             // with the force `seat` x, y, z
  hideInteractionProp,  // the interaction's own cigarette next to the player
  // Effects and sounds.
  tipEffect,
  effectAlpha,
  removeEffect,
  lightingExhale,
  matchSound,
  stopMatchSound,
  // A hidden ped frozen in the inventory smoking pose on the hand, keeping
  // the arm of an emote where the prop sits.
  dummyPed,
  // The endless in-mouth puff cycle, its first pause drawn from minMs..maxMs.
  puffCycle,
  // Done at once while the sequence is built.
  chooseModel,  // the settings' model, the attachment rebuilt for it
  raiseSmokingAttribute,
  takeItem,
  hideCheaperItems,
};

enum class StepProp : uint8_t { smoke, match, mouthMarker };

enum class StepBone : uint8_t {
  hand,
  match,     // the finger that holds a match
  handAux,   // the hand's auxiliary bone
  mouth,
  leftHand,  // a fixed bone of the left hand, not looked up by name
};

// A clip's flags: as given; the posture's (UpperBodyAnimFlags and
// UpperBodyIkFlags); or a lighting clip's, the IK flags 0x8000082 when only
// the upper body may move and 0x8080 otherwise, the clip flags as given.
enum class StepFlags : uint8_t { fixed, upperBody, lighting };

enum class StepTip : uint8_t {
  modelSmoke,  // the smoke of the model smoked
  drawGlow,    // the kind's glow of a draw
  given,       // `effect`
};

enum class StepIf : uint8_t {
  always,
  fingersNotSlim,  // not for the slimmer fingers of the later story characters
  lightingCut,     // only while a lighting's "intro" clip is cut short
};

// Queued when the task before it is over, rather than at an offset.
inline constexpr int kNextStep = -1;

struct Step {
  StepDoes does = StepDoes::delay;
  int atMs = kNextStep;
  StepIf only = StepIf::always;

  // A clip, an emote, a delay.
  const char* dictionary = nullptr;  // none: the kind's own
  const char* clip = nullptr;
  int durationMs = 0;
  StepFlags flags = StepFlags::fixed;
  int clipFlags = 0;
  int ikFlags = 0;
  float blendIn = 0.0f, blendOut = 0.0f, rate = 0.0f;
  const char* filter = "";  // none: UpperBodyFilter()
  uint32_t emote = 0;
  int emoteFlag = 0;

  // A prop.
  StepProp prop = StepProp::smoke;
  const char* model = nullptr;  // none: the model smoked
  StepBone bone = StepBone::hand;
  PropSeat seat{};
  int alpha = 255;
  bool searchNearby = false;
  bool onlyIfAttached = false;

  // An effect.
  StepTip tip = StepTip::given;
  const TipEffect* effect = nullptr;
  int* slot = nullptr;
  float effectAlpha = 0.0f;

  // The dummy ped: deleted (if one is left) at atMs, spawned at spawnAtMs,
  // frozen at freezeAtMs.
  int spawnAtMs = 0;
  int freezeAtMs = 0;

  // The puff cycle's first pause.
  int minMs = 0;
  int maxMs = 0;
};

// The steps as a description writes them.
namespace steps {

constexpr Step Does(StepDoes does) {
  Step step;
  step.does = does;
  return step;
}
constexpr Step At(int ms, Step step) {
  step.atMs = ms;
  return step;
}
constexpr Step If(StepIf only, Step step) {
  step.only = only;
  return step;
}

// A clip on the player, of the kind's own dictionary when `dictionary` is none.
constexpr Step Clip(const char* dictionary, const char* clip, int durationMs, int clipFlags, int ikFlags,
                    float blendIn, float blendOut, float rate, const char* filter) {
  Step step = Does(StepDoes::clip);
  step.dictionary = dictionary;
  step.clip = clip;
  step.durationMs = durationMs;
  step.clipFlags = clipFlags;
  step.ikFlags = ikFlags;
  step.blendIn = blendIn;
  step.blendOut = blendOut;
  step.rate = rate;
  step.filter = filter;
  return step;
}
// With the posture's flags and, when `filter` is none, its filter.
constexpr Step PostureClip(const char* dictionary, const char* clip, int durationMs, float blendIn, float blendOut,
                           float rate, const char* filter = nullptr) {
  Step step = Clip(dictionary, clip, durationMs, 0, 0, blendIn, blendOut, rate, filter);
  step.flags = StepFlags::upperBody;
  return step;
}
constexpr Step LightingClip(const char* dictionary, const char* clip, int durationMs, int clipFlags, float blendIn,
                            float blendOut, float rate, const char* filter) {
  Step step = Clip(dictionary, clip, durationMs, clipFlags, 0, blendIn, blendOut, rate, filter);
  step.flags = StepFlags::lighting;
  return step;
}
constexpr Step Emote(uint32_t emote, int flag, int durationMs) {
  Step step = Does(StepDoes::emote);
  step.emote = emote;
  step.emoteFlag = flag;
  step.durationMs = durationMs;
  return step;
}
constexpr Step ItemInteraction() { return Does(StepDoes::itemInteraction); }
constexpr Step Delay(int ms) {
  Step step = Does(StepDoes::delay);
  step.durationMs = ms;
  return step;
}

// Of the model smoked when `model` is none.
constexpr Step Destroy(StepProp prop, const char* model, bool searchNearby, bool onlyIfAttached) {
  Step step = Does(StepDoes::destroyProp);
  step.prop = prop;
  step.model = model;
  step.searchNearby = searchNearby;
  step.onlyIfAttached = onlyIfAttached;
  return step;
}
constexpr Step Spawn(StepProp prop, const char* model, StepBone bone, int alpha = 255) {
  Step step = Does(StepDoes::spawnProp);
  step.prop = prop;
  step.model = model;
  step.bone = bone;
  step.alpha = alpha;
  return step;
}
constexpr Step Move(StepProp prop, StepBone bone, PropSeat seat) {
  Step step = Does(StepDoes::moveProp);
  step.prop = prop;
  step.bone = bone;
  step.seat = seat;
  return step;
}
// The smoke slides along the hand bone, deeper between the fingers.
constexpr Step Slide(int ms, float z) { return At(ms, Move(StepProp::smoke, StepBone::hand, {0, 0, z, 0, 0, 0})); }
constexpr Step SeatInHand() { return Does(StepDoes::seatInHand); }
constexpr Step SeatInMouth() { return Does(StepDoes::seatInMouth); }
constexpr Step Release(StepProp prop) {
  Step step = Does(StepDoes::releaseProp);
  step.prop = prop;
  return step;
}
constexpr Step Push(StepProp prop, float x, float y, float z) {
  Step step = Does(StepDoes::pushProp);
  step.prop = prop;
  step.seat = {x, y, z, 0, 0, 0};
  return step;
}
constexpr Step HideInteractionProp() { return Does(StepDoes::hideInteractionProp); }

constexpr Step Tip(StepTip tip) {
  Step step = Does(StepDoes::tipEffect);
  step.tip = tip;
  return step;
}
constexpr Step Tip(const TipEffect& effect) {
  Step step = Tip(StepTip::given);
  step.effect = &effect;
  return step;
}
constexpr Step EffectAlpha(int* slot, float alpha) {
  Step step = Does(StepDoes::effectAlpha);
  step.slot = slot;
  step.effectAlpha = alpha;
  return step;
}
constexpr Step RemoveEffect(int* slot) {
  Step step = Does(StepDoes::removeEffect);
  step.slot = slot;
  return step;
}
constexpr Step LightingExhale() { return Does(StepDoes::lightingExhale); }
constexpr Step MatchSound() { return Does(StepDoes::matchSound); }
constexpr Step StopMatchSound() { return Does(StepDoes::stopMatchSound); }

// With the IK flags `ikFlags`, or the posture's with StepFlags::upperBody.
constexpr Step DummyPed(int deleteAt, int spawnAt, int freezeAt, PropSeat seat, StepFlags flags, int ikFlags = 0) {
  Step step = Does(StepDoes::dummyPed);
  step.atMs = deleteAt;
  step.spawnAtMs = spawnAt;
  step.freezeAtMs = freezeAt;
  step.seat = seat;
  step.flags = flags;
  step.ikFlags = ikFlags;
  return step;
}
constexpr Step StartPuffCycle(int minMs, int maxMs) {
  Step step = Does(StepDoes::puffCycle);
  step.minMs = minMs;
  step.maxMs = maxMs;
  return step;
}

constexpr Step ChooseModel() { return Does(StepDoes::chooseModel); }
constexpr Step RaiseSmokingAttribute() { return Does(StepDoes::raiseSmokingAttribute); }
constexpr Step TakeItem() { return Does(StepDoes::takeItem); }
constexpr Step HideCheaperItems() { return Does(StepDoes::hideCheaperItems); }

// An effect's opacity at an offset.
struct AlphaStep {
  int atMs;
  float alpha;
};
template <size_t N>
constexpr std::array<Step, N> Alphas(int* slot, const AlphaStep (&alphas)[N]) {
  std::array<Step, N> steps{};
  for (size_t i = 0; i < N; ++i) steps[i] = At(alphas[i].atMs, EffectAlpha(slot, alphas[i].alpha));
  return steps;
}

// Lists of steps one after another, for a description that builds a list
// from shared parts.
template <typename... Lists>
constexpr auto Join(const Lists&... lists) {
  std::array<Step, (std::tuple_size_v<Lists> + ...)> joined{};
  size_t at = 0;
  (..., [&] {
    for (const Step& step : lists) joined[at++] = step;
  }());
  return joined;
}

}  // namespace steps
