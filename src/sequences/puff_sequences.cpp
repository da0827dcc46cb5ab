#include "sequences/puff_sequences.h"

#include <iterator>
#include <map>
#include <memory>
#include <string_view>

#include "animations/animation_tasks.h"
#include "animations/prop_tasks.h"
#include "animations/sequence_runner.h"
#include "host/main_loop.h"
#include "host/natives.h"
#include "input/hold_loops.h"
#include "smoking/prop_attachment.h"
#include "smoking/smoking_state.h"

namespace {

// Redraws that keep failing are given up after this many; with real random
// numbers and at least one acceptable value in seven, the chance of getting
// here is below 1e-60, so it only ever stops a scripted source that never
// offers an acceptable value.
constexpr int kMaxRedraws = 1000;

class VariantDraw {
 public:
  VariantDraw(int count, int firstMax, int redrawMax) : count_(count), firstMax_(firstMax), redrawMax_(redrawMax) {}

  std::vector<int> Run() {
    std::vector<int> variants;
    for (int i = 0; i < count_; ++i) {
      int v = native::RandomIntInRange(1, firstMax_);
      if (!Admissible(v, i, kTimesPerCall)) v = Redraw(i);
      ++chosen_[v];
      previous_ = v;
      variants.push_back(v);
    }
    return variants;
  }

 private:
  static constexpr int kTimesPerCall = 2;

  bool Admissible(int v, int i, int timesPerCall) const {
    if (v == previous_) return false;
    auto it = chosen_.find(v);
    if (it != chosen_.end() && it->second >= timesPerCall) return false;
    if (v == 5 && (i == 0 || i == count_ - 1)) return false;
    return true;
  }

  // The lowest value of 1..max that is admissible, or 0.
  int LowestAdmissible(int max, int i, int timesPerCall) const {
    for (int v = 1; v <= max; ++v) {
      if (Admissible(v, i, timesPerCall)) return v;
    }
    return 0;
  }

  // Long runs can use up every value a redraw offers. Whether the game's
  // random numbers ever reach the upper bound is not known, so only
  // 1..redrawMax-1 are sure to come up. When none of those is admissible the
  // bound itself is taken if it is (it is what an endless redraw would end on,
  // if it ends); otherwise a variant may be chosen one time more per call,
  // as few extra times as needed, and the redraw goes on under that rule.
  int Redraw(int i) {
    const int sureMax = redrawMax_ - 1;
    int timesPerCall = kTimesPerCall;
    if (LowestAdmissible(sureMax, i, timesPerCall) == 0) {
      if (Admissible(redrawMax_, i, timesPerCall)) return redrawMax_;
      while (LowestAdmissible(sureMax, i, timesPerCall) == 0) ++timesPerCall;
    }
    for (int n = 0; n < kMaxRedraws; ++n) {
      int v = native::RandomIntInRange(1, redrawMax_);
      if (Admissible(v, i, timesPerCall)) return v;
    }
    return LowestAdmissible(sureMax, i, timesPerCall);
  }

  int count_;
  int firstMax_;
  int redrawMax_;
  int previous_ = 0;
  std::map<int, int> chosen_;  // variant -> times chosen in this call
};

struct Clip {
  const char* name;
  int durationMs;
  float blendIn;
  float blendOut;
  float rate;
};

// The first clip brings the prop to the mouth and is followed by the hand
// re-attachment; the exhale, when there is one, comes during a 1000 ms hold.
struct Variant {
  int leadingHoldMs;
  Clip clips[3];
  int clipCount;
  int exhaleOffsetMs;  // 0: no exhale
};

constexpr Variant kCigaretteVariants[] = {
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

constexpr Variant kCigarVariants[] = {
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

constexpr int kCigaretteVariantCount = static_cast<int>(std::size(kCigaretteVariants));
constexpr int kCigarVariantCount = static_cast<int>(std::size(kCigarVariants));

constexpr const char* kCigarFilter = "upperbodyfeathered_nolefttarm_filter";

TaskPtr Exhale() {
  return std::make_unique<Animations::PlayFxOnPedBoneTask>(&exhaleFx, 21030, "anm_smoking",
                                                           "ent_anim_cig_exhale_mth_short", 0.88f, -0.03f, 0.11f,
                                                           -0.023f, 22.0f, 0.0f, -180.0f, 1.3f);
}

void AppendVariant(const Variant& variant, bool manual, bool cigar) {
  if (!manual) {
    if (cigar) QueueCigarHoldLoop(variant.leadingHoldMs);
    else QueueCigaretteHoldLoop(variant.leadingHoldMs);
  }
  for (int c = 0; c < variant.clipCount; ++c) {
    const Clip& clip = variant.clips[c];
    const char* dictionary = cigar ? kCigarDictionary : kCigaretteDictionary;
    const int extraFlags = cigar ? 0x8000 : 0x10000;
    const bool isLoop = std::string_view(clip.name) == "loop";
    const char* filter = cigar && !isLoop ? kCigarFilter : "";
    Append(activeSequence,
           std::make_unique<Animations::AnimationTask>(&playerPed, dictionary, clip.name, clip.durationMs, 25,
                                                       extraFlags, clip.blendIn, clip.blendOut, clip.rate, filter));
    if (c == 0) {
      if (cigar) {
        AppendWithOffset(activeSequence,
                         std::make_unique<Animations::MovePropTask>(&smokeProp, handBoneIndex, cigarHandOffsetX,
                                                                    cigarHandOffsetY, cigarHandOffsetZ, cigarHandRotX,
                                                                    cigarHandRotY, cigarHandRotZ, 0, 2),
                         475);
      } else {
        AppendWithOffset(activeSequence,
                         std::make_unique<Animations::MovePropTask>(&smokeProp, handBoneIndex, 0.0f, 0.0f, 0.0f,
                                                                    0.0f, 0.0f, 0.0f, 0, 2),
                         475);
      }
    }
  }
  if (variant.exhaleOffsetMs != 0) {
    if (cigar) QueueCigarHoldLoop(1000);
    else QueueCigaretteHoldLoop(1000);
    AppendWithOffset(activeSequence, Exhale(), variant.exhaleOffsetMs);
  }
}

}  // namespace

std::vector<int> DrawCigarettePuffVariants(int count) { return VariantDraw(count, 10, 8).Run(); }

std::vector<int> DrawCigarPuffVariants(int count) { return VariantDraw(count, 9, 9).Run(); }

void QueueCigarettePuffs(int count, bool manual) {
  for (int v : DrawCigarettePuffVariants(count)) {
    // A value outside the table plays nothing for that puff.
    if (v >= 1 && v <= kCigaretteVariantCount) AppendVariant(kCigaretteVariants[v - 1], manual, false);
  }
}

void QueueCigarPuffs(int count, bool manual) {
  for (int v : DrawCigarPuffVariants(count)) {
    if (v >= 1 && v <= kCigarVariantCount) AppendVariant(kCigarVariants[v - 1], manual, true);
  }
}
