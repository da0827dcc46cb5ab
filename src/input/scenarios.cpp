#include "input/scenarios.h"

#include <cstring>

#include "animations/sequence_runner.h"
#include "host/frame_reads.h"
#include "host/natives.h"
#include "smoking/stop_cleanup.h"

bool scenarioActive = false;
bool sittingScenario = false;
int scenarioExitCountdown = 0;
int promptRefreshCountdown = 0;
std::string scenarioType;
std::string scenarioVariation;

namespace {

SittingCameraHold sittingCameraHoldInstance;

bool Contains(const char* text, const char* part) { return std::strstr(text, part) != nullptr; }

// A smoking scenario hands the player its own prop, so ours has to go first,
// with everything else the smoke had running.
void RemoveOwnSmoke() { StopSmokingNow(); }

// A hold still counting down to come on is dropped, so it never comes on for
// a scenario that is already over.
void CancelPendingSittingCamera() {
  SittingCameraHold& hold = *sittingCameraHold;
  if (hold.active || !hold.sitting) return;
  hold.sitting = false;
  hold.countdownFrames = 0;
}

// Once the scenario is over the camera must not stay held: an active hold is
// let go 70 frames later, and a pending one is dropped.
void ReleaseSittingCamera() {
  CancelPendingSittingCamera();
  if (sittingCameraHold->active) {
    sittingCameraHold->sitting = false;
    sittingCameraHold->countdownFrames = 70;
  }
}

}  // namespace

SittingCameraHold* sittingCameraHold = &sittingCameraHoldInstance;

void StartScenario(const char* type, const char* variation, bool force) {
  if (type == nullptr) type = "";
  if (variation == nullptr) variation = "";
  StartScenario(HashedName{type, HashName(type)}, HashedName{variation, HashName(variation)}, force);
}

void StartScenario(HashedName typeName, HashedName variationName, bool force) {
  const char* type = typeName.text != nullptr ? typeName.text : "";
  const char* variation = variationName.text != nullptr ? variationName.text : "";

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

  native::TaskStartScenarioInPlaceHash(FramePlayerPed(), typeName.hash, 0, true, variationName.hash, -1.0f, true);
}

void ClearScenarioFlags() {
  if (!scenarioActive) return;
  scenarioActive = false;
  sittingScenario = false;
  native::ClearPedTasks(FramePlayerPed(), 0, 0);
  ReleaseSittingCamera();
}

bool IsPlayerMoving() {
  static constexpr Hash kMoveControls[] = {GameName("INPUT_MOVE_UP_ONLY"), GameName("INPUT_MOVE_LEFT_ONLY"),
                                           GameName("INPUT_MOVE_DOWN_ONLY"), GameName("INPUT_MOVE_RIGHT_ONLY")};
  bool moving = false;
  for (Hash control : kMoveControls) {
    if (native::IsControlPressed(0, control)) moving = true;
  }
  return moving;
}

void UpdateSittingCameraHold() {
  SittingCameraHold& hold = *sittingCameraHold;
  if (hold.releasePending) {
    hold.active = false;
    hold.releasePending = false;
  } else if (hold.active && !native::IsFirstPersonCameraActive(0, 0, 0)) {
    native::HoldSittingCamera(1);
  }
  if (hold.countdownFrames > 0 && --hold.countdownFrames == 0) {
    if (hold.sitting) hold.active = true;
    else hold.releasePending = true;
  }
}

// Leaving a scenario by moving takes 90 frames of ClearPedTasks; then the
// weapons are put away at once.
void UpdateScenarioExit() {
  int frames = 0;
  const bool leaving = scenarioActive && IsPlayerMoving();
  if (leaving) {
    frames = 90;
  } else {
    frames = scenarioExitCountdown;
    if (frames <= 0) return;
  }
  scenarioActive = false;
  sittingScenario = false;
  scenarioExitCountdown = frames - 1;
  native::ClearPedTasks(FramePlayerPed(), 0, 0);
  // A hold that has not come on yet must not come on after the player left.
  if (leaving) CancelPendingSittingCamera();
  if (scenarioExitCountdown != 0) return;
  ReleaseSittingCamera();
  native::HidePedWeapons(FramePlayerPed(), 0, 1);
}

