// What several world rules ask of the game and queue alike.
#pragma once

#include "host/game_names.h"
#include "host/natives.h"
#include "sequences/sequence_building.h"

namespace rules {

inline constexpr Hash kWeaponWheelControl = GameName("INPUT_OPEN_WHEEL_MENU");
inline constexpr const char* kFacialBrowsFilter = "facialonly_brows";

inline bool ControlHeld(Hash control) { return native::IsDisabledControlPressed(0, control); }
inline bool ControlJustPressed(Hash control) { return native::IsControlJustPressed(0, control); }

// The ambient clip with the posture's own flags.
inline TaskPtr WanderBase(int durationMs, float blendIn, float blendOut, const char* filter) {
  return building::WanderBase(durationMs, UpperBodyAnimFlags(), UpperBodyIkFlags(), blendIn, blendOut, 1.2f, filter);
}

}  // namespace rules
