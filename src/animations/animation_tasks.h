// Tasks that make characters move: clips, emotes, item interactions, the
// dummy ped, delays.
#pragma once

#include <cstdint>
#include <string>

#include "animations/sequence_task.h"
#include "host/main_loop.h"
#include "host/native_types.h"
#include "smoking/smoking_state.h"

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

class ItemInteractionTask : public OffsetTask {
 public:
  ItemInteractionTask() = default;
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  std::string first = "ID_XH_R_HAND00";
  std::string second = "QUICK_SMOKE_CIGARETTE_LEFT_HAND";
  int durationMs = 2150;
};

class SetAnimCurrentTimeTask : public OffsetTask {
 public:
  SetAnimCurrentTimeTask() = default;
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Entity* entity = &dummyPed;
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

class SpawnPedTask : public OffsetTask {
 public:
  SpawnPedTask() = default;
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Ped* ped = &dummyPed;
  std::string model = "A_C_Rabbit_01";
  int invisible = 1;
  int secondOption = 1;
  int thirdOption = 0;
  float spawnValue = 0.1f;
  int durationMs = 0;
};

class DeleteEntityTask : public OffsetTask {
 public:
  DeleteEntityTask() = default;
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return 1; }

  Entity* entity = &dummyPed;
};

}  // namespace Animations
