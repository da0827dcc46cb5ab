// The cigarette: its description, its in-mouth puff cycle and its move to the
// mouth. Its lighting and quick emote smoke are in cigarette_lighting.cpp.
#include "animations/task_queries.h"
#include "config/settings.h"
#include "sequences/cigarette_lighting.h"
#include "sequences/mouth_transition.h"
#include "sequences/puff_cycle.h"
#include "sequences/sequence_building.h"
#include "smoking/inventory.h"
#include "smoking/mouth_easing.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

// The same on every model: the later story characters hold both a little
// higher, and on the head bone of any other character the seat is turned.
constexpr PropSeat kLaterStoryMouth{0.019f, 0.0006f, 0.0117f, 1.4f, 99.89f, 0.0f};
constexpr PropSeat kHeadMouth{-0.0195f, 0.087f, -0.014f, -17.0f, -27.0f, -100.0f};
constexpr TipEffect kTipSmoke{&tipSmokeFx, "cs_cig_smoke", 0.95f, 0.45f, 10};
constexpr PropPush kThrown{-2.1f, 0.6f, 5.8f};

constexpr SmokeModel kStandardCigarette{
    "p_cigarette01x",
    {0.019f, 0.0019f, 0.00539f, 1.4f, 98.5f, 0.0f},
    kLaterStoryMouth,
    kHeadMouth,
    {},
    {-0.05f, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f},
    kTipSmoke,
    kThrown,
    nullptr,
};
constexpr SmokeModel kAlternativeCigarette{
    "p_cigarette_cs02x",
    {0.019f, 0.002f, 0.0117f, 1.4f, 97.89f, 0.0f},
    kLaterStoryMouth,
    kHeadMouth,
    {},
    {-0.042f, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f},
    kTipSmoke,
    kThrown,
    nullptr,
};
constexpr const float* kUserOffsets[] = {&CIGARETTE_X_OFFSET,    &CIGARETTE_Y_OFFSET,    &CIGARETTE_Z_OFFSET,
                                         &CIGARETTE_ROTX_OFFSET, &CIGARETTE_ROTY_OFFSET, &CIGARETTE_ROTZ_OFFSET};

constexpr const char* kDictionary = "script_mp@emotes@smoke_cigarette@male@unarmed@upper";

constexpr PuffVariant kPuffVariants[] = {
    {3600, {{"action", 3000, 1.2f, 1.2f, 1.2f}}, 1, 0},
    {7000, {{"action_alt2", 4740, 1.0f, -1.0f, 1.2f}}, 1, 0},
    {9000,
     {{"action", 4000, 1.0f, -0.5f, 1.2f}, {"loop", 300, 2.0f, -0.3f, 1.2f}, {"action_alt2", 4740, 1.0f, -1.0f, 1.2f}},
     3,
     0},
    {9700, {{"action", 3000, 1.0f, -1.0f, 1.2f}}, 1, 0},
    {6700, {{"action_alt1", 3920, 1.0f, -1.0f, 1.2f}, {"action_alt2", 4740, 1.0f, -1.0f, 1.2f}}, 2, 0},
    {7300, {{"action_alt2", 1750, 1.0f, -1.0f, 1.2f}}, 1, 950},
    {7300, {{"action_alt2", 1750, 1.0f, -1.0f, 1.2f}}, 1, 950},
    {8500, {{"action_alt2", 1700, 1.0f, -1.0f, 1.2f}}, 1, 950},
    {7000, {{"action_alt2", 1850, 1.0f, -1.0f, 1.2f}}, 1, 950},
    {8000, {{"action_alt2", 1750, 1.0f, -1.0f, 1.2f}}, 1, 950},
};

constexpr FinishStep kFinish[] = {
    {12000, "action_alt1", 4000, -1.0f, true},
    {0, "action", 3000, -1.0f, false},
    {5600, "action_alt2", 4540, -1.0f, true},
    {0, "outro", 2800, -1.0f, false},
};

constexpr Flick kFlick{{1200, 50, 900, 1.27f, -1.7f, 0.39f, 500, 500, 853}, {-2.7f, 0.49f, 8.7f}};

