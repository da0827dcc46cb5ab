// The game's name hash, and a memory of names so that the timeline can print
// names instead of numbers. The plug-in hashes its names itself, so the memory
// starts with every name the plug-in may hash (its own list) and learns the
// names in the settings it is given; GetHashKey calls add the rest.
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
  HashNames();
  uint32_t Hash(std::string_view name);
  // Remembers the value of every "KEY=VALUE" line of a settings file.
  void LearnSettingValues(std::string_view settings);
  // The remembered name, or the number in hexadecimal.
  std::string Name(uint32_t hash) const;
  bool Known(uint32_t hash) const { return names_.count(hash) != 0; }

 private:
  std::unordered_map<uint32_t, std::string> names_;
};

}  // namespace sim
