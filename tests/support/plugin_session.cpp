#include "support/plugin_session.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "config/settings.h"
#include "host/frame_reads.h"
#include "host/key_states.h"
#include "host/module_files.h"
#include "host/platform.h"
#include "input/input_dispatch.h"
#include "input/prompts.h"
#include "input/scenarios.h"
#include "plugin/main_loop.h"
#include "rules/world_rules.h"
#include "session.h"
#include "smoking/inventory.h"
#include "smoking/mouth_easing.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "smoking/stop_cleanup.h"

namespace test {
namespace {

std::function<void()> scriptWork;
bool scriptWorkDone = true;

void TestScriptMain() {
  // Stands in for ScriptMain, which marks the fiber as able to yield.
  scriptFiberAvailable = true;
  for (;;) {
    if (!scriptWorkDone) {
      std::function<void()> work = std::move(scriptWork);
      scriptWork = nullptr;
      work();
      scriptWorkDone = true;
    }
    scriptWait(0);
  }
}

// In the game a load of the module starts from the values its globals are
// given at load time; a test program keeps one copy of the plug-in for all
// its tests, and the plug-in's own reset clears a smoke, not what a fresh
// load would. Each test puts back what the load would have given it: state
// kept across tests makes a test's result depend on the one before it (a
// game time of the previous test's clock, a key left down, a setting).
void RestoreLoadTimeState() {
  // The settings as a load without a file reads them: every default.
  LoadSettings();

  activeSequence = SequenceRunner{};
  secondarySequence = SequenceRunner{};
  runnerClock = RunnerClock{};

  smokeProp = 0;
  propInMouth = false;
  mouthMarkerProp = 0;
  matchProp = 0;
  dummyPed = 0;
  dummyPedTime = 0;
  holsterBlockUntil = 0;
  quickSelectReplayDelay = 0;
  quickUseItemPressTime = 0;
  smokeStartTime = 0;
  deadEyeTickTime = 0;
  cigarLitTime = 0;
  wanderBaseQueued = false;
  manualPuff = false;
  manualPuffAt = 0;
  for (int* effect : {&cigarSmokeFx, &emberFx, &tipSmokeFx, &trailSmokeFx, &noseExhaleFx, &exhaleFx, &longExhaleFx,
                      &breathFx, &droppedEmberFx, &droppedTipSmokeFx, &droppedTrailSmokeFx, &droppedCigarSmokeFx}) {
    *effect = 0;
  }
  mouthEaseActive = 0;
  mouthEaseWaitStart = 0;
  mouthEaseState = MouthEaseState{};
  mouthBoneIndex = handBoneIndex = fingerBoneIndex = matchBoneIndex = handAuxBoneIndex = 0;
  hiddenCheaperItem = 0;
  removedCheapBoxCount = 0;
  cheapBoxRemovalTime = 0;
  // A kind starts with its standard model, and has no prompt yet.
  for (const SmokeKind* kind : kSmokeKinds) {
    kind->fit = PropFit{kind->standardModel, {}};
    kind->choicePrompt = 0;
  }

  animDictMissingTime = 0;
  mountedSince = 0;
  mountLatched = false;
  quickSelectReplayArmed = false;
  pendingQuickSelect = kNoControl;
  quickSelectReplayTime = 0;
  smokingMood = 0;
  smokingMoodTime = 0;
  reactedExhaleTask = nullptr;
  reactedExhaleStartTicks = 0;

  scenarioActive = false;
  sittingScenario = false;
  scenarioExitCountdown = 0;
  promptRefreshCountdown = 0;
  *sittingCameraHold = SittingCameraHold{};
  scenarioType.clear();
  scenarioVariation.clear();
  for (Prompt* prompt : {&smokePrompt, &showScenariosPrompt, &menuSmokePrompt, &railingSmokePrompt, &sitSmokePrompt,
                         &standCigarettePrompt, &standPipePrompt, &settingsPrompt}) {
    *prompt = 0;
  }
  for (Prompt& prompt : scenarioPrompts) prompt = 0;
  scenarioMenuOpen = false;
  controllerPromptWindowAt = 0;
  smokeHintCompletedAt = 0;
  controllerChoiceArmed = false;
  smokeButtonDownAt = 0;
  lightStartedAt = 0;
  lastPuffAt = 0;
  scenarioKeyToggledAt = 0;

  for (KeyState& state : keyStates) state = KeyState{};
  playerPed = 0;
  scriptFiberAvailable = false;
  scriptWork = nullptr;
  scriptWorkDone = true;
}

}  // namespace

std::string CurrentTaskName(const SequenceRunner& runner) {
  return runner.current ? runner.current->GetName() : std::string();
}

PluginTest::PluginTest() {
  char buffer[4096];
  if (getcwd(buffer, sizeof buffer)) previousDir_ = buffer;
  char pattern[] = "/tmp/emberwick-test-XXXXXX";
  if (mkdtemp(pattern)) {
    workDir = pattern;
    if (chdir(workDir.c_str()) != 0) ADD_FAILURE() << "cannot enter " << workDir;
    // The plug-in is linked into the test: its "module's folder", where it
    // looks for Emberwick.ini first and writes Emberwick.log, is the test's own.
    host::SetModuleFolder(workDir);
  }
  RestoreLoadTimeState();
}

PluginTest::~PluginTest() {
  if (sim.Attached()) sim.Detach();
  if (!previousDir_.empty() && chdir(previousDir_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previousDir_;
  std::error_code ignored;
  if (!workDir.empty()) std::filesystem::remove_all(workDir, ignored);
}

void PluginTest::WriteIni(const std::string& contents) {
  std::string error;
  ASSERT_TRUE(sim::WriteSettingsFile(contents, error)) << error;
  sim.hashes.LearnSettingValues(contents);
}

void PluginTest::Attach() { sim.AttachInProcess(&PluginDllMain); }

void PluginTest::Start() {
  Attach();
  sim.RunFrame();
}

void PluginTest::OnScript(const std::function<void()>& fn) {
  if (!sim.Attached()) Attach();
  if (sim.RegisteredScriptMain() != &TestScriptMain) sim.ReplaceScriptMain(&TestScriptMain);
  scriptWork = fn;
  scriptWorkDone = false;
  while (!scriptWorkDone) sim.RunFrame();
}

int PluginTest::HoldProp(const char* model) {
  sim::SimEntity& prop = sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash(model), model, {});
  prop.attachedTo = sim.world.entities.player;
  prop.createdByPlugin = true;
  smokeProp = prop.handle;
  return prop.handle;
}

std::vector<std::string> PluginTest::CallNames() const {
  std::vector<std::string> names;
  for (const sim::RecordedCall& call : sim.Calls()) names.push_back(call.Name());
  return names;
}

}  // namespace test