// The puff cycle's draw lights the tip, whose glow swells and dies away.
constexpr TipEffect kPuffGlow{&cigarSmokeFx, "ent_anim_cig_smoke_cigar", 0.001f, 0.37f, 3000};
struct AlphaStep {
  int offsetMs;
  float alpha;
};
constexpr AlphaStep kGlow[] = {
    {550, 0.003f}, {600, 0.02f},  {650, 0.04f},  {750, 0.06f},  {800, 0.08f},   {850, 0.1f},   {950, 0.12f},
    {1000, 0.14f}, {1100, 0.16f}, {1200, 0.18f}, {1250, 0.2f},  {2000, 0.18f},  {2050, 0.16f}, {2100, 0.14f},
    {2200, 0.12f}, {2300, 0.1f},  {2350, 0.08f}, {2450, 0.07f}, {2500, 0.06f},  {2550, 0.05f}, {2600, 0.03f},
    {2650, 0.02f}, {2700, 0.01f}, {2750, 0.005f}, {2790, 0.001f},
};

void QueuePuffCycle(int durationMs) {
  SequenceRunner& s = activeSequence;
  Next<TaskDelay>(s, durationMs);

  if (durationMs > 3500) {
    const float alpha = native::RandomFloatInRange(0.5f, 0.95f);
    const int roll = native::RandomIntInRange(0, 10);
    const int offset = native::RandomIntInRange(5500, 5580);
    if (roll >= 4) {
      const bool early = roll >= 8;
      AppendWithOffset(s, building::NoseExhale(early ? alpha - 0.15f : alpha, 0.0013f), early ? 2300 : offset);
    }
  }

  Next<TaskDelay>(s, 300);
  Append(s, building::OnTip(kCigarette, kPuffGlow));
  AppendWithOffset(s, building::ToMouth(kCigarette), 2);
  for (const AlphaStep& step : kGlow) At<SetFxAlphaOnPropTask>(s, step.offsetMs, &cigarSmokeFx, step.alpha);
  At<RemoveParticleFxTask>(s, 2820, &cigarSmokeFx);

  Next<TaskDelay>(s, native::RandomIntInRange(700, 1080));
  const float shortAlpha = native::RandomFloatInRange(0.6f, 0.8f);
  Append(s, building::MouthExhale(&exhaleFx, building::kShortMouthExhale, shortAlpha, 1.27f));
  const float longAlpha = native::RandomFloatInRange(0.54f, 0.7f);
  Append(s, building::MouthExhale(&longExhaleFx, building::kLongMouthExhale, longAlpha, 0.9f));
}

// The cigarette rolls between the fingers on its way up.
struct FlourishStep {
  int offsetMs;
  float rotY;
};
constexpr FlourishStep kFlourish[] = {{375, 0},    {400, -5},   {420, -6},   {440, -7},   {460, -8},   {480, -9},
                                      {501, -10},  {520, -11},  {540, -12},  {560, -13},  {580, -14},  {600, -15},
                                      {620, -16},  {640, -17},  {660, -18},  {680, -19}};

// The smoke of the draw fades while the cigarette settles between the lips.
constexpr AlphaStep kSmokeFade[] = {{300, 0.5f},  {350, 0.45f}, {400, 0.4f},  {500, 0.35f},  {550, 0.3f},
                                    {600, 0.25f}, {650, 0.18f}, {700, 0.12f}, {750, 0.08f},  {800, 0.04f},
                                    {850, 0.02f}, {920, 0.003f}, {990, 0.001f}};

