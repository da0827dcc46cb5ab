// The host interface of libEmberwick.so, supplied by the simulator: the script
// hook's functions and the Windows calls, all answered by the current world.
#include "host_abi.h"

#include <cstdint>

#include "simulator.h"

namespace {
constexpr uint32_t kSimProcessId = 4242;
constexpr uint32_t kOtherProcessId = 1717;
int gameWindow = 0;
int otherWindow = 0;
}  // namespace

namespace sim::abi {

void ScriptRegister(void* module, void (*scriptMain)()) { Simulator::Current().OnScriptRegister(module, scriptMain); }
void ScriptUnregister(void* module) { Simulator::Current().OnScriptUnregister(module); }
void ScriptWait(uint32_t ms) { Simulator::Current().OnScriptWait(ms); }
void KeyboardHandlerRegister(KeyboardHandlerFn handler) { Simulator::Current().OnKeyboardHandlerRegister(handler); }
void KeyboardHandlerUnregister(KeyboardHandlerFn handler) {
  Simulator::Current().OnKeyboardHandlerUnregister(handler);
}
void NativeInit(uint64_t hash) { Simulator::Current().OnNativeInit(hash); }
void NativePush64(uint64_t word) { Simulator::Current().OnNativePush(word); }
uint64_t* NativeCall() { return Simulator::Current().OnNativeCall(); }

uint64_t GetTickCount64() { return Simulator::Current().TickCount64(); }
int16_t GetAsyncKeyState(int32_t virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return Simulator::Current().world.keyboard.down[virtualKey] ? static_cast<int16_t>(0x8000) : 0;
}
void* GetForegroundWindow() {
  return Simulator::Current().world.keyboard.gameInForeground ? &gameWindow : &otherWindow;
}
uint32_t GetWindowThreadProcessId(void* window, uint32_t* processId) {
  if (processId) *processId = window == &gameWindow ? kSimProcessId : kOtherProcessId;
  return 1;
}
uint32_t GetCurrentProcessId() { return kSimProcessId; }
void GetSystemTimePreciseAsFileTime(FileTime* out) {
  uint64_t ticks = static_cast<uint64_t>(Simulator::Current().SystemTime100ns());
  out->low = static_cast<uint32_t>(ticks);
  out->high = static_cast<uint32_t>(ticks >> 32);
}

}  // namespace sim::abi

#if !defined(_WIN32)
extern "C" {

struct EmberwickFileTime {
  uint32_t low;
  uint32_t high;
};

__attribute__((visibility("default"))) void scriptRegister(void* module, void (*scriptMain)(void)) {
  sim::abi::ScriptRegister(module, scriptMain);
}
__attribute__((visibility("default"))) void scriptUnregister(void* module) { sim::abi::ScriptUnregister(module); }
__attribute__((visibility("default"))) void scriptWait(uint32_t ms) { sim::abi::ScriptWait(ms); }
__attribute__((visibility("default"))) void keyboardHandlerRegister(sim::KeyboardHandlerFn handler) {
  sim::abi::KeyboardHandlerRegister(handler);
}
__attribute__((visibility("default"))) void keyboardHandlerUnregister(sim::KeyboardHandlerFn handler) {
  sim::abi::KeyboardHandlerUnregister(handler);
}
__attribute__((visibility("default"))) void nativeInit(uint64_t hash) { sim::abi::NativeInit(hash); }
__attribute__((visibility("default"))) void nativePush64(uint64_t word) { sim::abi::NativePush64(word); }
__attribute__((visibility("default"))) uint64_t* nativeCall(void) { return sim::abi::NativeCall(); }

__attribute__((visibility("default"))) uint64_t GetTickCount64(void) { return sim::abi::GetTickCount64(); }
__attribute__((visibility("default"))) int16_t GetAsyncKeyState(int32_t virtualKey) {
  return sim::abi::GetAsyncKeyState(virtualKey);
}
__attribute__((visibility("default"))) void* GetForegroundWindow(void) { return sim::abi::GetForegroundWindow(); }
__attribute__((visibility("default"))) uint32_t GetWindowThreadProcessId(void* window, uint32_t* processId) {
  return sim::abi::GetWindowThreadProcessId(window, processId);
}
__attribute__((visibility("default"))) uint32_t GetCurrentProcessId(void) { return sim::abi::GetCurrentProcessId(); }

// The optional part of the interface (the README's "The host interface"):
// what the log names as the game's build and the script hook's version.
__attribute__((visibility("default"))) const char* EmberwickGameBuild(void) { return sim::kGameBuild; }
__attribute__((visibility("default"))) const char* EmberwickScriptHookVersion(void) { return sim::kScriptHookVersion; }
__attribute__((visibility("default"))) void GetSystemTimePreciseAsFileTime(EmberwickFileTime* out) {
  sim::abi::FileTime time{0, 0};
  sim::abi::GetSystemTimePreciseAsFileTime(&time);
  out->low = time.low;
  out->high = time.high;
}

}  // extern "C"
#endif
