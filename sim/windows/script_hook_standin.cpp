// A stand-in for ScriptHookRDR2.dll: the hook's eight functions (exported under
// their decorated names by the .def file CMake writes), each handing the call to
// the Windows host that loaded the plug-in.
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "hook_host.h"

namespace {

const sim::HookHost& Host() {
  static const sim::HookHost* host = [] {
    auto* table = reinterpret_cast<const sim::HookHost*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), sim::kHookHostExport)));
    if (!table) {
      std::fprintf(stderr, "ScriptHookRDR2.dll (stand-in): this process is not the Emberwick host\n");
      std::abort();
    }
    return table;
  }();
  return *host;
}

}  // namespace

extern "C" {
void scriptRegister(HMODULE module, void (*scriptMain)()) { Host().scriptRegister(module, scriptMain); }
void scriptUnregister(HMODULE module) { Host().scriptUnregister(module); }
void scriptWait(DWORD ms) { Host().scriptWait(ms); }
void keyboardHandlerRegister(sim::HookKeyboardHandler handler) { Host().keyboardHandlerRegister(handler); }
void keyboardHandlerUnregister(sim::HookKeyboardHandler handler) { Host().keyboardHandlerUnregister(handler); }
void nativeInit(UINT64 hash) { Host().nativeInit(hash); }
void nativePush64(UINT64 word) { Host().nativePush64(word); }
PUINT64 nativeCall() { return reinterpret_cast<PUINT64>(Host().nativeCall()); }
}
