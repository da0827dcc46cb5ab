// World scenarios running on peds: started in place, ended when the ped's
// tasks are cleared.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace sim {

struct RunningScenario {
  uint32_t type = 0;
  uint32_t variation = 0;  // 0 when none was given
  uint64_t startFrame = 0;
};

struct Scenarios {
  std::map<int, RunningScenario> byPed;

  const RunningScenario* Of(int ped) const {
    auto it = byPed.find(ped);
    return it == byPed.end() ? nullptr : &it->second;
  }
};

}  // namespace sim
