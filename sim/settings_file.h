// Emberwick.ini outside the plug-in: emberwick-sim --set, which applies the
// plug-in's own writer to a player's file, and a session's view of the file
// the plug-in writes (each save in the timeline, and at the end how the file
// changed). Like --check-ini it belongs to emberwick-sim alone, which
// compiles the writer in.
#pragma once

#include <string>
#include <vector>

#include "simulator.h"

namespace sim {

// emberwick-sim --set FILE NAME=VALUE...: 0 when written, 1 when a name or a
// value is refused (with the checker's words), 2 when the file cannot be read
// or written.
int SetIniValues(const std::string& path, const std::vector<std::string>& assignments);

// Follows `folder`/Emberwick.ini: a "file" event after each frame in which the
// plug-in wrote it.
void WatchSettingsFile(Simulator& sim, const std::string& folder);
// How the file changed since the session last wrote it (its ini lines), as a
// line diff; empty when it did not.
std::vector<std::string> SettingsFileChanges();

// "- 26 KEY_SMOKE=N", "+ 26 KEY_SMOKE=F5": the lines of `after` that are not
// in `before` and the reverse, numbered as in their own file.
std::vector<std::string> LineDiff(const std::string& before, const std::string& after);

}  // namespace sim
