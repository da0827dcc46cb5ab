// The in-mouth puff cycle: what a cycle queues and when its effects play, and
// the per-frame step that fades exhales at speed, keeps the tip smoke, adds a
// breath cloud and chains the next cycle exactly once per exhale.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "animations/task_queries.h"
#include "config/settings.h"
#include "host/ped_bones.h"
#include "plugin/main_loop.h"
#include "rules/world_rules.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "sequences/puff_cycle.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace {

using Animations::ISequenceTask;
using Animations::MovePropTask;
using Animations::PlayFxOnPedBoneTask;
using Animations::PlayFxOnPropTask;
using Animations::RemoveParticleFxTask;
using Animations::SetFxAlphaOnPropTask;
using Animations::TaskDelay;

class PuffCycle : public test::PluginTest {
 protected:
  void SetUp() override {
    Start();
    mouthBoneIndex = 33;
    kCigarette.fit.mouth.x = 0.011f;
    kCigarette.fit.mouth.y = 0.012f;
    kCigarette.fit.mouth.z = 0.013f;
    kCigarette.fit.mouth.rx = 1.0f;
    kCigarette.fit.mouth.ry = 2.0f;
    kCigarette.fit.mouth.rz = 3.0f;
    sim.ClearCalls();
  }
  void TearDown() override { ResetToIdle(activeSequence); }

  // A cigarette in the world for the effects on the prop.
  void CigaretteProp() {
    smokeProp = sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash("p_cigarette01x"), "p_cigarette01x", {})
                    .handle;
  }

  std::vector<ISequenceTask*> Pending() {
    std::vector<ISequenceTask*> tasks;
    for (const TaskPtr& task : activeSequence.pending) tasks.push_back(task.get());
    return tasks;
  }
  template <typename T>
  std::vector<T*> Pending() {
    std::vector<T*> found;
    for (const TaskPtr& task : activeSequence.pending) {
      if (auto* t = dynamic_cast<T*>(task.get())) found.push_back(t);
    }
    return found;
  }
  PlayFxOnPedBoneTask* PendingEffect(const std::string& name) {
    for (PlayFxOnPedBoneTask* fx : Pending<PlayFxOnPedBoneTask>()) {
      if (fx->effectName == name) return fx;
    }
    return nullptr;
  }

  // One frame as the controller plays it: the runner steps, then the in-mouth effects.
  void ControllerFrame() {
    OnScript([] {
      Update(activeSequence);
      if (propInMouth && activeSequence.running) UpdateInMouthEffects();
    });
  }
  void ControllerMs(int64_t ms) {
    const int64_t until = sim.NowUs() + ms * 1000;
    while (sim.NowUs() < until) ControllerFrame();
  }

  // A smoke whose current task is about to hand over to a short mouth exhale.
  void ExhaleComesNext(const SmokeKind& kind, bool quickEmote = false) {
    OnScript([&kind, quickEmote] {
      propInMouth = true;
      activeSequence.smoke = &kind;
      activeSequence.quickEmote = quickEmote;
      Append(activeSequence, std::make_unique<TaskDelay>(30));
      Append(activeSequence, std::make_unique<PlayFxOnPedBoneTask>(&exhaleFx, kHeadBone, "anm_smoking",
                                                                   "ent_anim_cig_exhale_mth_short", 0.7f, -0.045f,
                                                                   0.11f, -0.021f, 28.0f, 0.0f, -200.0f, 1.27f));
      Append(activeSequence, std::make_unique<PlayFxOnPedBoneTask>(&longExhaleFx, kHeadBone, "anm_smoking",
                                                                   "ent_anim_cig_exhale_mth", 0.6f, -0.045f, 0.11f,
                                                                   -0.021f, 28.0f, 0.0f, -200.0f, 0.9f));
      ::Start(activeSequence);
    });
  }
  size_t Draws(int min, int max) {
    size_t n = 0;
    for (const sim::RecordedCall* call : Calls("GetRandomIntInRange")) n += call->I(0) == min && call->I(1) == max;
    return n;
  }
  // Delays of this length queued or playing.
  size_t DelaysOf(int ms) {
    size_t n = 0;
    for (TaskDelay* delay : Pending<TaskDelay>()) n += delay->durationMs == ms;
    if (auto* current = dynamic_cast<TaskDelay*>(activeSequence.current.get())) n += current->durationMs == ms;
    return n;
  }
  void Control(const char* name, bool down) { sim.world.controls.byHash[sim.Hash(name)].down = down; }
  void Riding(float speed) {
    sim.world.player.mounted = true;
    sim.world.player.onFoot = false;
    sim.world.player.speed = speed;
  }
  void OnFootAt(float speed) {
    sim.world.player.mounted = false;
    sim.world.player.onFoot = true;
    sim.world.player.speed = speed;
  }
};

