#include "frame_stats.h"

#include <algorithm>
#include <cstdio>

#include "catalogue.h"

namespace sim {

FrameStats::FrameStats(size_t natives) : current_(natives, 0), last_(natives, 0), perNative_(natives) {}

void FrameStats::Add(std::vector<uint64_t>& histogram, uint32_t count) {
  if (histogram.size() <= count) histogram.resize(count + 1, 0);
  ++histogram[count];
}

void FrameStats::EndFrame() {
  uint32_t all = 0;
  for (size_t i = 0; i < current_.size(); ++i) {
    all += current_[i];
    // Natives never called keep an empty histogram: their frames are all 0.
    if (current_[i] != 0 || !perNative_[i].empty()) {
      if (perNative_[i].empty()) perNative_[i].assign(1, frames_);
      Add(perNative_[i], current_[i]);
    }
  }
  Add(allNatives_, all);
  last_.swap(current_);
  std::fill(current_.begin(), current_.end(), 0);
  ++frames_;
}

FrameCountSummary FrameStats::Summarise(const std::vector<uint64_t>& histogram) const {
  FrameCountSummary summary;
  if (frames_ == 0 || histogram.empty()) return summary;
  bool seenMin = false;
  uint64_t seen = 0;
  bool seenMedian = false;
  for (size_t count = 0; count < histogram.size(); ++count) {
    if (histogram[count] == 0) continue;
    if (!seenMin) summary.min = static_cast<uint32_t>(count);
    seenMin = true;
    summary.max = static_cast<uint32_t>(count);
    summary.total += histogram[count] * count;
    seen += histogram[count];
    // The lower median: the count of the frame in the middle, by rank.
    if (!seenMedian && seen * 2 >= frames_) {
      summary.median = static_cast<uint32_t>(count);
      seenMedian = true;
    }
  }
  return summary;
}

FrameCountSummary FrameStats::Native(size_t native) const { return Summarise(perNative_.at(native)); }

FrameCountSummary FrameStats::AllNatives() const { return Summarise(allNatives_); }

std::string FrameStats::Report() const {
  std::string text;
  char line[160];
  const FrameCountSummary all = AllNatives();
  std::snprintf(line, sizeof line, "Natives per frame over %llu frames:\n  %-34s %6s %6s %6s %10s\n",
                static_cast<unsigned long long>(frames_), "native", "min", "median", "max", "total");
  text += line;
  auto row = [&](const char* name, const FrameCountSummary& s) {
    std::snprintf(line, sizeof line, "  %-34s %6u %6u %6u %10llu\n", name, s.min, s.median, s.max,
                  static_cast<unsigned long long>(s.total));
    text += line;
  };
  row("(all natives)", all);
  std::vector<std::pair<size_t, FrameCountSummary>> called;
  for (size_t i = 0; i < perNative_.size(); ++i) {
    const FrameCountSummary s = Native(i);
    if (s.total != 0) called.emplace_back(i, s);
  }
  std::stable_sort(called.begin(), called.end(),
                   [](const auto& a, const auto& b) { return a.second.total > b.second.total; });
  for (const auto& [index, s] : called) row(Catalogue()[index].name, s);
  return text;
}

}  // namespace sim
