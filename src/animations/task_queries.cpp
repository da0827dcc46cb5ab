#include "animations/task_queries.h"

#include <string>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"

namespace {

bool Has(const std::string& name, std::string_view part) { return name.find(part) != std::string::npos; }

template <typename Task>
const Task* As(const Animations::ISequenceTask* task) {
  return dynamic_cast<const Task*>(task);
}

}  // namespace

bool TaskPlays(const Animations::ISequenceTask* task, std::string_view part) {
  using namespace Animations;
  if (const auto* clip = As<AnimationTask>(task)) return Has(clip->dictionary, part) || Has(clip->clip, part);
  if (const auto* interaction = As<ItemInteractionTask>(task)) return Has(interaction->interaction, part);
  if (const auto* fx = As<PlayFxOnPropTask>(task)) return Has(fx->asset, part) || Has(fx->effectName, part);
  if (const auto* fx = As<PlayFxOnPedBoneTask>(task)) return Has(fx->asset, part) || Has(fx->effectName, part);
  if (const auto* sound = As<PlaySoundFromEntityTask>(task)) return Has(sound->soundSet, part) || Has(sound->sound, part);
  if (const auto* sound = As<StopSoundTask>(task)) return Has(sound->soundSet, part) || Has(sound->sound, part);
  return false;
}

bool CurrentTaskPlays(std::string_view part) { return TaskPlays(activeSequence.current.get(), part); }

bool CurrentTaskPlaysEmote(uint32_t emote) {
  const auto* playing = As<Animations::PlayEmoteTask>(activeSequence.current.get());
  return playing && (emote == 0 || playing->emote == emote);
}

bool CurrentTaskIsItemInteraction() {
  return As<Animations::ItemInteractionTask>(activeSequence.current.get()) != nullptr;
}

bool NextTaskPlaysClip() {
  return !activeSequence.pending.empty() && As<Animations::AnimationTask>(activeSequence.pending.front().get());
}