TEST_F(PuffCycle, ACigaretteCycleQueuesPauseNoseGlowExhalesInOrder) {
  sim.world.random.QueueFloats({0.8f, 0.7f, 0.6f});
  sim.world.random.QueueInts({5, 5540, 900});
  OnScript([] { QueuePuffCycle(kCigarette, 7000); });

  std::vector<std::string> names;
  for (ISequenceTask* task : Pending()) names.push_back(task->GetName());
  ASSERT_EQ(names.size(), 3u + 2u + 25u + 1u + 1u + 2u);
  EXPECT_EQ(names[0], "TaskDelay_7000");
  EXPECT_EQ(names[1], "PlayFxOnBoneTask_anm_smoking_ent_anim_cig_exhale_nse");
  EXPECT_EQ(names[2], "TaskDelay_300");
  EXPECT_EQ(names[3], "PlayFxOnPropTask_anm_smoking_ent_anim_cig_smoke_cigar");
  EXPECT_EQ(names[4].rfind("MovePropTask_", 0), 0u);
  EXPECT_EQ(names[30], "RemoveParticleFx");
  EXPECT_EQ(names[31], "TaskDelay_900");
  EXPECT_EQ(names[32], "PlayFxOnBoneTask_anm_smoking_ent_anim_cig_exhale_mth_short");
  EXPECT_EQ(names[33], "PlayFxOnBoneTask_anm_smoking_ent_anim_cig_exhale_mth");

  std::vector<ISequenceTask*> tasks = Pending();
  auto* nose = dynamic_cast<PlayFxOnPedBoneTask*>(tasks[1]);
  ASSERT_NE(nose, nullptr);
  EXPECT_EQ(nose->effect, &noseExhaleFx);
  EXPECT_EQ(nose->bone, 26497);
  EXPECT_FLOAT_EQ(nose->alpha, 0.8f);
  EXPECT_FLOAT_EQ(nose->x, 0.0013f);
  EXPECT_FLOAT_EQ(nose->y, -0.054f);
  EXPECT_FLOAT_EQ(nose->z, -0.033f);
  EXPECT_FLOAT_EQ(nose->rx, 90.0f);
  EXPECT_FLOAT_EQ(nose->ry, -85.5f);
  EXPECT_FLOAT_EQ(nose->scale, 0.9f);
  EXPECT_TRUE(nose->HasStartOffset());
  EXPECT_EQ(nose->GetStartOffsetMs(), 5540);

  auto* glow = dynamic_cast<PlayFxOnPropTask*>(tasks[3]);
  ASSERT_NE(glow, nullptr);
  EXPECT_EQ(glow->effect, &cigarSmokeFx);
  EXPECT_EQ(glow->prop, &smokeProp);
  EXPECT_FLOAT_EQ(glow->alpha, 0.001f);
  EXPECT_FLOAT_EQ(glow->x, ModelOf(kCigarette).tip.x);
  EXPECT_FLOAT_EQ(glow->rz, -90.0f);
  EXPECT_FLOAT_EQ(glow->scale, 0.37f);
  EXPECT_EQ(glow->GetDurationMs(), 3000);
  EXPECT_FALSE(glow->HasStartOffset());

  auto* seat = dynamic_cast<MovePropTask*>(tasks[4]);
  ASSERT_NE(seat, nullptr);
  EXPECT_EQ(seat->bone, 33);
  EXPECT_FLOAT_EQ(seat->x, 0.011f);
  EXPECT_FLOAT_EQ(seat->z, 0.013f);
  EXPECT_FLOAT_EQ(seat->rz, 3.0f);
  EXPECT_EQ(seat->GetStartOffsetMs(), 2);

  std::vector<int> offsets;
  std::vector<float> alphas;
  for (SetFxAlphaOnPropTask* step : Pending<SetFxAlphaOnPropTask>()) {
    EXPECT_EQ(step->effect, &cigarSmokeFx);
    offsets.push_back(step->GetStartOffsetMs());
    alphas.push_back(step->alpha);
  }
  EXPECT_EQ(offsets, (std::vector<int>{550, 600, 650, 750, 800, 850, 950, 1000, 1100, 1200, 1250, 2000, 2050, 2100,
                                       2200, 2300, 2350, 2450, 2500, 2550, 2600, 2650, 2700, 2750, 2790}));
  EXPECT_EQ(alphas, (std::vector<float>{0.003f, 0.02f, 0.04f, 0.06f, 0.08f, 0.1f, 0.12f, 0.14f, 0.16f, 0.18f, 0.2f,
                                        0.18f, 0.16f, 0.14f, 0.12f, 0.1f, 0.08f, 0.07f, 0.06f, 0.05f, 0.03f, 0.02f,
                                        0.01f, 0.005f, 0.001f}));
  auto* removal = dynamic_cast<RemoveParticleFxTask*>(tasks[30]);
  ASSERT_NE(removal, nullptr);
  EXPECT_EQ(removal->effect, &cigarSmokeFx);
  EXPECT_EQ(removal->GetStartOffsetMs(), 2820);

  auto* shortExhale = dynamic_cast<PlayFxOnPedBoneTask*>(tasks[32]);
  auto* longExhale = dynamic_cast<PlayFxOnPedBoneTask*>(tasks[33]);
  ASSERT_NE(shortExhale, nullptr);
  ASSERT_NE(longExhale, nullptr);
  EXPECT_EQ(shortExhale->effect, &exhaleFx);
  EXPECT_EQ(longExhale->effect, &longExhaleFx);
  for (PlayFxOnPedBoneTask* exhale : {shortExhale, longExhale}) {
    EXPECT_EQ(exhale->bone, kHeadBone);
    EXPECT_FLOAT_EQ(exhale->x, -0.045f);
    EXPECT_FLOAT_EQ(exhale->y, 0.11f);
    EXPECT_FLOAT_EQ(exhale->z, -0.021f);
    EXPECT_FLOAT_EQ(exhale->rx, 28.0f);
    EXPECT_FLOAT_EQ(exhale->rz, -200.0f);
    EXPECT_FALSE(exhale->HasStartOffset());
  }
  EXPECT_FLOAT_EQ(shortExhale->alpha, 0.7f);
  EXPECT_FLOAT_EQ(shortExhale->scale, 1.27f);
  EXPECT_FLOAT_EQ(longExhale->alpha, 0.6f);
  EXPECT_FLOAT_EQ(longExhale->scale, 0.9f);

  std::vector<std::string> draws;
  for (const sim::RecordedCall& call : sim.Calls()) {
    if (call.info && std::string(call.Name()) == "GetRandomIntInRange")
      draws.push_back(std::to_string(call.I(0)) + ".." + std::to_string(call.I(1)));
    if (call.info && std::string(call.Name()) == "GetRandomFloatInRange")
      draws.push_back(std::to_string(call.F(0)).substr(0, 4) + ".." + std::to_string(call.F(1)).substr(0, 4));
  }
  EXPECT_EQ(draws, (std::vector<std::string>{"0.50..0.95", "0..10", "5500..5580", "700..1080", "0.60..0.80",
                                             "0.54..0.70"}));
}

