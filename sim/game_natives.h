// The game's natives as the modding community documents them
// (gamedata/natives.tsv), compiled in at build time. This, not the plug-in's
// own catalogue, is the contract the simulator holds the plug-in to: a call
// whose argument count or kinds differ from the game's signature is a fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue.h"

namespace sim {

// Kinds are letters: 'i' a 32-bit word, 'b' a BOOL word, 'h' a Hash word,
// 'f' a float, 's' a string, 'p' a pointer (an out-parameter), 'v' a Vector3
// (results only), '-' nothing (results only).
struct GameNative {
  uint64_t hash;
  const char* name;  // "NAMESPACE::NAME"; a leading '_' marks a guessed name
  char result;
  const char* args;  // one letter per argument; a variadic native's fixed ones
  bool variadic;
};

const GameNative* FindGameNative(uint64_t hash);
size_t GameNativeCount();
Kind KindOfLetter(char letter);

// What is wrong with these argument words as a call of the game's native,
// as far as the words show: their count, a string or pointer that is no
// address, a 32-bit value with its upper half set, an integer where a float
// belongs. Empty when nothing is. `name` names the call in the message.
std::string ContractFault(const GameNative& game, const char* name, const std::vector<uint64_t>& words);

}  // namespace sim
