#include "world/random.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "simulator.h"

namespace sim {

void RandomSource::Seed(uint64_t seed) { state_ = seed; }

// splitmix64: tiny, well mixed, and the same on every platform.
uint64_t RandomSource::NextBits() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int RandomSource::NextInt(int min, int max) {
  ++intDraws;
  if (max < min) max = min;
  if (!queuedInts_.empty()) {
    int value = queuedInts_.front();
    queuedInts_.pop_front();
    return clampQueued ? std::clamp(value, min, max) : value;
  }
  uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(max) - min) + 1;
  return static_cast<int>(min + static_cast<int64_t>(NextBits() % span));
}

float RandomSource::NextFloat(float min, float max) {
  ++floatDraws;
  if (max < min) max = min;
  if (!queuedFloats_.empty()) {
    float value = queuedFloats_.front();
    queuedFloats_.pop_front();
    return clampQueued ? std::clamp(value, min, max) : value;
  }
  // 24 random bits: every value is exactly representable and below 1.
  float unit = static_cast<float>(NextBits() >> 40) / 16777216.0f;
  float value = min + (max - min) * unit;
  return value < max ? value : min;
}

namespace {

template <typename T>
bool ParseList(const std::string& text, std::vector<T>& out) {
  std::istringstream in(text);
  T value;
  while (in >> value) out.push_back(value);
  return in.eof() && !out.empty();
}

}  // namespace

void InstallRandomNatives(Simulator& sim) {
  RandomSource& random = sim.world.random;
  sim.Handle("GetRandomIntInRange", [&random](const Call& c, Result& r) { r.Int(random.NextInt(c.I(0), c.I(1))); });
  sim.Handle("GetRandomFloatInRange",
             [&random](const Call& c, Result& r) { r.Float(random.NextFloat(c.F(0), c.F(1))); });

  sim.AddSetter("random.seed", [&sim, &random](const std::string& value) {
    std::istringstream in(value);
    uint64_t seed = 0;
    if (!(in >> seed) || !(in >> std::ws).eof()) return false;
    random.Seed(seed);
    sim.Event("random", "seeded with " + std::to_string(seed));
    return true;
  });
  sim.AddSetter("random.ints", [&sim, &random](const std::string& value) {
    std::vector<int> values;
    if (!ParseList(value, values)) return false;
    random.QueueInts(values);
    sim.Event("random", "next whole numbers: " + value);
    return true;
  });
  sim.AddSetter("random.floats", [&sim, &random](const std::string& value) {
    std::vector<float> values;
    if (!ParseList(value, values)) return false;
    random.QueueFloats(values);
    sim.Event("random", "next fractions: " + value);
    return true;
  });
  sim.AddSetter("random.clamp", [&random](const std::string& value) {
    if (value == "on") random.clampQueued = true;
    else if (value == "off") random.clampQueued = false;
    else return false;
    return true;
  });
}

}  // namespace sim
