// How many natives the plug-in invokes per frame, per native: kept as one
// histogram per native, so a long session costs no more memory than a short
// one and a call costs one array increment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct FrameCountSummary {
  uint32_t min = 0;
  uint32_t median = 0;
  uint32_t max = 0;
  uint64_t total = 0;
};

class FrameStats {
 public:
  // `natives`: the size of the catalogue; calls are counted by catalogue index.
  explicit FrameStats(size_t natives);

  void Count(size_t native) { ++current_[native]; }
  // Closes the frame: its counts go into the histograms.
  void EndFrame();

  uint64_t Frames() const { return frames_; }
  // Over every closed frame; a native not called in a frame counts 0 there.
  FrameCountSummary Native(size_t native) const;
  FrameCountSummary AllNatives() const;
  // The counts of the frame closed last, by catalogue index.
  const std::vector<uint32_t>& LastFrame() const { return last_; }

  // A table: the totals per frame, then every native called at least once,
  // the most called first.
  std::string Report() const;

 private:
  static void Add(std::vector<uint64_t>& histogram, uint32_t count);
  FrameCountSummary Summarise(const std::vector<uint64_t>& histogram) const;

  std::vector<uint32_t> current_;
  std::vector<uint32_t> last_;
  std::vector<std::vector<uint64_t>> perNative_;  // [native][count] = frames
  std::vector<uint64_t> allNatives_;
  uint64_t frames_ = 0;
};

}  // namespace sim