TEST_F(PuffCycle, TheNoseExhaleDependsOnThePauseAndTheRoll) {
  // Rolled 8 or more: early and fainter.
  sim.world.random.QueueFloats({0.8f});
  sim.world.random.QueueInts({9, 5570});
  OnScript([] { QueuePuffCycle(kCigarette, 3501); });
  PlayFxOnPedBoneTask* nose = PendingEffect("ent_anim_cig_exhale_nse");
  ASSERT_NE(nose, nullptr);
  EXPECT_EQ(nose->GetStartOffsetMs(), 2300);
  EXPECT_FLOAT_EQ(nose->alpha, 0.8f - 0.15f);
  ClearPending(activeSequence);

  // Rolled below 4: none, though all three values are still drawn.
  sim.world.random.QueueInts({3});
  sim.ClearCalls();
  OnScript([] { QueuePuffCycle(kCigarette, 9000); });
  EXPECT_EQ(PendingEffect("ent_anim_cig_exhale_nse"), nullptr);
  EXPECT_EQ(Draws(5500, 5580), 1u);
  ClearPending(activeSequence);

  // A short pause draws nothing for the nose.
  sim.ClearCalls();
  OnScript([] { QueuePuffCycle(kCigarette, 3500); });
  EXPECT_EQ(PendingEffect("ent_anim_cig_exhale_nse"), nullptr);
  EXPECT_EQ(Draws(0, 10), 0u);
  EXPECT_EQ(CountCalls("GetRandomIntInRange"), 1u);  // the delay before the exhale
  EXPECT_EQ(CountCalls("GetRandomFloatInRange"), 2u);
}

