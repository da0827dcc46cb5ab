// Windows side of the platform seam. The hook's functions are imported from
// ScriptHookRDR2.dll (import library built from script_hook.def), so the
// loader refuses the module when the hook is missing or lacks one of them,
// instead of the module loading and silently doing nothing.
#if defined(_WIN32)

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "host/platform.h"

namespace {
using HookKeyboardHandler = void (*)(DWORD key, WORD repeats, BYTE scanCode, BOOL isExtended, BOOL isWithAlt,
                                     BOOL wasDownBefore, BOOL isUpNow);
}  // namespace

#if defined(_MSC_VER)
// MSVC decorates these declarations into exactly the names the hook exports,
// so the parameter types must stay the hook's own.
#define EMBERWICK_HOOK_IMPORT __declspec(dllimport)
#else
// MinGW: the import library maps these plain names onto the decorated ones.
#define EMBERWICK_HOOK_IMPORT extern "C" __declspec(dllimport)
#endif

EMBERWICK_HOOK_IMPORT void scriptRegister(HMODULE module, void (*scriptMain)());
EMBERWICK_HOOK_IMPORT void scriptUnregister(HMODULE module);
EMBERWICK_HOOK_IMPORT void scriptWait(DWORD ms);
EMBERWICK_HOOK_IMPORT void keyboardHandlerRegister(HookKeyboardHandler handler);
EMBERWICK_HOOK_IMPORT void keyboardHandlerUnregister(HookKeyboardHandler handler);
EMBERWICK_HOOK_IMPORT void nativeInit(UINT64 hash);
EMBERWICK_HOOK_IMPORT void nativePush64(UINT64 word);
EMBERWICK_HOOK_IMPORT PUINT64 nativeCall();

namespace host {
namespace {
// The two handler types differ only in how the integer widths are spelled.
HookKeyboardHandler AsHookHandler(KeyboardHandler handler) {
  static_assert(sizeof(DWORD) == sizeof(uint32_t) && sizeof(WORD) == sizeof(uint16_t) &&
                sizeof(BYTE) == sizeof(uint8_t) && sizeof(BOOL) == sizeof(int32_t));
  return reinterpret_cast<HookKeyboardHandler>(reinterpret_cast<void*>(handler));
}
}  // namespace

void ScriptRegister(void* module, ScriptMainFn scriptMain) { scriptRegister(static_cast<HMODULE>(module), scriptMain); }
void ScriptUnregister(void* module) { scriptUnregister(static_cast<HMODULE>(module)); }
void ScriptWait(uint32_t ms) { scriptWait(ms); }
void KeyboardHandlerRegister(KeyboardHandler handler) { keyboardHandlerRegister(AsHookHandler(handler)); }
void KeyboardHandlerUnregister(KeyboardHandler handler) { keyboardHandlerUnregister(AsHookHandler(handler)); }
void NativeInit(uint64_t hash) { nativeInit(hash); }
void NativePush64(uint64_t word) { nativePush64(word); }
uint64_t* NativeCall() { return reinterpret_cast<uint64_t*>(nativeCall()); }
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
