#include "report/lanes.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace sim::report {

const std::vector<Group>& Groups() {
  static const std::vector<Group> groups = {
      {"Keys and controls", {"key", "control", "window", "input"}},
      {"Clips, emotes and scenarios", {"clip", "emote", "interaction", "scenario"}},
      {"Props and peds", {"prop", "ped"}},
      {"Effects and sounds", {"effect", "sound"}},
      {"Prompts, menu, screen and log", {"prompt", "screen", "log"}},
      {"Dead Eye, inventory and the player", {"deadeye", "inventory", "player"}},
      {"Host and world", {}},  // everything else
  };
  return groups;
}

namespace {

// Changes closer together than this many frames, one after another, are one
// burst with a count (the easing attaches and detaches once a frame).
constexpr uint64_t kBurstGapFrames = 2;
constexpr size_t kBurstMinEvents = 3;

size_t GroupOf(const std::string& category) {
  const std::vector<Group>& groups = Groups();
  for (size_t i = 0; i < groups.size(); ++i) {
    for (const std::string& c : groups[i].categories) {
      if (c == category) return i;
    }
  }
  return groups.size() - 1;
}

std::string CategoryLaneName(const std::string& category) {
  if (category == "effect") return "one-shot effects";
  if (category == "sound") return "sounds";
  if (category == "deadeye") return "Dead Eye";
  if (category == "error") return "errors";
  if (category == "log") return "Emberwick.log";
  return category;
}

// Runs of very short stretches become one burst with a count.
std::vector<Piece> MergeBursts(std::vector<Piece> stretches) {
  std::vector<Piece> out;
  size_t i = 0;
  while (i < stretches.size()) {
    size_t j = i;
    while (j < stretches.size() && stretches[j].b - stretches[j].a <= kBurstGapFrames &&
           (j == i || stretches[j].a <= stretches[j - 1].b + kBurstGapFrames)) {
      ++j;
    }
    size_t eventCount = 0;
    for (size_t k = i; k < j; ++k) eventCount += stretches[k].events.size();
    if (j - i >= kBurstMinEvents || (j > i && eventCount >= kBurstMinEvents && j - i >= 2)) {
      Piece burst;
      burst.kind = Piece::Kind::Burst;
      burst.a = stretches[i].a;
      burst.b = stretches[j - 1].b;
      burst.state = stretches[j - 1].state;
      for (size_t k = i; k < j; ++k) {
        burst.events.insert(burst.events.end(), stretches[k].events.begin(), stretches[k].events.end());
        burst.open = burst.open || stretches[k].open;
        burst.left = burst.left || stretches[k].left;
      }
      out.push_back(std::move(burst));
      i = j;
    } else {
      out.push_back(std::move(stretches[i]));
      ++i;
    }
  }
  return out;
}

// Ticks close together in time become one burst with a count.
void AddTick(Subject& subject, const TimelineEvent& event) {
  if (!subject.pieces.empty()) {
    Piece& last = subject.pieces.back();
    if (last.fromTicks && event.frame <= last.b + kBurstGapFrames) {
      last.b = event.frame;
      last.events.push_back(&event);
      if (last.events.size() >= kBurstMinEvents && last.b > last.a) last.kind = Piece::Kind::Burst;
      return;
    }
  }
  Piece tick;
  tick.kind = Piece::Kind::Tick;
  tick.a = tick.b = event.frame;
  tick.events.push_back(&event);
  tick.fromTicks = true;
  subject.pieces.push_back(std::move(tick));
}

void CloseBar(Subject& subject, uint64_t frame) {
  if (!subject.barOpen) return;
  subject.bar.back().b = std::max(frame, subject.bar.back().a);
  for (Piece& piece : MergeBursts(std::move(subject.bar))) subject.pieces.push_back(std::move(piece));
  subject.bar.clear();
  subject.barOpen = false;
}

// Subjects in the order they first appear, each with its bars and ticks;
// notes go aside, as markers across every lane.
std::vector<Subject> Collect(const std::vector<TimelineEvent>& events, std::vector<const TimelineEvent*>& notes) {
  std::vector<Subject> subjects;
  std::unordered_map<std::string, size_t> byKey;
  for (const TimelineEvent& event : events) {
    if (event.category == "note") {
      notes.push_back(&event);
      continue;
    }
    const std::string key = event.subject.empty() ? "~" + event.category : event.subject;
    auto [it, added] = byKey.emplace(key, subjects.size());
    if (added) {
      Subject subject;
      subject.key = key;
      subject.group = GroupOf(event.category);
      subject.first = event.frame;
      if (event.subject.empty()) {
        subject.label = CategoryLaneName(event.category);
      } else {
        subject.label = event.subject;
        const size_t hash = event.subject.rfind(" #");
        if (hash != std::string::npos) subject.family = event.subject.substr(0, hash);
      }
      subjects.push_back(std::move(subject));
    }
    Subject& subject = subjects[it->second];
    const bool barEvent = event.span == Span::Begin || (subject.barOpen && event.span != Span::Mark);
    if (!barEvent) {
      AddTick(subject, event);
      continue;
    }
    if (event.span == Span::Begin) {
      CloseBar(subject, event.frame);  // a new clip replaces the one playing
      Piece first;
      first.a = first.b = event.frame;
      first.state = event.state;
      first.events.push_back(&event);
      subject.bar.push_back(std::move(first));
      subject.barOpen = true;
      if (event.untilFrame > event.frame) CloseBar(subject, event.untilFrame);
      continue;
    }
    Piece& current = subject.bar.back();
    if (event.span == Span::Change && !event.state.empty()) {
      current.b = event.frame;
      Piece next;
      next.a = next.b = event.frame;
      next.state = event.state;
      next.events.push_back(&event);
      subject.bar.push_back(std::move(next));
    } else {
      current.events.push_back(&event);
      if (event.span == Span::End) CloseBar(subject, event.frame);
    }
  }
  return subjects;
}

// What is still there at the end runs to the last frame, red if left behind.
void Finish(std::vector<Subject>& subjects, const std::vector<std::string>& leftBehindKeys, uint64_t frames) {
  const std::set<std::string> leftBehind(leftBehindKeys.begin(), leftBehindKeys.end());
  std::set<std::string> keys;
  for (Subject& subject : subjects) {
    keys.insert(subject.key);
    subject.left = leftBehind.count(subject.key) != 0;
    if (subject.barOpen) {
      for (Piece& piece : subject.bar) {
        piece.open = true;
        piece.left = subject.left;
      }
      // A thrown or dropped prop lies where it fell: a thin line to the end
      // that lets the next prop of its kind use the row.
      Piece& last = subject.bar.back();
      const bool lying = !subject.left && (last.state == "lying" || last.state == "thrown");
      if (lying) last.kind = Piece::Kind::Tail;
      CloseBar(subject, frames);
      subject.busyUntil = frames;
      if (lying) {
        for (const Piece& piece : subject.pieces) {
          if (piece.kind == Piece::Kind::Tail) subject.busyUntil = piece.a;
        }
      }
    } else {
      for (const Piece& piece : subject.pieces) subject.busyUntil = std::max(subject.busyUntil, piece.b);
      if (subject.left) {  // its life looked over, yet it is still there: say so at the end
        Piece mark;
        mark.kind = Piece::Kind::Tick;
        mark.a = mark.b = subject.busyUntil = frames;
        mark.left = mark.open = true;
        subject.pieces.push_back(mark);
      }
    }
  }
  // Left behind, yet with no lane of its own (made without a native): a red mark at the end.
  for (const std::string& key : leftBehindKeys) {
    if (!keys.insert(key).second) continue;
    Subject subject;
    subject.key = key;
    subject.label = key;
    subject.group = Groups().size() - 1;
    subject.left = true;
    subject.first = subject.busyUntil = frames;
    Piece mark;
    mark.kind = Piece::Kind::Tick;
    mark.a = mark.b = frames;
    mark.left = mark.open = true;
    subject.pieces.push_back(mark);
    subjects.push_back(std::move(subject));
  }
}

// Subjects of one family share a row while their lives do not overlap.
std::vector<std::vector<Row>> PackRows(const std::vector<Subject>& subjects) {
  std::vector<std::vector<Row>> rows(Groups().size());
  for (const Subject& subject : subjects) {
    std::vector<Row>& groupRows = rows[subject.group];
    Row* row = nullptr;
    if (!subject.family.empty() && !subject.left) {
      for (Row& candidate : groupRows) {
        if (candidate.family == subject.family && !candidate.left && candidate.busyUntil + 1 < subject.first) {
          row = &candidate;
          break;
        }
      }
    }
    if (!row) {
      groupRows.push_back(Row{});
      row = &groupRows.back();
      row->family = subject.family;
      row->label = subject.label;
    }
    row->subjects.push_back(&subject);
    row->busyUntil = std::max(row->busyUntil, subject.busyUntil);
    row->left = row->left || subject.left;
    if (row->subjects.size() == 2) row->label = subject.family;
  }
  return rows;
}

}  // namespace

Lanes BuildLanes(const std::vector<TimelineEvent>& events, const std::vector<std::string>& leftBehind,
                 uint64_t frames) {
  Lanes lanes;
  lanes.subjects = Collect(events, lanes.notes);
  Finish(lanes.subjects, leftBehind, frames);
  lanes.rows = PackRows(lanes.subjects);
  return lanes;
}

}  // namespace sim::report