void MoveToMouth(bool direct, bool cutCurrent, bool quick) {
  if (building::MouthMoveRefusedForControlLoss() || !activeSequence.running || CurrentTaskPlays("outro") ||
      CurrentTaskPlays("intro") || (!direct && CurrentTaskPlaysEmote())) {
    return;
  }
  // Nothing in the hand yet: the lighting goes on and brings it.
  if (!SmokePropHeld()) return;
  if (!direct && building::HolsterInputActive()) building::BlockHolster(quick ? 900 : 1400, 20);

  building::BeginMouthMove();
  SequenceRunner& s = activeSequence;

  if (cutCurrent) {
    if (direct) Append(s, building::ToMouth(kCigarette));
    building::QueueCut();
  }

  if (direct) {
    AppendWithOffset(s, building::OnTip(kCigarette, kCigarette.drawGlow), 750);
    AppendWithOffset(s, building::ToMouth(kCigarette), 750);
  } else {
    Append(s, building::WanderBase(10, UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.3f, 0.8f, 1.2f, UpperBodyFilter()));
    if (quick) {
      Next<AnimationTask>(s, &playerPed, kDictionary, "action_alt1", 790, UpperBodyAnimFlags(), UpperBodyIkFlags(),
                          1.9f, -1.8f, 1.3f, UpperBodyFilter());
    } else {
      Next<AnimationTask>(s, &playerPed, kDictionary, "outro", 1100, UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.4f,
                          -1.4f, 1.2f, UpperBodyFilter());
    }
    for (const FlourishStep& step : kFlourish) {
      if (step.offsetMs == 501) AppendWithOffset(s, building::OnTip(kCigarette, kCigarette.drawGlow), 500);
      AppendWithOffset(s, building::MoveProp(&smokeProp, handBoneIndex, 0.005f, 0.0f, 0.005f, 50.0f, step.rotY, 0.0f),
                       step.offsetMs);
    }
    // The marker at the lips gives the easing its target frame.
    int markerAt = quick ? 750 : 880;
    At<DestroyPropTask>(s, markerAt, &mouthMarkerProp, kMouthMarkerModel, true, true);
    At<SpawnPropTask>(s, markerAt, &mouthMarkerProp, kMouthMarkerModel, mouthBoneIndex, 0);
  }

  building::QueueSettle();
  for (const AlphaStep& step : kSmokeFade) At<SetFxAlphaOnPropTask>(s, step.offsetMs, &cigarSmokeFx, step.alpha);
  QueuePuffCycle(native::RandomIntInRange(1000, 2000));
  Start(s);
}

// Only its own sequence tells the emote smoke apart: the quick lighting
// plays the same emote.
bool QuickSmokePlaying() { return QuickSmokeNow() == &kCigarette; }

}  // namespace

constinit const SmokeKind kCigarette{
    .name = "cigarette",
    .standardModel = &kStandardCigarette,
    .alternativeModel = &kAlternativeCigarette,
    .useAlternativeModel = &USE_ALTERNATIVE_CIGARETTE_MODEL,
    .keepsModelOnceLit = false,
    .fit = {&kStandardCigarette, {}},
    .userOffsets = kUserOffsets,
    .dictionary = kDictionary,
    .handClipIkFlags = 0x10000,
    .handClipFilter = "",
    .hold = {building::kWanderBaseDictionary, "base", 0.3f, -0.3f, 1.2f, "", true},
    .puffs = {kPuffVariants, 10, 8},
    .puffOnDemand = {1201, true},
    .puffGap = {4500, 6500, 7000, 9800},
    .toHand = {"outro", 1000, 980, 9},
    .finish = {kFinish, 2725, {-2.1f, 0.6f, 5.8f}},
    .throwAway = {3000, 200, 2800, 1.0f, -1.5f, 1.2f, 1130, 380, 2725},
    .flick = &kFlick,
    .toMouthForWeaponMs = 1000,
    .handHeldClipsHoldTheSelection = true,
    .easing = {{1.4f, 98.0f, 0.0f}, {-17.0f, -27.0f, -100.0f}},
    .burnsDown = nullptr,
    .drawGlow = {&cigarSmokeFx, "ent_anim_cig_smoke_cigar", 0.5f, 0.37f, 10},
    .smokeClearsAtSpeed = true,
    .fallsOutSubmergedAbove = 0.0f,
    .fallsFromHandInMelee = false,
    .item = {Hashed("consumable_cigarette_box"), Hashed("consumable_cigarette_box_cheap"), false},
    .key = KeySetting("KEY_SMOKE"),
    .control = Hashed("INPUT_FRONTEND_RB"),
    .choiceLabel = &CONTROLLER_CIGARETTE_LABEL,
    .choicePrompt = 0,
    .throwMoveLabel = &CONTROLLER_THROW_MOVE_CIGARETTE_LABEL,
    .lightingHolsterBlockMs = 3500,
    .light = &LightCigarette,
    .queuePuffCycle = &QueuePuffCycle,
    .toMouth = &MoveToMouth,
    .quick = {kQuickCigaretteEmote, &StartQuickCigarette, &QuickSmokePlaying, true},
};
