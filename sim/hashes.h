// The game's name hash, and a memory of every name hashed so far so that the
// timeline can print names instead of numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace sim {

// Jenkins one-at-a-time over the lower-cased name.
uint32_t JoaatLower(std::string_view name);

class HashNames {
 public:
  uint32_t Hash(std::string_view name);
  // The remembered name, or the number in hexadecimal.
  std::string Name(uint32_t hash) const;
  bool Known(uint32_t hash) const { return names_.count(hash) != 0; }

 private:
  std::unordered_map<uint32_t, std::string> names_;
};

}  // namespace sim
