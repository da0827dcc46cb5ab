// What happened in the world, one line per event, with frame and game time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace sim {

// Where an event stands in the life of the thing it is about: the picture of
// a session draws a bar from Begin to End, marks Change inside it, and draws
// Mark as a tick of its own.
enum class Span { Mark, Begin, Change, End };

struct TimelineEvent {
  uint64_t frame;
  int64_t gameMs;
  std::string category;  // "prop", "effect", "clip", "task", "key", ...
  std::string text;
  // The thing the event is about ("p_cigarette01x #1004", "prompt "Smoke"",
  // "clips on PLAYER_ZERO"): one lane of the picture. Empty for events that
  // are about no lasting thing.
  std::string subject;
  Span span = Span::Mark;
  std::string call;        // the native call (with its arguments) that caused it, if any
  // How the thing is from this event on, when that changes: a prop is "held"
  // (on the player), "attached" (to something else), "lying" or "thrown"; a
  // ped plays a clip, an emote or a scenario of that name.
  std::string state;
  uint64_t untilFrame = 0;  // for an input held over frames: the frame it was let go
};

// Subjects shared by the world and the picture of a session.
inline std::string EffectSubject(const std::string& name, int handle) {
  return "effect " + name + " #" + std::to_string(handle);
}
inline std::string SoundSubject(const std::string& name) { return "sound " + name; }
inline std::string SoundSetSubject(const std::string& name) { return "sound set " + name; }
inline std::string PromptSubject(const std::string& label) { return "prompt \"" + label + "\""; }

class Timeline {
 public:
  void Add(uint64_t frame, int64_t gameMs, std::string category, std::string text);
  void Add(TimelineEvent event);
  const std::vector<TimelineEvent>& Events() const { return events_; }
  // Marks an event as held until the given frame (by its index in Events()).
  void SetUntil(size_t index, uint64_t frame) {
    if (index < events_.size()) events_[index].untilFrame = frame;
  }
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
