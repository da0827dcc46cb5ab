#include <cstdio>

#include "timeline.h"

namespace sim {

void Timeline::Add(uint64_t frame, int64_t gameMs, std::string category, std::string text) {
  TimelineEvent event;
  event.frame = frame;
  event.gameMs = gameMs;
  event.category = std::move(category);
  event.text = std::move(text);
  Add(std::move(event));
}

void Timeline::Add(TimelineEvent event) {
  if (!record) {
    if (echo_) std::fprintf(echo_, "%s\n", Format(event).c_str());
    return;
  }
  events_.push_back(std::move(event));
  if (echo_) std::fprintf(echo_, "%s\n", Format(events_.back()).c_str());
}

size_t Timeline::Count(const std::string& category, const std::string& textPart) const {
  size_t count = 0;
  for (const TimelineEvent& event : events_) {
    if ((category.empty() || event.category == category) && event.text.find(textPart) != std::string::npos) ++count;
  }
  return count;
}

std::string Timeline::Format(const TimelineEvent& event) {
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "frame %6llu  %9.3fs  %-8s ", static_cast<unsigned long long>(event.frame),
                static_cast<double>(event.gameMs) / 1000.0, event.category.c_str());
  return prefix + event.text;
}

}  // namespace sim
