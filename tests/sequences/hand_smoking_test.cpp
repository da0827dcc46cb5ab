// Taking the prop from the mouth into the hand, and the finish that ends
// every hand-held smoke with a flick of the prop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "input/input_dispatch.h"
#include "plugin/main_loop.h"
#include "rules/world_rules.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "sequences/hand_smoking.h"
#include "sequences/puff_cycle.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoke_kind.h"
#include "smoking/smoking_state.h"
#include "support/plugin_session.h"

namespace {

using Animations::AnimationTask;
using Animations::DetachPropTask;
using Animations::MovePropTask;
using Animations::PropApplyForceTask;
using Animations::TaskDelay;

class HandSmoking : public test::PluginTest {
 protected:
  void SetUp() override {
    Start();
    ENABLED = false;  // the tests step the runner themselves
  }
  void TearDown() override { ResetToIdle(activeSequence); }

  // A prop in the player's mouth with an in-mouth cycle playing.
  void InMouth(const SmokeKind& kind, const char* model) {
    HoldProp(model);
    OnScript([&kind] {
      UpdatePropAttachment();
      propInMouth = true;
      activeSequence.smoke = &kind;
      QueuePuffCycle(kCigarette, 8000);
      ::Start(activeSequence);
    });
    sim.ClearCalls();
  }

