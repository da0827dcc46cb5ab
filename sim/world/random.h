// The game's random numbers: seeded, or a scripted sequence.
//
// GetRandomIntInRange(min, max) answers min..max with both ends included, so that
// every row of a table indexed by a draw can come up. The game leaves that
// bound open; the plug-in must not depend on it either way.
// GetRandomFloatInRange(min, max) answers min <= x < max.
//
// Values queued by a test or a session ("set random.ints 3 5 7", "set
// random.floats 0.5") are answered first, one per call of the matching native,
// in order; only when the queue is empty does the seeded generator answer.
// Queued values are clamped into the range the call asks for (a game never
// answers outside it) unless clamping is switched off ("set random.clamp off"),
// in which case they are returned as given.
//
// The generator is seeded with 1 unless told otherwise ("set random.seed N"),
// and does not depend on the standard library's distributions, so the same
// seed gives the same numbers with every compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

namespace sim {

class RandomSource {
 public:
  RandomSource() { Seed(1); }

  void Seed(uint64_t seed);
  void QueueInts(std::initializer_list<int> values) { queuedInts_.insert(queuedInts_.end(), values); }
  void QueueInts(const std::vector<int>& values) { queuedInts_.insert(queuedInts_.end(), values.begin(), values.end()); }
  void QueueFloats(std::initializer_list<float> values) {
    queuedFloats_.insert(queuedFloats_.end(), values);
  }
  void QueueFloats(const std::vector<float>& values) {
    queuedFloats_.insert(queuedFloats_.end(), values.begin(), values.end());
  }
  void ClearQueues() {
    queuedInts_.clear();
    queuedFloats_.clear();
  }
  size_t QueuedInts() const { return queuedInts_.size(); }
  size_t QueuedFloats() const { return queuedFloats_.size(); }

  // The answers of the two natives.
  int NextInt(int min, int max);
  float NextFloat(float min, float max);

  bool clampQueued = true;
  uint64_t intDraws = 0;    // calls of GetRandomIntInRange so far
  uint64_t floatDraws = 0;  // calls of GetRandomFloatInRange so far

 private:
  uint64_t NextBits();

  uint64_t state_ = 0;
  std::deque<int> queuedInts_;
  std::deque<float> queuedFloats_;
};

}  // namespace sim
