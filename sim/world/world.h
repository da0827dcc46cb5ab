// The simulated game world. Each area of it lives in its own header and
// installs the native handlers that read and change it.
#pragma once

#include "world/animation.h"
#include "world/assets.h"
#include "world/characters.h"
#include "world/controls.h"
#include "world/effects.h"
#include "world/entities.h"
#include "world/inventory.h"
#include "world/keyboard.h"
#include "world/player_state.h"
#include "world/prompts.h"
#include "world/random.h"
#include "world/scenarios.h"
#include "world/screen.h"

namespace sim {

class Simulator;

struct World {
  Entities entities;
  Effects effects;
  Animation animation;
  Assets assets;
  Characters characters;
  PlayerState player;
  Controls controls;
  Inventory inventory;
  Keyboard keyboard;
  Prompts prompts;
  RandomSource random;
  Scenarios scenarios;
  Screen screen;
};

// Each area's handlers, frame hooks, session setters and commands.
void InstallEntityNatives(Simulator& sim);
void InstallEffectNatives(Simulator& sim);
void InstallAnimationNatives(Simulator& sim);
void InstallAssetNatives(Simulator& sim);
void InstallCharacterNatives(Simulator& sim);
void InstallPlayerStateNatives(Simulator& sim);
void InstallControlNatives(Simulator& sim);
void InstallInventoryNatives(Simulator& sim);
void InstallKeyboard(Simulator& sim);
void InstallPromptNatives(Simulator& sim);
void InstallRandomNatives(Simulator& sim);
void InstallScenarioNatives(Simulator& sim);
void InstallScreen(Simulator& sim);
void InstallLeftoverReport(Simulator& sim);

inline void InstallWorld(Simulator& sim) {
  InstallEntityNatives(sim);
  InstallEffectNatives(sim);
  InstallAnimationNatives(sim);
  InstallAssetNatives(sim);
  InstallCharacterNatives(sim);
  InstallPlayerStateNatives(sim);
  InstallControlNatives(sim);
  InstallInventoryNatives(sim);
  InstallKeyboard(sim);
  InstallPromptNatives(sim);
  InstallRandomNatives(sim);
  InstallScenarioNatives(sim);
  InstallScreen(sim);
  InstallLeftoverReport(sim);
}

}  // namespace sim
