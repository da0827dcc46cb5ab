#include "plugin/main_loop.h"

#include <string>
#include <utility>
#include <vector>

#include "animations/asset_loading.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "host/host_info.h"
#include "host/log_file.h"
#include "host/module_files.h"
#include "host/planted_fault.h"
#include "host/platform.h"
#include "host/version.h"
#include "input/input_dispatch.h"
#include "input/notice.h"
#include "input/prompts.h"
#include "input/scenarios.h"
#include "input/settings_page.h"
#include "rules/smoking_controller.h"
#include "sequences/hold_loops.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/stop_cleanup.h"

namespace {
constexpr uint32_t kProcessDetach = 0;
constexpr uint32_t kProcessAttach = 1;

// The reload keys reload on every frame they are held; the log and the
// notice take the first frame of each press.
bool reloadKeysWereDown = false;

std::string FindingsNotice(int count) {
  return FillNotice(count == 1 ? NOTICE_ONE_FINDING_TEXT : NOTICE_FINDINGS_TEXT, kEmberwickVersion, count);
}

std::string OrUnknown(const std::string& version) {
  return version.empty() ? std::string("unknown (the host does not say)") : version;
}

// The log beside the module, else (a game under Program Files) in the
// player's local application data folder; the folder it went to, or empty
// when there is no log.
std::string StartLogWherePossible(std::string& fallbackNote) {
  const std::string& moduleFolder = host::ModuleFolder();
  if (host::StartLog(moduleFolder)) return moduleFolder;
  const std::string appData = host::LocalAppDataFolder();
  if (appData.empty()) return {};
  const std::string folder = host::PathInFolder(appData, "Emberwick");
  if (!host::MakeFolder(folder) || !host::StartLog(folder)) return {};
  fallbackNote = (moduleFolder.empty() ? std::string("the module's folder") : moduleFolder) + " cannot be written";
  return folder;
}

}  // namespace

void ResetPluginState() {
  ClearScenarioFlags();
  // A smoking clip still looping on the player is replaced by one that ends
  // at once: the first of the kinds' very short holds, 1 ms, 2 ms, ...
  int holdMs = 0;
  for (const SmokeKind* kind : kSmokeKinds) QueueHoldLoop(*kind, ++holdMs);
  AdvanceSequence(activeSequence);
  StopSmokingNow();
}

void ReloadSettings() {
  LoadSettings();
  DeleteMenuPrompts();
  ResetPluginState();
}

void ReportFirstLoad() {
  std::string fallbackNote;
  const std::string logFolder = StartLogWherePossible(fallbackNote);
  std::string first = std::string("Emberwick ") + kEmberwickVersion + " loaded";
  if (!fallbackNote.empty()) first += "; this log is in " + logFolder + " because " + fallbackNote;
  std::vector<std::string> lines = {first, "Game build: " + OrUnknown(host::GameBuild()),
                                    "Script hook: " + OrUnknown(host::ScriptHookVersion())};
  const SettingsReport& report = LastSettingsReport();
  for (std::string& line : DescribeSettingsLoad(report)) lines.push_back(std::move(line));
  host::AddToLog(lines);
  const int count = LinesWithFindings(report.checked);
  const std::string findings = count > 0 ? FindingsNotice(count) : std::string();
  if (!fallbackNote.empty()) {
    ShowNotice(std::string("Emberwick ") + kEmberwickVersion + ": Emberwick.log is in " + logFolder, findings);
  } else if (count > 0) {
    ShowNotice(findings);
  }
}

void ReportReload() {
  host::AddEventToLog("Settings reloaded");
  const SettingsReport& report = LastSettingsReport();
  host::AddToLog(DescribeSettingsLoad(report));
  const int count = LinesWithFindings(report.checked);
  ShowNotice(FillNotice(NOTICE_RELOADED_TEXT, kEmberwickVersion, count), count > 0 ? FindingsNotice(count) : "");
}

void RunFrame() {
  FrameReadsScope frameReads;
  if (compatibilityMode) PollKeyStates();
  else ReleaseKeysOutOfFocus();
  // The reload works also while the plug-in is disabled.
  if (ReloadKeysDown()) {
    ReloadSettings();
    ResetPluginState();
    RefreshSettingsPage();
    if (!reloadKeysWereDown) ReportReload();
    reloadKeysWereDown = true;
  } else {
    reloadKeysWereDown = false;
  }
  UpdateSettingsPage();
  // A save reloads the settings as the reload keys do.
  if (TakeSettingsReloadRequest()) {
    ReloadSettings();
    ResetPluginState();
    RefreshSettingsPage();
    ReportReload();
  }
  // While the settings page is open, Emberwick's keys and controls are its own.
  if (!SettingsPageOpen()) DispatchInput();
  playerPed = FramePlayerPed();
  DrawNotice();
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
  reloadKeysWereDown = false;
  ReportFirstLoad();
  for (;;) {
    RunFrame();
    host::ScriptWait(0);
  }
}

int PluginDllMain(void* module, uint32_t reason, void* /*reserved*/) {
  if (reason == kProcessAttach) {
    host::RememberModule(module);
    host::ScriptRegister(module, &ScriptMain);
    host::KeyboardHandlerRegister(&OnKeyboardMessage);
  } else if (reason == kProcessDetach) {
    host::ScriptUnregister(module);
    host::KeyboardHandlerUnregister(&OnKeyboardMessage);
    scriptFiberAvailable = false;
    ResetPluginState();
    Animations::ForgetAssetsGivenUp();
    ClearNotice();
    CloseSettingsPage();
    if (!EMBERWICK_PLANTED(prompts_kept_on_unload)) DeleteAllPrompts();
  }
  return 1;
}
