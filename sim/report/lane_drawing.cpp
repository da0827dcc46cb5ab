#include "report/lane_drawing.h"

#include <algorithm>
#include <iterator>

#include "report/markup.h"
#include "report/page_layout.h"

namespace sim::report {
namespace {

// A hover shows at most this many events of one piece, first and last.
constexpr size_t kDetailHead = 4;
constexpr size_t kDetailTail = 2;
// Lane names longer than this are cut, with the whole name on hover.
constexpr size_t kLaneNameChars = 36;
// Drawn before any zoom and without the script, the axis labels have at most
// one decimal: no step finer than a tenth of a second.
constexpr double kStaticAxisFinestStep = 0.1;

struct Canvas {
  double pxPerFrame = 1.0;
  int height = 0;
  int64_t frameUs = 0;
  double X(uint64_t frame) const { return static_cast<double>(frame) * pxPerFrame; }
};

// Distinct frames as "12 40-44 97": ranges of consecutive frames.
std::string FrameRanges(const std::vector<const TimelineEvent*>& events) {
  std::string out;
  size_t i = 0;
  while (i < events.size()) {
    const uint64_t first = events[i]->frame;
    uint64_t last = first;
    size_t j = i + 1;
    while (j < events.size() && events[j]->frame <= last + 1) last = std::max(last, events[j++]->frame);
    if (!out.empty()) out += ' ';
    out += std::to_string(first);
    if (last != first) out += '-' + std::to_string(last);
    i = j;
  }
  return out;
}

// What a hover over the piece shows: its frames and times, then its events.
std::string Detail(const Piece& piece, int64_t frameUs) {
  std::string text;
  if (piece.kind == Piece::Kind::Burst) text += std::to_string(piece.events.size()) + " events, ";
  text += "frame " + std::to_string(piece.a);
  if (piece.b != piece.a) text += "-" + std::to_string(piece.b);
  text += " (" + Seconds(piece.a, frameUs);
  if (piece.b != piece.a) text += " to " + Seconds(piece.b, frameUs);
  text += ")";
  if (piece.left) text += "\nLEFT BEHIND";
  else if (piece.open) text += "\nstill there when the session ended";
  auto line = [&](const TimelineEvent& event) {
    text += "\n" + std::to_string(event.frame) + "  " + event.text;
    if (!event.call.empty()) text += "\n      " + event.call;
  };
  const size_t n = piece.events.size();
  for (size_t i = 0; i < n; ++i) {
    if (n > kDetailHead + kDetailTail + 1 && i == kDetailHead) {
      text += "\n... " + std::to_string(n - kDetailHead - kDetailTail) + " more";
      i = n - kDetailTail - 1;
      continue;
    }
    line(*piece.events[i]);
  }
  return text;
}

// The words written on a bar or a burst, as far as they fit.
std::string PieceLabel(const Piece& piece, const Subject& subject, bool sharedRow) {
  std::string label;
  if (sharedRow) {
    const size_t hash = subject.key.rfind('#');
    if (hash != std::string::npos) label = subject.key.substr(hash) + " ";
  }
  if (piece.kind == Piece::Kind::Burst) {
    return label + "x" + std::to_string(piece.events.size()) + (piece.state.empty() ? "" : " " + piece.state);
  }
  if (piece.left) return label + "LEFT BEHIND" + (piece.state.empty() ? "" : " (" + piece.state + ")");
  if (!piece.state.empty()) return label + piece.state;
  return label + (piece.events.empty() ? std::string() : piece.events.front()->text);
}

// As much of `text` as fits in `chars` characters, cut ones marked with '~'.
std::string Fit(const std::string& text, size_t chars) {
  return text.size() <= chars ? text : (chars > 1 ? text.substr(0, chars - 1) + "~" : "");
}

// The page's style colours a piece by its category, its state and whether
// it was still there or left behind at the end.
std::string PieceClass(const Piece& piece) {
  std::string cls;
  switch (piece.kind) {
    case Piece::Kind::Tick: cls = "t"; break;
    case Piece::Kind::Burst: cls = "s burst"; break;
    case Piece::Kind::Tail: cls = "s tail"; break;
    case Piece::Kind::Bar: cls = "s"; break;
  }
  cls += " c-" + (piece.events.empty() ? std::string("none") : piece.events.front()->category);
  for (const char* known : {"held", "attached", "lying", "thrown"}) {
    if (piece.state == known) cls += " st-" + piece.state;
  }
  if (piece.open) cls += " open";
  if (piece.left) cls += " left";
  return cls;
}

// The time axis as drawn before any zoom (the script draws its own).
std::string StaticAxis(const Canvas& canvas, uint64_t frames) {
  const double secondsTotal = static_cast<double>(frames) * static_cast<double>(canvas.frameUs) / 1e6;
  double step = kAxisStepsSeconds[std::size(kAxisStepsSeconds) - 1];
  for (double s : kAxisStepsSeconds) {
    if (s >= kStaticAxisFinestStep && secondsTotal / s * kAxisMinStepPx <= kPlotWidth) {
      step = s;
      break;
    }
  }
  std::string axis = "<g id=\"staticaxis\">";
  for (double t = 0; t <= secondsTotal + 1e-9; t += step) {
    const uint64_t frame = static_cast<uint64_t>(t * 1e6 / static_cast<double>(canvas.frameUs) + 0.5);
    const std::string x = Fixed(canvas.X(frame), 1);
    axis += "<line class=\"grid\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + std::to_string(kNotesHeight) +
            "\" y2=\"" + std::to_string(canvas.height) + "\"/><text class=\"ax\" x=\"" + x + "\" y=\"" +
            std::to_string(kNotesHeight + kAxisSecondsY) + "\">" + Fixed(t, step < 1 ? 1 : 0) +
            " s</text><text class=\"axf\" x=\"" + x + "\" y=\"" + std::to_string(kNotesHeight + kAxisFramesY) +
            "\">f " + std::to_string(frame) + "</text>";
  }
  return axis + "</g>\n";
}

// One piece of a lane whose row starts at `y`, and its label on a bar or burst.
void DrawPiece(std::string& plot, const Piece& piece, const Subject& subject, bool sharedRow, int y,
               const Canvas& canvas) {
  double top = y + 2, h = kRowHeight - 4;
  if (piece.kind == Piece::Kind::Tail) {  // a thin line along the bottom of the row
    top = y + kRowHeight - 6;
    h = 3;
  }
  double x = canvas.X(piece.a), w = canvas.X(piece.b) - x;
  if (piece.kind == Piece::Kind::Tick) {
    x -= kTickWidth / 2;
    w = kTickWidth;
  } else {
    w = std::max(w, kMinPieceWidth);
  }
  plot += "<rect class=\"" + PieceClass(piece) + "\" x=\"" + Fixed(x, 1) + "\" y=\"" + Fixed(top, 0) +
          "\" width=\"" + Fixed(w, 1) + "\" height=\"" + Fixed(h, 0) + "\" data-a=\"" + std::to_string(piece.a) +
          "\" data-b=\"" + std::to_string(piece.b) + "\" data-f=\"" + FrameRanges(piece.events) + "\" data-d=\"" +
          Escape(subject.label + "\n" + Detail(piece, canvas.frameUs)) + "\"/>\n";
  if (piece.kind != Piece::Kind::Bar && piece.kind != Piece::Kind::Burst) return;
  const std::string label = PieceLabel(piece, subject, sharedRow);
  const double room = canvas.X(piece.b) - canvas.X(piece.a) - 2 * kBarLabelInset;
  const size_t fits = room > 0 ? static_cast<size_t>(room / kCharWidth) : 0;
  plot += "<text class=\"bl\" x=\"" + Fixed(canvas.X(piece.a) + kBarLabelInset, 1) + "\" y=\"" +
          std::to_string(y + 11) + "\" data-a=\"" + std::to_string(piece.a) + "\" data-b=\"" +
          std::to_string(piece.b) + "\" data-l=\"" + Escape(label) + "\">" + Escape(Fit(label, fits)) + "</text>\n";
}

// Each group's heading and rows, from `y` down: names on the left, pieces in
// the plot.
void DrawGroups(std::string& names, std::string& plot, const Lanes& lanes, const Canvas& canvas) {
  int y = kNotesHeight + kAxisHeight;
  const std::vector<Group>& groups = Groups();
  for (size_t g = 0; g < groups.size(); ++g) {
    if (lanes.rows[g].empty()) continue;
    names += "<text class=\"group\" x=\"6\" y=\"" + std::to_string(y + 13) + "\">" + Escape(groups[g].title) +
             "</text>\n";
    plot += "<line class=\"sep\" x1=\"0\" x2=\"100%\" y1=\"" + std::to_string(y + 1) + "\" y2=\"" +
            std::to_string(y + 1) + "\"/>\n";
    y += kGroupHeight;
    for (const Row& row : lanes.rows[g]) {
      names += "<text class=\"lane" + std::string(row.left ? " leftlane" : "") + "\" x=\"14\" y=\"" +
               std::to_string(y + 12) + "\">" + Escape(Fit(row.label, kLaneNameChars)) + "<title>" +
               Escape(row.label) + "</title></text>\n";
      const bool shared = row.subjects.size() > 1;
      plot += "<g class=\"row\">\n";
      for (const Subject* subject : row.subjects) {
        plot += "<g data-k=\"" + Escape(subject->key) + "\">\n";
        for (const Piece& piece : subject->pieces) DrawPiece(plot, piece, *subject, shared, y, canvas);
        plot += "</g>\n";
      }
      plot += "</g>\n";
      y += kRowHeight;
    }
  }
}

// Notes: a line across every lane and a label in the band above the axis,
// the labels taking turns over a few levels so that close notes stay legible.
std::string DrawNotes(const std::vector<const TimelineEvent*>& notes, const Canvas& canvas) {
  std::string plot = "<g data-k=\"~note\">\n";
  for (size_t i = 0; i < notes.size(); ++i) {
    const TimelineEvent& note = *notes[i];
    const int level = static_cast<int>(i % kNoteLevels);
    const double x = canvas.X(note.frame);
    double room = kPlotWidth - x;
    if (i + kNoteLevels < notes.size()) room = canvas.X(notes[i + kNoteLevels]->frame) - x;
    const size_t fits = room > 8 ? static_cast<size_t>((room - 2 * kNoteLabelInset) / kCharWidth) : 0;
    const std::string text = Clean(note.text);
    plot += "<line class=\"note\" x1=\"" + Fixed(x, 1) + "\" x2=\"" + Fixed(x, 1) + "\" y1=\"" +
            std::to_string(4 + level * kNoteLineHeight) + "\" y2=\"" + std::to_string(canvas.height) +
            "\" data-a=\"" + std::to_string(note.frame) + "\" data-f=\"" + std::to_string(note.frame) +
            "\" data-d=\"" +
            Escape("note\nframe " + std::to_string(note.frame) + " (" + Seconds(note.frame, canvas.frameUs) +
                   ")\n" + note.text) +
            "\"/>\n<text class=\"nl\" x=\"" + Fixed(x + kNoteLabelInset, 1) + "\" y=\"" +
            std::to_string(14 + level * kNoteLineHeight) + "\" data-a=\"" + std::to_string(note.frame) +
            "\" data-n=\"" + std::to_string(i) + "\" data-l=\"" + Escape(text) + "\">" + Escape(Fit(text, fits)) +
            "</text>\n";
  }
  return plot + "</g>\n";
}

}  // namespace

std::string DrawLanes(const Lanes& lanes, uint64_t frames, int64_t frameUs, size_t eventCount) {
  Canvas canvas;
  canvas.frameUs = frameUs;
  canvas.height = kNotesHeight + kAxisHeight;
  for (const std::vector<Row>& groupRows : lanes.rows) {
    if (!groupRows.empty()) canvas.height += kGroupHeight + kRowHeight * static_cast<int>(groupRows.size());
  }
  canvas.height += 8;
  canvas.pxPerFrame = static_cast<double>(kPlotWidth) / static_cast<double>(frames);
  const int width = kLabelWidth + kPlotWidth + 10;
  const std::string height = std::to_string(canvas.height);

  std::string svg;
  svg.reserve(eventCount * 200 + 4096);
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" id=\"picture\" width=\"" + std::to_string(width) +
         "\" height=\"" + height + "\" data-frames=\"" + std::to_string(frames) + "\" data-frame-us=\"" +
         std::to_string(frameUs) + "\">\n";
  svg += "<rect class=\"bg\" width=\"" + std::to_string(width) + "\" height=\"" + height + "\"/>\n";

  // Lane names, outside the plot so they stay put while it pans.
  std::string names;
  // The plot: a nested viewport clips what pans out of sight.
  std::string plot = "<svg id=\"plot\" x=\"" + std::to_string(kLabelWidth) + "\" y=\"0\" width=\"" +
                     std::to_string(kPlotWidth) + "\" height=\"" + height + "\">\n";
  plot += "<g id=\"axis\"></g>\n";
  plot += StaticAxis(canvas, frames);
  DrawGroups(names, plot, lanes, canvas);
  plot += DrawNotes(lanes.notes, canvas);
  plot += "</svg>\n";
  svg += names + plot + "</svg>\n";
  return svg;
}

}  // namespace sim::report
