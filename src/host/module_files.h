// The plug-in's own files: the folder its module was loaded from, and whole
// files read and written there. Paths are UTF-8 here; on Windows they become
// wide paths at each call, so a game folder with any characters in its name
// works. Nothing here calls a native, and nothing throws.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// The handle the loader passes to DllMain (Windows: the module's HMODULE).
void RememberModule(void* module);

// The folder of Emberwick.asi (libEmberwick.so), without a separator at its
// end; empty when it cannot be told. Worked out once.
const std::string& ModuleFolder();
// A program that links the plug-in in rather than loading it as a module (the
// tests, benchmarks and fuzz targets) says which folder stands for the
// module's; without it, that is the program's own folder.
void SetModuleFolder(std::string folder);

// The process's working folder, for the log; empty when it cannot be told.
std::string WorkingFolder();

// `name` in `folder`, with the platform's separator; just `name` (the working
// folder) when `folder` is empty.
std::string PathInFolder(const std::string& folder, std::string_view name);

// At most `limit` bytes of a file; false when it cannot be opened and read.
bool ReadWholeFile(const std::string& path, std::string& contents, size_t limit) noexcept;
// Writes `data` into a file, replacing it or added at its end; false when it
// cannot be written.
bool WriteWholeFile(const std::string& path, std::string_view data, bool append) noexcept;

// Puts the file `from` in the place of `to` in one step (the file system's
// rename: whoever reads `to` sees the old file or the new one, never a part).
bool ReplaceFileWith(const std::string& from, const std::string& to) noexcept;
// Removes a file (never a folder); false when there was none or it stays.
bool RemoveFile(const std::string& path) noexcept;
// Creates the folder unless it is there; false when it cannot be.
bool MakeFolder(const std::string& path) noexcept;

// The line end of text files for players on this platform.
#if defined(_WIN32)
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

}  // namespace host
