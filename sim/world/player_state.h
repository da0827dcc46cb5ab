// What the player character is doing, in the game's terms: riding, sitting,
// crouching, walking or running, in water, fighting or grappling, aiming, the
// weapon drawn or holstered; what the camera shows (first person, an
// animation scene's camera); the Dead Eye core and bar.
#pragma once

#include <cstdint>

namespace sim {

struct PlayerState {
  bool mounted = false;  // on a horse
  bool sitting = false;  // on a chair, a bench, the ground
  bool onFoot = true;
  bool running = false;
  bool sprinting = false;
  bool ragdoll = false;
  bool dead = false;
  bool underwater = false;
  float submerged = 0.0f;  // 0..1
  float speed = 0.0f;      // m/s
  float moveBlendRatio = 0.0f;
  bool melee = false;
  bool beingGrappled = false;
  int meleeOpponent = 0;  // ped handle, 0 = none
  bool opponentDead = false;
  int hitByOpponentBone = 0;  // bone id of the last hit the player took, 0 = none
  bool hitOpponent = false;
  bool meleeAction = false;
  bool grappling = false;
  bool walking = false;
  uint32_t weapon = 0;  // weapon hash in the hand; the unarmed hash when unarmed
  bool weaponHolstered = true;
  bool crouching = false;
  bool aiming = false;
  bool hasControl = true;
  bool configFlag408 = true;
  bool firstPerson = false;
  bool animSceneCamera = false;
  bool deadEyeActive = false;
  int deadEyeCore = 50;      // attribute core 2, 0..100
  float deadEyeBar = 0.0f;   // what SpecialAbilityRestoreByAmount added
  bool propsUnderwater = false;
  uint32_t facialMood = 0;
};

}  // namespace sim
