// The lanes drawn as SVG: lane names on the left; on the right a plot with a
// time axis, a row per lane and the session's notes across all of them. Every
// piece carries its frames and its details (data-*), so that the page's script
// can zoom, pan and explain without knowing the timeline.
#pragma once

#include <cstdint>
#include <string>

#include "report/lanes.h"

namespace sim::report {

// `frames` is where the picture ends and `frameUs` a frame's length, for the
// axis in seconds; `eventCount` only sizes the output up front.
std::string DrawLanes(const Lanes& lanes, uint64_t frames, int64_t frameUs, size_t eventCount);

}  // namespace sim::report
