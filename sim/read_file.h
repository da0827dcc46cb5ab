// A whole file's bytes: sessions, settings files and the plug-in's log.
#pragma once

#include <filesystem>
#include <string>

namespace sim {

// False, with `contents` left as it was, when the file cannot be opened.
bool ReadFile(const std::filesystem::path& path, std::string& contents);

}  // namespace sim
