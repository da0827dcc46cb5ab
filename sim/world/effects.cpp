#include <cstdio>

#include "simulator.h"

namespace sim {
namespace {

std::string Number(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  return buffer;
}

// A sound the game keeps playing until it is stopped by name.
bool IsLoopedSound(const std::string& name) {
  return name.size() >= 5 && name.compare(name.size() - 5, 5, "_loop") == 0;
}

}  // namespace

void InstallEffectNatives(Simulator& sim) {
  Effects& effects = sim.world.effects;
  Entities& entities = sim.world.entities;

  // Looped effects: a handle per start, nothing when the entity is gone.
  auto startLooped = [&sim, &effects, &entities](bool onBone) {
    return [&sim, &effects, &entities, onBone](const Call& c, Result& r) {
      LoopedEffect effect;
      effect.name = c.S(0);
      effect.asset = effects.nextAsset;
      effect.entity = c.I(1);
      effect.bone = onBone ? c.I(8) : -1;
      effect.scale = onBone ? c.F(9) : c.F(8);
      effect.startFrame = sim.Frame();
      if (!entities.Exists(effect.entity)) {
        sim.Event("effect", "looped effect " + effect.name + " not started: no entity " +
                                std::to_string(effect.entity));
        r.Int(0);
        return;
      }
      effect.handle = effects.nextHandle++;
      effects.looped[effect.handle] = effect;
      const std::string where =
          entities.Label(effect.entity) + (onBone ? " bone " + std::to_string(effect.bone) : std::string());
      sim.Event("effect", "looped effect " + effect.name + " #" + std::to_string(effect.handle) + " started on " + where,
                EffectSubject(effect.name, effect.handle), Span::Begin, "on " + where);
      r.Int(effect.handle);
    };
  };
  sim.Handle("StartNetworkedParticleFxLoopedOnEntity", startLooped(false));
  sim.Handle("StartParticleFxLoopedOnPedBone", startLooped(true));

  sim.Handle("SetParticleFxLoopedAlpha", [&sim, &effects](const Call& c, Result&) {
    auto it = effects.looped.find(c.I(0));
    if (it == effects.looped.end()) return;
    if (it->second.alpha != c.F(1)) {
      sim.Event("effect", "looped effect " + it->second.name + " #" + std::to_string(c.I(0)) + " alpha " +
                              Number(c.F(1)),
                EffectSubject(it->second.name, c.I(0)), Span::Change);
    }
    it->second.alpha = c.F(1);
  });
  sim.Handle("DoesParticleFxLoopedExist", [&effects](const Call& c, Result& r) { r.Bool(effects.Running(c.I(0))); });
  sim.Handle("RemoveParticleFx", [&sim, &effects](const Call& c, Result&) {
    auto it = effects.looped.find(c.I(0));
    if (it == effects.looped.end()) return;
    sim.Event("effect", "looped effect " + it->second.name + " #" + std::to_string(c.I(0)) + " stopped",
              EffectSubject(it->second.name, c.I(0)), Span::End);
    effects.stopped.push_back(it->second);
    effects.looped.erase(it);
  });

  sim.Handle("SetParticleFxNonLoopedAlpha", [&effects](const Call& c, Result&) { effects.nextAlpha = c.F(0); });
  auto startOneShot = [&sim, &effects, &entities](bool onBone) {
    return [&sim, &effects, &entities, onBone](const Call& c, Result& r) {
      OneShotEffect effect;
      effect.name = c.S(0);
      effect.asset = effects.nextAsset;
      effect.entity = c.I(1);
      effect.bone = onBone ? c.I(8) : -1;
      effect.scale = onBone ? c.F(9) : c.F(8);
      effect.alpha = effects.nextAlpha;
      effect.frame = sim.Frame();
      effects.nextAlpha = 1.0f;
      if (!entities.Exists(effect.entity)) {
        sim.Event("effect", "effect " + effect.name + " not played: no entity " + std::to_string(effect.entity));
        r.Int(0);
        return;
      }
      effects.oneShots.push_back(effect);
      sim.Event("effect", "effect " + effect.name + " played on " + entities.Label(effect.entity) +
                              (onBone ? " bone " + std::to_string(effect.bone) : std::string()) + " alpha " +
                              Number(effect.alpha));
      r.Int(effects.nextHandle++);
    };
  };
  sim.Handle("StartNetworkedParticleFxNonLoopedOnEntity", startOneShot(false));
  sim.Handle("StartParticleFxNonLoopedOnPedBone", startOneShot(true));

  sim.Handle("PlaySoundFromEntity", [&sim, &effects, &entities](const Call& c, Result&) {
    Sound sound;
    sound.name = c.S(0);
    sound.entity = c.I(1);
    sound.soundSet = c.S(2);
    sound.looped = IsLoopedSound(sound.name);
    sound.frame = sim.Frame();
    effects.soundsPlayed.push_back(sound);
    if (sound.looped) effects.loopedSounds.push_back(sound);
    sim.Event("sound", "sound " + sound.name + " (" + sound.soundSet + ") playing from " +
                           entities.Label(sound.entity),
              sound.looped ? SoundSubject(sound.name) : std::string(), sound.looped ? Span::Begin : Span::Mark);
  });
  sim.Handle("PlaySoundFromPosition", [&sim, &effects](const Call& c, Result&) {
    Sound sound;
    sound.name = c.S(0);
    sound.x = c.F(1);
    sound.y = c.F(2);
    sound.z = c.F(3);
    sound.soundSet = c.S(4);
    sound.looped = IsLoopedSound(sound.name);
    sound.frame = sim.Frame();
    effects.soundsPlayed.push_back(sound);
    if (sound.looped) effects.loopedSounds.push_back(sound);
    sim.Event("sound", "sound " + sound.name + " (" + sound.soundSet + ") playing at " + Number(sound.x) + " " +
                           Number(sound.y) + " " + Number(sound.z),
              sound.looped ? SoundSubject(sound.name) : std::string(), sound.looped ? Span::Begin : Span::Mark);
  });
  sim.Handle("StopSoundWithName", [&sim, &effects](const Call& c, Result&) {
    const std::string name = c.S(0), soundSet = c.S(1);
    size_t before = effects.loopedSounds.size();
    std::erase_if(effects.loopedSounds,
                  [&](const Sound& sound) { return sound.name == name && sound.soundSet == soundSet; });
    if (effects.loopedSounds.size() != before) sim.Event("sound", "sound " + name + " stopped", SoundSubject(name), Span::End);
  });
  // The game lets go of a sound set released by its own name; anything else
  // (a sound's name, a set never prepared) releases nothing.
  sim.Handle("ReleaseSoundSet", [&sim, &effects](const Call& c, Result&) {
    const std::string name = c.S(0);
    if (effects.preparedSoundSets.erase(sim.Hash(name)) == 0) {
      sim.Event("sound", "sound set " + name + " released, but no such set was prepared");
      return;
    }
    sim.Event("sound", "sound set " + name + " released", SoundSetSubject(name), Span::End);
  });
}

}  // namespace sim
