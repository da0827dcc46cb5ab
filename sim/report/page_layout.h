// The picture's geometry, in pixels. The first half is the drawing's own; the
// second is also the page's script's, which lays labels, ticks and the time
// axis out again whenever the picture is zoomed or panned: it reads those
// values from the page (LayoutJson), so each is written only here.
#pragma once

#include <string>

namespace sim::report {

constexpr int kLabelWidth = 250;  // lane names on the left
constexpr int kPlotWidth = 1400;  // the time span at the first zoom
constexpr int kAxisHeight = 30;
constexpr int kRowHeight = 16;
constexpr int kGroupHeight = 18;
constexpr int kNoteLineHeight = 13;  // between the staggered levels of note labels

// Shared with the script.
constexpr double kCharWidth = 6.6;  // of the 11px monospace font, for fitting labels
constexpr int kNotesHeight = 58;    // the band of note labels above the axis
constexpr int kNoteLevels = 4;      // note labels take turns over this many levels
constexpr double kTickWidth = 3;    // a tick is centred on its frame
constexpr double kMinPieceWidth = 2;  // a bar or a burst is never drawn thinner
constexpr double kBarLabelInset = 2;   // a bar's label keeps this far from both its ends
constexpr double kNoteLabelInset = 3;  // a note's label keeps this far from its line and the next
constexpr int kAxisSecondsY = 12;      // the axis labels, below the top of the axis
constexpr int kAxisFramesY = 24;
constexpr double kAxisMinStepPx = 90;  // the axis takes the finest step at least this wide
constexpr double kAxisStepsSeconds[] = {1.0 / 60, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 60,
                                        120, 300, 600, 900, 1800, 3600};

// The shared values as the JSON object the page's script reads.
std::string LayoutJson();

}  // namespace sim::report
