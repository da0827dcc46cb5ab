// The host interface as the simulator answers it: the script hook's functions
// and the Windows calls, for the current simulator. On Linux host_abi.cpp
// exports them under their C names for libEmberwick.so; the Windows host hands
// the hook's to the stand-in ScriptHookRDR2.dll and points the module's imports
// of the Windows calls at the others.
#pragma once

#include <cstdint>

namespace sim::abi {

struct FileTime {
  uint32_t low;
  uint32_t high;
};

void ScriptRegister(void* module, void (*scriptMain)());
void ScriptUnregister(void* module);
void ScriptWait(uint32_t ms);
void KeyboardHandlerRegister(void (*handler)(uint32_t, uint16_t, uint8_t, int32_t, int32_t, int32_t, int32_t));
void KeyboardHandlerUnregister(void (*handler)(uint32_t, uint16_t, uint8_t, int32_t, int32_t, int32_t, int32_t));
void NativeInit(uint64_t hash);
void NativePush64(uint64_t word);
uint64_t* NativeCall();

uint64_t GetTickCount64();
int16_t GetAsyncKeyState(int32_t virtualKey);
void* GetForegroundWindow();
uint32_t GetWindowThreadProcessId(void* window, uint32_t* processId);
uint32_t GetCurrentProcessId();
void GetSystemTimePreciseAsFileTime(FileTime* out);

}  // namespace sim::abi
