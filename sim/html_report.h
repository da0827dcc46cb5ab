// A play session as a picture: one self-contained HTML page (inline SVG, a
// little CSS and script, nothing fetched) that draws the timeline over time,
// one lane per thing the plug-in touched, with what it left behind in red.
// This file puts the page together; its parts are in report/: the lane model
// (lanes.h), the drawing (lane_drawing.h), and the style sheet and script
// (page.css, page.js) with the geometry they share (page_layout.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timeline.h"

namespace sim {

struct SessionPicture {
  std::string title;  // the session's name
  const std::vector<TimelineEvent>* events = nullptr;
  uint64_t frames = 0;      // frames the session ran
  int64_t frameUs = 16667;  // length of a frame, for the time axis
  // The end-of-session verdict, one entry per line, as the simulator prints it.
  std::vector<std::string> verdict;
  // Subjects (see timeline.h) of what was left behind: their lanes turn red.
  std::vector<std::string> leftBehind;
  bool clean = true;  // the verdict found nothing left behind
};

std::string RenderSessionPicture(const SessionPicture& picture);

class Simulator;
struct Leftovers;
// The picture of the session the simulator has just played, after its
// verdict was printed: written to `path`; false with a message when it cannot be.
// What was left behind before the module unloaded, when given, is marked too:
// the unload's own clean-up would otherwise hide it.
bool WriteSessionPicture(Simulator& sim, const std::string& title, const std::string& verdict, const std::string& path,
                         std::string& error, const Leftovers* beforeUnload = nullptr);

}  // namespace sim
