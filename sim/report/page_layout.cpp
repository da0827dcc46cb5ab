#include "report/page_layout.h"

#include <charconv>

namespace sim::report {
namespace {

// The shortest text that reads back as the same double: the script must get
// the values the drawing used, and 1/60 is not 0.0166667.
std::string Number(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : "0";
}

}  // namespace

std::string LayoutJson() {
  std::string json = "{";
  auto add = [&json](const char* name, const std::string& value) {
    if (json.size() > 1) json += ',';
    json += '"' + std::string(name) + "\":" + value;
  };
  add("charWidth", Number(kCharWidth));
  add("notesHeight", Number(kNotesHeight));
  add("noteLevels", Number(kNoteLevels));
  add("tickWidth", Number(kTickWidth));
  add("minPieceWidth", Number(kMinPieceWidth));
  add("barLabelInset", Number(kBarLabelInset));
  add("noteLabelInset", Number(kNoteLabelInset));
  add("axisSecondsY", Number(kAxisSecondsY));
  add("axisFramesY", Number(kAxisFramesY));
  add("axisMinStepPx", Number(kAxisMinStepPx));
  std::string steps = "[";
  for (double step : kAxisStepsSeconds) steps += (steps.size() > 1 ? "," : "") + Number(step);
  add("axisStepsSeconds", steps + "]");
  return json + "}";
}

}  // namespace sim::report
