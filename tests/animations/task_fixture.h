// Runs tasks on the script fiber against the simulated world and reads back
// the native calls they made.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animations/sequence_task.h"
#include "plugin/main_loop.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace test {

class TaskTest : public PluginTest {
 protected:
  // Executes the task on the script fiber, starting from a clean call record.
  void Run(Animations::ISequenceTask& task) {
    sim.ClearCalls();
    OnScript([&task] { task.Execute(); });
  }
  // The calls recorded, by name, leaving out the player look-ups and hashing.
  std::vector<std::string> Actions() const {
    std::vector<std::string> names;
    for (const std::string& name : CallNames()) {
      if (name != "PlayerPedId" && name != "GetHashKey") names.push_back(name);
    }
    return names;
  }
  const sim::RecordedCall& Only(const std::string& name) const {
    auto calls = Calls(name);
    EXPECT_EQ(calls.size(), 1u) << name;
    static sim::RecordedCall none;
    return calls.empty() ? none : *calls.front();
  }
  int Player() const { return sim.world.entities.player; }
  // A prop of the plug-in's, attached to the player as a spawn leaves it.
  int HeldProp(const std::string& model) {
    sim::SimEntity& prop = sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash(model), model, {});
    prop.createdByPlugin = true;
    prop.missionEntity = true;
    prop.attachedTo = Player();
    return prop.handle;
  }
  // A prop the game placed next to the player.
  int LooseProp(const std::string& model, sim::Vec3 at = {}) {
    return sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash(model), model, at).handle;
  }
  bool NoErrors() const { return sim.Errors().empty(); }
};

}  // namespace test
