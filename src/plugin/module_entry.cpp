// The DLL entry point, as the Windows loader (or a Linux host acting like it)
// calls it. On Linux it is the module's one exported symbol; on Windows the
// loader finds it through the C runtime's start-up code, so nothing is exported.
#include <cstdint>

#include "plugin/main_loop.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

extern "C" BOOL APIENTRY DllMain(HMODULE module, DWORD reason, LPVOID reserved) {
  return PluginDllMain(module, reason, reserved) != 0 ? TRUE : FALSE;
}
#else
extern "C" __attribute__((visibility("default"))) int DllMain(void* module, uint32_t reason, void* reserved) {
  return PluginDllMain(module, reason, reserved);
}
#endif