  // The current task and the queue as readable steps: clips by name and
  // length, hold loops as "hold N" (their finger re-attachments left out),
  // hand re-attachments, the release and the push with their offsets.
  std::vector<std::string> Steps() {
    std::vector<std::string> steps;
    auto describe = [&](Animations::ISequenceTask* task) {
      if (auto* clip = dynamic_cast<AnimationTask*>(task)) {
        if (clip->clip == "base" || (clip->clip == "loop" && clip->filter == "rightarmonly_filter")) {
          steps.push_back("hold " + std::to_string(clip->durationMs));
        } else {
          steps.push_back(clip->clip + " " + std::to_string(clip->durationMs));
        }
      } else if (auto* move = dynamic_cast<MovePropTask*>(task)) {
        if (move->bone == handBoneIndex) steps.push_back("hand@" + std::to_string(move->GetStartOffsetMs()));
      } else if (dynamic_cast<DetachPropTask*>(task)) {
        steps.push_back("release@" + std::to_string(task->GetStartOffsetMs()));
      } else if (dynamic_cast<PropApplyForceTask*>(task)) {
        steps.push_back("push@" + std::to_string(task->GetStartOffsetMs()));
      } else {
        steps.push_back(task->GetName());
      }
    };
    if (activeSequence.current) describe(activeSequence.current.get());
    for (const TaskPtr& task : activeSequence.pending) describe(task.get());
    return steps;
  }
  // The steps after the last `n`.
  static std::vector<std::string> Tail(const std::vector<std::string>& steps, size_t n) {
    return std::vector<std::string>(steps.end() - static_cast<std::ptrdiff_t>(std::min(n, steps.size())), steps.end());
  }
  static std::vector<std::string> Head(const std::vector<std::string>& steps, size_t n) {
    return std::vector<std::string>(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(std::min(n, steps.size())));
  }
  size_t FirstDraws(int max) {
    size_t n = 0;
    for (const sim::RecordedCall* call : Calls("GetRandomIntInRange")) n += call->I(0) == 1 && call->I(1) == max;
    return n;
  }
  template <typename T>
  std::vector<T*> Queued() {
    std::vector<T*> found;
    for (const TaskPtr& task : activeSequence.pending) {
      if (auto* t = dynamic_cast<T*>(task.get())) found.push_back(t);
    }
    return found;
  }
  // Runs the sequence to its end, one runner step per frame.
  void PlayToTheEnd() {
    for (int frame = 0; frame < 20000 && activeSequence.running; ++frame) OnScript([] { Update(activeSequence); });
    ASSERT_FALSE(activeSequence.running);
  }
  int64_t LastClipStartMs(const std::string& clip) {
    int64_t at = -1;
    for (const sim::RecordedCall* call : Calls("TaskPlayAnim")) {
      if (call->S(2) == clip) at = call->gameMs;
    }
    return at;
  }
};

const std::vector<std::string> kCigaretteFinish = {
    "hold 12000",       "action_alt1 4000", "hand@475", "action 3000",  "hold 5600",
    "action_alt2 4540", "hand@475",         "outro 2800", "release@2725", "push@2725",
    // then every looped effect of the smoke ends
    "RemoveParticleFx", "RemoveParticleFx", "RemoveParticleFx", "RemoveParticleFx", "RemoveParticleFx",
    "RemoveParticleFx", "RemoveParticleFx"};

const std::vector<std::string> kCigarFinish = {"hold 6800",        "action_alt1 3950", "hand@475",
                                               "hold 4900",        "action_alt2 3340", "hand@475",
                                               "outro 2000",       "hand@475",         "release@1685",
                                               "push@1685",        "RemoveParticleFx", "RemoveParticleFx",
                                               "RemoveParticleFx", "RemoveParticleFx", "RemoveParticleFx",
                                               "RemoveParticleFx", "RemoveParticleFx"};

TEST_F(HandSmoking, MovingTheCigaretteToTheHandRebuildsTheRestOfTheSmoke) {
  InMouth(kCigarette, "p_cigarette01x");
  OnScript([] { MoveToHand(kCigarette); });
  EXPECT_FALSE(propInMouth);
  EXPECT_TRUE(activeSequence.running);
  EXPECT_EQ(activeSequence.smoke, &kCigarette);
  std::vector<std::string> steps = Steps();
  EXPECT_EQ(Head(steps, 2), (std::vector<std::string>{"outro 1000", "hand@980"}));
  EXPECT_EQ(Tail(steps, kCigaretteFinish.size()), kCigaretteFinish);
  EXPECT_EQ(FirstDraws(10), 5u);  // five automatic puffs
  // The in-mouth cycle is gone: no exhale or glow left to play.
  for (const TaskPtr& task : activeSequence.pending) {
    EXPECT_EQ(task->GetName().find("ent_anim_cig_smoke_cigar"), std::string::npos);
  }

  auto* outro = dynamic_cast<AnimationTask*>(activeSequence.current.get());
  ASSERT_NE(outro, nullptr);
  EXPECT_EQ(outro->dictionary, "script_mp@emotes@smoke_cigarette@male@unarmed@upper");
  EXPECT_EQ(outro->clipFlags, 25);  // on foot
  EXPECT_EQ(outro->extraFlags, 0x10000);
  EXPECT_FLOAT_EQ(outro->blendIn, 1.0f);
  EXPECT_FLOAT_EQ(outro->blendOut, -1.0f);
  EXPECT_FLOAT_EQ(outro->rate, 1.2f);
  EXPECT_EQ(outro->filter, "");
  ASSERT_EQ(CountCalls("TaskPlayAnim"), 1u);
  EXPECT_EQ(Calls("TaskPlayAnim")[0]->S(2), "outro");
  EXPECT_EQ(CountCalls("HidePedWeapons"), 0u);

  auto* hand = dynamic_cast<MovePropTask*>(activeSequence.pending.front().get());
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(hand->handle, &smokeProp);
  EXPECT_EQ(hand->bone, handBoneIndex);
  EXPECT_FLOAT_EQ(hand->x, 0.0f);
  EXPECT_FLOAT_EQ(hand->rz, 0.0f);
  EXPECT_EQ(hand->GetDurationMs(), 1);
}

TEST_F(HandSmoking, OnAHorseTheMoveClipIsUpperBodyOnly) {
  sim.world.player.mounted = true;
  sim.world.player.onFoot = false;
  InMouth(kCigar, "p_cigar02x");
  OnScript([] { MoveToHand(kCigar); });
  auto* clip = dynamic_cast<AnimationTask*>(activeSequence.current.get());
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->dictionary, "script_mp@emotes@smoke_cigar@male@unarmed@upper");
  EXPECT_EQ(clip->clip, "action");
  EXPECT_EQ(clip->durationMs, 980);
  EXPECT_EQ(clip->clipFlags, 7191);
  EXPECT_EQ(clip->extraFlags, 0x8000082);
  EXPECT_EQ(clip->filter, "headneckandrightarm_filter");
}

