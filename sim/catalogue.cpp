#include "catalogue.h"

#include <type_traits>
#include <unordered_map>

#include "host/native_catalogue.h"

namespace sim {
namespace {

template <typename T>
constexpr Kind KindOf() {
  if constexpr (std::is_void_v<T>) return Kind::Void;
  else if constexpr (std::is_same_v<T, bool>) return Kind::Bool;
  else if constexpr (std::is_same_v<T, float>) return Kind::Float;
  else if constexpr (std::is_same_v<T, const char*>) return Kind::String;
  else if constexpr (std::is_pointer_v<T>) return Kind::Pointer;
  else if constexpr (std::is_same_v<T, Vector3>) return Kind::Vector;
  else if constexpr (std::is_same_v<T, Hash>) return Kind::Hash;
  else return Kind::Int;
}

template <typename... Args>
std::vector<Kind> KindsOf() {
  return {KindOf<Args>()...};
}

std::vector<NativeInfo> BuildCatalogue() {
  std::vector<NativeInfo> table;
#define EMBERWICK_SIM_ROW(Name, NativeHash, Result, ...) \
  table.push_back(NativeInfo{#Name, NativeHash, KindOf<Result>(), KindsOf<__VA_ARGS__>()});
  EMBERWICK_NATIVE_CATALOGUE(EMBERWICK_SIM_ROW)
#undef EMBERWICK_SIM_ROW
  return table;
}

}  // namespace

const std::vector<NativeInfo>& Catalogue() {
  static const std::vector<NativeInfo> table = BuildCatalogue();
  return table;
}

const NativeInfo* FindNative(uint64_t hash) {
  static const auto index = [] {
    std::unordered_map<uint64_t, const NativeInfo*> map;
    for (const NativeInfo& info : Catalogue()) map.emplace(info.hash, &info);
    return map;
  }();
  auto it = index.find(hash);
  return it == index.end() ? nullptr : it->second;
}

const NativeInfo* FindNative(std::string_view name) {
  for (const NativeInfo& info : Catalogue()) {
    if (name == info.name) return &info;
  }
  return nullptr;
}

}  // namespace sim
