// One native invocation as the simulator sees it: the pushed words, decoded
// on demand, and the result words a handler writes.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"

namespace sim {

struct Call {
  const NativeInfo* info = nullptr;
  uint64_t hash = 0;
  std::vector<uint64_t> words;
  // The words agree with the game's signature: strings may be read.
  bool checked = false;

  size_t Count() const { return words.size(); }
  uint64_t Word(size_t i) const { return i < words.size() ? words[i] : 0; }
  int32_t I(size_t i) const { return static_cast<int32_t>(static_cast<uint32_t>(Word(i))); }
  uint32_t U(size_t i) const { return static_cast<uint32_t>(Word(i)); }
  bool B(size_t i) const { return U(i) != 0; }
  float F(size_t i) const { return std::bit_cast<float>(U(i)); }
  const char* S(size_t i) const {
    const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(Word(i)));
    return text ? text : "";
  }
  template <typename T>
  T* P(size_t i) const {
    return reinterpret_cast<T*>(static_cast<uintptr_t>(Word(i)));
  }
};

struct Result {
  uint64_t words[4] = {0, 0, 0, 0};
  void Int(int32_t v) { words[0] = static_cast<uint32_t>(v); }
  void Bool(bool v) { words[0] = v ? 1 : 0; }
  void Float(float v) { words[0] = std::bit_cast<uint32_t>(v); }
  void Pointer(const void* p) { words[0] = reinterpret_cast<uintptr_t>(p); }
  void Vector(float x, float y, float z) {
    words[0] = std::bit_cast<uint32_t>(x);
    words[1] = std::bit_cast<uint32_t>(y);
    words[2] = std::bit_cast<uint32_t>(z);
  }
};

// A call kept for the record: the arguments decoded at call time (strings are
// copied, since their addresses are valid only during the call).
struct RecordedCall {
  const NativeInfo* info = nullptr;
  uint64_t hash = 0;
  uint64_t frame = 0;
  int64_t gameMs = 0;
  std::vector<uint64_t> words;
  std::vector<std::string> strings;  // one per word; empty unless the word is a string

  const char* Name() const { return info ? info->name : "?"; }
  int32_t I(size_t i) const { return static_cast<int32_t>(static_cast<uint32_t>(words.at(i))); }
  uint32_t U(size_t i) const { return static_cast<uint32_t>(words.at(i)); }
  float F(size_t i) const { return std::bit_cast<float>(U(i)); }
  const std::string& S(size_t i) const { return strings.at(i); }
  // "TaskPlayAnim(1, "dict", "clip", 1.5, ...)", hashes shown by name when known.
  std::string ToString() const;
};

}  // namespace sim