TEST_F(PuffCycle, ACigarCycleGlowsItsEmberUpAndDownAndLeavesItLit) {
  sim.world.random.QueueInts({800});
  OnScript([] { QueuePuffCycle(kCigar, 5000); });
  PlayFxOnPedBoneTask* nose = PendingEffect("ent_anim_cig_exhale_nse");
  ASSERT_NE(nose, nullptr);
  EXPECT_EQ(nose->GetStartOffsetMs(), 3000);
  EXPECT_FLOAT_EQ(nose->alpha, 0.67f);
  EXPECT_FLOAT_EQ(nose->x, 0.0011f);

  std::vector<PlayFxOnPropTask*> embers = Pending<PlayFxOnPropTask>();
  ASSERT_EQ(embers.size(), 1u);
  EXPECT_EQ(embers[0]->effect, &emberFx);
  EXPECT_EQ(embers[0]->effectName, "ent_anim_cig_smoke_cigar_ember");
  EXPECT_FLOAT_EQ(embers[0]->alpha, 0.01f);
  EXPECT_FLOAT_EQ(embers[0]->y, ModelOf(kCigar).tip.y);
  EXPECT_FLOAT_EQ(embers[0]->rz, ModelOf(kCigar).tip.rz);
  EXPECT_FLOAT_EQ(embers[0]->scale, 1.0f);
  EXPECT_EQ(embers[0]->GetDurationMs(), 3000);
  ASSERT_EQ(Pending<MovePropTask>().size(), 1u);
  EXPECT_EQ(Pending<MovePropTask>()[0]->GetStartOffsetMs(), 2);

  std::vector<int> offsets;
  std::vector<float> alphas;
  for (SetFxAlphaOnPropTask* step : Pending<SetFxAlphaOnPropTask>()) {
    EXPECT_EQ(step->effect, &emberFx);
    offsets.push_back(step->GetStartOffsetMs());
    alphas.push_back(step->alpha);
  }
  EXPECT_EQ(offsets, (std::vector<int>{550, 575, 600, 625, 650, 675, 700, 725, 750, 1900, 1925, 1950, 1975, 2000,
                                       2025, 2050, 2075}));
  const std::vector<float> expected = {0.05f, 0.08f, 0.11f, 0.14f, 0.17f, 0.2f,  0.23f, 0.26f, 0.29f,
                                       0.27f, 0.24f, 0.21f, 0.18f, 0.15f, 0.12f, 0.09f, 0.06f};
  ASSERT_EQ(alphas.size(), expected.size());
  for (size_t i = 0; i < alphas.size(); ++i) EXPECT_NEAR(alphas[i], expected[i], 1e-5f) << i;
  EXPECT_TRUE(Pending<RemoveParticleFxTask>().empty());

  EXPECT_EQ(DelaysOf(800), 1u);
  PlayFxOnPedBoneTask* shortExhale = PendingEffect("ent_anim_cig_exhale_mth_short");
  PlayFxOnPedBoneTask* longExhale = PendingEffect("ent_anim_cig_exhale_mth");
  ASSERT_NE(shortExhale, nullptr);
  ASSERT_NE(longExhale, nullptr);
  EXPECT_FLOAT_EQ(shortExhale->alpha, 0.77f);
  EXPECT_FLOAT_EQ(longExhale->alpha, 0.67f);
  EXPECT_FLOAT_EQ(longExhale->scale, 0.9f);
  EXPECT_EQ(Draws(600, 950), 1u);
  EXPECT_EQ(CountCalls("GetRandomFloatInRange"), 0u);
}

