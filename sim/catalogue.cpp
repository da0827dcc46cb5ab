#include "catalogue.h"

#include <cstddef>
#include <type_traits>
#include <unordered_map>

#include "game_natives.h"
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

// The game's signature where it has one: the plug-in's declaration only
// names the native, and fills in what the game leaves open.
NativeInfo Row(const char* name, uint64_t hash, Kind pluginResult, std::vector<Kind> pluginArgs) {
  const GameNative* game = FindGameNative(hash);
  if (!game) return NativeInfo{name, hash, pluginResult, std::move(pluginArgs), nullptr};
  std::vector<Kind> args;
  for (const char* letter = game->args; *letter; ++letter) args.push_back(KindOfLetter(*letter));
  if (game->variadic && pluginArgs.size() > args.size()) {
    args.insert(args.end(), pluginArgs.begin() + static_cast<std::ptrdiff_t>(args.size()), pluginArgs.end());
  }
  return NativeInfo{name, hash, KindOfLetter(game->result), std::move(args), game};
}

std::vector<NativeInfo> BuildCatalogue() {
  std::vector<NativeInfo> table;
#define EMBERWICK_SIM_ROW(Name, NativeHash, Result, ...) \
  table.push_back(Row(#Name, NativeHash, KindOf<Result>(), KindsOf<__VA_ARGS__>()));
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
