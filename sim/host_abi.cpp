// The host interface of libEmberwick.so, supplied by the simulator: the script
// hook's functions and the Windows calls, all answered by the current world.
#include <cstdint>

#include "simulator.h"

namespace {
constexpr uint32_t kSimProcessId = 4242;
constexpr uint32_t kOtherProcessId = 1717;
int gameWindow = 0;
int otherWindow = 0;
}  // namespace

extern "C" {

struct EmberwickFileTime {
  uint32_t low;
  uint32_t high;
};

__attribute__((visibility("default"))) void scriptRegister(void* module, void (*scriptMain)(void)) {
  sim::Simulator::Current().OnScriptRegister(module, scriptMain);
}
__attribute__((visibility("default"))) void scriptUnregister(void* module) {
  sim::Simulator::Current().OnScriptUnregister(module);
}
__attribute__((visibility("default"))) void scriptWait(uint32_t ms) { sim::Simulator::Current().OnScriptWait(ms); }
__attribute__((visibility("default"))) void keyboardHandlerRegister(sim::KeyboardHandlerFn handler) {
  sim::Simulator::Current().OnKeyboardHandlerRegister(handler);
}
__attribute__((visibility("default"))) void keyboardHandlerUnregister(sim::KeyboardHandlerFn handler) {
  sim::Simulator::Current().OnKeyboardHandlerUnregister(handler);
}
__attribute__((visibility("default"))) void nativeInit(uint64_t hash) { sim::Simulator::Current().OnNativeInit(hash); }
__attribute__((visibility("default"))) void nativePush64(uint64_t word) {
  sim::Simulator::Current().OnNativePush(word);
}
__attribute__((visibility("default"))) uint64_t* nativeCall(void) { return sim::Simulator::Current().OnNativeCall(); }

__attribute__((visibility("default"))) uint64_t GetTickCount64(void) {
  return sim::Simulator::Current().TickCount64();
}
__attribute__((visibility("default"))) int16_t GetAsyncKeyState(int32_t virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return sim::Simulator::Current().world.keyboard.down[virtualKey] ? static_cast<int16_t>(0x8000) : 0;
}
__attribute__((visibility("default"))) void* GetForegroundWindow(void) {
  return sim::Simulator::Current().world.keyboard.gameInForeground ? &gameWindow : &otherWindow;
}
__attribute__((visibility("default"))) uint32_t GetWindowThreadProcessId(void* window, uint32_t* processId) {
  if (processId) *processId = window == &gameWindow ? kSimProcessId : kOtherProcessId;
  return 1;
}
__attribute__((visibility("default"))) uint32_t GetCurrentProcessId(void) { return kSimProcessId; }
__attribute__((visibility("default"))) void GetSystemTimePreciseAsFileTime(EmberwickFileTime* out) {
  uint64_t ticks = static_cast<uint64_t>(sim::Simulator::Current().SystemTime100ns());
  out->low = static_cast<uint32_t>(ticks);
  out->high = static_cast<uint32_t>(ticks >> 32);
}

}  // extern "C"
