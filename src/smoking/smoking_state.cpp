#include "smoking/smoking_state.h"

#include <cmath>

#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/natives.h"

Entity smokeProp = 0;
bool propInMouth = false;
Entity mouthMarkerProp = 0;
Entity matchProp = 0;
Ped dummyPed = 0;
int dummyPedTime = 0;
int holsterBlockUntil = 0;
int quickSelectReplayDelay = 0;
int quickUseItemPressTime = 0;
int smokeStartTime = 0;
int deadEyeTickTime = 0;
int cigarLitTime = 0;
bool wanderBaseQueued = false;
bool manualPuff = false;
int manualPuffAt = 0;
int cigarSmokeFx = 0;
int emberFx = 0;
int tipSmokeFx = 0;
int trailSmokeFx = 0;
int noseExhaleFx = 0;
int exhaleFx = 0;
int longExhaleFx = 0;
int breathFx = 0;

namespace {
// Leaning on a fence to watch livestock leaves the legs free, so the whole
// body may animate there. The game names the scenario the player is in by its
// type, never by the variation the menu starts it with.
constexpr Hash kLeanFenceLivestockScenario = GameName("WORLD_HUMAN_LEAN_FENCE_FWD_CHECK_OUT_LIVESTOCK");

template <typename Task>
bool Queued(const SequenceRunner& runner, const Entity* handle) {
  for (const TaskPtr& task : runner.pending) {
    const auto* queued = dynamic_cast<const Task*>(task.get());
    if (queued && queued->handle == handle) return true;
  }
  return false;
}

}  // namespace

bool HeldByPlayer(Entity prop) {
  return prop != 0 && native::DoesEntityExist(prop) && native::IsEntityAttachedToEntity(prop, playerPed);
}

bool SmokePropHeld() { return HeldByPlayer(smokeProp); }

bool SmokePropStillToCome() {
  return Queued<Animations::SpawnPropTask>(activeSequence, &smokeProp) ||
         Queued<Animations::SpawnPropTask>(secondarySequence, &smokeProp);
}

bool LightingOwesItsProps() {
  if (Queued<Animations::SpawnPropTask>(activeSequence, &smokeProp) ||
      Queued<Animations::SpawnPropTask>(activeSequence, &matchProp) ||
      Queued<Animations::DetachPropTask>(activeSequence, &matchProp)) {
    return true;
  }
  return HeldByPlayer(matchProp);
}

bool CanStartSmoking() {
  const Ped player = FramePlayerPed();
  if (DISABLE_ON_CONTROL_LOSS && !native::IsPlayerControlOn(FramePlayerIndex())) return false;
  if (native::IsPedInMeleeCombat(player)) return false;
  if (native::GetPedIsBeingGrappled(player)) return false;
  return native::GetEntitySubmergedLevel(player) <= 0.47f;
}

bool IsPedInSmokingScenario() {
  if (native::GetActiveDynamicScenario(playerPed) == kLeanFenceLivestockScenario) return false;
  return native::IsPedUsingAnyScenario(playerPed);
}

bool RidesOrSits(Ped ped) { return native::IsPedSitting(ped) || native::IsPedOnMount(ped); }

bool UpperBodyOnly() { return RidesOrSits(playerPed) || IsPedInSmokingScenario(); }

int UpperBodyAnimFlags() { return UpperBodyOnly() ? 7191 : 25; }
int UpperBodyIkFlags() { return UpperBodyOnly() ? 0x8000082 : 0x10000; }
const char* UpperBodyFilter() { return UpperBodyOnly() ? "headneckandrightarm_filter" : ""; }

float AngleDelta(float a, float b) {
  const float d = std::fmod(b - a + 180.0f, 360.0f);
  return d >= 0.0f ? d - 180.0f : d + 180.0f;
}
