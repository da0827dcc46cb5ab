// The controller's timing rules on a smoke laid out by hand: the weapon
// hand-off and its replay, Dead Eye, the on-screen message, the mount rule,
// the delayed jobs and the cigar mood.
#include <gtest/gtest.h>

#include <cstdint>

#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "config/settings.h"
#include "controller_fixture.h"
#include "sequences/cigar.h"
#include "sequences/cigarette.h"
#include "smoking/inventory.h"
#include "smoking/smoke_kind.h"

namespace {

using test::ControllerWorld;

class SmokingController : public ControllerWorld {};

constexpr const char* kLongarm = "INPUT_SELECT_QUICKSELECT_PRIMARY_LONGARM";

TEST_F(SmokingController, AWeaponSelectedWithTheCigaretteInHandIsReplayedOnceASecondLater) {
  Begin();
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  Ms(1100);
  sim.ClearCalls();
  const int pressedAt = sim.GameTimerMs();
  PressOnce(kLongarm);
  EXPECT_EQ(pendingQuickSelect, QuickSelectControls[8]);  // the very literal, not a copy
  Ms(1500);
  auto pushes = CallsWithHash("SetControlValueNextFrame", kLongarm);
  ASSERT_FALSE(pushes.empty());
  for (const sim::RecordedCall* push : pushes) {
    EXPECT_GT(push->gameMs - pressedAt, 1020);
    EXPECT_LE(push->gameMs - pressedAt, 1040);
    EXPECT_FLOAT_EQ(push->F(2), 1.0f);
  }
  EXPECT_EQ(quickSelectReplayTime, 0);
}

TEST_F(SmokingController, TheLastHeldSelectionInTheListWins) {
  Begin();
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  Ms(1100);
  Control("INPUT_SELECT_QUICKSELECT_PRIMARY_LONGARM", "press");
  Control("INPUT_TOGGLE_HOLSTER", "press");
  Control("INPUT_SELECT_QUICKSELECT_SIDEARMS_LEFT", "press");
  Frames(1);
  EXPECT_EQ(pendingQuickSelect, QuickSelectControls[8]);
}

TEST_F(SmokingController, ASelectionDuringTheHolsterBlockIsSwallowedThenReplayed) {
  Begin();
  holsterBlockUntil = sim.GameTimerMs() + 900;
  quickSelectReplayDelay = 20;
  sim.ClearCalls();
  Control("INPUT_SELECT_QUICKSELECT_SIDEARMS_LEFT", "press");
  Frames(3);
  Control("INPUT_SELECT_QUICKSELECT_SIDEARMS_LEFT", "release");
  EXPECT_TRUE(quickSelectReplayArmed);
  EXPECT_EQ(pendingQuickSelect, QuickSelectControls[1]);
  EXPECT_EQ(CountCalls("DisableControlAction"), 27u);  // all nine, every frame
  Ms(1200);
  EXPECT_EQ(holsterBlockUntil, 0);
  EXPECT_FALSE(quickSelectReplayArmed);
  auto enables = Calls("EnableControlAction");
  ASSERT_EQ(enables.size(), 9u);
  auto pushes = CallsWithHash("SetControlValueNextFrame", "INPUT_SELECT_QUICKSELECT_SIDEARMS_LEFT");
  ASSERT_EQ(pushes.size(), 1u);
  // 21 to 40 ms after the 20 ms replay delay.
  EXPECT_GT(pushes[0]->gameMs - enables[0]->gameMs, 40);
  EXPECT_LE(pushes[0]->gameMs - enables[0]->gameMs, 60);
}

TEST_F(SmokingController, MovingToTheMouthImmediatelyStopsTasksAndPressesAtOnceAndAgain) {
  Begin("[Smoking]\nMOVE_TO_MOUTH_IMMEDIATELY=true\n");
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  Ms(1100);
  sim.ClearCalls();
  const int pressedAt = sim.GameTimerMs();
  PressOnce(kLongarm);
  ASSERT_EQ(CountCalls("ClearPedTasks"), 1u);
  EXPECT_EQ(Calls("ClearPedTasks")[0]->I(0), sim.world.entities.player);
  Ms(500);
  auto pushes = CallsWithHash("SetControlValueNextFrame", kLongarm);
  ASSERT_GE(pushes.size(), 2u);
  EXPECT_EQ(pushes[0]->gameMs, pressedAt);
  for (size_t i = 1; i < pushes.size(); ++i) {
    EXPECT_GT(pushes[i]->gameMs - pressedAt, 50);
    EXPECT_LE(pushes[i]->gameMs - pressedAt, 70);
  }
}

TEST_F(SmokingController, EveryQuickUseItemPressIsRecordedWhenTheCigarKeyIsI) {
  Begin("[General]\nKEY_SMOKE_CIGAR=I\n");
  const int first = sim.GameTimerMs();
  PressOnce("INPUT_QUICK_USE_ITEM");
  EXPECT_EQ(quickUseItemPressTime, first);
  Ms(5000);
  const int second = sim.GameTimerMs();
  PressOnce("INPUT_QUICK_USE_ITEM");
  EXPECT_EQ(quickUseItemPressTime, second);
}

TEST_F(SmokingController, TheQuickUseItemIsNotWatchedWithAnotherCigarKey) {
  Begin();
  PressOnce("INPUT_QUICK_USE_ITEM");
  Frames(5);
  EXPECT_EQ(CountCalls("IsInputJustPressed"), 0u);
  EXPECT_EQ(quickUseItemPressTime, 0);
}

TEST_F(SmokingController, DeadEyeBurstGivesThreePointsEvery700MsForTheFirst37Seconds) {
  Begin();
  Set("deadeye.core", "10");
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  const int start = smokeStartTime;
  sim.ClearCalls();
  Ms(45000);
  std::vector<const sim::RecordedCall*> sets = Calls("SetAttributeCoreValue");
  ASSERT_FALSE(sets.empty());
  int previousAt = start;
  int burstSteps = 0;
  int constantSteps = 0;
  for (const sim::RecordedCall* set : sets) {
    const int64_t sinceStart = set->gameMs - start;
    const int64_t gap = set->gameMs - previousAt;
    previousAt = static_cast<int>(set->gameMs);
    if (sinceStart < 37000) {
      ++burstSteps;
      EXPECT_GT(gap, 700);
      EXPECT_LT(gap, 720);
    } else {
      ++constantSteps;
      EXPECT_GT(gap, 7500);
    }
  }
  EXPECT_GT(burstSteps, 20);  // from 10 to full, then the bar is restored instead
  EXPECT_GE(constantSteps, 1);
  EXPECT_EQ(sim.world.player.deadEyeCore, 100);
  EXPECT_TRUE(sim.timeline.Contains("deadeye", "Dead Eye restored by 1.5"));
  for (const sim::RecordedCall* restore : Calls("SpecialAbilityRestoreByAmount")) {
    EXPECT_LT(restore->gameMs - start, 37000);
    EXPECT_FLOAT_EQ(restore->F(1), 1.5f);
    ASSERT_EQ(restore->words.size(), 5u);
    EXPECT_EQ(restore->I(2), 0);
    EXPECT_EQ(restore->I(3), 0);
    EXPECT_EQ(restore->I(4), 0);
  }
}

TEST_F(SmokingController, AFullCoreRestoresTheBarEvery1800Ms) {
  Begin();
  Set("deadeye.core", "100");
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  sim.ClearCalls();
  Ms(10000);
  auto restores = Calls("SpecialAbilityRestoreByAmount");
  ASSERT_EQ(restores.size(), 5u);  // 1.8 s apart, from 1.8 s on
  for (size_t i = 1; i < restores.size(); ++i) {
    EXPECT_GT(restores[i]->gameMs - restores[i - 1]->gameMs, 1800);
    EXPECT_LT(restores[i]->gameMs - restores[i - 1]->gameMs, 1820);
  }
  EXPECT_EQ(CountCalls("SetAttributeCoreValue"), 0u);
}

TEST_F(SmokingController, TheConstantRateGivesSixInTheMouthAndSevenInTheHand) {
  Begin("[Smoking]\nREGEN_DEAD_EYE_BURST_SECONDS=0\n");
  Set("deadeye.core", "0");
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  Ms(8000);
  EXPECT_EQ(sim.world.player.deadEyeCore, 7);
  propInMouth = true;
  Ms(7600);
  EXPECT_EQ(sim.world.player.deadEyeCore, 13);
}

TEST_F(SmokingController, NothingIsGivenWhileDeadEyeIsInUse) {
  Begin();
  Set("deadeye.active", "true");
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  sim.ClearCalls();
  Ms(5000);
  EXPECT_EQ(CountCalls("SetAttributeCoreValue") + CountCalls("SpecialAbilityRestoreByAmount"), 0u);
}

// Frames on which the message was drawn, as game ms since `since`.
std::vector<int64_t> MessageDrawnAt(const sim::Simulator& sim, int64_t since) {
  std::vector<int64_t> at;
  for (const sim::RecordedCall* call : sim.CallsNamed("DisplayText")) at.push_back(call->gameMs - since);
  return at;
}

class MissingDictionaryMessage : public SmokingController, public ::testing::WithParamInterface<uint64_t> {};

TEST_P(MissingDictionaryMessage, IsDrawnFrom16MsTo6400MsAfterTheFailure) {
  sim.SetTickBaseMs(GetParam());
  Begin();
  sim.ClearCalls();
  const int64_t failedAt = sim.GameTimerMs();
  animDictMissingTime = static_cast<int>(static_cast<uint32_t>(sim.TickCount64()));
  Ms(8000);
  std::vector<int64_t> drawn = MessageDrawnAt(sim, failedAt);
  ASSERT_GT(drawn.size(), 350u);
  EXPECT_GE(drawn.front(), 16);
  EXPECT_LT(drawn.front(), 40);
  EXPECT_LT(drawn.back(), 6400);
  EXPECT_GT(drawn.back(), 6350);
  EXPECT_EQ(animDictMissingTime, 0);
  ASSERT_FALSE(Calls("DisplayText").empty());
  EXPECT_FLOAT_EQ(Calls("DisplayText")[0]->F(1), 0.07f);
  EXPECT_TRUE(sim.timeline.Contains(
      "screen", "Animation dictionary missing. Online Content Unlocker or version.dll not working."));
}

// A fresh boot, 25 days (the stored tick turns negative as a signed value),
// across the 32-bit wrap at 49.7 days, and 55 days (the 64-bit count is ahead
// of the stored 32 bits by a whole turn).
INSTANTIATE_TEST_SUITE_P(Uptimes, MissingDictionaryMessage,
                         ::testing::Values(uint64_t{5'000'000}, uint64_t{2'160'000'000},
                                           uint64_t{4'294'967'296} - 3000, uint64_t{4'752'000'000}));

class MountRule : public SmokingController, public ::testing::WithParamInterface<uint64_t> {};

TEST_P(MountRule, AWeaponDrawnInTheSaddleSettlesTheCigaretteOncePerRide) {
  sim.SetTickBaseMs(GetParam());
  Begin();
  FakeSmoke(kCigarette, "p_cigarette01x", handBoneIndex);
  Set("player.weapon", "WEAPON_REPEATER_CARBINE");
  sim.ClearCalls();
  Set("player.mounted", "true");
  Ms(9000);
  EXPECT_NE(mountedSince, 0u);
  EXPECT_EQ(CountCalls("AttachEntityToEntity"), 0u);
  Ms(1000);
  EXPECT_EQ(mountedSince, 0u);
  // Settled in the fingers, a moment of the hold clip, then a 6 s pause.
  auto attaches = Calls("AttachEntityToEntity");
  ASSERT_EQ(attaches.size(), 1u);
  EXPECT_EQ(attaches[0]->I(2), fingerBoneIndex);
  ASSERT_EQ(CountCalls("TaskPlayAnim"), 1u);
  EXPECT_EQ(Calls("TaskPlayAnim")[0]->S(2), "base");
  EXPECT_EQ(test::CurrentTaskName(), "TaskDelay_6000");
  const size_t settles = CountCalls("AttachEntityToEntity");
  Ms(20000);
  EXPECT_EQ(CountCalls("AttachEntityToEntity"), settles);  // once per ride
  Set("player.mounted", "false");
  Frames(2);
  EXPECT_FALSE(mountLatched);
  Set("player.mounted", "true");
  Ms(10000);
  EXPECT_GT(CountCalls("AttachEntityToEntity"), settles);
}

INSTANTIATE_TEST_SUITE_P(Uptimes, MountRule,
                         ::testing::Values(uint64_t{5'000'000}, uint64_t{2'160'000'000}, uint64_t{4'752'000'000}));

TEST_F(SmokingController, TheTemporaryPedIsDeletedAfter2100MsAndForgotten) {
  Begin();
  sim::SimEntity& ped =
      sim.world.entities.Create(sim::SimEntity::Type::Ped, sim.Hash("A_C_Rabbit_01"), "A_C_Rabbit_01", {});
  dummyPed = ped.handle;
  const int handle = ped.handle;
  dummyPedTime = sim.GameTimerMs();
  Ms(2000);
  EXPECT_TRUE(sim.world.entities.Exists(handle));
  Ms(200);
  EXPECT_FALSE(sim.world.entities.Exists(handle));
  EXPECT_EQ(dummyPed, 0);
  EXPECT_EQ(dummyPedTime, 0);
}

TEST_F(SmokingController, AVanishedTemporaryPedIsForgottenOnceNoSmokeCanSpawnIt) {
  Begin();
  dummyPed = 4242;  // a handle the game has already taken back
  dummyPedTime = sim.GameTimerMs();
  Ms(2200);
  EXPECT_EQ(dummyPed, 0);
  EXPECT_EQ(dummyPedTime, 0);
  sim.ClearCalls();
  Ms(1000);
  EXPECT_EQ(CountCalls("DoesEntityExist"), 0u);
}

TEST_F(SmokingController, TheCheapBoxesAreGivenBackOnceAfter650MsEvenAfterTheSmokeEnded) {
  Begin();
  hiddenCheaperItem = sim.Hash("consumable_cigarette_box_cheap");
  removedCheapBoxCount = 3;
  cheapBoxRemovalTime = sim.GameTimerMs();
  Ms(600);
  EXPECT_NE(cheapBoxRemovalTime, 0);
  EXPECT_EQ(sim.world.inventory.counts[sim.Hash("consumable_cigarette_box_cheap")], 0);
  Ms(100);
  EXPECT_EQ(cheapBoxRemovalTime, 0);
  EXPECT_EQ(sim.world.inventory.counts[sim.Hash("consumable_cigarette_box_cheap")], 3);
  Ms(2000);
  EXPECT_EQ(sim.world.inventory.counts[sim.Hash("consumable_cigarette_box_cheap")], 3);
}

TEST_F(SmokingController, ATemporaryPedSpawnedLateByARunningSmokeIsStillDeleted) {
  Begin();
  FakeSmoke(kCigarette);
  activeSequence.quickEmote = true;
  dummyPedTime = sim.GameTimerMs();
  Ms(3000);
  EXPECT_NE(dummyPedTime, 0);  // still waited for while the smoke plays
  sim::SimEntity& ped =
      sim.world.entities.Create(sim::SimEntity::Type::Ped, sim.Hash("A_C_Rabbit_01"), "A_C_Rabbit_01", {});
  const int handle = ped.handle;
  dummyPed = handle;
  Frames(1);
  EXPECT_FALSE(sim.world.entities.Exists(handle));
  EXPECT_EQ(dummyPedTime, 0);
}

TEST_F(SmokingController, WithoutAPropTheFirstPersonRestoreLeavesTheSequenceAlone) {
  Begin("[Advanced]\nHIDE_PROP_IN_FIRST_PERSON=true\n");
  FakeSmoke(kCigarette, nullptr);
  smokeProp = 0;
  propInMouth = true;  // the fallback lighting, before its prop spawns
  Append(activeSequence, std::make_unique<Animations::SpawnPropTask>(&smokeProp, "p_cigarette01x", 0, 255));
  const int64_t startedAt = activeSequence.sequenceStartTicks;
  sim.ClearCalls();
  Frames(30);
  EXPECT_EQ(CountCalls("SetEntityAlpha"), 0u);
  EXPECT_EQ(activeSequence.sequenceStartTicks, startedAt);
  EXPECT_EQ(test::CurrentTaskName(), "TaskDelay_600000");
}

TEST_F(SmokingController, FirstPersonParksTheInvisiblePropFiftyMetresOffTheMouth) {
  Begin("[Advanced]\nHIDE_PROP_IN_FIRST_PERSON=true\n");
  FakeSmoke(kCigarette, "p_cigarette01x", mouthBoneIndex);
  propInMouth = true;
  Set("camera.first_person", "true");
  sim.ClearCalls();
  Frames(1);
  auto attaches = Calls("AttachEntityToEntity");
  ASSERT_EQ(attaches.size(), 1u);
  const sim::RecordedCall& park = *attaches[0];
  ASSERT_EQ(park.words.size(), 17u);
  EXPECT_EQ(park.I(0), smokeProp);
  EXPECT_EQ(park.I(1), sim.world.entities.player);
  EXPECT_EQ(park.I(2), mouthBoneIndex);
  for (size_t i = 3; i < 6; ++i) EXPECT_FLOAT_EQ(park.F(i), -50.0f);
  for (size_t i = 6; i < 9; ++i) EXPECT_FLOAT_EQ(park.F(i), 0.0f);
  const int tail[] = {0, 0, 0, 0, 2, 1, 0, 0};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(park.I(9 + i), tail[i]) << "word " << 9 + i;
  ASSERT_EQ(CountCalls("SetEntityAlpha"), 1u);
  EXPECT_EQ(Calls("SetEntityAlpha")[0]->I(1), 0);
}

TEST_F(SmokingController, TheCigarIsNotSwappedWhileAnOutroPlays) {
  Begin("[Advanced]\nSWAP_TO_SHORT_CIGAR_AFTER_PERIOD=true\n");
  kCigar.fit.model = kCigar.standardModel;
  HoldProp("p_cigar02x");
  ClearPending(activeSequence);
  activeSequence.smoke = &kCigar;
  Append(activeSequence, std::make_unique<Animations::AnimationTask>(&playerPed, kCigar.dictionary, "outro", 2000, 25,
                                                                     0x10000, 1.0f, -1.0f, 1.2f, ""));
  Append(activeSequence, std::make_unique<Animations::TaskDelay>(60000));
  ::Start(activeSequence);
  cigarLitTime = sim.GameTimerMs() - 80000;
  Ms(1500);
  EXPECT_EQ(kCigar.fit.model, kCigar.standardModel);
  Ms(1000);
  EXPECT_EQ(kCigar.fit.model, kCigar.alternativeModel);
}

struct MoodCase {
  int draw;
  bool shortCigar;
  const char* mood;
};

void PrintTo(const MoodCase& mood, std::ostream* out) {
  *out << mood.draw << (mood.shortCigar ? " short " : " long ") << mood.mood;
}

class CigarMood : public SmokingController, public ::testing::WithParamInterface<MoodCase> {};

TEST_P(CigarMood, FollowsTheDrawAndTheModelAndHoldsFor8500Ms) {
  Begin();
  const MoodCase mood = GetParam();
  sim.Handle("GetRandomIntInRange", [mood](const sim::Call&, sim::Result& r) { r.Int(mood.draw); });
  kCigar.fit.model = mood.shortCigar ? kCigar.alternativeModel : kCigar.standardModel;
  FakeSmoke(kCigar, ModelOf(kCigar).name, mouthBoneIndex);
  propInMouth = true;
  sim.ClearCalls();
  Ms(8000);
  auto moods = Calls("RequestPedFacialMoodThisFrame");
  ASSERT_GT(moods.size(), 400u);  // every frame
  for (const sim::RecordedCall* call : moods) {
    EXPECT_EQ(call->U(1), sim.Hash(mood.mood));
    EXPECT_EQ(call->I(2), 6);
  }
  auto draws = [this] {
    size_t count = 0;
    for (const sim::RecordedCall* call : Calls("GetRandomIntInRange")) count += call->I(0) == 0 && call->I(1) == 12;
    return count;
  };
  EXPECT_EQ(draws(), 1u);
  Ms(1000);
  EXPECT_EQ(draws(), 2u);
}

std::string MoodName(const ::testing::TestParamInfo<MoodCase>& info) {
  return std::string(info.param.shortCigar ? "Short" : "Long") + "Draw" + std::to_string(info.param.draw);
}

INSTANTIATE_TEST_SUITE_P(Table, CigarMood,
                         ::testing::Values(MoodCase{0, false, "MoodExhausted"}, MoodCase{1, false, "MoodAngryInjured"},
                                           MoodCase{3, false, "MoodUnderfireMild"}, MoodCase{4, false, "MoodSlide"},
                                           MoodCase{6, false, "MoodCharging"}, MoodCase{11, false, "MoodExhausted"},
                                           MoodCase{4, true, "MoodExhausted"}, MoodCase{5, true, "MoodAngryInjured"},
                                           MoodCase{9, true, "MoodUnderfireMild"}),
                         MoodName);

}  // namespace
