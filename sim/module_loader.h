// What differs between the platforms the simulator runs on: how the plug-in
// library is mapped and attached, and the session's scratch directory.
#pragma once

#include <cstdint>
#include <string>

namespace sim {

using DllMainFn = int (*)(void* module, uint32_t reason, void* reserved);

struct OpenedModule {
  void* library = nullptr;
  // The entry point the host calls itself; nullptr where the platform's loader
  // calls DllMain (Windows: attach inside OpenModule, detach inside CloseModule).
  DllMainFn dllMain = nullptr;
};

// Maps the plug-in the way this platform's loader maps the .asi.
bool OpenModule(const std::string& path, OpenedModule& opened, std::string& error);
void CloseModule(void* library);

// A fresh, empty working directory for one session (the plug-in reads
// Emberwick.ini from the working directory), entered; false if none could be made.
bool EnterFreshWorkDirectory(std::string& path);
// Leaves and deletes it.
void RemoveWorkDirectory(const std::string& path);

// The plug-in reads Emberwick.ini from beside its module and writes
// Emberwick.log there, so a session loads a module of its own from its
// working directory (Linux: a symbolic link, Windows: a copy): sessions played
// at once beside one build share neither, and nothing beside the build's
// module is read in place of the session's settings. `placed` is the path to load.
bool PlaceModule(const std::string& module, const std::string& directory, std::string& placed, std::string& error);

// An environment variable of this process, which the plug-in reads too (the
// player's LOCALAPPDATA, where the log goes when the module's folder cannot be
// written).
void SetProcessVariable(const std::string& name, const std::string& value);

}  // namespace sim
