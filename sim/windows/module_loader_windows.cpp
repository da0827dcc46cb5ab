// Windows: the plug-in is loaded with LoadLibrary, so the Windows loader
// resolves its imports (loading ScriptHookRDR2.dll, the stand-in beside this
// executable) and calls DllMain; FreeLibrary detaches and unloads it.
//
// For a deterministic session the module's imports of the Windows clocks and
// key state are then pointed at the simulator's. With EMBERWICK_REAL_CLOCKS=1
// the clocks are left alone and the frames are paced in real time instead;
// the keyboard and which window is in front stay the session's.
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// winbase.h defines Yield away; the script fiber has a member of that name.
#undef Yield

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "host_abi.h"
#include "hook_host.h"
#include "import_table.h"
#include "module_loader.h"
#include "simulator.h"

// The table the stand-in hook forwards to.
extern "C" {
__declspec(dllexport) extern const sim::HookHost emberwickHookHost;
const sim::HookHost emberwickHookHost = {
    &sim::abi::ScriptRegister, &sim::abi::ScriptUnregister,        &sim::abi::ScriptWait,
    &sim::abi::KeyboardHandlerRegister, &sim::abi::KeyboardHandlerUnregister, &sim::abi::NativeInit,
    &sim::abi::NativePush64,   &sim::abi::NativeCall,
};
}

namespace sim {
namespace {

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length && text ? std::string(text, length) : std::string();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

bool RealClocksRequested() {
  const char* value = std::getenv("EMBERWICK_REAL_CLOCKS");
  return value && *value && std::string(value) != "0";
}

template <typename Fn>
void* Address(Fn function) {
  return reinterpret_cast<void*>(function);
}

// The session's keys reach the module through the stand-in hook's relay, so
// the key state and the window in front must be the session's as well; the
// clocks are, unless the session runs on the real ones.
bool UseSimulatedPc(HMODULE module, bool clocks, std::string& error) {
  std::vector<ImportReplacement> replacements = {
      {"GetAsyncKeyState", Address(&abi::GetAsyncKeyState)},
      {"GetForegroundWindow", Address(&abi::GetForegroundWindow)},
      {"GetWindowThreadProcessId", Address(&abi::GetWindowThreadProcessId)},
      {"GetCurrentProcessId", Address(&abi::GetCurrentProcessId)},
  };
  if (clocks) {
    replacements.push_back({"GetTickCount64", Address(&abi::GetTickCount64)});
    replacements.push_back({"GetSystemTimePreciseAsFileTime", Address(&abi::GetSystemTimePreciseAsFileTime)});
  }
  std::vector<std::string> notImported;
  if (!RedirectImports(module, replacements, notImported, error)) return false;
  if (!notImported.empty()) {
    // A clock read some other way would make the session depend on the machine.
    error = "the module does not import " + notImported.front() + ", so the simulator cannot supply it";
    return false;
  }
  return true;
}

void PaceInRealTime(Simulator& simulator) {
  const auto start = std::chrono::steady_clock::now();
  simulator.AddFrameEndHook([&simulator, start] {
    std::this_thread::sleep_until(start + std::chrono::microseconds(simulator.NowUs() + simulator.FrameUs()));
  });
}

}  // namespace

bool OpenModule(const std::string& path, OpenedModule& opened, std::string& error) {
  std::string unresolved;
  if (!ImportsResolve(path, unresolved)) {
    error = "Windows refuses to load it: " + unresolved;
    return false;
  }
  // The loader wants backslashes.
  HMODULE module = LoadLibraryA(std::filesystem::path(path).make_preferred().string().c_str());
  if (!module) {
    error = "the Windows loader refused it (" + SystemMessage(GetLastError()) + ")";
    return false;
  }
  const bool realClocks = RealClocksRequested();
  if (realClocks) {
    std::fprintf(stderr, "emberwick-sim: real clocks, frames paced in real time\n");
    PaceInRealTime(Simulator::Current());
  }
  if (!UseSimulatedPc(module, !realClocks, error)) {
    FreeLibrary(module);
    return false;
  }
  opened.library = module;
  opened.dllMain = nullptr;
  return true;
}

void CloseModule(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

bool EnterFreshWorkDirectory(std::string& path) {
  char temp[MAX_PATH + 1];
  DWORD length = GetTempPathA(sizeof temp, temp);
  if (length == 0 || length > MAX_PATH) return false;
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate = std::string(temp) + "emberwick-sim-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(attempt);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      if (!SetCurrentDirectoryA(candidate.c_str())) return false;
      path = candidate;
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool PlaceModule(const std::string& module, const std::string& directory, std::string& placed, std::string& error) {
  const std::filesystem::path copy = std::filesystem::path(directory) / std::filesystem::path(module).filename();
  std::error_code failure;
  std::filesystem::copy_file(module, copy, std::filesystem::copy_options::overwrite_existing, failure);
  if (failure) {
    error = "cannot copy " + module + " into " + directory + ": " + failure.message();
    return false;
  }
  placed = copy.string();
  return true;
}

void RemoveWorkDirectory(const std::string& path) {
  // Windows does not delete the current directory.
  std::error_code ignored;
  SetCurrentDirectoryA(std::filesystem::path(path).parent_path().string().c_str());
  std::filesystem::remove_all(path, ignored);
}

void SetProcessVariable(const std::string& name, const std::string& value) {
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

}  // namespace sim
