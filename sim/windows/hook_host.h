// How the stand-in ScriptHookRDR2.dll reaches the Windows host: the host
// executable exports this table under kHookHostExport, and the stand-in's
// eight functions forward to it.
#pragma once

#include <cstdint>

namespace sim {

using HookKeyboardHandler = void (*)(uint32_t, uint16_t, uint8_t, int32_t, int32_t, int32_t, int32_t);

struct HookHost {
  void (*scriptRegister)(void* module, void (*scriptMain)());
  void (*scriptUnregister)(void* module);
  void (*scriptWait)(uint32_t ms);
  void (*keyboardHandlerRegister)(HookKeyboardHandler handler);
  void (*keyboardHandlerUnregister)(HookKeyboardHandler handler);
  void (*nativeInit)(uint64_t hash);
  void (*nativePush64)(uint64_t word);
  uint64_t* (*nativeCall)();
};

inline constexpr const char* kHookHostExport = "emberwickHookHost";

}  // namespace sim
