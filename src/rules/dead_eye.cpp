// Smoking regenerates Dead Eye: in a burst after the lighting, then at a
// constant rate.
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/natives.h"
#include "host/planted_fault.h"
#include "rules/world_rules.h"
#include "smoking/smoking_state.h"

namespace {

constexpr int kDeadEyeCore = 2;

int SinceOrZero(int time) { return time == 0 ? 0 : GameMsSince(time); }

bool DeadEyeBurstFull() {
  return deadEyeBurstEnabled && native::GetAttributeCoreValue(playerPed, kDeadEyeCore) == 100 &&
         SinceOrZero(smokeStartTime) < deadEyeBurstWindowMs;
}

}  // namespace

void RegenerateDeadEye() {
  if (native::IsSpecialAbilityActive(FramePlayerIndex())) return;
  int intervalMs = 0;
  int amount = 0;
  if (DeadEyeBurstFull()) {
    intervalMs = 1800;
  } else if (deadEyeBurstEnabled && SinceOrZero(smokeStartTime) < deadEyeBurstWindowMs) {
    intervalMs = 700;
    amount = 3;
  } else if (REGEN_DEAD_EYE_CONSTANT_RATE_ENABLED) {
    intervalMs = 7500;
    amount = propInMouth ? 6 : 7;
  }
  if (SinceOrZero(deadEyeTickTime) <= intervalMs) return;
  deadEyeTickTime = FrameGameTimer();
  if (DeadEyeBurstFull()) {
    // The game takes three more integers here; its own scripts pass 0, 0, 0.
    if (EMBERWICK_PLANTED(dead_eye_two_arguments)) {
      native::Invoke<0x51345AE20F22C261ull, void, int, float>(FramePlayerIndex(), 1.5f);
    } else {
      native::SpecialAbilityRestoreByAmount(FramePlayerIndex(), 1.5f, 0, 0, 0);
    }
  } else if (amount != 0) {
    const int core = native::GetAttributeCoreValue(playerPed, kDeadEyeCore);
    native::SetAttributeCoreValue(playerPed, kDeadEyeCore, core + amount);
  }
}
