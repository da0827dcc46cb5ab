// The plug-in's Emberwick.log in the timeline: after every frame, each line
// the plug-in added to the log beside its module becomes a "log" event, so a
// session shows what a player would read there, when it was written.
#pragma once

#include <string>

#include "simulator.h"

namespace sim {

// Follows `folder`/Emberwick.log from now on. The folder's own path, which
// differs from run to run and between Linux and Windows, reads as
// "<run folder>" in the timeline.
void FollowPluginLog(Simulator& sim, const std::string& folder);

// A text of the plug-in's (a log line, a text on screen) with the run's folder
// written "<run folder>", once FollowPluginLog knows it.
std::string WithoutRunFolder(std::string text);

}  // namespace sim
