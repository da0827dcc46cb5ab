// The cigar: its description, its in-mouth puff cycle and its move to the
// mouth. Its lighting and quick emote smoke are in cigar_lighting.cpp.
#include "animations/task_queries.h"
#include "config/settings.h"
#include "host/game_names.h"
#include "sequences/cigar_lighting.h"
#include "sequences/mouth_transition.h"
#include "sequences/puff_cycle.h"
#include "sequences/sequence_building.h"
#include "smoking/inventory.h"

using namespace Animations;
using building::At;
using building::Next;

namespace {

// Facial moods while it is in the mouth, one drawn every few seconds.
constexpr Hash kLongCigarMoods[] = {
    GameName("MoodExhausted"),     GameName("MoodAngryInjured"), GameName("MoodUnderfireMild"),
    GameName("MoodUnderfireMild"), GameName("MoodSlide"),        GameName("MoodUnderfireMild"),
    GameName("MoodCharging"),      GameName("MoodCharging"),
};
constexpr Hash kShortCigarMoods[] = {
    GameName("MoodUnderfireMild"), GameName("MoodUnderfireMild"), GameName("MoodUnderfireMild"),
    GameName("MoodUnderfireMild"), GameName("MoodExhausted"),     GameName("MoodAngryInjured"),
    GameName("MoodExhausted"),     GameName("MoodCharging"),
};

constexpr SmokeModel kLongCigar{
    "p_cigar02x",
    {0.0322f, 0.009f, 0.0522f, 85.299f, -0.4f, -60.8f},
    {0.033f, 0.01f, 0.0522f, 85.299f, -0.4f, -60.8f},
    {-0.0097f, 0.146f, -0.032f, -21.0f, -100.0f, 0.0f},
    {},
    {0.0f, 0.09f, 0.01f, 0.0f, 0.0f, -180.0f},
    {&cigarSmokeFx, "ent_anim_cig_smoke_cigar", 0.4f, 1.0f, 10},
    {-9.9f, 0.8f, -4.8f},
    kLongCigarMoods,
};
// What is left of a cigar after a while (SWAP_TO_SHORT_CIGAR_AFTER_PERIOD), or
// smoked from the start (USE_SHORT_CIGAR_MODEL).
constexpr SmokeModel kShortCigar{
    "p_cigarlit01x",
    {0.0202f, 0.002f, 0.0122f, 170.299f, -90.4f, -85.8f},
    {0.02f, -0.001f, 0.0122f, 170.299f, -90.4f, -85.8f},
    {-0.0177f, 0.116f, -0.019f, 69.0f, -93.0f, 0.0f},
    {0.003f, -0.05f, 0.0122f, 250.0f, -3.0f, -85.8f},
    {-0.055f, 0.0f, 0.0f, 0.0f, 0.0f, -90.0f},
    {&cigarSmokeFx, "ent_anim_cig_smoke_cigar", 0.15f, 0.62f, 10},
    {-5.9f, 1.8f, -7.8f},
    kShortCigarMoods,
};
constexpr BurnDown kBurnDown{&SWAP_TO_SHORT_CIGAR_AFTER_PERIOD, 72000};
constexpr const float* kUserOffsets[] = {&CIGAR_X_OFFSET,    &CIGAR_Y_OFFSET,    &CIGAR_Z_OFFSET,
                                         &CIGAR_ROTX_OFFSET, &CIGAR_ROTY_OFFSET, &CIGAR_ROTZ_OFFSET};

constexpr const char* kDictionary = "script_mp@emotes@smoke_cigar@male@unarmed@upper";

constexpr PuffVariant kPuffVariants[] = {
    {5300, {{"action", 3000, 1.7f, 1.0f, 1.0f}}, 1, 0},
    {5500, {{"action_alt1", 3920, 1.0f, -1.0f, 1.2f}}, 1, 0},
    {6200,
     {{"action", 4000, 1.7f, 1.0f, 1.0f}, {"loop", 300, 2.0f, -0.3f, 1.2f}, {"action_alt2", 4740, 1.0f, -1.0f, 1.2f}},
     3,
     0},
    {7000, {{"action", 3000, 1.7f, 1.0f, 1.0f}}, 1, 0},
    {5600, {{"action_alt1", 2700, 1.0f, -0.2f, 1.2f}}, 1, 0},
    {7700, {{"action_alt1", 3950, 1.0f, -0.2f, 1.2f}}, 1, 950},
    {7700, {{"action_alt1", 3950, 1.0f, -0.2f, 1.2f}}, 1, 950},
    {6000, {{"action_alt1", 2450, 1.0f, -0.2f, 1.2f}}, 1, 950},
    {6000, {{"action_alt1", 2350, 1.0f, -0.2f, 1.2f}}, 1, 1500},
};

constexpr FinishStep kFinish[] = {
    {6800, "action_alt1", 3950, -0.2f, true},
    {4900, "action_alt2", 3340, -0.2f, true},
    {0, "outro", 2000, -1.8f, true},
};

// The puff cycle's draw makes the ember glow up and die down again.
constexpr TipEffect kPuffEmber{&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.01f, 1.0f, 3000};

void QueuePuffCycle(int durationMs) {
  SequenceRunner& s = activeSequence;
  Next<TaskDelay>(s, durationMs);
  if (durationMs > 3500) AppendWithOffset(s, building::NoseExhale(0.67f, 0.0011f), 3000);

  const bool hidden = HIDE_PROP_IN_FIRST_PERSON && native::IsFirstPersonView(0, 0, 0);
  if (!hidden) {
    Append(s, building::OnTip(kCigar, kPuffEmber));
    AppendWithOffset(s, building::ToMouth(kCigar), 2);
    // Stepped in single precision: where each ramp stops depends on it.
    int offset = 550;
    for (float alpha = 0.05f; alpha <= 0.3f; alpha += 0.03f, offset += 25) {
      At<SetFxAlphaOnPropTask>(s, offset, &emberFx, alpha);
    }
    offset = 1900;
    for (float alpha = 0.27f; alpha >= 0.05f; alpha -= 0.03f, offset += 25) {
      At<SetFxAlphaOnPropTask>(s, offset, &emberFx, alpha);
    }
  }

  Next<TaskDelay>(s, native::RandomIntInRange(600, 950));
  Append(s, building::MouthExhale(&exhaleFx, building::kShortMouthExhale, 0.77f, 1.27f));
  Append(s, building::MouthExhale(&longExhaleFx, building::kLongMouthExhale, 0.67f, 0.9f));
}

void MoveToMouth(bool direct, bool cutCurrent, bool /*quick*/) {
  if (building::MouthMoveRefusedForControlLoss() || !activeSequence.running || CurrentTaskPlays("outro") ||
      (!direct && (CurrentTaskPlays("intro") || CurrentTaskPlaysEmote()))) {
    return;
  }
  if (!SmokePropHeld()) return;
  building::BeginMouthMove();
  SequenceRunner& s = activeSequence;

  if (cutCurrent) building::QueueCut();

  int smokeAt = 1, moveAt = 2, matchAt = 3;
  if (!direct) {
    Next<AnimationTask>(s, &playerPed, kDictionary, "action", 670, UpperBodyAnimFlags(), UpperBodyIkFlags(), 1.9f,
                        -1.5f, 1.5f, UpperBodyFilter());
    smokeAt = 500;
    moveAt = 650;
    matchAt = 621;
  }
  AppendWithOffset(s, building::OnTip(kCigar, ModelOf(kCigar).smoke), smokeAt);
  AppendWithOffset(s, building::ToMouth(kCigar), moveAt);
  At<DestroyPropTask>(s, matchAt, &matchProp, "p_matchstick01x", true, true);

  // Cut short in the middle of the lighting: the match's sizzle must not go on.
  if (CurrentTaskPlays("intro")) {
    auto stop = std::make_unique<StopSoundTask>();
    stop->soundSet = "Player_Campfire_Sounds";
    stop->sound = "cook_meat_sizzle_loop";
    AppendWithOffset(s, std::move(stop), 660);
  }

  building::QueueSettle();
  QueuePuffCycle(native::RandomIntInRange(1000, 2000));
  Start(s);
}

// The emote brings its own cigar and is the whole of the quick smoke.
bool QuickSmokePlaying() { return CurrentTaskPlaysEmote(kQuickCigarEmote); }

}  // namespace