TEST_F(PuffCycle, ACigarCycleInFirstPersonWithTheHiddenPropKeepsOnlyPauseAndExhales) {
  HIDE_PROP_IN_FIRST_PERSON = true;
  sim.world.player.firstPerson = true;
  OnScript([] { QueuePuffCycle(kCigar, 3000); });
  std::vector<std::string> names;
  for (ISequenceTask* task : Pending()) names.push_back(task->GetName());
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], "TaskDelay_3000");
  EXPECT_EQ(names[1].rfind("TaskDelay_", 0), 0u);
  EXPECT_EQ(names[2], "PlayFxOnBoneTask_anm_smoking_ent_anim_cig_exhale_mth_short");
  EXPECT_EQ(names[3], "PlayFxOnBoneTask_anm_smoking_ent_anim_cig_exhale_mth");

  // Third person, or the option off: the ember is back.
  ClearPending(activeSequence);
  sim.world.player.firstPerson = false;
  OnScript([] { QueuePuffCycle(kCigar, 3000); });
  EXPECT_EQ(Pending<PlayFxOnPropTask>().size(), 1u);
}

TEST_F(PuffCycle, TheGlowStepsPlayAtTheirOffsetsIntoTheGlow) {
  sim.SetFrameUs(1000);
  CigaretteProp();
  sim.world.random.QueueInts({900});
  OnScript([] {
    activeSequence.smoke = &kCigarette;
    QueuePuffCycle(kCigarette, 1000);
    ::Start(activeSequence);
  });
  ControllerMs(6000);
  std::vector<const sim::RecordedCall*> starts = Calls("StartNetworkedParticleFxLoopedOnEntity");
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0]->S(0), "ent_anim_cig_smoke_cigar");
  const int64_t glowAt = starts[0]->gameMs;
  std::vector<int64_t> alphaTimes;
  for (const sim::RecordedCall* call : Calls("SetParticleFxLoopedAlpha")) alphaTimes.push_back(call->gameMs - glowAt);
  ASSERT_EQ(alphaTimes.size(), 1u + 25u);  // the start's own alpha, then the steps
  EXPECT_EQ(alphaTimes[0], 0);
  EXPECT_GT(alphaTimes[1], 550);
  EXPECT_LE(alphaTimes[1], 552);
  EXPECT_GT(alphaTimes.back(), 2790);
  EXPECT_LE(alphaTimes.back(), 2792);
  ASSERT_EQ(CountCalls("RemoveParticleFx"), 1u);
  EXPECT_GT(Calls("RemoveParticleFx")[0]->gameMs - glowAt, 2820);
  EXPECT_EQ(cigarSmokeFx, 0);

  std::vector<const sim::RecordedCall*> exhales = Calls("StartParticleFxNonLoopedOnPedBone");
  ASSERT_GE(exhales.size(), 2u);
  EXPECT_EQ(exhales[0]->S(0), "ent_anim_cig_exhale_mth_short");
  EXPECT_EQ(exhales[1]->S(0), "ent_anim_cig_exhale_mth");
  // After the 3000 ms glow and the 900 ms delay; the long exhale 10 ms later.
  EXPECT_GT(exhales[0]->gameMs - glowAt, 3900);
  EXPECT_LE(exhales[0]->gameMs - glowAt, 3903);
  EXPECT_GT(exhales[1]->gameMs - exhales[0]->gameMs, 10);
}


