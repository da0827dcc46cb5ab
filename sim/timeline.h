// What happened in the world, one line per event, with frame and game time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace sim {

struct TimelineEvent {
  uint64_t frame;
  int64_t gameMs;
  std::string category;  // "prop", "effect", "clip", "task", "key", ...
  std::string text;
};

class Timeline {
 public:
  void Add(uint64_t frame, int64_t gameMs, std::string category, std::string text);
  const std::vector<TimelineEvent>& Events() const { return events_; }
  // Events whose category and text contain the given pieces.
  size_t Count(const std::string& category, const std::string& textPart = "") const;
  bool Contains(const std::string& category, const std::string& textPart = "") const {
    return Count(category, textPart) != 0;
  }
  static std::string Format(const TimelineEvent& event);
  void Clear() { events_.clear(); }
  // When set, every event is also written to this stream as it happens.
  void EchoTo(std::FILE* stream) { echo_ = stream; }
  // False: events are not kept (only echoed, when a stream is set).
  bool record = true;

 private:
  std::vector<TimelineEvent> events_;
  std::FILE* echo_ = nullptr;
};

}  // namespace sim
