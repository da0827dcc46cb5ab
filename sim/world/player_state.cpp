#include "world/player_state.h"

#include <cstdlib>
#include <string>

#include "simulator.h"

namespace sim {
namespace {

bool ParseBool(const std::string& text, bool& out) {
  if (text == "true" || text == "1" || text == "on" || text == "yes") out = true;
  else if (text == "false" || text == "0" || text == "off" || text == "no") out = false;
  else return false;
  return true;
}

bool ParseFloat(const std::string& text, float& out) {
  char* end = nullptr;
  out = std::strtof(text.c_str(), &end);
  return end != text.c_str() && *end == '\0';
}

bool ParseInt(const std::string& text, int& out) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  out = static_cast<int>(value);
  return end != text.c_str() && *end == '\0';
}

}  // namespace

void InstallPlayerStateNatives(Simulator& sim) {
  PlayerState& p = sim.world.player;
  const int& player = sim.world.entities.player;
  p.weapon = sim.Hash("WEAPON_UNARMED");

  auto flag = [&sim](const char* setting, bool* field, const char* label) {
    sim.AddSetter(setting, [&sim, field, label](const std::string& value) {
      bool parsed = false;
      if (!ParseBool(value, parsed)) return false;
      if (*field != parsed) sim.Event("player", std::string(label) + (parsed ? " on" : " off"));
      *field = parsed;
      return true;
    });
  };
  auto number = [&sim](const char* setting, float* field, const char* label) {
    sim.AddSetter(setting, [&sim, field, label](const std::string& value) {
      float parsed = 0;
      if (!ParseFloat(value, parsed)) return false;
      *field = parsed;
      sim.Event("player", std::string(label) + " " + value);
      return true;
    });
  };

  sim.AddSetter("player.mounted", [&sim, &p](const std::string& value) {
    bool on = false;
    if (!ParseBool(value, on)) return false;
    p.mounted = on;
    p.onFoot = !on;
    sim.Event("player", on ? "mounts a horse" : "dismounts");
    return true;
  });
  flag("player.sitting", &p.sitting, "sitting");
  flag("player.on_foot", &p.onFoot, "on foot");
  flag("player.running", &p.running, "running");
  flag("player.sprinting", &p.sprinting, "sprinting");
  flag("player.ragdoll", &p.ragdoll, "ragdoll");
  flag("player.dead", &p.dead, "dead");
  flag("player.underwater", &p.underwater, "under water");
  number("player.submerged", &p.submerged, "submerged to");
  number("player.speed", &p.speed, "speed");
  number("player.move_blend_ratio", &p.moveBlendRatio, "move blend ratio");
  flag("player.melee", &p.melee, "in melee combat");
  flag("player.being_grappled", &p.beingGrappled, "being grappled");
  sim.AddSetter("player.melee_opponent", [&sim, &p](const std::string& value) {
    bool on = false;
    if (!ParseBool(value, on)) return false;
    if (on && p.meleeOpponent == 0) {
      SimEntity& opponent =
          sim.world.entities.Create(SimEntity::Type::Ped, sim.Hash("A_M_M_VALTOWNFOLK_01"), "A_M_M_VALTOWNFOLK_01", {});
      p.meleeOpponent = opponent.handle;
      sim.Event("player", "fights #" + std::to_string(opponent.handle));
    } else if (!on && p.meleeOpponent != 0) {
      sim.world.entities.Remove(p.meleeOpponent);
      p.meleeOpponent = 0;
      sim.Event("player", "no melee opponent");
    }
    return true;
  });
  flag("player.opponent_dead", &p.opponentDead, "opponent dead");
  sim.AddSetter("player.hit_by_opponent", [&sim, &p](const std::string& value) {
    int bone = 0;
    if (!ParseInt(value, bone)) return false;
    p.hitByOpponentBone = bone;
    sim.Event("player", bone ? "hit by the opponent on bone " + value : "no hit taken");
    return true;
  });
  flag("player.hit_opponent", &p.hitOpponent, "hits the opponent");
  flag("player.melee_action", &p.meleeAction, "performing a melee action");
  flag("player.grappling", &p.grappling, "grappling");
  flag("player.walking", &p.walking, "walking");
  sim.AddSetter("player.weapon", [&sim, &p](const std::string& value) {
    if (value.empty()) return false;
    p.weapon = sim.Hash(value);
    sim.Event("player", "holds " + value);
    return true;
  });
  flag("player.weapon_holstered", &p.weaponHolstered, "weapon holstered");
  flag("player.crouching", &p.crouching, "crouching");
  flag("player.aiming", &p.aiming, "aiming");
  flag("player.control", &p.hasControl, "player control");
  flag("player.config_flag_408", &p.configFlag408, "config flag 408");
  flag("camera.first_person", &p.firstPerson, "first-person camera");
  flag("camera.anim_scene", &p.animSceneCamera, "animation-scene camera");
  flag("deadeye.active", &p.deadEyeActive, "Dead Eye active");
  sim.AddSetter("deadeye.core", [&sim, &p](const std::string& value) {
    int core = 0;
    if (!ParseInt(value, core)) return false;
    p.deadEyeCore = core;
    sim.Event("deadeye", "core set to " + value);
    return true;
  });
  flag("props.underwater", &p.propsUnderwater, "props under water");

  auto isPlayer = [&player](const Call& c) { return c.I(0) == player; };
  auto answer = [&sim](const char* native, auto predicate) {
    sim.Handle(native, [predicate](const Call& c, Result& r) { r.Bool(predicate(c)); });
  };
  answer("IsPedOnMount", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.mounted; });
  // Sitting: on a chair, a bench, the ground. A rider is not sitting.
  answer("IsPedSitting", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.sitting; });
  answer("IsPedOnFoot", [&p, isPlayer](const Call& c) { return !isPlayer(c) || p.onFoot; });
  answer("IsPedRunning", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.running; });
  answer("IsPedSprinting", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.sprinting; });
  answer("IsPedRagdoll", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.ragdoll; });
  answer("IsPlayerPlaying", [&p](const Call&) { return !p.dead; });
  answer("IsEntityDead", [&p, &player](const Call& c) {
    if (c.I(0) == player) return p.dead;
    return c.I(0) != 0 && c.I(0) == p.meleeOpponent && p.opponentDead;
  });
  answer("IsEntityUnderwater", [&sim, &p, &player](const Call& c) {
    if (c.I(0) == player) return p.underwater;
    const SimEntity* entity = sim.world.entities.Find(c.I(0));
    return entity && entity->type == SimEntity::Type::Object && (p.propsUnderwater || p.underwater);
  });
  answer("IsPedInMeleeCombat", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.melee; });
  answer("GetPedIsBeingGrappled", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.beingGrappled; });
  answer("HasEntityBeenDamagedByEntity", [&p, &player](const Call& c) {
    if (p.meleeOpponent == 0) return false;
    if (c.I(0) == player && c.I(1) == p.meleeOpponent) return p.hitByOpponentBone != 0;
    if (c.I(0) == p.meleeOpponent && c.I(1) == player) return p.hitOpponent;
    return false;
  });
  answer("IsPedPerformingMeleeAction", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.meleeAction; });
  answer("GetPedIsGrappling", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.grappling; });
  answer("IsPedWalking", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.walking; });
  answer("IsPedCurrentWeaponHolstered", [&p, isPlayer](const Call& c) { return !isPlayer(c) || p.weaponHolstered; });
  answer("GetPedCrouchMovement", [&p, isPlayer](const Call& c) { return isPlayer(c) && p.crouching; });
  answer("IsAimCamActive", [&p](const Call&) { return p.aiming; });
  answer("IsPlayerControlOn", [&p](const Call&) { return p.hasControl; });
  answer("GetPedConfigFlag", [&p, isPlayer](const Call& c) { return c.I(1) != 408 || !isPlayer(c) || p.configFlag408; });
  answer("IsFirstPersonCameraActive", [&p](const Call&) { return p.firstPerson; });
  answer("IsAnimSceneCamActive", [&p](const Call&) { return p.animSceneCamera; });
  answer("IsSpecialAbilityActive", [&p](const Call&) { return p.deadEyeActive; });
  answer("IsWeaponValid", [&sim](const Call& c) { return c.U(0) != 0 && c.U(0) != sim.Hash("WEAPON_UNARMED"); });

  sim.Handle("GetEntitySubmergedLevel",
             [&p, isPlayer](const Call& c, Result& r) { r.Float(isPlayer(c) ? p.submerged : 0.0f); });
  sim.Handle("GetPedDesiredMoveBlendRatio",
             [&p, isPlayer](const Call& c, Result& r) { r.Float(isPlayer(c) ? p.moveBlendRatio : 0.0f); });
  sim.Handle("GetEntitySpeed", [&p, isPlayer](const Call& c, Result& r) { r.Float(isPlayer(c) ? p.speed : 0.0f); });
  sim.Handle("GetCurrentTargetForPed",
             [&p, isPlayer](const Call& c, Result& r) { r.Int(isPlayer(c) ? p.meleeOpponent : 0); });
  sim.Handle("GetPedLastDamageBone", [&p, isPlayer](const Call& c, Result& r) {
    int* bone = c.P<int>(1);
    bool hit = isPlayer(c) && p.hitByOpponentBone != 0;
    if (bone && hit) *bone = p.hitByOpponentBone;
    r.Bool(hit);
  });
  // The weapon at an attach point: the one in the hand at point 0. The world
  // keeps no weapons in holsters or slots on the body, so every other point
  // (1 the other hand, 10 a rifle's on the back, ...) holds none.
  sim.Handle("GetCurrentPedWeapon", [&sim, &p, isPlayer](const Call& c, Result& r) {
    uint32_t* weapon = c.P<uint32_t>(1);
    const bool hand = isPlayer(c) && c.I(3) == 0;
    if (weapon && isPlayer(c)) *weapon = hand ? p.weapon : sim.Hash("WEAPON_UNARMED");
    r.Bool(hand);
  });
  // The game puts the weapon away (at once, with the last argument): the hand
  // is empty and the weapon holstered. Whatever else the ped does goes on.
  sim.Handle("HidePedWeapons", [&sim, &p, isPlayer](const Call& c, Result&) {
    if (!isPlayer(c)) return;
    const uint32_t unarmed = sim.Hash("WEAPON_UNARMED");
    if (p.weapon != unarmed) sim.Event("player", "puts " + sim.hashes.Name(p.weapon) + " away");
    if (!p.weaponHolstered) sim.Event("player", "weapon holstered on");
    p.weapon = unarmed;
    p.weaponHolstered = true;
  });
  sim.Handle("GetDefaultUnarmedWeaponHash",
             [&sim](const Call&, Result& r) { r.Int(static_cast<int32_t>(sim.Hash("WEAPON_UNARMED"))); });

  sim.Handle("GetAttributeCoreValue",
             [&p, isPlayer](const Call& c, Result& r) { r.Int(isPlayer(c) && c.I(1) == 2 ? p.deadEyeCore : 0); });
  sim.Handle("SetAttributeCoreValue", [&sim, &p, isPlayer](const Call& c, Result&) {
    if (!isPlayer(c) || c.I(1) != 2) return;
    // The game keeps an attribute core within 0..100 whatever is written.
    const int core = c.I(2) < 0 ? 0 : (c.I(2) > 100 ? 100 : c.I(2));
    sim.Event("deadeye", "core " + std::to_string(p.deadEyeCore) + " -> " + std::to_string(core));
    p.deadEyeCore = core;
  });
  sim.Handle("SpecialAbilityRestoreByAmount", [&sim, &p](const Call& c, Result&) {
    p.deadEyeBar += c.F(1);
    char text[64];
    std::snprintf(text, sizeof text, "Dead Eye restored by %g (bar %g)", static_cast<double>(c.F(1)),
                  static_cast<double>(p.deadEyeBar));
    sim.Event("deadeye", text);
  });
  sim.Handle("RequestPedFacialMoodThisFrame", [&sim, &p](const Call& c, Result&) {
    if (p.facialMood == c.U(1)) return;
    p.facialMood = c.U(1);
    sim.Event("player", "facial mood " + sim.hashes.Name(c.U(1)));
  });
  sim.Handle("GetEntityHeading", [&sim](const Call& c, Result& r) {
    const SimEntity* entity = sim.world.entities.Find(c.I(0));
    r.Float(entity ? entity->heading : 0.0f);
  });
}

}  // namespace sim
