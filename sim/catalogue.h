// The simulator's view of the native catalogue: the same table the plug-in's
// wrappers come from, turned into names and argument kinds for decoding.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

enum class Kind { Void, Int, Hash, Bool, Float, String, Pointer, Vector };

struct NativeInfo {
  const char* name;
  uint64_t hash;
  Kind result;
  std::vector<Kind> args;
};

const std::vector<NativeInfo>& Catalogue();
const NativeInfo* FindNative(uint64_t hash);
const NativeInfo* FindNative(std::string_view name);

}  // namespace sim
