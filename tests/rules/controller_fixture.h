// A simulated game for the smoking controller: world events by their session
// names, key presses, and a look at the prop the player would see.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/sequence_runner.h"
#include "plugin/main_loop.h"
#include "rules/smoking_controller.h"
#include "rules/world_rules.h"
#include "smoking/mouth_easing.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace test {

class ControllerWorld : public PluginTest {
 protected:
  static constexpr int kSmokeKey = 'N';
  static constexpr int kCigarKey = 0xBC;  // the "," key

  // Starts the plug-in with these settings lines (section headers included).
  void Begin(const std::string& ini = "") {
    WriteIni(ini.empty() ? "[General]\nENABLED=true\n" : ini);
    Start();
  }

  void Set(const std::string& name, const std::string& value) {
    std::string error;
    ASSERT_TRUE(sim.Set(name, value, error)) << error;
  }

  void Control(const std::string& input, const std::string& action) {
    const sim::Command* command = sim.FindCommand("control");
    ASSERT_NE(command, nullptr);
    std::string error;
    ASSERT_TRUE((*command)({input, action}, error)) << error;
  }

  // One frame with the control down, then released.
  void PressOnce(const std::string& input) {
    Control(input, "press");
    Frames(1);
    Control(input, "release");
  }

  // Holds a smoke key long enough to light, then lets go.
  void HoldKey(int key, int ms = 450) {
    sim.KeyDown(key);
    Ms(ms);
    sim.KeyUp(key);
    Frames(1);
  }

  // Runs frames until `done` holds or `ms` of game time have passed.
  bool RunUntil(const std::function<bool()>& done, int64_t ms) {
    const int64_t end = sim.NowUs() + ms * 1000;
    while (sim.NowUs() < end) {
      if (done()) return true;
      sim.RunFrame();
    }
    return done();
  }

  const sim::SimEntity* Prop() { return sim.world.entities.Find(smokeProp); }
  bool PropOnBone(int bone) {
    const sim::SimEntity* prop = Prop();
    return prop && prop->attachedTo == sim.world.entities.player && prop->attachBone == bone;
  }
  bool PropLooseInWorld(int handle) {
    const sim::SimEntity* prop = sim.world.entities.Find(handle);
    return prop && prop->attachedTo == 0;
  }

  // A running sequence of long pauses smoking `kind`, as a builder leaves
  // it, with a prop of `model` on `bone` (or none).
  void FakeSmoke(const SmokeKind& kind, const char* model = "p_cigarette01x", int bone = -1, int pauseMs = 600000) {
    ClearPending(activeSequence);
    activeSequence.smoke = &kind;
    Append(activeSequence, std::make_unique<Animations::TaskDelay>(pauseMs));
    Append(activeSequence, std::make_unique<Animations::TaskDelay>(pauseMs));
    ::Start(activeSequence);
    if (model) {
      sim::SimEntity& prop =
          sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash(model), model, {});
      prop.attachedTo = sim.world.entities.player;
      prop.attachBone = bone;
      prop.createdByPlugin = true;
      smokeProp = prop.handle;
    }
    smokeStartTime = sim.GameTimerMs();
    deadEyeTickTime = sim.GameTimerMs();
  }

  // Calls of a native whose first (or `index`th) word is the hash of `name`.
  std::vector<const sim::RecordedCall*> CallsWithHash(const std::string& native, const std::string& name,
                                                      size_t index = 1) {
    std::vector<const sim::RecordedCall*> found;
    for (const sim::RecordedCall* call : Calls(native)) {
      if (call->words.size() > index && call->U(index) == sim.Hash(name)) found.push_back(call);
    }
    return found;
  }
};

}  // namespace test