TEST_F(PuffCycle, TheShortExhaleQueuesTheNextCycleOnce) {
  sim.world.random.QueueInts({8000});
  ExhaleComesNext(kCigarette);
  ControllerMs(200);
  EXPECT_EQ(Draws(7000, 9800), 1u);
  EXPECT_EQ(DelaysOf(8000), 1u);
  EXPECT_EQ(Draws(4500, 6500), 0u);
}

TEST_F(PuffCycle, TheShortExhaleQueuesTheNextCycleOnceAt240Fps) {
  sim.SetFrameUs(4167);
  sim.world.random.QueueInts({8000});
  ExhaleComesNext(kCigarette);
  int framesWithExhaleCurrent = 0;
  const int64_t until = sim.NowUs() + 200 * 1000;
  while (sim.NowUs() < until) {
    ControllerFrame();
    framesWithExhaleCurrent += CurrentTaskPlays("exhale_mth_short");
  }
  EXPECT_GE(framesWithExhaleCurrent, 2);  // the case that used to queue twice
  EXPECT_EQ(Draws(7000, 9800), 1u);
  EXPECT_EQ(DelaysOf(8000), 1u);
}

TEST_F(PuffCycle, TheChainRunsOneCycleAtATimeForAsLongAsThePropIsInTheMouth) {
  sim.SetFrameUs(4167);
  OnScript([] {
    propInMouth = true;
    activeSequence.smoke = &kCigarette;
    QueuePuffCycle(kCigarette, 1500);
    ::Start(activeSequence);
  });
  size_t longest = 0;
  const int64_t until = sim.NowUs() + 60'000'000;
  while (sim.NowUs() < until) {
    ControllerFrame();
    longest = std::max(longest, activeSequence.pending.size());
  }
  EXPECT_TRUE(activeSequence.running);
  // Each short exhale queued exactly one cycle: one pause draw per exhale played.
  const size_t exhales = [&] {
    size_t n = 0;
    for (const sim::RecordedCall* call : Calls("StartParticleFxNonLoopedOnPedBone"))
      n += call->S(0) == "ent_anim_cig_exhale_mth_short";
    return n;
  }();
  EXPECT_GE(exhales, 5u);
  EXPECT_EQ(Draws(7000, 9800), exhales);
  EXPECT_EQ(Draws(700, 1080), exhales + 1);
  EXPECT_LE(longest, 40u);  // never more than the rest of one cycle and the next
}

TEST_F(PuffCycle, ACigarChainsCigarCyclesAndAimingShortensCigarettePauses) {
  sim.world.player.aiming = true;
  ExhaleComesNext(kCigarette);
  ControllerMs(100);
  EXPECT_EQ(Draws(4500, 6500), 1u);
  EXPECT_EQ(Draws(7000, 9800), 0u);
  ResetToIdle(activeSequence);

  sim.world.player.aiming = false;
  sim.ClearCalls();
  ExhaleComesNext(kCigar);
  ControllerMs(100);
  EXPECT_EQ(Draws(4500, 6500), 1u);
  EXPECT_EQ(Draws(600, 950), 1u);  // a cigar cycle
  ResetToIdle(activeSequence);

  // Emote smokes have no in-mouth chain.
  sim.ClearCalls();
  ExhaleComesNext(kCigarette, true);
  ControllerMs(100);
  EXPECT_EQ(CountCalls("GetRandomIntInRange"), 0u);
}

