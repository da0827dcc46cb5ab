#include "game_usage.h"

#include <string>
#include <vector>

#include "simulator.h"

namespace sim {
namespace {

struct UsualValue {
  const char* native;   // the catalogue's name
  size_t argument;      // from 0
  const char* name;     // the argument's name in the game's signature
  uint64_t word;        // what the game's scripts pass
  const char* how;      // what they pass, and how often
};

constexpr UsualValue kUsualValues[] = {
    {"SpecialAbilityRestoreByAmount", 2, "p2", 0, "0 (518 calls)"},
    {"SpecialAbilityRestoreByAmount", 3, "p3", 0, "0 (518 calls; 1 once)"},
    {"SpecialAbilityRestoreByAmount", 4, "p4", 0, "0 (518 calls; 1 once)"},
    {"PlaySoundFromEntity", 3, "isNetwork", 0, "false (all 170 calls)"},
    {"InventoryGetInventoryItemCountWithItemId", 2, "p2", 0, "false (all 2 814 calls)"},
    {"GetCurrentPedWeapon", 3, "attachPoint", 0, "0, the hand (1 643 calls)"},
};

std::string Value(const Call& call, size_t i) {
  if (call.info && i < call.info->args.size() && call.info->args[i] == Kind::Bool) {
    return call.U(i) == 0 ? "false" : (call.U(i) == 1 ? "true" : std::to_string(call.I(i)));
  }
  return std::to_string(call.I(i));
}

}  // namespace

void GameUsage::Check(Simulator& sim, const Call& call) {
  // Looked at for every call the plug-in makes: by hash, not by name.
  static const std::vector<uint64_t> hashes = [] {
    std::vector<uint64_t> found;
    for (const UsualValue& usual : kUsualValues) found.push_back(FindNative(usual.native)->hash);
    return found;
  }();
  if (!call.info) return;
  for (size_t i = 0; i < hashes.size(); ++i) {
    const UsualValue& usual = kUsualValues[i];
    if (hashes[i] != call.hash || call.Word(usual.argument) == usual.word) continue;
    if (!noted_.emplace(call.hash, usual.argument, call.Word(usual.argument)).second) continue;
    sim.Event("usage", std::string(call.info->name) + " passes " + Value(call, usual.argument) + " as " + usual.name +
                           ", where the game's own scripts pass " + usual.how);
  }
}

}  // namespace sim
