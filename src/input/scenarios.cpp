#include "input/scenarios.h"

#include <cstring>

#include "animations/sequence_runner.h"
#include "host/main_loop.h"
#include "host/natives.h"
#include "input/stop_cleanup.h"
#include "smoking/smoking_state.h"

std::string scenarioType;
std::string scenarioVariation;

namespace {

bool Contains(const char* text, const char* part) { return std::strstr(text, part) != nullptr; }

// A smoking scenario hands the player its own prop, so ours has to go first,
// with everything else the smoke had running.
void RemoveOwnSmoke() { StopSmokingNow(); }

}  // namespace

void StartScenario(const char* type, const char* variation, bool force) {
  if (type == nullptr) type = "";
  if (variation == nullptr) variation = "";

  // A sequence that has only just begun is pushed past its first task, so
  // that the scenario does not start under a half-built pose.
  if (activeSequence.running && activeSequence.elapsedMs < 3000.0) AdvanceSequence(activeSequence);

  if (Contains(variation, "SMOK") || Contains(type, "SMOK")) RemoveOwnSmoke();

  promptRefreshCountdown = 80;

  if (scenarioActive && !force) return;
  if (IsPlayerMoving()) return;

  if (Contains(type, "GROUND") || Contains(type, "WORLD_HUMAN_SIT_SMOKE")) {
    sittingScenario = true;
    sittingCameraHold->sitting = true;
    sittingCameraHold->countdownFrames = 90;
  }

  scenarioActive = true;
  scenarioType = type;
  scenarioVariation = variation;

  const Hash typeHash = native::HashString(type);
  const Hash variationHash = native::HashString(variation);
  native::StartScenarioInPlace(native::GetPlayerPed(), typeHash, 0, true, variationHash, -1.0f, true);
}
