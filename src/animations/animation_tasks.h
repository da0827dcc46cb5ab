// Tasks that make characters move: clips, emotes, item interactions, the
// dummy ped, delays.
#pragma once

#include <cstdint>
#include <string>

#include "animations/sequence_task.h"
#include "host/native_types.h"

namespace Animations {

class AnimationTask : public OffsetTask {
 public:
  AnimationTask(Ped* ped, std::string dictionary, std::string clip, int durationMs, int clipFlags, int extraFlags,
                float blendIn, float blendOut, float rate, std::string filter)
      : ped(ped), dictionary(std::move(dictionary)), clip(std::move(clip)), durationMs(durationMs),
        clipFlags(clipFlags), extraFlags(extraFlags), blendIn(blendIn), blendOut(blendOut), rate(rate),
        filter(std::move(filter)) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Ped* ped;
  std::string dictionary;
  std::string clip;
  int durationMs;
  int clipFlags;
  int extraFlags;  // the game takes them as IK flags
  float blendIn;
  float blendOut;
  float rate;
  std::string filter;
};

class PlayEmoteTask : public OffsetTask {
 public:
  PlayEmoteTask(uint32_t emote, int flag, int durationMs) : emote(emote), flag(flag), durationMs(durationMs) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  uint32_t emote;
  int flag;
  int durationMs;
};

// One of the game's own item interactions on the player: the player plays
// `interaction` with `item`.
class ItemInteractionTask : public OffsetTask {
 public:
  ItemInteractionTask() = default;
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  std::string item = "ID_XH_R_HAND00";
  std::string interaction = "QUICK_SMOKE_CIGARETTE_LEFT_HAND";
  int durationMs = 2150;
};

// Freezes the clip `entity` plays at `phase`.
class SetAnimCurrentTimeTask : public OffsetTask {
 public:
  explicit SetAnimCurrentTimeTask(Entity* entity) : entity(entity) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Entity* entity;
  std::string dictionary = "mech_inventory@smoking@cigarette";
  std::string clip = "quick_right";
  float phase = 0.1f;
  int durationMs = 1;
};

class TaskCancelCurrentAnimation : public OffsetTask {
 public:
  explicit TaskCancelCurrentAnimation(int durationMs) : durationMs(durationMs) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  int durationMs;
};

class TaskDelay : public OffsetTask {
 public:
  explicit TaskDelay(int durationMs) : durationMs(durationMs) {}
  void Execute() override {}
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  int durationMs;
};

// A ped of `model` at the player, kept in `ped`.
class SpawnPedTask : public OffsetTask {
 public:
  explicit SpawnPedTask(Ped* ped) : ped(ped) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Ped* ped;
  std::string model = "A_C_Rabbit_01";
  int invisible = 1;
  int freezePosition = 1;  // held where it stands
  int collisionOff = 0;    // nothing collides with it
  float spawnValue = 0.1f;
  int durationMs = 0;
};

class DeleteEntityTask : public OffsetTask {
 public:
  explicit DeleteEntityTask(Entity* entity) : entity(entity) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return 1; }

  Entity* entity;
};

}  // namespace Animations
