#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

#include "simulator.h"

namespace sim {
namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;

std::string Number(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
  return buffer;
}

}  // namespace

Vec3 Entities::WorldPosition(int handle) const {
  const SimEntity* entity = Find(handle);
  // A chain of attachments ends at a free entity; the depth bound guards a cycle.
  for (int depth = 0; entity && entity->attachedTo != 0 && depth < 16; ++depth) {
    const SimEntity* parent = Find(entity->attachedTo);
    if (!parent) break;
    entity = parent;
  }
  return entity ? entity->position : Vec3{};
}

std::string Entities::Label(int handle) const {
  const SimEntity* entity = Find(handle);
  if (!entity) return "#" + std::to_string(handle);
  if (handle == player) return entity->modelName;
  return entity->modelName + " #" + std::to_string(handle);
}

std::vector<const SimEntity*> Entities::CreatedByPlugin(const std::string& modelName) const {
  std::vector<const SimEntity*> found;
  for (const auto& [handle, entity] : all) {
    if (!entity.createdByPlugin) continue;
    if (!modelName.empty() && strcasecmp(modelName.c_str(), entity.modelName.c_str()) != 0) continue;
    found.push_back(&entity);
  }
  return found;
}

void InstallEntityNatives(Simulator& sim) {
  Entities& entities = sim.world.entities;
  auto label = [&entities](int handle) { return entities.Label(handle); };

  sim.Handle("CreateObject", [&sim, &entities](const Call& c, Result& r) {
    const uint32_t model = c.U(0);
    const std::string name = sim.hashes.Name(model);
    if (!sim.world.assets.CanCreate(sim, model)) {
      sim.Event("prop", "prop " + name + " not created: the model is not loaded");
      r.Int(0);
      return;
    }
    SimEntity& prop = entities.Create(SimEntity::Type::Object, model, name, {c.F(1), c.F(2), c.F(3)});
    prop.createdByPlugin = true;
    prop.missionEntity = true;  // script-created objects belong to the script
    sim.Event("prop", "prop " + entities.Label(prop.handle) + " created", entities.Label(prop.handle), Span::Begin);
    r.Int(prop.handle);
  });

  sim.Handle("CreatePed", [&sim, &entities](const Call& c, Result& r) {
    const uint32_t model = c.U(0);
    const std::string name = sim.hashes.Name(model);
    if (!sim.world.assets.CanCreate(sim, model)) {
      sim.Event("ped", "ped " + name + " not created: the model is not loaded");
      r.Int(0);
      return;
    }
    SimEntity& ped = entities.Create(SimEntity::Type::Ped, model, name, {c.F(1), c.F(2), c.F(3)});
    ped.heading = c.F(4);
    ped.createdByPlugin = true;
    ped.missionEntity = true;
    sim.Event("ped", "ped " + entities.Label(ped.handle) + " created", entities.Label(ped.handle), Span::Begin);
    r.Int(ped.handle);
  });

  sim.Handle("AttachEntityToEntity", [&sim, &entities, label](const Call& c, Result&) {
    SimEntity* child = entities.Find(c.I(0));
    if (!child) return;  // the game ignores handles that are gone (0 among them)
    if (!entities.Exists(c.I(1)) || c.I(1) == c.I(0)) {
      sim.Event("prop", label(c.I(0)) + " not attached: no parent " + std::to_string(c.I(1)), label(c.I(0)),
                Span::Change);
      return;
    }
    child->attachedTo = c.I(1);
    child->attachBone = c.I(2);
    child->attachOffset = {c.F(3), c.F(4), c.F(5)};
    child->attachRotation = {c.F(6), c.F(7), c.F(8)};
    child->released = false;
    sim.Event("prop", label(c.I(0)) + " attached to " + label(c.I(1)) + " bone " + std::to_string(c.I(2)) +
                          " at " + Number(c.F(3)) + " " + Number(c.F(4)) + " " + Number(c.F(5)) + " rot " +
                          Number(c.F(6)) + " " + Number(c.F(7)) + " " + Number(c.F(8)),
              label(c.I(0)), Span::Change, c.I(1) == entities.player ? "held" : "attached");
  });

  sim.Handle("DetachEntity", [&sim, &entities, label](const Call& c, Result&) {
    SimEntity* entity = entities.Find(c.I(0));
    if (!entity || entity->attachedTo == 0) return;
    // It falls where its parent was.
    entity->position = entities.WorldPosition(c.I(0));
    entity->attachedTo = 0;
    entity->released = true;
    sim.Event("prop", label(c.I(0)) + " detached", label(c.I(0)), Span::Change, "lying");
  });

  sim.Handle("ApplyForceToEntity", [&sim, &entities, label](const Call& c, Result&) {
    SimEntity* entity = entities.Find(c.I(0));
    if (!entity) return;
    entity->lastForce = {c.F(2), c.F(3), c.F(4)};
    if (entity->attachedTo == 0) entity->pushed = true;
    sim.Event("prop", label(c.I(0)) + " pushed with " + Number(c.F(2)) + " " + Number(c.F(3)) + " " +
                          Number(c.F(4)) + (entity->attachedTo ? " (still attached)" : ""),
              label(c.I(0)), Span::Change, entity->attachedTo ? "" : "thrown");
  });

  sim.Handle("SetEntityAlpha", [&sim, &entities, label](const Call& c, Result&) {
    SimEntity* entity = entities.Find(c.I(0));
    if (!entity) return;
    int alpha = c.I(1) < 0 ? 0 : (c.I(1) > 255 ? 255 : c.I(1));
    if (entity->alpha != alpha) {
      sim.Event("prop", label(c.I(0)) + " alpha " + std::to_string(alpha), label(c.I(0)), Span::Change);
    }
    entity->alpha = alpha;
  });
  sim.Handle("GetEntityAlpha", [&entities](const Call& c, Result& r) {
    const SimEntity* entity = entities.Find(c.I(0));
    r.Int(entity ? entity->alpha : 0);
  });
  sim.Handle("SetEntityVisible", [&sim, &entities, label](const Call& c, Result&) {
    SimEntity* entity = entities.Find(c.I(0));
    if (!entity) return;
    if (entity->visible != c.B(1)) {
      sim.Event("prop", label(c.I(0)) + (c.B(1) ? " shown" : " hidden"), label(c.I(0)), Span::Change);
    }
    entity->visible = c.B(1);
  });
  sim.Handle("SetEntityAsMissionEntity", [&entities](const Call& c, Result&) {
    if (SimEntity* entity = entities.Find(c.I(0))) entity->missionEntity = true;
  });
  sim.Handle("IsEntityAMissionEntity", [&entities](const Call& c, Result& r) {
    const SimEntity* entity = entities.Find(c.I(0));
    r.Bool(entity && entity->missionEntity);
  });
  sim.Handle("SetEntityCanBeDamaged", [&entities](const Call& c, Result&) {
    if (SimEntity* entity = entities.Find(c.I(0))) entity->canBeDamaged = c.I(1);
  });

  // Both delete through the caller's handle variable and clear it, as the game does.
  auto deleteThrough = [&sim, &entities](const char* native) {
    return [&sim, &entities, native](const Call& c, Result&) {
      int32_t* variable = c.P<int32_t>(0);
      if (!variable) {
        sim.Error(std::string(native) + " with a null handle address");
        return;
      }
      const int handle = *variable;
      const SimEntity* entity = entities.Find(handle);
      if (!entity) return;
      if (handle == entities.player) {
        sim.Error(std::string(native) + " on the player ped");
        return;
      }
      if (!entity->missionEntity) {
        sim.Event("prop", entities.Label(handle) + " not deleted: not a mission entity", entities.Label(handle),
                  Span::Change);
        return;
      }
      sim.Event(entity->type == SimEntity::Type::Ped ? "ped" : "prop", entities.Label(handle) + " deleted",
                entities.Label(handle), Span::End);
      for (const auto& [effect, running] : sim.world.effects.looped) {
        if (running.entity == handle) {
          sim.Event("effect", "looped effect " + running.name + " #" + std::to_string(effect) +
                                  " ended with its entity",
                    EffectSubject(running.name, effect), Span::End);
        }
      }
      for (const PlayingClip& clip : sim.world.animation.clips) {
        if (clip.ped == handle) {
          sim.Event("clip", "clip " + clip.dictionary + "/" + clip.clip + " ended with its ped",
                    "clips on " + entities.Label(handle), Span::End);
        }
      }
      sim.world.effects.EndEffectsOn(handle);
      entities.Remove(handle);
      *variable = 0;
    };
  };
  sim.Handle("DeleteObject", deleteThrough("DeleteObject"));
  sim.Handle("DeleteEntity", deleteThrough("DeleteEntity"));

  sim.Handle("DoesEntityExist", [&entities](const Call& c, Result& r) { r.Bool(entities.Exists(c.I(0))); });
  sim.Handle("IsEntityAttachedToEntity", [&entities](const Call& c, Result& r) {
    const SimEntity* entity = entities.Find(c.I(0));
    r.Bool(entity && c.I(1) != 0 && entity->attachedTo == c.I(1));
  });
  sim.Handle("GetEntityCoords", [&entities](const Call& c, Result& r) {
    Vec3 p = entities.WorldPosition(c.I(0));
    r.Vector(p.x, p.y, p.z);
  });
  sim.Handle("GetEntityModel", [&entities](const Call& c, Result& r) {
    const SimEntity* entity = entities.Find(c.I(0));
    r.Int(entity ? static_cast<int32_t>(entity->model) : 0);
  });
  sim.Handle("GetEntityHeading", [&entities](const Call& c, Result& r) {
    const SimEntity* entity = entities.Find(c.I(0));
    r.Float(entity ? entity->heading : 0.0f);
  });
  sim.Handle("GetOffsetFromEntityInWorldCoords", [&entities](const Call& c, Result& r) {
    const SimEntity* entity = entities.Find(c.I(0));
    const Vec3 p = entities.WorldPosition(c.I(0));
    const float h = entity ? entity->heading * kDegrees : 0.0f;
    const float x = c.F(1), y = c.F(2);
    r.Vector(p.x + x * std::cos(h) - y * std::sin(h), p.y + x * std::sin(h) + y * std::cos(h), p.z + c.F(3));
  });
  sim.Handle("GetOffsetFromEntityGivenWorldCoords", [&entities](const Call& c, Result& r) {
    const SimEntity* entity = entities.Find(c.I(0));
    const Vec3 p = entities.WorldPosition(c.I(0));
    const float h = entity ? entity->heading * kDegrees : 0.0f;
    const float dx = c.F(1) - p.x, dy = c.F(2) - p.y;
    r.Vector(dx * std::cos(h) + dy * std::sin(h), -dx * std::sin(h) + dy * std::cos(h), c.F(3) - p.z);
  });

  sim.Handle("CreateItemSet", [&entities](const Call&, Result& r) {
    const int set = entities.nextItemSet++;
    entities.itemSets[set];
    r.Int(set);
  });
  sim.Handle("GetEntitiesNearPoint", [&sim, &entities](const Call& c, Result& r) {
    auto set = entities.itemSets.find(c.I(4));
    if (set == entities.itemSets.end()) {
      sim.Event("itemset", "GetEntitiesNearPoint into an item set that is not open");
      return;
    }
    const float radius = c.F(3);
    for (const auto& [handle, entity] : entities.all) {
      const Vec3 p = entities.WorldPosition(handle);
      const float dx = p.x - c.F(0), dy = p.y - c.F(1), dz = p.z - c.F(2);
      if (dx * dx + dy * dy + dz * dz <= radius * radius) set->second.push_back(handle);
    }
    r.Int(static_cast<int32_t>(set->second.size()));
  });
  sim.Handle("GetIndexedItemInItemSet", [&sim, &entities](const Call& c, Result& r) {
    auto set = entities.itemSets.find(c.I(1));
    if (set == entities.itemSets.end()) {
      sim.Event("itemset", "GetIndexedItemInItemSet on an item set that is not open");
      return;
    }
    const int index = c.I(0);
    r.Int(index >= 0 && static_cast<size_t>(index) < set->second.size() ? set->second[index] : 0);
  });
  sim.Handle("DestroyItemSet", [&sim, &entities](const Call& c, Result&) {
    if (entities.itemSets.erase(c.I(0)) == 0) sim.Event("itemset", "DestroyItemSet on an item set that is not open");
  });

  // Dummy-ped set-up: the game applies them; the world only needs the ped to exist.
  for (const char* name : {"SetRandomOutfitVariation", "FreezeEntityPosition", "SetEntityCollision",
                           "SetEntityCompletelyDisableCollision"}) {
    sim.Handle(name, [&sim, &entities, name](const Call& c, Result&) {
      if (!entities.Exists(c.I(0))) sim.Event("ped", std::string(name) + " on a ped that does not exist");
    });
  }

  sim.Handle("SetPedScale", [&sim, &entities, label](const Call& c, Result&) {
    SimEntity* ped = entities.Find(c.I(0));
    if (!ped || ped->type != SimEntity::Type::Ped) {
      sim.Event("ped", "SetPedScale on a ped that does not exist");
      return;
    }
    if (ped->scale != c.F(1)) sim.Event("ped", label(c.I(0)) + " scaled to " + Number(c.F(1)));
    ped->scale = c.F(1);
  });

  // A prop for a session to find near the player: "prop MODEL [X Y Z]".
  sim.AddCommand("prop", [&sim, &entities](const std::vector<std::string>& args, std::string& error) {
    if (args.empty() || (args.size() != 1 && args.size() != 4)) {
      error = "prop needs a model and optionally a position: prop MODEL [X Y Z]";
      return false;
    }
    Vec3 position = entities.WorldPosition(entities.player);
    if (args.size() == 4) {
      float* out[3] = {&position.x, &position.y, &position.z};
      for (int i = 0; i < 3; ++i) {
        char* end = nullptr;
        *out[i] = std::strtof(args[i + 1].c_str(), &end);
        if (end == args[i + 1].c_str() || *end != '\0') {
          error = "prop: '" + args[i + 1] + "' is not a number";
          return false;
        }
      }
    }
    SimEntity& prop = entities.Create(SimEntity::Type::Object, sim.Hash(args[0]), args[0], position);
    sim.Event("prop", "prop " + entities.Label(prop.handle) + " placed in the world", entities.Label(prop.handle),
              Span::Begin);
    return true;
  });
}

}  // namespace sim