constinit const SmokeKind kCigar{
    .name = "cigar",
    .standardModel = &kLongCigar,
    .alternativeModel = &kShortCigar,
    .useAlternativeModel = &USE_SHORT_CIGAR_MODEL,
    .keepsModelOnceLit = true,
    .fit = {&kLongCigar, {}},
    .userOffsets = kUserOffsets,
    .dictionary = kDictionary,
    .handClipIkFlags = 0x8000,
    .handClipFilter = "upperbodyfeathered_nolefttarm_filter",
    .hold = {kDictionary, "loop", 1.3f, -0.3f, 0.3f, "rightarmonly_filter", false},
    .puffs = {kPuffVariants, 9, 9},
    .puffOnDemand = {201, false},
    .puffGap = {4500, 6500, 4500, 6500},
    .toHand = {"action", 980, 950, 8},
    .finish = {kFinish, 1685, {-9.9f, 0.8f, -4.8f}},
    .throwAway = {3000, 200, 2800, 1.0f, -0.5f, 1.0f, 1100, 380, 1685},
    .flick = nullptr,
    .toMouthForWeaponMs = 1100,
    .handHeldClipsHoldTheSelection = false,
    .easing = {},
    .burnsDown = &kBurnDown,
    .drawGlow = {nullptr, "", 0.0f, 0.0f, 0},
    .smokeClearsAtSpeed = false,
    .fallsOutSubmergedAbove = 0.61f,
    .fallsFromHandInMelee = true,
    .item = {Hashed("consumable_cigar"), {}, true},
    .key = KeySetting("KEY_SMOKE_CIGAR"),
    .control = Hashed("INPUT_FRONTEND_RT"),
    .choiceLabel = &CONTROLLER_CIGAR_LABEL,
    .choicePrompt = 0,
    .throwMoveLabel = &CONTROLLER_THROW_MOVE_CIGAR_LABEL,
    .lightingHolsterBlockMs = 4500,
    .light = &LightCigar,
    .queuePuffCycle = &QueuePuffCycle,
    .toMouth = &MoveToMouth,
    .quick = {kQuickCigarEmote, &StartQuickCigar, &QuickSmokePlaying, false},
};