TEST_F(HandSmoking, MovingTheCigarToTheHandUsesTheCigarsOwnClipsAndOffsets) {
  InMouth(kCigar, "p_cigar02x");
  sim.world.random.QueueInts({4, 1, 2, 1, 3});
  OnScript([] { MoveToHand(kCigar); });
  std::vector<std::string> steps = Steps();
  EXPECT_EQ(Head(steps, 5), (std::vector<std::string>{"action 980", "hand@950", "hold 7000", "action 3000", "hand@475"}));
  EXPECT_EQ(Tail(steps, kCigarFinish.size()), kCigarFinish);
  EXPECT_EQ(FirstDraws(9), 5u);

  for (MovePropTask* move : Queued<MovePropTask>()) {
    if (move->bone != handBoneIndex) continue;
    EXPECT_FLOAT_EQ(move->x, ModelOf(kCigar).hand.x);
    EXPECT_FLOAT_EQ(move->y, ModelOf(kCigar).hand.y);
    EXPECT_FLOAT_EQ(move->z, ModelOf(kCigar).hand.z);
    EXPECT_FLOAT_EQ(move->rx, ModelOf(kCigar).hand.rx);
    EXPECT_FLOAT_EQ(move->ry, ModelOf(kCigar).hand.ry);
    EXPECT_FLOAT_EQ(move->rz, ModelOf(kCigar).hand.rz);
  }
  for (AnimationTask* clip : Queued<AnimationTask>()) {
    if (clip->clip != "outro") continue;
    EXPECT_EQ(clip->extraFlags, 0x8000);
    EXPECT_FLOAT_EQ(clip->blendOut, -1.8f);
    EXPECT_EQ(clip->filter, "upperbodyfeathered_nolefttarm_filter");
  }
}

TEST_F(HandSmoking, LongerSmokesPlayMorePuffs) {
  EXTENDED_SMOKE_DURATION = true;
  InMouth(kCigarette, "p_cigarette01x");
  OnScript([] { MoveToHand(kCigarette); });
  EXPECT_EQ(FirstDraws(10), 9u);

  // The cigar's eight, forced so that no puff needs a redraw.
  ResetToIdle(activeSequence);
  InMouth(kCigar, "p_cigar02x");
  sim.world.random.QueueInts({1, 2, 3, 4, 6, 7, 8, 9});
  OnScript([] { MoveToHand(kCigar); });
  EXPECT_EQ(FirstDraws(9), 8u);
}

TEST_F(HandSmoking, AfterAManualPuffTheHandHoldsForWhatIsLeftOfTheManualWindow) {
  InMouth(kCigarette, "p_cigarette01x");
  manualPuff = true;
  manualPuffAt = sim.GameTimerMs() - 10000;
  OnScript([] { MoveToHand(kCigarette); });
  std::vector<std::string> steps = Steps();
  ASSERT_GE(steps.size(), 3u);
  EXPECT_EQ(steps[2], "hold 35000");
  EXPECT_EQ(FirstDraws(10), 5u);

  // Once the window has run out there is nothing left to hold: no clip of
  // 0 ms or less, which the game would loop.
  ResetToIdle(activeSequence);
  InMouth(kCigar, "p_cigar02x");
  manualPuff = true;
  manualPuffAt = sim.GameTimerMs() - 50000;
  OnScript([] { MoveToHand(kCigar); });
  for (const std::string& step : Steps()) {
    if (step.rfind("hold ", 0) == 0) {
      EXPECT_GT(std::stoi(step.substr(5)), 0) << step;
    }
  }
}

