// The natives the simulator models: named as in the plug-in's catalogue (the
// table its wrappers come from), which is how the world's handlers know them,
// but read with the game's own signature (game_natives.h) wherever the game
// has one.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace sim {

enum class Kind { Void, Int, Hash, Bool, Float, String, Pointer, Vector };

struct GameNative;

struct NativeInfo {
  const char* name;
  uint64_t hash;
  Kind result;
  // The game's argument kinds; for a variadic native, the game's fixed ones
  // followed by the plug-in's own for the tail, the game saying nothing of it.
  std::vector<Kind> args;
  const GameNative* game;  // null when the game has no native of this hash
};

const std::vector<NativeInfo>& Catalogue();
const NativeInfo* FindNative(uint64_t hash);
const NativeInfo* FindNative(std::string_view name);

}  // namespace sim
