#include "support/plugin_session.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "host/module_files.h"
#include "host/platform.h"
#include "plugin/main_loop.h"
#include "session.h"
#include "smoking/smoking_state.h"

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
