// Linux: dlopen, and the simulator calls DllMain as the Windows loader would.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "module_loader.h"

namespace sim {

bool OpenModule(const std::string& path, OpenedModule& opened, std::string& error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    error = dlerror();
    return false;
  }
  auto entry = reinterpret_cast<DllMainFn>(dlsym(library, "DllMain"));
  if (!entry) {
    dlclose(library);
    error = "the library exports no DllMain";
    return false;
  }
  opened.library = library;
  opened.dllMain = entry;
  return true;
}

void CloseModule(void* library) { dlclose(library); }

bool EnterFreshWorkDirectory(std::string& path) {
  char workDir[] = "/tmp/emberwick-sim-XXXXXX";
  if (!mkdtemp(workDir) || chdir(workDir) != 0) return false;
  path = workDir;
  return true;
}

void RemoveWorkDirectory(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

bool PlaceModule(const std::string& module, const std::string& directory, std::string& placed, std::string& error) {
  const std::filesystem::path link = std::filesystem::path(directory) / std::filesystem::path(module).filename();
  std::error_code failure;
  std::filesystem::create_symlink(std::filesystem::absolute(module, failure), link, failure);
  if (failure) {
    error = "cannot link " + module + " into " + directory + ": " + failure.message();
    return false;
  }
  placed = link.string();
  return true;
}

void SetProcessVariable(const std::string& name, const std::string& value) { setenv(name.c_str(), value.c_str(), 1); }

}  // namespace sim