TEST_F(HandSmoking, WithoutAManualPuffTheAutomaticPuffsFollowTheClipAtOnce) {
  InMouth(kCigarette, "p_cigarette01x");
  sim.world.random.QueueInts({1});  // its own leading hold is 3600 ms
  OnScript([] { MoveToHand(kCigarette); });
  std::vector<std::string> steps = Steps();
  ASSERT_GE(steps.size(), 4u);
  EXPECT_EQ(steps[2], "hold 3600");
  EXPECT_EQ(steps[3], "action 3000");
}

TEST_F(HandSmoking, ManualSmokingOnlyHoldsWithoutAutomaticPuffs) {
  MANUAL_SMOKING_ONLY = true;
  InMouth(kCigarette, "p_cigarette01x");
  OnScript([] { MoveToHand(kCigarette); });
  std::vector<std::string> steps = Steps();
  std::vector<std::string> expected = {"outro 1000", "hand@980", "hold 560000"};
  expected.insert(expected.end(), kCigaretteFinish.begin(), kCigaretteFinish.end());
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(CountCalls("GetRandomIntInRange"), 0u);

  ResetToIdle(activeSequence);
  InMouth(kCigar, "p_cigar02x");
  OnScript([] { MoveToHand(kCigar); });
  expected = {"action 980", "hand@950", "hold 560000"};
  expected.insert(expected.end(), kCigarFinish.begin(), kCigarFinish.end());
  EXPECT_EQ(Steps(), expected);
}

TEST_F(HandSmoking, ADrawnWeaponIsPutAwayFirst) {
  sim.world.player.weaponHolstered = false;
  InMouth(kCigarette, "p_cigarette01x");
  OnScript([] { MoveToHand(kCigarette); });
  std::vector<std::string> steps = Steps();
  EXPECT_EQ(Head(steps, 3), (std::vector<std::string>{"TaskDelay_250", "outro 1000", "hand@980"}));
  ASSERT_EQ(CountCalls("HidePedWeapons"), 1u);
  const sim::RecordedCall* reset = Calls("HidePedWeapons")[0];
  EXPECT_EQ(reset->I(0), sim.world.entities.player);
  EXPECT_EQ(reset->I(1), 0);
  EXPECT_EQ(reset->I(2), 0);
}

TEST_F(HandSmoking, WithoutControlTheMoveIsRefusedOrEndsTheSmoke) {
  sim.world.player.hasControl = false;
  InMouth(kCigarette, "p_cigarette01x");
  DISABLE_ON_CONTROL_LOSS = true;
  const size_t queued = activeSequence.pending.size();
  OnScript([] { MoveToHand(kCigarette); });
  EXPECT_TRUE(propInMouth);
  EXPECT_EQ(activeSequence.pending.size(), queued);
  EXPECT_EQ(CountCalls("TaskPlayAnim"), 0u);

  // Control is back: the move happens.
  sim.world.player.hasControl = true;
  OnScript([] { MoveToHand(kCigarette); });
  EXPECT_FALSE(propInMouth);
  ResetToIdle(activeSequence);

  sim.world.player.hasControl = false;
  DISABLE_ON_CONTROL_LOSS = false;
  FORCE_KEEP_IN_MOUTH_ON_CONTROL_LOSS = true;
  InMouth(kCigar, "p_cigar02x");
  OnScript([] { MoveToHand(kCigar); });
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(CountCalls("TaskPlayAnim"), 0u);
  EXPECT_EQ(smokeProp, 0);  // stopped at once: the prop is gone
}

