#include "hashes.h"

#include <cstdio>

#include "host/game_names.h"

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

HashNames::HashNames() {
  for (std::string_view name : kGameNames) Hash(name);
}

void HashNames::LearnSettingValues(std::string_view settings) {
  while (!settings.empty()) {
    const size_t end = settings.find('\n');
    std::string_view line = settings.substr(0, end);
    settings = end == std::string_view::npos ? std::string_view() : settings.substr(end + 1);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || line.empty() || line[0] == ';' || line[0] == '#') continue;
    std::string_view value = line.substr(equals + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) value.remove_suffix(1);
    if (!value.empty()) Hash(value);
  }
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
