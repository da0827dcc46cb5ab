#include "hashes.h"

#include <cstdio>

namespace sim {

uint32_t JoaatLower(std::string_view name) {
  uint32_t hash = 0;
  for (char raw : name) {
    unsigned char c = static_cast<unsigned char>(raw);
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    hash += c;
    hash += hash << 10;
    hash ^= hash >> 6;
  }
  hash += hash << 3;
  hash ^= hash >> 11;
  hash += hash << 15;
  return hash;
}

uint32_t HashNames::Hash(std::string_view name) {
  uint32_t hash = JoaatLower(name);
  names_.try_emplace(hash, name);
  return hash;
}

std::string HashNames::Name(uint32_t hash) const {
  auto it = names_.find(hash);
  if (it != names_.end()) return it->second;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", hash);
  return buffer;
}

}  // namespace sim