TEST_F(HandSmoking, TheCigaretteFinishFlicksThePropAwayAtTheEndOfTheOutro) {
  smokeProp = sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash("p_cigarette01x"), "p_cigarette01x", {})
                  .handle;
  const Entity prop = smokeProp;
  OnScript([] {
    UpdatePropAttachment();
    activeSequence.smoke = &kCigarette;
    QueueFinish(kCigarette);
    ::Start(activeSequence);
  });
  PlayToTheEnd();
  const int64_t outroAt = LastClipStartMs("outro");
  ASSERT_GE(outroAt, 0);
  ASSERT_EQ(CountCalls("ApplyForceToEntity"), 1u);
  const sim::RecordedCall* push = Calls("ApplyForceToEntity")[0];
  EXPECT_EQ(push->I(0), prop);
  EXPECT_EQ(push->I(1), 1);
  EXPECT_FLOAT_EQ(push->F(2), -2.1f);
  EXPECT_FLOAT_EQ(push->F(3), 0.6f);
  EXPECT_FLOAT_EQ(push->F(4), 5.8f);
  EXPECT_GT(push->gameMs - outroAt, 2725);
  EXPECT_LE(push->gameMs - outroAt, 2725 + 2 * 17);

  // Released from the hand just before, and still there in the world.
  std::vector<const sim::RecordedCall*> detaches = Calls("DetachEntity");
  ASSERT_FALSE(detaches.empty());
  EXPECT_EQ(detaches.back()->I(0), prop);
  EXPECT_GT(detaches.back()->gameMs - outroAt, 2725);
  EXPECT_LE(detaches.back()->gameMs, push->gameMs);
  const sim::SimEntity* thrown = sim.world.entities.Find(prop);
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(thrown->attachedTo, 0);
  EXPECT_TRUE(thrown->pushed);
  EXPECT_EQ(smokeProp, prop);  // the handle is kept; the smoke is over as the queue ends

  // The drags before it: three clips of the emote, each with the hand re-attachment.
  std::vector<std::string> clips;
  for (const sim::RecordedCall* call : Calls("TaskPlayAnim")) {
    if (call->S(1) == "script_mp@emotes@smoke_cigarette@male@unarmed@upper") clips.push_back(call->S(2));
  }
  EXPECT_EQ(clips, (std::vector<std::string>{"action_alt1", "action", "action_alt2", "outro"}));
  // The runner goes idle once the outro's 2800 ms are over.
  EXPECT_FALSE(activeSequence.running);
  EXPECT_EQ(activeSequence.smoke, nullptr);
}

TEST_F(HandSmoking, TheCigarFinishPushesTheOtherWay) {
  smokeProp = sim.world.entities.Create(sim::SimEntity::Type::Object, sim.Hash("p_cigar02x"), "p_cigar02x", {}).handle;
  OnScript([] {
    UpdatePropAttachment();
    activeSequence.smoke = &kCigar;
    QueueFinish(kCigar);
    ::Start(activeSequence);
  });
  PlayToTheEnd();
  const int64_t outroAt = LastClipStartMs("outro");
  ASSERT_GE(outroAt, 0);
  ASSERT_EQ(CountCalls("ApplyForceToEntity"), 1u);
  const sim::RecordedCall* push = Calls("ApplyForceToEntity")[0];
  EXPECT_FLOAT_EQ(push->F(2), -9.9f);
  EXPECT_FLOAT_EQ(push->F(3), 0.8f);
  EXPECT_FLOAT_EQ(push->F(4), -4.8f);
  EXPECT_GT(push->gameMs - outroAt, 1685);
  EXPECT_LE(push->gameMs - outroAt, 1685 + 2 * 17);

  // Re-attached to the hand 475 ms into each of the three clips.
  std::vector<int64_t> clipStarts;
  for (const sim::RecordedCall* call : Calls("TaskPlayAnim")) {
    if (call->S(1) == "script_mp@emotes@smoke_cigar@male@unarmed@upper" && call->S(2) != "loop")
      clipStarts.push_back(call->gameMs);
  }
  ASSERT_EQ(clipStarts.size(), 3u);
  std::vector<int64_t> handAttaches;
  for (const sim::RecordedCall* call : Calls("AttachEntityToEntity")) {
    if (call->I(2) == handBoneIndex) handAttaches.push_back(call->gameMs);
  }
  ASSERT_EQ(handAttaches.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_GT(handAttaches[i] - clipStarts[i], 475) << i;
    EXPECT_LE(handAttaches[i] - clipStarts[i], 475 + 17) << i;
  }
}

}  // namespace
