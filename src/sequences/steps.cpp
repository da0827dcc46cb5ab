#include "sequences/steps.h"

#include <memory>
#include <optional>

#include "animations/task_queries.h"
#include "host/planted_fault.h"
#include "sequences/lighting.h"
#include "sequences/puff_cycle.h"
#include "sequences/sequence_building.h"
#include "smoking/inventory.h"

using namespace Animations;

namespace {

Entity* Handle(StepProp prop) {
  switch (prop) {
    case StepProp::match: return &matchProp;
    case StepProp::mouthMarker: return &mouthMarkerProp;
    case StepProp::smoke: break;
  }
  return &smokeProp;
}

int Bone(StepBone bone) {
  // A fixed bone of the left hand, not looked up by name.
  constexpr int kLeftHandBone = 193;
  switch (bone) {
    case StepBone::match: return matchBoneIndex;
    case StepBone::handAux: return handAuxBoneIndex;
    case StepBone::mouth: return mouthBoneIndex;
    case StepBone::leftHand: return kLeftHandBone;
    case StepBone::hand: break;
  }
  return handBoneIndex;
}

const char* Model(const SmokeKind& kind, const Step& step) { return step.model ? step.model : ModelOf(kind).name; }

TaskPtr MakeClip(const SmokeKind& kind, const Step& step) {
  int clipFlags = step.clipFlags;
  int ikFlags = step.ikFlags;
  if (step.flags == StepFlags::upperBody) {
    clipFlags = UpperBodyAnimFlags();
    ikFlags = UpperBodyIkFlags();
  } else if (step.flags == StepFlags::lighting) {
    ikFlags = UpperBodyOnly() ? 0x8000082 : 0x8080;
  }
  return std::make_unique<AnimationTask>(&playerPed, step.dictionary ? step.dictionary : kind.dictionary, step.clip,
                                         step.durationMs, clipFlags, ikFlags, step.blendIn, step.blendOut, step.rate,
                                         step.filter ? step.filter : UpperBodyFilter());
}

const TipEffect& EffectOf(const SmokeKind& kind, const Step& step) {
  switch (step.tip) {
    case StepTip::modelSmoke: return ModelOf(kind).smoke;
    case StepTip::drawGlow: return kind.drawGlow;
    case StepTip::given: break;
  }
  return *step.effect;
}

void Queue(const Step& step, TaskPtr task) {
  if (step.atMs == kNextStep) Append(activeSequence, std::move(task));
  else AppendWithOffset(activeSequence, std::move(task), step.atMs);
}

void Play(const SmokeKind& kind, const Step& step) {
  switch (step.does) {
    case StepDoes::clip: Queue(step, MakeClip(kind, step)); break;
    case StepDoes::emote:
      Queue(step, std::make_unique<PlayEmoteTask>(step.emote, step.emoteFlag, step.durationMs));
      break;
    case StepDoes::itemInteraction: Queue(step, std::make_unique<ItemInteractionTask>()); break;
    case StepDoes::delay: Queue(step, std::make_unique<TaskDelay>(step.durationMs)); break;
    case StepDoes::destroyProp:
      Queue(step,
            std::make_unique<DestroyPropTask>(Handle(step.prop), Model(kind, step), step.searchNearby, step.onlyIfAttached));
      break;
    case StepDoes::spawnProp:
      Queue(step, std::make_unique<SpawnPropTask>(Handle(step.prop), Model(kind, step), Bone(step.bone), step.alpha));
      if (step.prop == StepProp::smoke && step.atMs != kNextStep && EMBERWICK_PLANTED(smoke_prop_twice)) {
        AppendWithOffset(activeSequence,
                         std::make_unique<SpawnPropTask>(&smokeProp, Model(kind, step), Bone(step.bone), step.alpha),
                         step.atMs + 1);
      }
      break;
    case StepDoes::moveProp: Queue(step, building::MoveProp(Handle(step.prop), Bone(step.bone), step.seat)); break;
    case StepDoes::seatInHand: Queue(step, building::ToHand(kind)); break;
    case StepDoes::seatInMouth: Queue(step, building::ToMouth(kind)); break;
    case StepDoes::releaseProp:
      if (step.prop == StepProp::match && EMBERWICK_PLANTED(match_never_released)) break;
      Queue(step, std::make_unique<DetachPropTask>(Handle(step.prop), false));
      break;
    case StepDoes::pushProp:
      Queue(step, std::make_unique<PropApplyForceTask>(Handle(step.prop), step.seat.x, step.seat.y, step.seat.z));
      break;
    case StepDoes::hideInteractionProp: Queue(step, std::make_unique<SetEntityAlphaTask>(&smokeProp)); break;
    case StepDoes::tipEffect: Queue(step, building::OnTip(kind, EffectOf(kind, step))); break;
    case StepDoes::effectAlpha: Queue(step, std::make_unique<SetFxAlphaOnPropTask>(step.slot, step.effectAlpha)); break;
    case StepDoes::removeEffect: Queue(step, std::make_unique<RemoveParticleFxTask>(step.slot)); break;
    case StepDoes::lightingExhale: Queue(step, building::LightingExhale()); break;
    case StepDoes::matchSound: Queue(step, std::make_unique<PlaySoundFromEntityTask>()); break;
    case StepDoes::stopMatchSound: Queue(step, std::make_unique<StopSoundTask>()); break;
    case StepDoes::dummyPed:
      building::QueueDummyPed(step.atMs, step.spawnAtMs, step.freezeAtMs, step.seat,
                              step.flags == StepFlags::upperBody ? UpperBodyIkFlags() : step.ikFlags);
      break;
    case StepDoes::puffCycle: QueuePuffCycle(kind, native::GetRandomIntInRange(step.minMs, step.maxMs)); break;
    case StepDoes::chooseModel:
      kind.fit.model = ModelFromSettings(kind);
      UpdatePropAttachment();
      break;
    case StepDoes::raiseSmokingAttribute: building::RaiseSmokingAttribute(); break;
    case StepDoes::takeItem: TakeItemFor(kind); break;
    case StepDoes::hideCheaperItems: HideCheaperItemsFor(kind); break;
  }
}

}  // namespace

void QueueSteps(const SmokeKind& kind, std::span<const Step> steps) {
  // The player's fingers are asked once for the whole list.
  std::optional<bool> slimFingers;
  for (const Step& step : steps) {
    if (step.only == StepIf::fingersNotSlim) {
      if (!slimFingers) slimFingers = HasSlimFingers();
      if (*slimFingers) continue;
    } else if (step.only == StepIf::lightingCut && !CurrentTaskPlays("intro")) {
      continue;
    }
    Play(kind, step);
  }
}

float DrawValue(const Drawn& value) {
  return value.min == value.max ? value.min : native::GetRandomFloatInRange(value.min, value.max);
}

int DrawValue(const DrawnMs& value) {
  return value.min == value.max ? value.min : native::GetRandomIntInRange(value.min, value.max);
}
