#include "host/main_loop.h"

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/game_names.h"
#include "host/key_states.h"
#include "host/natives.h"
#include "host/planted_fault.h"
#include "input/hold_loops.h"
#include "input/input_dispatch.h"
#include "input/prompts.h"
#include "input/stop_cleanup.h"
#include "animations/asset_loading.h"
#include "animations/sequence_runner.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoking_controller.h"

Ped playerPed = 0;
bool compatibilityMode = false;
bool scenarioActive = false;
bool sittingScenario = false;
int scenarioExitCountdown = 0;
int promptRefreshCountdown = 0;
bool scriptFiberAvailable = false;

namespace {
SittingCameraHold sittingCameraHoldInstance;

constexpr uint32_t kProcessDetach = 0;
constexpr uint32_t kProcessAttach = 1;

void OnKeyboardMessageThunk(uint32_t key, uint16_t repeats, uint8_t scanCode, int32_t isExtended,
                            int32_t isWithAlt, int32_t wasDownBefore, int32_t isUpNow) {
  OnKeyboardMessage(key, repeats, scanCode, isExtended, isWithAlt, wasDownBefore, isUpNow);
}

// Steps 6 and 7: the sitting camera hold and its frame countdown.
void UpdateSittingCameraHold() {
  SittingCameraHold& hold = *sittingCameraHold;
  if (hold.releasePending) {
    hold.active = false;
    hold.releasePending = false;
  } else if (hold.active && !native::IsFirstPersonView(0, 0, 0)) {
    native::HoldSittingCamera(1);
  }
  if (hold.countdownFrames > 0 && --hold.countdownFrames == 0) {
    if (hold.sitting) hold.active = true;
    else hold.releasePending = true;
  }
}

// Step 8: the scenario menu closes a while after a scenario started.
void UpdatePromptRefreshCountdown() {
  if (promptRefreshCountdown > 0 && --promptRefreshCountdown == 0) SetScenarioMenu(false);
}

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

// Step 9: leaving a scenario by moving takes 90 frames of StopPedTasks and one reset.
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
  native::StopPedTasks(FramePlayerPed(), 0, 0);
  // A hold that has not come on yet must not come on after the player left.
  if (leaving) CancelPendingSittingCamera();
  if (scenarioExitCountdown != 0) return;
  ReleaseSittingCamera();
  native::ResetPedTasks(FramePlayerPed(), 0, 1);
}

}  // namespace

SittingCameraHold* sittingCameraHold = &sittingCameraHoldInstance;

void ClearScenarioFlags() {
  if (!scenarioActive) return;
  scenarioActive = false;
  sittingScenario = false;
  native::StopPedTasks(FramePlayerPed(), 0, 0);
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

void ResetPluginState() {
  ClearScenarioFlags();
  QueueCigaretteHoldLoop(1);
  QueueCigarHoldLoop(2);
  AdvanceSequence(activeSequence);
  StopSmokingNow();
}

void RunFrame() {
  FrameReadsScope frameReads;
  if (compatibilityMode) PollKeyStates();
  else ReleaseKeysOutOfFocus();
  DispatchInput();
  playerPed = FramePlayerPed();
  if (!ENABLED) return;
  UpdatePropAttachment();
  HandlePromptCompletion();
  UpdateSmokingController();
  UpdateSittingCameraHold();
  UpdatePromptRefreshCountdown();
  UpdateScenarioExit();
}

void ScriptMain() {
  scriptFiberAvailable = true;
  // The start-up reset cuts a playing clip on the player: it needs the player
  // before the loop's first refresh.
  playerPed = FramePlayerPed();
  StopSmokingNow();
  LoadSettings();
  for (;;) {
    RunFrame();
    host::ScriptWait(0);
  }
}

int PluginDllMain(void* module, uint32_t reason, void* /*reserved*/) {
  if (reason == kProcessAttach) {
    host::ScriptRegister(module, &ScriptMain);
    host::KeyboardHandlerRegister(&OnKeyboardMessageThunk);
  } else if (reason == kProcessDetach) {
    host::ScriptUnregister(module);
    host::KeyboardHandlerUnregister(&OnKeyboardMessageThunk);
    scriptFiberAvailable = false;
    ResetPluginState();
    Animations::ForgetAssetsGivenUp();
    if (!EMBERWICK_PLANTED(prompts_kept_on_unload)) DeleteAllPrompts();
  }
  return 1;
}