TEST_F(PuffCycle, ExhalesFadeAtSpeed) {
  // Sprinting on foot: the coming short exhale is hidden.
  OnFootAt(6.0f);
  OnScript([] {
    propInMouth = true;
    activeSequence.smoke = &kCigar;
    QueuePuffCycle(kCigar, 1000);
    ClearPending(activeSequence);
    Append(activeSequence, std::make_unique<PlayFxOnPedBoneTask>(&exhaleFx, kHeadBone, "anm_smoking",
                                                                 "ent_anim_cig_exhale_mth_short", 0.77f, 0, 0, 0, 0,
                                                                 0, 0, 1.27f));
    UpdateInMouthEffects();
  });
  EXPECT_FLOAT_EQ(PendingEffect("ent_anim_cig_exhale_mth_short")->alpha, 0.0f);

  // Galloping: faint instead.
  Riding(6.0f);
  OnScript([] { UpdateInMouthEffects(); });
  EXPECT_FLOAT_EQ(PendingEffect("ent_anim_cig_exhale_mth_short")->alpha, 0.2f);

  // At 4.2 m/s nothing changes.
  PendingEffect("ent_anim_cig_exhale_mth_short")->alpha = 0.77f;
  Riding(4.2f);
  OnScript([] { UpdateInMouthEffects(); });
  EXPECT_FLOAT_EQ(PendingEffect("ent_anim_cig_exhale_mth_short")->alpha, 0.77f);

  // The nose exhale fades only when riding.
  OnScript([] {
    ClearPending(activeSequence);
    Append(activeSequence, std::make_unique<PlayFxOnPedBoneTask>(&noseExhaleFx, 26497, "anm_smoking",
                                                                 "ent_anim_cig_exhale_nse", 0.67f, 0, 0, 0, 0, 0, 0,
                                                                 0.9f));
  });
  OnFootAt(6.0f);
  OnScript([] { UpdateInMouthEffects(); });
  EXPECT_FLOAT_EQ(PendingEffect("ent_anim_cig_exhale_nse")->alpha, 0.67f);
  Riding(6.0f);
  OnScript([] { UpdateInMouthEffects(); });
  EXPECT_FLOAT_EQ(PendingEffect("ent_anim_cig_exhale_nse")->alpha, 0.01f);
}

TEST_F(PuffCycle, TheCigarettesTipSmokeGoesAtAGallopAndComesBackBelowIt) {
  CigaretteProp();
  OnFootAt(1.0f);
  OnScript([] {
    propInMouth = true;
    activeSequence.smoke = &kCigarette;
    Append(activeSequence, std::make_unique<TaskDelay>(100000));
    ::Start(activeSequence);
    UpdateInMouthEffects();
  });
  ASSERT_EQ(CountCalls("StartNetworkedParticleFxLoopedOnEntity"), 1u);
  const sim::RecordedCall* start = Calls("StartNetworkedParticleFxLoopedOnEntity")[0];
  EXPECT_EQ(start->S(0), "cs_cig_smoke");
  EXPECT_EQ(start->I(1), smokeProp);
  EXPECT_FLOAT_EQ(start->F(2), ModelOf(kCigarette).tip.x);
  EXPECT_FLOAT_EQ(start->F(7), -90.0f);
  EXPECT_FLOAT_EQ(start->F(8), 0.45f);
  EXPECT_NE(tipSmokeFx, 0);
  OnScript([] { UpdateInMouthEffects(); });
  EXPECT_EQ(CountCalls("StartNetworkedParticleFxLoopedOnEntity"), 1u);  // already burning

  Riding(6.0f);
  OnScript([] { UpdateInMouthEffects(); });
  EXPECT_EQ(CountCalls("RemoveParticleFx"), 1u);
  EXPECT_EQ(tipSmokeFx, 0);

  Riding(4.2f);
  OnScript([] { UpdateInMouthEffects(); });
  EXPECT_EQ(CountCalls("StartNetworkedParticleFxLoopedOnEntity"), 2u);
  EXPECT_NE(tipSmokeFx, 0);

  // A cigar has no tip smoke of this kind.
  OnScript([] {
    RemoveParticleFxTask(&tipSmokeFx).Execute();
    activeSequence.smoke = &kCigar;
    UpdateInMouthEffects();
  });
  EXPECT_EQ(CountCalls("StartNetworkedParticleFxLoopedOnEntity"), 2u);
}

