// Windows side of the platform seam. The hook's functions are looked up by
// their exported (MSVC-decorated) names, so no SDK import library is needed
// and MinGW builds the module as well as MSVC does.
#if defined(_WIN32)

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "host/platform.h"

namespace host {
namespace {

struct HookExports {
  void (*scriptRegister)(HMODULE, void (*)()) = nullptr;
  void (*scriptUnregister)(HMODULE) = nullptr;
  void (*scriptWait)(DWORD) = nullptr;
  void (*keyboardHandlerRegister)(KeyboardHandler) = nullptr;
  void (*keyboardHandlerUnregister)(KeyboardHandler) = nullptr;
  void (*nativeInit)(UINT64) = nullptr;
  void (*nativePush64)(UINT64) = nullptr;
  PUINT64 (*nativeCall)() = nullptr;
};

HookExports hook;
uint64_t emptyResult[4] = {0, 0, 0, 0};

template <typename Fn>
void Resolve(HMODULE module, const char* name, Fn& out) {
  out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool ResolveHook() {
  HMODULE module = GetModuleHandleA("ScriptHookRDR2.dll");
  if (module == nullptr) return false;
  Resolve(module, "?scriptRegister@@YAXPEAUHINSTANCE__@@P6AXXZ@Z", hook.scriptRegister);
  Resolve(module, "?scriptUnregister@@YAXPEAUHINSTANCE__@@@Z", hook.scriptUnregister);
  Resolve(module, "?scriptWait@@YAXK@Z", hook.scriptWait);
  Resolve(module, "?keyboardHandlerRegister@@YAXP6AXKGEHHHH@Z@Z", hook.keyboardHandlerRegister);
  Resolve(module, "?keyboardHandlerUnregister@@YAXP6AXKGEHHHH@Z@Z", hook.keyboardHandlerUnregister);
  Resolve(module, "?nativeInit@@YAX_K@Z", hook.nativeInit);
  Resolve(module, "?nativePush64@@YAX_K@Z", hook.nativePush64);
  Resolve(module, "?nativeCall@@YAPEA_KXZ", hook.nativeCall);
  return hook.scriptRegister != nullptr && hook.nativeCall != nullptr;
}

void ScriptRegister(void* module, ScriptMainFn scriptMain) {
  if (hook.scriptRegister) hook.scriptRegister(static_cast<HMODULE>(module), scriptMain);
}
void ScriptUnregister(void* module) {
  if (hook.scriptUnregister) hook.scriptUnregister(static_cast<HMODULE>(module));
}
void ScriptWait(uint32_t ms) {
  if (hook.scriptWait) hook.scriptWait(ms);
}
void KeyboardHandlerRegister(KeyboardHandler handler) {
  if (hook.keyboardHandlerRegister) hook.keyboardHandlerRegister(handler);
}
void KeyboardHandlerUnregister(KeyboardHandler handler) {
  if (hook.keyboardHandlerUnregister) hook.keyboardHandlerUnregister(handler);
}
void NativeInit(uint64_t hash) {
  if (hook.nativeInit) hook.nativeInit(hash);
}
void NativePush64(uint64_t word) {
  if (hook.nativePush64) hook.nativePush64(word);
}
uint64_t* NativeCall() {
  // Without the hook every native reads as zero, which later steps tolerate.
  if (!hook.nativeCall) return emptyResult;
  return reinterpret_cast<uint64_t*>(hook.nativeCall());
}
uint64_t TickCount64() { return GetTickCount64(); }
bool AsyncKeyDown(int virtualKey) {
  return (static_cast<uint16_t>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}
bool GameWindowInForeground() {
  DWORD windowProcess = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &windowProcess);
  return windowProcess == GetCurrentProcessId();
}
int64_t SystemTime100ns() {
  FILETIME time{};
  GetSystemTimePreciseAsFileTime(&time);
  return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

}  // namespace host

#endif
