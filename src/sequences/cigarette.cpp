// The cigarette's description.
#include "sequences/cigarette.h"

#include "config/settings.h"
#include "sequences/sequence_building.h"
#include "smoking/mouth_easing.h"

namespace {

using namespace steps;

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

// Lighting.
constexpr const char* kLightingDictionary = "mech_inventory@smoking@cigarette";
constexpr const char* kLightingFilter = "upperbodyfeathered_nolefttarm_filter";
constexpr const char* kMatch = "p_matchstick01x";
// The cigarette the game's emote brings along, swapped for ours.
constexpr const char* kEmoteCigarette = "p_cigarette01x";
constexpr PropSeat kMatchInFingers{0.0f, 0.0f, 0.01f, 55.0f, 65.0f, 65.0f};
constexpr PropSeat kDummyPedSeat{0.1f, 0.0f, 0.0f, 0.0f, 0.0f, 90.0f};
constexpr TipEffect kEmber{&emberFx, "ent_anim_cig_smoke_cigar_ember", 0.85f, 0.22f, 10};
constexpr TipEffect kTrail{&trailSmokeFx, "ent_anim_cig_smoke", 0.55f, 0.45f, 10};

constexpr Step kStandardLighting[] = {
    RaiseSmokingAttribute(),
    TakeItem(),
    LightingClip(kLightingDictionary, "quick_right", 3200, 25, 1.6f, 0.8f, 1.8f, kLightingFilter),
    At(550, Destroy(StepProp::smoke, nullptr, true, true)),
    At(600, Spawn(StepProp::smoke, nullptr, StepBone::hand)),
    At(951, Spawn(StepProp::match, kMatch, StepBone::match)),
    At(952, Move(StepProp::match, StepBone::match, kMatchInFingers)),
    At(1989, Release(StepProp::match)),
    At(1990, Push(StepProp::match, -2.1f, -3.6f, -2.8f)),
    PostureClip(nullptr, "loop", 300, 2.0f, 1.4f, 1.2f),
    At(103, Tip(StepTip::modelSmoke)),
    At(104, Tip(kTrail)),
    At(105, Tip(kEmber)),
};

// While the emote's hand moves, the cigarette slides deeper between the
// fingers, less far for the slimmer fingers of the later story characters.
constexpr auto kIntoTheFingers = std::to_array<Step>({
    Slide(610, -0.001f),
    Slide(620, -0.002f),
    Slide(630, -0.003f),
    Slide(640, -0.004f),
    If(StepIf::fingersNotSlim, Slide(650, -0.005f)),
    If(StepIf::fingersNotSlim, Slide(660, -0.006f)),
    If(StepIf::fingersNotSlim, Slide(670, -0.007f)),
});

// The game's own cigarette emote carries the body; an invisible dummy ped
// plays the lighting clip the match follows.
constexpr auto kQuickLighting = Join(
    std::to_array<Step>({
        HideCheaperItems(),
        Emote(0x8B7F8EEB, 1, 3230),
        At(499, Destroy(StepProp::smoke, kEmoteCigarette, true, true)),
        At(500, Spawn(StepProp::smoke, nullptr, StepBone::hand)),
    }),
    kIntoTheFingers,
    std::to_array<Step>({
        DummyPed(750, 759, 760, kDummyPedSeat, StepFlags::upperBody),
        At(1480, MatchSound()),
        At(2070, Destroy(StepProp::match, kMatch, false, true)),
        At(2071, Spawn(StepProp::match, kMatch, StepBone::match)),
        At(2200, StopMatchSound()),
        At(2220, Release(StepProp::match)),
        At(2221, Push(StepProp::match, -2.1f, -3.6f, -2.8f)),
        At(2225, Tip(kEmber)),
        At(2226, Tip(StepTip::modelSmoke)),
        At(2227, Tip(kTrail)),
        At(2350, LightingExhale()),
        Slide(3200, -0.006f),
        Slide(3210, -0.005f),
        Slide(3220, -0.004f),
        Slide(3225, -0.003f),
    }));

// The game's quick-smoke interaction; our cigarette goes straight to the
// mouth and the interaction's own cigarette is hidden.
constexpr Step kFallbackLighting[] = {
    ItemInteraction(),
    At(600, HideInteractionProp()),
    At(600, Destroy(StepProp::smoke, nullptr, false, true)),
    At(600, Spawn(StepProp::smoke, nullptr, StepBone::hand)),
    At(600, SeatInMouth()),
    At(1600, Tip(StepTip::drawGlow)),
    At(1600, Tip(StepTip::modelSmoke)),
    At(1600, Tip(kTrail)),
    At(1600, Tip(kEmber)),
    PostureClip(building::kWanderBaseDictionary, "base", 1, 0.0001f, -1.0f, 1.2f, "facialonly_brows"),
    Delay(5),
    StartPuffCycle(1000, 2000),
    TakeItem(),
};

// The quick emote smoke: the emote's own cigarette swapped for ours.
constexpr auto kQuickSmoke = Join(
    std::to_array<Step>({
        At(499, Destroy(StepProp::smoke, kEmoteCigarette, true, true)),
        At(500, Spawn(StepProp::smoke, nullptr, StepBone::hand)),
    }),
    kIntoTheFingers,
    std::to_array<Step>({
        DummyPed(750, 759, 760, kDummyPedSeat, StepFlags::fixed, 25),
        Slide(3250, -0.006f),
        Slide(3260, -0.005f),
        Slide(3270, -0.004f),
        Slide(3280, -0.003f),
        At(12799, Release(StepProp::smoke)),
        At(12800, Destroy(StepProp::smoke, kEmoteCigarette, true, true)),
    }));

// The puff cycle's draw lights the tip, whose glow swells and dies away.
constexpr NoseChance kNoseChance{4, 8, 2300, 0.15f};
constexpr TipEffect kPuffGlow{&cigarSmokeFx, "ent_anim_cig_smoke_cigar", 0.001f, 0.37f, 3000};
constexpr AlphaStep kGlow[] = {
    {550, 0.003f}, {600, 0.02f},  {650, 0.04f},  {750, 0.06f},  {800, 0.08f},   {850, 0.1f},   {950, 0.12f},
    {1000, 0.14f}, {1100, 0.16f}, {1200, 0.18f}, {1250, 0.2f},  {2000, 0.18f},  {2050, 0.16f}, {2100, 0.14f},
    {2200, 0.12f}, {2300, 0.1f},  {2350, 0.08f}, {2450, 0.07f}, {2500, 0.06f},  {2550, 0.05f}, {2600, 0.03f},
    {2650, 0.02f}, {2700, 0.01f}, {2750, 0.005f}, {2790, 0.001f},
};
constexpr auto kDraw = Join(std::to_array<Step>({Delay(300), Tip(kPuffGlow), At(2, SeatInMouth())}),
                            Alphas(&cigarSmokeFx, kGlow), std::to_array<Step>({At(2820, RemoveEffect(&cigarSmokeFx))}));

// To the mouth. The hand comes up with a clip while the cigarette rolls
// between the fingers (its tip glowing halfway), and a marker at the lips
// gives the easing its target frame.
constexpr Step Roll(int ms, float ry) {
  return At(ms, Move(StepProp::smoke, StepBone::hand, {0.005f, 0.0f, 0.005f, 50.0f, ry, 0.0f}));
}
constexpr auto kRoll = std::to_array<Step>({
    Roll(375, 0),   Roll(400, -5),  Roll(420, -6),  Roll(440, -7),  Roll(460, -8),
    Roll(480, -9),  At(500, Tip(StepTip::drawGlow)), Roll(501, -10), Roll(520, -11), Roll(540, -12),
    Roll(560, -13), Roll(580, -14), Roll(600, -15), Roll(620, -16), Roll(640, -17),
    Roll(660, -18), Roll(680, -19),
});
constexpr auto Raise(Step clip, int markerAtMs) {
  return Join(std::to_array<Step>({PostureClip(building::kWanderBaseDictionary, "base", 10, 1.3f, 0.8f, 1.2f), clip}),
              kRoll,
              std::to_array<Step>({
                  At(markerAtMs, Destroy(StepProp::mouthMarker, kMouthMarkerModel, true, true)),
                  At(markerAtMs, Spawn(StepProp::mouthMarker, kMouthMarkerModel, StepBone::mouth, 0)),
              }));
}
constexpr auto kRaise = Raise(PostureClip(nullptr, "outro", 1100, 1.4f, -1.4f, 1.2f), 880);
// Put away for a weapon, the hand comes up quicker.
constexpr auto kQuickRaise = Raise(PostureClip(nullptr, "action_alt1", 790, 1.9f, -1.8f, 1.3f), 750);
constexpr Step kDirectlyToTheMouth[] = {At(750, Tip(StepTip::drawGlow)), At(750, SeatInMouth())};
// The smoke of the draw fades while the cigarette settles between the lips.
constexpr AlphaStep kSmokeFade[] = {{300, 0.5f},  {350, 0.45f}, {400, 0.4f},  {500, 0.35f},  {550, 0.3f},
                                    {600, 0.25f}, {650, 0.18f}, {700, 0.12f}, {750, 0.08f},  {800, 0.04f},
                                    {850, 0.02f}, {920, 0.003f}, {990, 0.001f}};
constexpr auto kSettled = Alphas(&cigarSmokeFx, kSmokeFade);

}  // namespace

constinit const SmokeKind kCigarette{
    .name = "cigarette",
    .order = 1,
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
    .lighting = {{}, {kStandardLighting, false}, {kQuickLighting, false}, {kFallbackLighting, true}, true, 6, 12, 3500},
    .quick = {0x8B7F8EEB, 13000, kQuickSmoke, true, true},
    .puffCycle = {{{0.5f, 0.95f}, {5500, 5580}, 0.0013f, &kNoseChance}, kDraw, false, {700, 1080}, {0.6f, 0.8f},
                  {0.54f, 0.7f}},
    .toMouth = {kDirectlyToTheMouth, {kRaise, 1400}, {kQuickRaise, 900}, 20, kSettled, false, true},
};

namespace {
const ListedSmokeKind listed{kCigarette};
}  // namespace