struct BreathCase {
  const char* name;
  bool riding;
  float speed;
  const char* pressed;  // the one movement control held, or nullptr
  bool walking;  // what the game says of the player
  float alpha;  // < 0: no breath cloud
  float z, rx, scale;
};

TEST_F(PuffCycle, TheBreathCloudDependsOnHowThePlayerMoves) {
  const BreathCase cases[] = {
      {"galloping forward", true, 6.0f, "INPUT_MOVE_UP_ONLY", false, 0.28f, -0.029f, 45.0f, 0.65f},
      {"riding forward slowly", true, 3.0f, "INPUT_MOVE_UP_ONLY", false, 0.52f, -0.029f, 45.0f, 0.65f},
      {"walking backward", false, 1.0f, "INPUT_MOVE_DOWN_ONLY", true, 0.58f, -0.023f, 40.0f, 0.5f},
      {"sprinting", false, 5.5f, "INPUT_MOVE_LEFT_ONLY", false, 0.47f, -0.029f, 45.0f, 0.65f},
      {"walking forward", false, 3.0f, "INPUT_MOVE_UP_ONLY", true, -1.0f, 0, 0, 0},
      {"moving backward, not walking", false, 1.0f, "INPUT_MOVE_DOWN_ONLY", false, -1.0f, 0, 0, 0},
      {"riding backward", true, 3.0f, "INPUT_MOVE_DOWN_ONLY", false, -1.0f, 0, 0, 0},
  };
  for (const BreathCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.riding) Riding(c.speed);
    else OnFootAt(c.speed);
    sim.world.player.walking = c.walking;
    for (const char* control :
         {"INPUT_MOVE_UP_ONLY", "INPUT_MOVE_LEFT_ONLY", "INPUT_MOVE_DOWN_ONLY", "INPUT_MOVE_RIGHT_ONLY"}) {
      Control(control, c.pressed && std::string(control) == c.pressed);
    }
    ResetToIdle(activeSequence);
    ExhaleComesNext(kCigar);
    // Until the exhale has come and gone, or a breath cloud took its place.
    PlayFxOnPedBoneTask* breath = nullptr;
    const int64_t until = sim.NowUs() + 60 * 1000;
    while (!breath && sim.NowUs() < until) {
      ControllerFrame();
      if (CurrentTaskPlays("cs_ped_breath_winter"))
        breath = dynamic_cast<PlayFxOnPedBoneTask*>(activeSequence.current.get());
    }
    if (c.alpha < 0) {
      EXPECT_EQ(breath, nullptr);
      continue;
    }
    ASSERT_NE(breath, nullptr);
    EXPECT_EQ(breath->effect, &breathFx);
    EXPECT_EQ(breath->asset, "cut_rprsn");
    EXPECT_EQ(breath->bone, kHeadBone);
    EXPECT_FLOAT_EQ(breath->alpha, c.alpha);
    EXPECT_FLOAT_EQ(breath->x, -0.025f);
    EXPECT_FLOAT_EQ(breath->y, 0.12f);
    EXPECT_FLOAT_EQ(breath->z, c.z);
    EXPECT_FLOAT_EQ(breath->rx, c.rx);
    EXPECT_FLOAT_EQ(breath->rz, -230.0f);
    EXPECT_FLOAT_EQ(breath->scale, c.scale);
  }
}

TEST_F(PuffCycle, MovingTwoWaysAtOnceIsNotMovingForward) {
  Riding(6.0f);
  Control("INPUT_MOVE_UP_ONLY", true);
  Control("INPUT_MOVE_RIGHT_ONLY", true);
  ExhaleComesNext(kCigar);
  sim.ClearCalls();
  ControllerMs(60);
  EXPECT_FALSE(CurrentTaskPlays("cs_ped_breath_winter"));
  EXPECT_EQ(CountCalls("IsControlPressed"), 8u);  // all four, for forward and for backward
}

}  // namespace
