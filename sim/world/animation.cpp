#include <cstdlib>

#include "simulator.h"

namespace sim {
namespace {

std::string ClipLabel(const PlayingClip& clip) { return clip.dictionary + "/" + clip.clip; }

float Phase(const Simulator& sim, const PlayingClip& clip, int nominalMs) {
  const int length = clip.durationMs > 0 ? clip.durationMs : nominalMs;
  const double elapsedMs = static_cast<double>(sim.GameUs() - clip.startUs) / 1000.0 * clip.rate;
  double phase = elapsedMs / length;
  if (clip.durationMs <= 0) phase -= static_cast<int64_t>(phase);  // looping
  return static_cast<float>(phase < 0.0 ? 0.0 : (phase > 1.0 ? 1.0 : phase));
}

// The cigarette the game hands the player in its quick-smoke interaction.
constexpr const char* kInteractionCigarette = "p_cigarette_cs01x";

}  // namespace

void EndAnimationsOf(Simulator& sim, int ped, const std::string& how) {
  Animation& animation = sim.world.animation;
  const std::string label = sim.world.entities.Label(ped);
  std::erase_if(animation.clips, [&](const PlayingClip& clip) {
    if (clip.ped != ped) return false;
    sim.Event("clip", "clip " + ClipLabel(clip) + " ended (" + how + ")", "clips on " + label, Span::End);
    return true;
  });
  std::erase_if(animation.emotes, [&](const PlayingEmote& emote) {
    if (emote.ped != ped) return false;
    sim.Event("emote", "emote " + sim.hashes.Name(emote.emote) + " ended (" + how + ")", "emotes on " + label,
              Span::End);
    return true;
  });
  for (PlayingInteraction& interaction : animation.interactions) {
    if (interaction.ped == ped) interaction.durationMs = 0;  // ends at the next frame
  }
}

void InstallAnimationNatives(Simulator& sim) {
  Animation& animation = sim.world.animation;
  Entities& entities = sim.world.entities;

  sim.Handle("TaskPlayAnim", [&sim, &animation, &entities](const Call& c, Result&) {
    PlayingClip clip;
    clip.ped = c.I(0);
    clip.dictionary = c.S(1);
    clip.clip = c.S(2);
    clip.blendIn = c.F(3);
    clip.blendOut = c.F(4);
    clip.durationMs = c.I(5);
    clip.flags = c.I(6);
    clip.rate = c.F(7);
    clip.ikFlags = c.I(9);
    clip.filter = c.S(11);
    clip.startUs = sim.GameUs();
    if (!entities.Exists(clip.ped)) {
      sim.Event("clip", "clip " + ClipLabel(clip) + " not played: no ped " + std::to_string(clip.ped));
      return;
    }
    if (!sim.world.assets.Loaded(sim, sim.Hash(clip.dictionary))) {
      sim.Event("clip", "clip " + ClipLabel(clip) + " not played: its dictionary is not loaded");
      return;
    }
    std::erase_if(animation.clips, [&](const PlayingClip& other) { return other.ped == clip.ped; });
    animation.clips.push_back(clip);
    animation.clipsPlayed.push_back(clip);
    sim.Event("clip", "clip " + ClipLabel(clip) + " on " + entities.Label(clip.ped) + " for " +
                          std::to_string(clip.durationMs) + " ms" +
                          (clip.filter.empty() ? std::string() : " filter " + clip.filter),
              "clips on " + entities.Label(clip.ped), Span::Begin, clip.clip);
  });

  sim.Handle("GetEntityAnimCurrentTime", [&sim, &animation](const Call& c, Result& r) {
    for (const PlayingClip& clip : animation.clips) {
      if (clip.ped == c.I(0) && clip.dictionary == c.S(1) && clip.clip == c.S(2)) {
        r.Float(Phase(sim, clip, animation.nominalClipMs));
        return;
      }
    }
    r.Float(0.0f);
  });

  sim.Handle("SetEntityAnimCurrentTime", [&sim, &animation](const Call& c, Result&) {
    for (PlayingClip& clip : animation.clips) {
      if (clip.ped == c.I(0) && clip.dictionary == c.S(1) && clip.clip == c.S(2)) {
        const int length = clip.durationMs > 0 ? clip.durationMs : animation.nominalClipMs;
        const float rate = clip.rate > 0.0f ? clip.rate : 1.0f;
        clip.startUs = sim.GameUs() - static_cast<int64_t>(c.F(3) * length * 1000.0f / rate);
        return;
      }
    }
  });

  sim.Handle("TaskPlayEmoteWithHash", [&sim, &animation, &entities](const Call& c, Result&) {
    PlayingEmote emote{c.I(0), c.U(3), c.I(8), sim.GameUs(), animation.emoteDurationMs};
    if (!entities.Exists(emote.ped)) return;
    std::erase_if(animation.emotes, [&](const PlayingEmote& other) { return other.ped == emote.ped; });
    animation.emotes.push_back(emote);
    sim.Event("emote", "emote " + sim.hashes.Name(emote.emote) + " on " + entities.Label(emote.ped),
              "emotes on " + entities.Label(emote.ped), Span::Begin, sim.hashes.Name(emote.emote));
  });

  sim.Handle("StartTaskItemInteraction", [&sim, &animation, &entities](const Call& c, Result&) {
    PlayingInteraction interaction{c.I(0), c.U(1), c.U(2), sim.GameUs(), animation.interactionDurationMs, 0};
    if (!entities.Exists(interaction.ped)) return;
    if (sim.hashes.Name(interaction.interaction) == "QUICK_SMOKE_CIGARETTE_LEFT_HAND") {
      SimEntity& prop = entities.Create(SimEntity::Type::Object, sim.Hash(kInteractionCigarette),
                                        kInteractionCigarette, entities.WorldPosition(interaction.ped));
      prop.attachedTo = interaction.ped;
      interaction.gameProp = prop.handle;
    }
    animation.interactions.push_back(interaction);
    sim.Event("interaction", "item interaction " + sim.hashes.Name(interaction.interaction) + " with " +
                                 sim.hashes.Name(interaction.item) + " on " + entities.Label(interaction.ped),
              "interactions on " + entities.Label(interaction.ped), Span::Begin,
              sim.hashes.Name(interaction.interaction));
  });

  sim.Handle("StopAnimPlayback", [&sim, &animation, &entities](const Call& c, Result&) {
    const int ped = c.I(0);
    const size_t ended = std::erase_if(animation.clips, [&](const PlayingClip& clip) { return clip.ped == ped; }) +
                         std::erase_if(animation.emotes, [&](const PlayingEmote& e) { return e.ped == ped; });
    for (PlayingInteraction& interaction : animation.interactions) {
      if (interaction.ped == ped) interaction.durationMs = 0;  // ends at the next frame
    }
    sim.Event("clip", "animations on " + entities.Label(ped) + " cancelled" + (ended ? "" : " (none playing)"),
              "clips on " + entities.Label(ped), ended ? Span::End : Span::Mark);
  });

  // Clips, emotes and interactions end when their time is up.
  sim.AddFrameEndHook([&sim, &animation, &entities] {
    const int64_t now = sim.GameUs();
    std::erase_if(animation.clips, [&](const PlayingClip& clip) {
      if (!entities.Exists(clip.ped)) return true;
      if (clip.durationMs <= 0 || now - clip.startUs < int64_t{clip.durationMs} * 1000) return false;
      sim.Event("clip", "clip " + ClipLabel(clip) + " ended", "clips on " + entities.Label(clip.ped), Span::End);
      return true;
    });
    std::erase_if(animation.emotes, [&](const PlayingEmote& emote) {
      if (now - emote.startUs < int64_t{emote.durationMs} * 1000) return false;
      sim.Event("emote", "emote " + sim.hashes.Name(emote.emote) + " ended", "emotes on " + entities.Label(emote.ped),
                Span::End);
      return true;
    });
    std::erase_if(animation.interactions, [&](const PlayingInteraction& interaction) {
      if (now - interaction.startUs < int64_t{interaction.durationMs} * 1000) return false;
      // The game takes its own prop back unless the script deleted it.
      if (interaction.gameProp && entities.Exists(interaction.gameProp)) entities.Remove(interaction.gameProp);
      sim.Event("interaction", "item interaction " + sim.hashes.Name(interaction.interaction) + " ended",
                "interactions on " + entities.Label(interaction.ped), Span::End);
      return true;
    });
  });

  auto setMs = [](int& field) {
    return [&field](const std::string& value) {
      char* end = nullptr;
      const long ms = std::strtol(value.c_str(), &end, 10);
      if (end == value.c_str() || ms < 1 || ms > 600'000) return false;
      field = static_cast<int>(ms);
      return true;
    };
  };
  // set emote.duration MS / set interaction.duration MS: how long they play.
  sim.AddSetter("emote.duration", setMs(animation.emoteDurationMs));
  sim.AddSetter("interaction.duration", setMs(animation.interactionDurationMs));
}

}  // namespace sim
