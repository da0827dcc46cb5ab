#include "plugin/main_loop.h"

#include "animations/asset_loading.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/planted_fault.h"
#include "host/platform.h"
#include "input/input_dispatch.h"
#include "input/prompts.h"
#include "input/scenarios.h"
#include "rules/smoking_controller.h"
#include "sequences/hold_loops.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/stop_cleanup.h"

namespace {
constexpr uint32_t kProcessDetach = 0;
constexpr uint32_t kProcessAttach = 1;
}  // namespace

void ResetPluginState() {
  ClearScenarioFlags();
  // A smoking clip still looping on the player is replaced by one that ends
  // at once: the first of these two very short holds.
  QueueHoldLoop(kCigarette, 1);
  QueueHoldLoop(kCigar, 2);
  AdvanceSequence(activeSequence);
  StopSmokingNow();
}

void ReloadSettings() {
  LoadSettings();
  DeleteMenuPrompts();
  ResetPluginState();
}

void RunFrame() {
  FrameReadsScope frameReads;
  if (compatibilityMode) PollKeyStates();
  else ReleaseKeysOutOfFocus();
  // The reload works also while the plug-in is disabled.
  if (ReloadKeysDown()) {
    ReloadSettings();
    ResetPluginState();
  }
  DispatchInput();
  playerPed = FramePlayerPed();
  if (!ENABLED) return;
  UpdatePropAttachment();
  HandlePromptCompletion();
  UpdateSmokingController();
  UpdateSittingCameraHold();
  UpdateScenarioMenuCountdown();
  UpdateScenarioExit();
}

void ScriptMain() {
  scriptFiberAvailable = true;
  // The start-up reset cuts a playing clip on the player: it needs the player
  // before the loop's first refresh.
  playerPed = FramePlayerPed();
  StopSmokingNow();
  ReloadSettings();
  for (;;) {
    RunFrame();
    host::ScriptWait(0);
  }
}

int PluginDllMain(void* module, uint32_t reason, void* /*reserved*/) {
  if (reason == kProcessAttach) {
    host::ScriptRegister(module, &ScriptMain);
    host::KeyboardHandlerRegister(&OnKeyboardMessage);
  } else if (reason == kProcessDetach) {
    host::ScriptUnregister(module);
    host::KeyboardHandlerUnregister(&OnKeyboardMessage);
    scriptFiberAvailable = false;
    ResetPluginState();
    Animations::ForgetAssetsGivenUp();
    if (!EMBERWICK_PLANTED(prompts_kept_on_unload)) DeleteAllPrompts();
  }
  return 1;
}
