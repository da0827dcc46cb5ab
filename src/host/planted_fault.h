// Deliberate faults, one for each invariant the session explorer checks, to
// prove that each can fail. Only the explorer's planted build has one, chosen
// when it is configured (-DEMBERWICK_PLANTED_FAULT=match_never_released); in
// every other build EMBERWICK_PLANTED(...) is false and the faults compile away.
#pragma once

enum class PlantedFault {
  none,
  wait_during_unload,     // an asset wait yields while the library unloads
  asset_wait_unbounded,   // an asset wait never gives up
  match_never_released,   // a lighting keeps its match in the hand
  smoke_prop_twice,       // a lighting spawns a second smoke prop
  dropped_effects_kept,   // a dropped smoke's looped effects are never removed
  prompts_kept_on_unload, // unloading leaves the plug-in's prompts on screen
  dead_eye_two_arguments, // the Dead Eye restore pushes two of the game's five arguments
  sound_set_kept,         // the match's sound set is "released" by the sound's name, so the game keeps it
};

#ifndef EMBERWICK_PLANTED_FAULT
#define EMBERWICK_PLANTED_FAULT none
#endif

inline constexpr PlantedFault kPlantedFault = PlantedFault::EMBERWICK_PLANTED_FAULT;
#define EMBERWICK_PLANTED(fault) (kPlantedFault == PlantedFault::fault)
