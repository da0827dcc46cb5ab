#include "world/leftovers.h"

#include <algorithm>

#include "simulator.h"

namespace sim {
namespace {

std::string Describe(const SimEntity& entity) {
  return entity.modelName + " #" + std::to_string(entity.handle);
}

bool IsMarker(const SimEntity& entity) {
  std::string model = entity.modelName;
  std::transform(model.begin(), model.end(), model.begin(), [](unsigned char c) { return std::tolower(c); });
  return model == kMouthMarkerModel;
}

// In the game an effect on an entity dies with it: deleting a prop ends the
// ember and smoke that burned on it.
void StopEffectsOfDeletedEntities(Simulator& sim) {
  Effects& effects = sim.world.effects;
  for (auto it = effects.looped.begin(); it != effects.looped.end();) {
    const LoopedEffect& effect = it->second;
    if (effect.entity != 0 && !sim.world.entities.Exists(effect.entity)) {
      sim.Event("effect", "looped " + effect.name + " (" + std::to_string(effect.handle) +
                              ") ends with its deleted entity " + std::to_string(effect.entity),
                EffectSubject(effect.name, effect.handle), Span::End);
      effects.stopped.push_back(effect);
      it = effects.looped.erase(it);
    } else {
      ++it;
    }
  }
}

void AddList(std::string& text, const char* title, const std::vector<std::string>& items) {
  if (items.empty()) return;
  text += "  " + std::string(title) + ":\n";
  for (const std::string& item : items) text += "    " + item + "\n";
}

}  // namespace

Leftovers FindLeftovers(Simulator& sim) {
  StopEffectsOfDeletedEntities(sim);
  Leftovers found;
  const int player = sim.world.entities.player;
  for (const auto& [handle, entity] : sim.world.entities.all) {
    if (!entity.createdByPlugin || handle == player) continue;
    const std::string subject = sim.world.entities.Label(handle);
    if (entity.type == SimEntity::Type::Ped) {
      found.helperEntities.push_back("ped " + Describe(entity));
    } else if (IsMarker(entity)) {
      found.helperEntities.push_back("mouth marker " + Describe(entity));
    } else if (entity.attachedTo == player) {
      found.propsOnPlayer.push_back(Describe(entity) + " on bone " + std::to_string(entity.attachBone));
    } else if (entity.attachedTo != 0) {
      found.helperEntities.push_back(Describe(entity) + " attached to entity " + std::to_string(entity.attachedTo));
    } else {
      found.propsInWorld.push_back(Describe(entity) + (entity.pushed ? ", thrown" : ", dropped"));
      continue;
    }
    found.subjects.push_back(subject);
  }
  for (const auto& [handle, effect] : sim.world.effects.looped) {
    std::string where = effect.entity == 0 ? "nowhere" : "entity " + std::to_string(effect.entity);
    if (effect.bone >= 0) where += " bone " + std::to_string(effect.bone);
    found.loopedEffects.push_back(effect.name + " (" + std::to_string(handle) + ") on " + where);
    found.subjects.push_back(EffectSubject(effect.name, handle));
  }
  for (const Sound& sound : sim.world.effects.loopedSounds) {
    found.loopedSounds.push_back(sound.name + " of " + sound.soundSet);
    found.subjects.push_back(SoundSubject(sound.name));
  }
  for (const auto& [hash, name] : sim.world.effects.preparedSoundSets) {
    found.soundSets.push_back(name);
    found.subjects.push_back(SoundSetSubject(name));
  }
  for (const auto& [handle, prompt] : sim.world.prompts.all) {
    if (!prompt.registered || !prompt.visible) continue;
    found.visiblePrompts.push_back("\"" + prompt.label + "\"");
    found.subjects.push_back(PromptSubject(prompt.label));
  }
  return found;
}

std::string FormatLeftovers(const Leftovers& leftovers) {
  std::string text;
  if (leftovers.Clean()) {
    text = "Nothing was left behind.\n";
  } else {
    text = "Left behind by the plug-in:\n";
    AddList(text, "props attached to the player", leftovers.propsOnPlayer);
    AddList(text, "dummy and marker entities", leftovers.helperEntities);
    AddList(text, "looped effects still running", leftovers.loopedEffects);
    AddList(text, "looped sounds still playing", leftovers.loopedSounds);
    AddList(text, "sound sets still prepared", leftovers.soundSets);
    AddList(text, "prompts still on screen", leftovers.visiblePrompts);
    AddList(text, "prompts still registered, hidden", leftovers.keptPrompts);
  }
  if (!leftovers.propsInWorld.empty()) {
    text += "Thrown or dropped props lying in the world (as intended):\n";
    for (const std::string& item : leftovers.propsInWorld) text += "    " + item + "\n";
  }
  return text;
}

void InstallLeftoverReport(Simulator& sim) {
  sim.AddFrameEndHook([&sim] { StopEffectsOfDeletedEntities(sim); });
  sim.leftoverReport = [&sim] { return FormatLeftovers(FindLeftovers(sim)); };
}

}  // namespace sim
