#include "sequences/puff_sequences.h"

#include <map>
#include <memory>
#include <string_view>

#include "sequences/hold_loops.h"
#include "sequences/sequence_building.h"

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
      int v = native::GetRandomIntInRange(1, firstMax_);
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
      int v = native::GetRandomIntInRange(1, redrawMax_);
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

TaskPtr Exhale() {
  return std::make_unique<Animations::PlayFxOnPedBoneTask>(&exhaleFx, kHeadBone, "anm_smoking",
                                                           "ent_anim_cig_exhale_mth_short", 0.88f, -0.03f, 0.11f,
                                                           -0.023f, 22.0f, 0.0f, -180.0f, 1.3f);
}

void AppendVariant(const SmokeKind& kind, const PuffVariant& variant, bool manual) {
  if (!manual) QueueHoldLoop(kind, variant.leadingHoldMs);
  for (int c = 0; c < variant.clipCount; ++c) {
    const PuffClip& clip = variant.clips[c];
    // A "loop" within a puff only holds the prop up: it plays on the whole arm.
    const bool isLoop = std::string_view(clip.name) == "loop";
    const char* filter = isLoop ? "" : kind.handClipFilter;
    Append(activeSequence, std::make_unique<Animations::AnimationTask>(&playerPed, kind.dictionary, clip.name,
                                                                       clip.durationMs, 25, kind.handClipIkFlags,
                                                                       clip.blendIn, clip.blendOut, clip.rate, filter));
    if (c == 0) AppendWithOffset(activeSequence, building::ToHand(kind), 475);
  }
  if (variant.exhaleOffsetMs != 0) {
    QueueHoldLoop(kind, 1000);
    AppendWithOffset(activeSequence, Exhale(), variant.exhaleOffsetMs);
  }
}

}  // namespace

std::vector<int> DrawPuffVariants(const SmokeKind& kind, int count) {
  return VariantDraw(count, kind.puffs.firstDrawMax, kind.puffs.redrawMax).Run();
}

void QueuePuffs(const SmokeKind& kind, int count, bool manual) {
  const std::span<const PuffVariant> variants = kind.puffs.variants;
  for (int v : DrawPuffVariants(kind, count)) {
    // A value outside the table plays nothing for that puff.
    if (v >= 1 && v <= static_cast<int>(variants.size())) AppendVariant(kind, variants[v - 1], manual);
  }
}
