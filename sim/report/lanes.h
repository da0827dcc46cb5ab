// The lane model of a session's picture: the timeline's events gathered per
// subject (a prop, an effect, a key, a ped's clips) into the pieces that are
// drawn, and the subjects packed into rows under their group's heading.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timeline.h"

namespace sim::report {

// A heading of the picture and the event categories whose lanes go under it.
struct Group {
  const char* title;
  std::vector<std::string> categories;  // empty: every category no other group takes
};
const std::vector<Group>& Groups();

// One drawn piece of a lane: a stretch of a bar, a burst, or a tick.
struct Piece {
  enum class Kind { Bar, Burst, Tick, Tail };
  Kind kind = Kind::Bar;
  uint64_t a = 0, b = 0;  // frames
  std::string state;      // how the thing is during the piece
  std::vector<const TimelineEvent*> events;
  bool open = false;  // still there when the session ended
  bool left = false;  // left behind
  bool fromTicks = false;
};

// One subject's life: the pieces of its bars and its ticks.
struct Subject {
  std::string key;
  std::string label;   // lane name when it has a row of its own
  std::string family;  // subjects of one family share rows when their lives do not overlap
  size_t group = 0;
  uint64_t first = 0, busyUntil = 0;
  std::vector<Piece> pieces;
  // The bar being drawn: its stretches so far.
  bool barOpen = false;
  std::vector<Piece> bar;
  bool left = false;
};

struct Row {
  std::string label;
  std::string family;
  bool left = false;
  uint64_t busyUntil = 0;
  std::vector<const Subject*> subjects;
};

struct Lanes {
  Lanes() = default;
  // Rows point into the subjects: a copy's would point into the original's.
  Lanes(const Lanes&) = delete;
  Lanes& operator=(const Lanes&) = delete;
  Lanes(Lanes&&) = default;
  Lanes& operator=(Lanes&&) = default;

  std::vector<Subject> subjects;       // in the order they first appear
  std::vector<std::vector<Row>> rows;  // per group of Groups(); they point into `subjects`
  std::vector<const TimelineEvent*> notes;  // the session's own lines, markers across every lane
};

// `leftBehind` holds the subjects (see timeline.h) of what was left behind;
// `frames` is where the picture ends.
Lanes BuildLanes(const std::vector<TimelineEvent>& events, const std::vector<std::string>& leftBehind,
                 uint64_t frames);

}  // namespace sim::report
