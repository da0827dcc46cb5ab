// Tasks that act on props, particle effects and sounds. They hold the address
// of a handle variable, not a handle, so they act on whatever the variable
// holds when they execute.
#pragma once

#include <string>

#include "animations/sequence_task.h"
#include "host/native_types.h"

namespace Animations {

class SpawnPropTask : public OffsetTask {
 public:
  SpawnPropTask(Entity* handle, std::string model, int bone, int alpha)
      : handle(handle), model(std::move(model)), bone(bone), alpha(alpha) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Entity* handle;
  std::string model;
  int bone;
  int alpha;
  int durationMs = 30;
};

// Attach integers: the four default to 0 except the fourth (`attach4`); the two
// further integers are 1 and `further2`. Props pass (0, 2), the dummy ped (1, 0).
class MovePropTask : public OffsetTask {
 public:
  MovePropTask(Entity* handle, int bone, float x, float y, float z, float rx, float ry, float rz, int attach4,
               int further2)
      : handle(handle), bone(bone), x(x), y(y), z(z), rx(rx), ry(ry), rz(rz), attach{0, 0, 0, attach4},
        further{1, further2} {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Entity* handle;
  int bone;
  int durationMs = 1;
  float x, y, z, rx, ry, rz;
  int attach[4];
  int further[2];
};

class DetachPropTask : public OffsetTask {
 public:
  DetachPropTask(Entity* handle, bool clearHandle) : handle(handle), clearHandle(clearHandle) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Entity* handle;
  bool clearHandle;
  int durationMs = 1;
};

class PropApplyForceTask : public OffsetTask {
 public:
  PropApplyForceTask(Entity* handle, float fx, float fy, float fz) : handle(handle), fx(fx), fy(fy), fz(fz) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  Entity* handle;
  int durationMs = 1;
  int forceType = 1;
  float fx, fy, fz;
  float ox = 0.0f, oy = 0.0f, oz = 0.0f;
  int bone = 0;
  int flags[3] = {1, 0, 1};
};

class DestroyPropTask : public OffsetTask {
 public:
  DestroyPropTask(Entity* handle, std::string model, bool searchNearby, bool onlyIfAttached)
      : handle(handle), onlyIfAttached(onlyIfAttached), model(std::move(model)), searchNearby(searchNearby) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return 1; }

  Entity* handle;
  bool onlyIfAttached;
  std::string model;
  bool searchNearby;
};

// A looped effect from "anm_smoking" on the prop in `prop`.
class PlayFxOnPropTask : public OffsetTask {
 public:
  PlayFxOnPropTask(Entity* prop, int* effect, std::string effectName, float alpha, float x, float y, float z,
                   float rx, float ry, float rz, float scale, int durationMs)
      : effect(effect), prop(prop), effectName(std::move(effectName)), alpha(alpha), x(x), y(y), z(z), rx(rx),
        ry(ry), rz(rz), scale(scale), durationMs(durationMs) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  int* effect;
  Entity* prop;
  std::string asset = "anm_smoking";
  std::string effectName;
  int looped = 1;
  float alpha;
  float x, y, z, rx, ry, rz;
  float scale;
  int durationMs;
};

// A one-shot effect on a bone of the player.
class PlayFxOnPedBoneTask : public OffsetTask {
 public:
  PlayFxOnPedBoneTask(int* effect, int bone, std::string asset, std::string effectName, float alpha, float x,
                      float y, float z, float rx, float ry, float rz, float scale)
      : effect(effect), bone(bone), asset(std::move(asset)), effectName(std::move(effectName)), alpha(alpha), x(x),
        y(y), z(z), rx(rx), ry(ry), rz(rz), scale(scale) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  int* effect;
  int bone;
  std::string asset;
  std::string effectName;
  int looped = 0;
  float alpha;
  float x, y, z, rx, ry, rz;
  float scale;
  int durationMs = 10;
};

class SetFxAlphaOnPropTask : public OffsetTask {
 public:
  SetFxAlphaOnPropTask(int* effect, float alpha) : effect(effect), alpha(alpha) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return 1; }

  int* effect;
  float alpha;
};

class RemoveParticleFxTask : public OffsetTask {
 public:
  explicit RemoveParticleFxTask(int* effect) : effect(effect) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return durationMs; }

  int* effect;
  int durationMs = 1;
};

// Hides the interaction's own cigarette found next to the player (or, with
// searchNearby off, the prop in `handle`).
class SetEntityAlphaTask : public OffsetTask {
 public:
  explicit SetEntityAlphaTask(Entity* handle) : handle(handle) {}
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return 1; }

  Entity* handle;
  bool onlyIfAttached = true;
  std::string model = "p_cigarette_cs01x";
  float alpha = 0.0f;
  int alphaFlag = 0;
  bool searchNearby = true;
};

class PlaySoundFromEntityTask : public OffsetTask {
 public:
  PlaySoundFromEntityTask() = default;
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return 1; }

  std::string soundSet = "Player_Campfire_Sounds";
  std::string sound = "cook_meat_sizzle_loop";
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

class StopSoundTask : public OffsetTask {
 public:
  StopSoundTask() = default;
  void Execute() override;
  std::string GetName() override;
  int GetDurationMs() override { return 1; }

  std::string soundSet = "Player_Campfire_Sounds";
  std::string sound = "cook_meat_sizzle_loop";
};

}  // namespace Animations
