// emberwick-sim --check-ini FILE: what the plug-in makes of a settings file,
// line by line, without playing anything; the tool for a modder, or a support
// thread, holding a player's Emberwick.ini. It runs the plug-in's own checker
// (src/config/settings_check.h), compiled into the simulator.
#pragma once

#include <string>

namespace sim {

// Prints every finding. Returns 0 when there is none, 1 when there are some,
// 2 when the file cannot be read.
int CheckIniFile(const std::string& path);

}  // namespace sim
