// Peds and objects of the simulated world.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

struct Vec3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct SimEntity {
  enum class Type { Ped, Object };
  int handle = 0;
  Type type = Type::Object;
  uint32_t model = 0;
  std::string modelName;
  Vec3 position;
  float heading = 0.0f;
  bool visible = true;
  int alpha = 255;
  bool missionEntity = false;
  bool createdByPlugin = false;  // spawned through a native the plug-in called
  int attachedTo = 0;            // entity handle, 0 = free
  int attachBone = 0;
  Vec3 attachOffset;
  Vec3 attachRotation;
  bool released = false;  // was attached, then detached
  bool pushed = false;    // a force was applied after it was released
  Vec3 lastForce;
  int canBeDamaged = -1;  // last SetEntityCanBeDamaged value, -1 = never set
  float scale = 1.0f;     // a ped's size, from SetPedScale
};

struct Entities {
  std::map<int, SimEntity> all;
  int nextHandle = 1000;
  int player = 0;  // handle of the player ped
  int nextItemSet = 1;
  std::map<int, std::vector<int>> itemSets;  // open item sets and their entries

  SimEntity* Find(int handle) {
    auto it = all.find(handle);
    return it == all.end() ? nullptr : &it->second;
  }
  const SimEntity* Find(int handle) const {
    auto it = all.find(handle);
    return it == all.end() ? nullptr : &it->second;
  }
  bool Exists(int handle) const { return handle != 0 && all.count(handle) != 0; }
  SimEntity& Create(SimEntity::Type type, uint32_t model, std::string modelName, Vec3 position) {
    SimEntity entity;
    entity.handle = nextHandle++;
    entity.type = type;
    entity.model = model;
    entity.modelName = std::move(modelName);
    entity.position = position;
    return all[entity.handle] = entity;
  }
  // Removes the entity; whatever was attached to it falls free.
  void Remove(int handle) {
    all.erase(handle);
    for (auto& [other, entity] : all) {
      if (entity.attachedTo == handle) entity.attachedTo = 0;
    }
  }

  // Where the entity is: an attached entity is where its parent is.
  Vec3 WorldPosition(int handle) const;
  // "p_cigarette01x #1004", or the model name alone for the player.
  std::string Label(int handle) const;
  // Live entities created by the plug-in, with the given model name (case-insensitive).
  std::vector<const SimEntity*> CreatedByPlugin(const std::string& modelName = "") const;
};

}  // namespace sim
