// Every game name the plug-in hashes: controls, models, items, inventory
// slots and reasons, facial moods, scenarios, item interactions and effect
// assets. A name written in the code is hashed with GameName(), which only
// compiles for a name listed here; the simulator reads the same list, so it
// can print every hash the plug-in sends as the name it stands for.
#pragma once

#include <string_view>

#include "host/name_hash.h"

inline constexpr std::string_view kGameNames[] = {
    // Controls
    "INPUT_COVER",
    "INPUT_DIVE",
    "INPUT_ENTER",
    "INPUT_FRONTEND_ACCEPT",
    "INPUT_FRONTEND_CANCEL",
    "INPUT_FRONTEND_DOWN",
    "INPUT_FRONTEND_LEFT",
    "INPUT_FRONTEND_LS",
    "INPUT_FRONTEND_RB",
    "INPUT_FRONTEND_RIGHT",
    "INPUT_FRONTEND_RS",
    "INPUT_FRONTEND_RT",
    "INPUT_FRONTEND_UP",
    "INPUT_INTERACT_ANIMAL",
    "INPUT_INTERACT_OPTION1",
    "INPUT_INTERACT_OPTION2",
    "INPUT_GAME_MENU_EXTRA_OPTION",
    "INPUT_JUMP",
    "INPUT_MOVE_DOWN_ONLY",
    "INPUT_MOVE_LEFT_ONLY",
    "INPUT_MOVE_RIGHT_ONLY",
    "INPUT_MOVE_UP_ONLY",
    "INPUT_NEXT_CAMERA",
    "INPUT_OPEN_JOURNAL",
    "INPUT_OPEN_SATCHEL_MENU",
    "INPUT_OPEN_WHEEL_MENU",
    "INPUT_PLAYER_MENU",
    "INPUT_QUICK_USE_ITEM",
    "INPUT_RELOAD",
    "INPUT_SELECT_QUICKSELECT_DUALWIELD",
    "INPUT_SELECT_QUICKSELECT_MELEE_NO_UNARMED",
    "INPUT_SELECT_QUICKSELECT_PRIMARY_LONGARM",
    "INPUT_SELECT_QUICKSELECT_SECONDARY_LONGARM",
    "INPUT_SELECT_QUICKSELECT_SIDEARMS_LEFT",
    "INPUT_SELECT_QUICKSELECT_SIDEARMS_RIGHT",
    "INPUT_SELECT_QUICKSELECT_THROWN",
    "INPUT_SELECT_QUICKSELECT_UNARMED",
    "INPUT_TOGGLE_HOLSTER",
    // Character and prop models
    "PLAYER_ZERO",
    "PLAYER_THREE",
    "CS_JOHNMARSTON",
    "A_C_Rabbit_01",
    "p_cigar02x",
    "p_cigarette01x",
    "p_cigarette_cs01x",
    "p_cigarette_cs02x",
    "p_cigarettebox01x",
    "p_cigarlit01x",
    "p_matchstick01x",
    // Items, inventory slots and reasons
    "consumable_cigar",
    "consumable_cigarette_box",
    "consumable_cigarette_box_cheap",
    "CHARACTER",
    "WARDROBE",
    "SLOTID_ACTIVE_HORSE",
    "SLOTID_NONE",
    "SLOTID_SATCHEL",
    "SLOTID_UPGRADE",
    "SLOTID_WARDROBE",
    "ADD_REASON_DEFAULT",
    "REMOVE_REASON_USED",
    // Facial moods
    "MoodAngryInjured",
    "MoodCharging",
    "MoodExhausted",
    "MoodSlide",
    "MoodUnderfireMild",
    // Scenarios and their variations (the settings' defaults among them)
    "GENERIC_SIT_GROUND_SCENARIO",
    "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK",
    "WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK_MALE_F",
    "WORLD_HUMAN_LEAN_RAILING",
    "WORLD_HUMAN_LEAN_RAILING_DYNAMIC",
    "WORLD_HUMAN_LEAN_RAILING_MALE_A",
    "WORLD_HUMAN_LEAN_RAILING_MALE_B",
    "WORLD_HUMAN_LEAN_RAILING_NO_PROPS",
    "WORLD_HUMAN_LEAN_RAILING_SMOKING_MALE_B",
    "WORLD_HUMAN_SIT_SMOKE",
    "WORLD_HUMAN_SMOKE",
    "WORLD_HUMAN_SMOKE_CARRYING",
    "WORLD_HUMAN_SMOKE_MALE_A",
    "WORLD_HUMAN_SMOKE_MALE_B",
    "WORLD_HUMAN_SMOKE_MALE_C",
    // Item interactions
    "ID_XH_R_HAND00",
    "QUICK_SMOKE_CIGARETTE_LEFT_HAND",
    // Effect assets
    "anm_smoking",
    "cut_rprsn",
};

constexpr bool IsGameName(std::string_view name) {
  for (std::string_view listed : kGameNames) {
    if (listed == name) return true;
  }
  return false;
}

// Reached only for a name missing from kGameNames: it is not constexpr, so
// such a GameName() does not compile.
void GameNameIsNotListed();

// The hash of a listed name (or of no name: 0), worked out by the compiler.
consteval Hash GameName(std::string_view name) {
  if (!name.empty() && !IsGameName(name)) GameNameIsNotListed();
  return HashName(name);
}

// A name the game takes both as text and as its hash.
struct HashedName {
  const char* text;
  Hash hash;
};

consteval HashedName Hashed(const char* name) { return {name, GameName(name)}; }
