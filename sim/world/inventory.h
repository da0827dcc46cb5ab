// The player's inventory: counts per item, slots, additions and removals.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

struct InventoryChange {
  uint32_t item = 0;
  int count = 0;  // positive: added, negative: removed
  uint32_t reason = 0;
  uint32_t slot = 0;  // additions only
  int64_t gameMs = 0;
};

struct Inventory {
  std::map<uint32_t, int> counts;           // per item hash
  std::map<uint32_t, uint32_t> groups;      // item hash -> group hash reported by the item info
  std::map<uint32_t, std::set<uint32_t>> fits;  // item hash -> slots it fits; none listed: the satchel
  std::set<uint32_t> invalidItems;          // item keys the game does not know
  bool itemCheckPasses = true;              // the answer to the prepared-record check
  std::vector<InventoryChange> changes;

  int Count(uint32_t item) const {
    auto it = counts.find(item);
    return it == counts.end() ? 0 : it->second;
  }
};

}  // namespace sim
