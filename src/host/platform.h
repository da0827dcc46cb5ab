// The platform seam: the script hook's functions and the few Windows calls the
// plug-in needs. On Linux they are the host interface (extern "C", supplied by
// whatever process loads libEmberwick.so); on Windows the module imports the
// hook's functions from ScriptHookRDR2.dll, so the loader loads the hook first.
#pragma once

#include <cstdint>

namespace host {

// The hook's keyboard handler: the plug-in's OnKeyboardMessage has this type.
using KeyboardHandlerFn = void(uint32_t key, uint16_t repeats, uint8_t scanCode, int32_t isExtended,
                               int32_t isWithAlt, int32_t wasDownBefore, int32_t isUpNow);
using KeyboardHandler = KeyboardHandlerFn*;
using ScriptMainFn = void (*)();

}  // namespace host

#if defined(_WIN32)

namespace host {
void ScriptRegister(void* module, ScriptMainFn scriptMain);
void ScriptUnregister(void* module);
void ScriptWait(uint32_t ms);
void KeyboardHandlerRegister(KeyboardHandler handler);
void KeyboardHandlerUnregister(KeyboardHandler handler);
void NativeInit(uint64_t hash);
void NativePush64(uint64_t word);
uint64_t* NativeCall();
uint64_t TickCount64();
bool AsyncKeyDown(int virtualKey);
bool GameWindowInForeground();
int64_t SystemTime100ns();
}  // namespace host

#else

extern "C" {
struct EmberwickFileTime {
  uint32_t low;
  uint32_t high;
};
void scriptRegister(void* module, void (*scriptMain)(void));
void scriptUnregister(void* module);
void scriptWait(uint32_t ms);
void keyboardHandlerRegister(host::KeyboardHandler handler);
void keyboardHandlerUnregister(host::KeyboardHandler handler);
void nativeInit(uint64_t hash);
void nativePush64(uint64_t word);
uint64_t* nativeCall(void);
uint64_t GetTickCount64(void);
int16_t GetAsyncKeyState(int32_t virtualKey);
void* GetForegroundWindow(void);
uint32_t GetWindowThreadProcessId(void* window, uint32_t* processId);
uint32_t GetCurrentProcessId(void);
void GetSystemTimePreciseAsFileTime(EmberwickFileTime* out);
}

namespace host {
inline void ScriptRegister(void* module, ScriptMainFn scriptMain) { scriptRegister(module, scriptMain); }
inline void ScriptUnregister(void* module) { scriptUnregister(module); }
inline void ScriptWait(uint32_t ms) { scriptWait(ms); }
inline void KeyboardHandlerRegister(KeyboardHandler handler) { keyboardHandlerRegister(handler); }
inline void KeyboardHandlerUnregister(KeyboardHandler handler) { keyboardHandlerUnregister(handler); }
inline void NativeInit(uint64_t hash) { nativeInit(hash); }
inline void NativePush64(uint64_t word) { nativePush64(word); }
inline uint64_t* NativeCall() { return nativeCall(); }
inline uint64_t TickCount64() { return GetTickCount64(); }
inline bool AsyncKeyDown(int virtualKey) {
  return (static_cast<uint16_t>(GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}
inline bool GameWindowInForeground() {
  uint32_t windowProcess = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &windowProcess);
  return windowProcess == GetCurrentProcessId();
}
inline int64_t SystemTime100ns() {
  EmberwickFileTime time{0, 0};
  GetSystemTimePreciseAsFileTime(&time);
  return static_cast<int64_t>((static_cast<uint64_t>(time.high) << 32) | time.low);
}
}  // namespace host

#endif

namespace host {
// The low 32 bits of the tick count: the clock of key timing, of the
// missing-dictionary message and of mount tracking. Differences taken as
// unsigned 32-bit values stay right across its wrap after 49.7 days.
inline uint32_t TickCount32() { return static_cast<uint32_t>(TickCount64()); }
}  // namespace host
