#include "game_natives.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <iterator>

namespace sim {
namespace {

constexpr GameNative kGameNatives[] = {
#include "game_natives.inc"
};

// The list comes sorted by hash; a lookup relies on it.
static_assert(std::is_sorted(std::begin(kGameNatives), std::end(kGameNatives),
                             [](const GameNative& a, const GameNative& b) { return a.hash < b.hash; }));

// No address lies in the first 64 KiB, on Windows or on Linux: a string or
// pointer argument there is a number pushed in its place.
constexpr uint64_t kLowestAddress = 0x10000;

const char* KindName(char letter) {
  switch (letter) {
    case 'f': return "a float";
    case 's': return "a string";
    case 'p': return "a pointer";
    default: return "a 32-bit value";
  }
}

std::string Hex(uint64_t word) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%" PRIX64, word);
  return text;
}

std::string ArgumentFault(char letter, uint64_t word) {
  switch (letter) {
    case 's':
    case 'p':
      if (word < kLowestAddress) return "the word " + Hex(word) + " is no address";
      return {};
    case 'f': {
      if (word >> 32) return "the word " + Hex(word) + " has its upper half set";
      // An integer pushed where a float belongs reads as a denormal: its
      // exponent bits are zero while the value is not.
      const uint32_t bits = static_cast<uint32_t>(word);
      if ((bits & 0x7F800000u) == 0 && (bits & 0x007FFFFFu) != 0) {
        return "the word " + Hex(word) + " is the integer " + std::to_string(bits & 0x7FFFFFFFu);
      }
      return {};
    }
    default:
      if (word >> 32) return "the word " + Hex(word) + " has its upper half set";
      return {};
  }
}

}  // namespace

const GameNative* FindGameNative(uint64_t hash) {
  const GameNative* end = std::end(kGameNatives);
  const GameNative* found =
      std::lower_bound(std::begin(kGameNatives), end, hash, [](const GameNative& row, uint64_t h) { return row.hash < h; });
  return found != end && found->hash == hash ? found : nullptr;
}

size_t GameNativeCount() { return std::size(kGameNatives); }

Kind KindOfLetter(char letter) {
  switch (letter) {
    case '-': return Kind::Void;
    case 'b': return Kind::Bool;
    case 'h': return Kind::Hash;
    case 'f': return Kind::Float;
    case 's': return Kind::String;
    case 'p': return Kind::Pointer;
    case 'v': return Kind::Vector;
    default: return Kind::Int;
  }
}

std::string ContractFault(const GameNative& game, const char* name, const std::vector<uint64_t>& words) {
  const size_t fixed = std::char_traits<char>::length(game.args);
  if (words.size() < fixed || (!game.variadic && words.size() != fixed)) {
    return std::string(name) + " (" + game.name + ") invoked with " + std::to_string(words.size()) +
           " argument words; the game takes " + (game.variadic ? "at least " : "") + std::to_string(fixed);
  }
  for (size_t i = 0; i < fixed; ++i) {
    const std::string fault = ArgumentFault(game.args[i], words[i]);
    if (!fault.empty()) {
      return std::string(name) + " (" + game.name + ") argument " + std::to_string(i + 1) + ": the game takes " +
             KindName(game.args[i]) + ", " + fault;
    }
  }
  return {};
}

}  // namespace sim
