// Shared by the builder tests: a started plug-in whose assets are all
// loaded at once, and ways to read back what a builder queued.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/sequence_runner.h"
#include "host/frame_reads.h"
#include "host/platform.h"
#include "sequences/mouth_transition.h"
#include "smoking/mouth_easing.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"
#include "world/leftovers.h"

namespace test {

// One expected task: a name (a trailing '_' matches any suffix, for names
// that carry a handle or an address) and its start offset (-1: plain).
struct Row {
  std::string name;
  int offset;
};

class BuilderTest : public PluginTest {
 protected:
  void SetUp() override {
    Start();
    for (const char* loaded : {"HasAnimDictLoaded", "HasModelLoaded", "IsModelInCdImage", "IsModelValid",
                               "HasNamedPtfxAssetLoaded", "PrepareSoundSet"}) {
      sim.Handle(loaded, [](const sim::Call&, sim::Result& r) { r.Bool(true); });
    }
  }
  void TearDown() override {
    ResetToIdle(activeSequence);
    ResetToIdle(secondarySequence);
  }

  // What the active sequence plays now, as a builder finds it.
  static void PlayingNow(TaskPtr task) { activeSequence.current = std::move(task); }
  static TaskPtr Clip(const char* dictionary, const char* clip) {
    return std::make_unique<Animations::AnimationTask>(&playerPed, dictionary, clip, 60000, 25, 0x10000, 1.0f, -1.0f,
                                                       1.2f, "");
  }

  // The current task followed by the pending ones.
  static std::vector<Animations::ISequenceTask*> Queue(SequenceRunner& runner = activeSequence) {
    std::vector<Animations::ISequenceTask*> tasks;
    if (runner.current) tasks.push_back(runner.current.get());
    for (const TaskPtr& task : runner.pending) tasks.push_back(task.get());
    return tasks;
  }

  template <typename T>
  static T* Task(size_t index, SequenceRunner& runner = activeSequence) {
    std::vector<Animations::ISequenceTask*> tasks = Queue(runner);
    if (index >= tasks.size()) {
      ADD_FAILURE() << "no task at " << index;
      return nullptr;
    }
    T* task = dynamic_cast<T*>(tasks[index]);
    if (!task) ADD_FAILURE() << "task " << index << " is " << tasks[index]->GetName();
    return task;
  }

  // The queue, from `from` on, starts with these rows.
  static void ExpectRows(const std::vector<Row>& rows, size_t from = 0, SequenceRunner& runner = activeSequence) {
    std::vector<Animations::ISequenceTask*> tasks = Queue(runner);
    ASSERT_GE(tasks.size(), from + rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      Animations::ISequenceTask* task = tasks[from + i];
      std::string name = task->GetName();
      const Row& row = rows[i];
      bool prefix = !row.name.empty() && row.name.back() == '_';
      bool nameOk = prefix ? name.rfind(row.name, 0) == 0 : name == row.name;
      EXPECT_TRUE(nameOk) << "task " << from + i << ": " << name << ", expected " << row.name;
      int offset = task->HasStartOffset() ? task->GetStartOffsetMs() : -1;
      EXPECT_EQ(offset, row.offset) << "task " << from + i << " " << name;
    }
  }

  // Steps the runners and the mouth easing once per frame, as the
  // controller does, until both runners are idle.
  void PlayOut(int maxFrames = 6000) { Play(maxFrames, true); }
  // The same for a number of frames, whatever plays.
  void PlayFrames(int frames) { Play(frames, false); }
  void Play(int maxFrames, bool untilIdle) {
    OnScript([maxFrames, untilIdle] {
      for (int frame = 0; frame < maxFrames; ++frame) {
        if (untilIdle && !activeSequence.running && !secondarySequence.running) break;
        Update(activeSequence);
        Update(secondarySequence);
        if (activeSequence.running) UpdateMouthEasing();
        scriptWait(0);
      }
    });
  }

  // What the smoke left behind once played out, after the controller's
  // delayed removal of the lighting's dummy ped.
  sim::Leftovers LeftBehind() {
    OnScript([] { Animations::DeleteEntityTask(&dummyPed).Execute(); });
    return sim::FindLeftovers(sim);
  }
  static std::string Describe(const sim::Leftovers& left) { return sim::FormatLeftovers(left); }

  // Nothing on the player, no helper entity, no sound; the smoke effects may
  // only go on smouldering on the butt that lies where it fell.
  void ExpectPlayedOutClean() {
    sim::Leftovers left = LeftBehind();
    EXPECT_TRUE(left.propsOnPlayer.empty() && left.helperEntities.empty() && left.loopedSounds.empty())
        << Describe(left);
    EXPECT_FALSE(left.propsInWorld.empty());
    for (const auto& [handle, effect] : sim.world.effects.looped) {
      const sim::SimEntity* on = sim.world.entities.Find(effect.entity);
      EXPECT_TRUE(on && on->attachedTo == 0 && on->pushed) << effect.name << " burns on " << effect.entity;
    }
    EXPECT_TRUE(sim.Errors().empty());
  }

  void Answer(const char* native, bool value) {
    sim.Handle(native, [value](const sim::Call&, sim::Result& r) { r.Bool(value); });
  }
  void PlayerModel(const char* model) {
    uint32_t hash = sim.Hash(model);
    sim.Handle("GetEntityModel", [hash](const sim::Call&, sim::Result& r) { r.Int(static_cast<int32_t>(hash)); });
  }
};

}  // namespace test
