#include "html_report.h"

#include <algorithm>
#include <fstream>

#include "report/lane_drawing.h"
#include "report/lanes.h"
#include "report/markup.h"
#include "report/page_assets.h"
#include "report/page_layout.h"
#include "simulator.h"
#include "world/leftovers.h"

namespace sim {

using report::Escape;
using report::Seconds;

std::string RenderSessionPicture(const SessionPicture& picture) {
  static const std::vector<TimelineEvent> none;
  const std::vector<TimelineEvent>& events = picture.events ? *picture.events : none;
  uint64_t frames = picture.frames;
  for (const TimelineEvent& event : events) frames = std::max(frames, std::max(event.frame, event.untilFrame));
  frames = std::max<uint64_t>(frames, 1);
  const report::Lanes lanes = report::BuildLanes(events, picture.leftBehind, frames);
  const std::string svg = report::DrawLanes(lanes, frames, picture.frameUs, events.size());

  // The page around the picture.
  bool clean = true;  // of the page's verdict box
  for (const std::string& line : picture.verdict) {
    if (line.rfind("Left behind", 0) == 0) clean = false;
  }
  clean = clean && picture.clean && picture.leftBehind.empty();
  std::string html;
  html.reserve(svg.size() + 12000);
  html += "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>" +
          Escape(picture.title) + " - Emberwick session</title>\n<style>\n";
  html += report::PageStyle();
  html += "</style></head><body>\n<h1>" + Escape(picture.title) + "</h1>\n";
  html += "<div class=\"verdict " + std::string(clean ? "ok" : "bad") + "\" id=\"verdict\">";
  for (size_t i = 0; i < picture.verdict.size(); ++i) html += (i ? "\n" : "") + Escape(picture.verdict[i]);
  html += "</div>\n<p class=\"meta\">" + std::to_string(frames) + " frames, " + Seconds(frames, picture.frameUs) +
          " of game time, " + std::to_string(events.size()) +
          " events. Wheel: zoom; drag: pan; double-click: whole session; hover: details.</p>\n";
  html += "<p class=\"legend\"><span class=\"st-held\">held</span><span class=\"st-attached\">attached elsewhere</span>"
          "<span class=\"st-lying\">lying</span><span class=\"c-effect\">effect</span><span class=\"c-prompt\">prompt</span>"
          "<span class=\"left\">left behind</span> pale, xN: a burst of N events close together;"
          " dashed outline: still there at the end</p>\n";
  html += "<div id=\"wrap\">\n" + svg + "</div>\n<div id=\"tip\"></div>\n";
  html += "<script type=\"application/json\" id=\"layout\">" + report::LayoutJson() + "</script>\n<script>\n";
  html += report::PageScript();
  html += "</script>\n</body></html>\n";
  return html;
}

bool WriteSessionPicture(Simulator& sim, const std::string& title, const std::string& verdict, const std::string& path,
                         std::string& error, const Leftovers* beforeUnload) {
  const Leftovers leftovers = FindLeftovers(sim);
  SessionPicture picture;
  picture.title = title;
  picture.events = &sim.timeline.Events();
  picture.frames = sim.Frame();
  picture.frameUs = sim.FrameUs();
  size_t start = 0;
  while (start < verdict.size()) {
    size_t end = verdict.find('\n', start);
    if (end == std::string::npos) end = verdict.size();
    picture.verdict.push_back(verdict.substr(start, end - start));
    start = end + 1;
  }
  picture.leftBehind = leftovers.subjects;
  picture.clean = leftovers.Clean();
  if (beforeUnload) {
    for (const std::string& subject : beforeUnload->subjects) {
      if (std::find(picture.leftBehind.begin(), picture.leftBehind.end(), subject) == picture.leftBehind.end()) {
        picture.leftBehind.push_back(subject);
      }
    }
    picture.clean = picture.clean && beforeUnload->Clean();
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  file << RenderSessionPicture(picture);
  file.close();
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace sim
