// The cigar's description.
#include "sequences/cigar.h"

#include "config/settings.h"
#include "host/game_names.h"
#include "sequences/sequence_building.h"

namespace {

using namespace steps;

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

// Lighting.
constexpr const char* kLightingDictionary = "mech_inventory@smoking@cigar";
constexpr const char* kMatch = "p_matchstick01x";
constexpr PropSeat kMatchInFingers{0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f};
constexpr PropSeat kQuickLightingDummyPedSeat{0.0f, -0.17f, 0.0f, 0.0f, 0.0f, 0.0f};
constexpr PropSeat kQuickSmokeDummyPedSeat{0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 90.0f};
constexpr TipEffect kEmber{&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.05f, 0.75f, 3000};

// Every lighting begins with the model chosen and a cigar out of the satchel.
constexpr Step kFirst[] = {ChooseModel(), RaiseSmokingAttribute(), TakeItem()};

// The cigar emote's "intro" on the player, the match lit by an invisible dummy ped.
constexpr Step kQuickLighting[] = {
    LightingClip(nullptr, "intro", 3800, 25, 1.6f, 0.8f, 1.8f, ""),
    At(300, Destroy(StepProp::smoke, nullptr, true, true)),
    At(301, Spawn(StepProp::smoke, nullptr, StepBone::hand)),
    At(301, SeatInHand()),
    DummyPed(1350, 1354, 1358, kQuickLightingDummyPedSeat, StepFlags::fixed, 25),
    At(1570, Destroy(StepProp::match, kMatch, false, true)),
    At(1571, Spawn(StepProp::match, kMatch, StepBone::handAux)),
    At(1780, MatchSound()),
    At(2500, StopMatchSound()),
    At(2700, Move(StepProp::match, StepBone::match, kMatchInFingers)),
    At(2820, Release(StepProp::match)),
    // Already due when the release starts: they follow it one per frame.
    At(2221, Push(StepProp::match, -2.1f, -3.6f, -2.8f)),
    At(2221, Tip(StepTip::modelSmoke)),
    At(2221, Tip(kEmber)),
    At(2350, LightingExhale()),
};

constexpr Step kStandardLighting[] = {
    LightingClip(kLightingDictionary, "quick_right", 3200, 25, 1.6f, 0.8f, 1.8f, "upperbodyfeathered_nolefttarm_filter"),
    At(550, Destroy(StepProp::smoke, nullptr, true, true)),
    At(600, Spawn(StepProp::smoke, nullptr, StepBone::hand)),
    At(601, SeatInHand()),
    At(951, Spawn(StepProp::match, kMatch, StepBone::match)),
    At(952, Move(StepProp::match, StepBone::match, kMatchInFingers)),
    At(1989, Release(StepProp::match)),
    At(1990, Push(StepProp::match, -2.1f, -3.6f, -2.8f)),
    At(1990, Tip(StepTip::modelSmoke)),
    PostureClip(nullptr, "loop", 300, 2.0f, 1.4f, 1.2f),
};

// Lit with the left hand, the cigar straight to the mouth.
constexpr Step kFallbackLighting[] = {
    Clip(kLightingDictionary, "quick_left", 3200, 25, 0x8000, 1.6f, 0.8f, 1.8f, "upperbodyfeathered_norightarm_filter"),
    At(600, Destroy(StepProp::smoke, nullptr, true, true)),
    At(600, Spawn(StepProp::smoke, nullptr, StepBone::hand)),
    At(620, SeatInMouth()),
    At(951, Spawn(StepProp::match, kMatch, StepBone::leftHand)),
    At(952, Move(StepProp::match, StepBone::leftHand, kMatchInFingers)),
    At(1989, Release(StepProp::match)),
    At(1990, Push(StepProp::match, -2.1f, -3.6f, -2.8f)),
    PostureClip(building::kWanderBaseDictionary, "base", 1, 0.0001f, -1.0f, 1.2f, "facialonly_brows"),
    StartPuffCycle(1000, 2000),
};

// The emote brings its own cigar and is the whole of the quick smoke:
// nothing to spawn, nothing taken from the satchel.
constexpr Step kQuickSmoke[] = {DummyPed(1200, 1204, 1208, kQuickSmokeDummyPedSeat, StepFlags::fixed, 25)};

// The puff cycle's draw makes the ember glow up and die down again, stepped
// in single precision: where each ramp stops depends on it.
constexpr TipEffect kPuffEmber{&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.01f, 1.0f, 3000};
constexpr int RampLength(float from, float to, float by) {
  int n = 0;
  for (float alpha = from; by > 0.0f ? alpha <= to : alpha >= to; alpha += by) ++n;
  return n;
}
template <int N>
constexpr std::array<Step, N> Ramp(float from, float by, int atMs) {
  std::array<Step, N> ramp{};
  float alpha = from;
  for (int i = 0; i < N; ++i, alpha += by) ramp[i] = At(atMs + 25 * i, EffectAlpha(&emberFx, alpha));
  return ramp;
}
constexpr auto kDraw = Join(std::to_array<Step>({Tip(kPuffEmber), At(2, SeatInMouth())}),
                            Ramp<RampLength(0.05f, 0.3f, 0.03f)>(0.05f, 0.03f, 550),
                            Ramp<RampLength(0.27f, 0.05f, -0.03f)>(0.27f, -0.03f, 1900));

// To the mouth: the smoke restarted at the tip, the match of a lighting cut
// short gone, its sizzle stopped.
constexpr Step kDirectlyToTheMouth[] = {
    At(1, Tip(StepTip::modelSmoke)),
    At(2, SeatInMouth()),
    At(3, Destroy(StepProp::match, kMatch, true, true)),
    If(StepIf::lightingCut, At(660, StopMatchSound())),
};
constexpr Step kRaise[] = {
    PostureClip(nullptr, "action", 670, 1.9f, -1.5f, 1.5f),
    At(500, Tip(StepTip::modelSmoke)),
    At(650, SeatInMouth()),
    At(621, Destroy(StepProp::match, kMatch, true, true)),
    If(StepIf::lightingCut, At(660, StopMatchSound())),
};

}  // namespace

constinit const SmokeKind kCigar{
    .name = "cigar",
    .order = 2,
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
    .lighting = {kFirst, {kStandardLighting, false}, {kQuickLighting, false}, {kFallbackLighting, true}, false, 7, 13,
                 4500},
    .quick = {0x81615BA3, 11000, kQuickSmoke, false, false},
    .puffCycle = {{{0.67f, 0.67f}, {3000, 3000}, 0.0011f, nullptr}, kDraw, true, {600, 950}, {0.77f, 0.77f},
                  {0.67f, 0.67f}},
    .toMouth = {kDirectlyToTheMouth, {kRaise, 0}, {{}, 0}, 0, {}, true, false},
};

namespace {
const ListedSmokeKind listed{kCigar};
}  // namespace
