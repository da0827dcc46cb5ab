// Emberwick.log, beside the module: what a player (or whoever helps them)
// should know, in a file they can find and send. Started afresh when the game
// loads the plug-in and added to from then on; it never grows past
// kLogCapBytes. Writing it calls no native, never throws, and a folder that
// cannot be written simply means no log.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace host {

inline constexpr size_t kLogCapBytes = 64 * 1024;
inline constexpr std::string_view kLogFileName = "Emberwick.log";

// Empties (or creates) the log in `folder`. False, and no log until the next
// start, when it cannot be written there.
bool StartLog(const std::string& folder) noexcept;

// Adds lines at the end of the log. Once the next line would take it past
// the cap, a last line says that more was dropped, and nothing more is added.
void AddToLog(const std::vector<std::string>& lines) noexcept;
void AddToLog(std::string_view line) noexcept;
// The same, with the time since the log was started in front ("[1:05] ..."):
// for what happens while playing.
void AddEventToLog(std::string_view line) noexcept;

// The log's path; empty while there is none.
const std::string& LogPath() noexcept;

}  // namespace host
