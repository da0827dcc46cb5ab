// The host interface as the simulator answers it: the script hook's functions
// and the Windows calls, for the current simulator. On Linux host_abi.cpp
// exports them under their C names for libEmberwick.so; the Windows host hands
// the hook's to the stand-in ScriptHookRDR2.dll and points the module's imports
// of the Windows calls at the others.
#pragma once

#include <cstdint>

namespace sim {

// The setup the simulated PC reports for the log's first lines (the Windows
// host carries the same numbers in its version resources).
#ifndef EMBERWICK_SIM_GAME_BUILD
#define EMBERWICK_SIM_GAME_BUILD "1.0.1491.50"
#define EMBERWICK_SIM_HOOK_VERSION "1.0.1491.17"
#endif
inline constexpr const char* kGameBuild = EMBERWICK_SIM_GAME_BUILD;
inline constexpr const char* kScriptHookVersion = EMBERWICK_SIM_HOOK_VERSION;

}  // namespace sim

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
