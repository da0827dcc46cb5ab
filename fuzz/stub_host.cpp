#include "stub_host.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

#include "host/native_catalogue.h"
#include "host/platform.h"

namespace {

uint64_t tickMs = 1000;
bool keys[256] = {};
bool gameInForeground = true;
int waitBudget = 0;
uint64_t result[4] = {};
uint64_t currentHash = 0;
int gameWindow = 0;
int otherWindow = 0;

constexpr int kWaitBudget = 10000;
constexpr uint32_t kProcessId = 7;

// Asset waits poll these until they answer yes; every other native answers 0.
const std::unordered_set<uint64_t>& LoadedQueries() {
  static const std::unordered_set<uint64_t> hashes = [] {
    std::unordered_set<uint64_t> set;
#define EMBERWICK_FUZZ_LOADED(Name, Hash, ...)                                                              \
  if (std::string_view(#Name) == "IsClipDictionaryLoaded" || std::string_view(#Name) == "IsModelLoaded" || \
      std::string_view(#Name) == "IsAssetLoaded" || std::string_view(#Name) == "LoadSoundSet")             \
    set.insert(Hash);
    EMBERWICK_NATIVE_CATALOGUE(EMBERWICK_FUZZ_LOADED)
#undef EMBERWICK_FUZZ_LOADED
    return set;
  }();
  return hashes;
}

}  // namespace

namespace fuzz {
void SetTickMs(uint64_t ms) { tickMs = ms; }
void SetKeyDown(int virtualKey, bool down) {
  if (virtualKey >= 0 && virtualKey < 256) keys[virtualKey] = down;
}
void SetGameInForeground(bool foreground) { gameInForeground = foreground; }
void ResetWaitBudget() { waitBudget = kWaitBudget; }
}  // namespace fuzz

extern "C" {

void scriptRegister(void*, void (*)(void)) {}
void scriptUnregister(void*) {}
// There is no game to hand the frame to: a loop that keeps waiting is a hang.
void scriptWait(uint32_t) {
  if (--waitBudget < 0) {
    std::fprintf(stderr, "fuzz host: the plug-in kept waiting for frames\n");
    std::abort();
  }
}
void keyboardHandlerRegister(host::KeyboardHandler) {}
void keyboardHandlerUnregister(host::KeyboardHandler) {}
void nativeInit(uint64_t hash) { currentHash = hash; }
void nativePush64(uint64_t) {}
uint64_t* nativeCall(void) {
  for (uint64_t& word : result) word = 0;
  if (LoadedQueries().count(currentHash)) result[0] = 1;
  return result;
}
uint64_t GetTickCount64(void) { return tickMs; }
int16_t GetAsyncKeyState(int32_t virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  return keys[virtualKey] ? static_cast<int16_t>(0x8000) : 0;
}
void* GetForegroundWindow(void) { return gameInForeground ? &gameWindow : &otherWindow; }
uint32_t GetWindowThreadProcessId(void* window, uint32_t* processId) {
  if (processId) *processId = window == &gameWindow ? kProcessId : kProcessId + 1;
  return 1;
}
uint32_t GetCurrentProcessId(void) { return kProcessId; }
void GetSystemTimePreciseAsFileTime(EmberwickFileTime* out) {
  out->low = static_cast<uint32_t>(tickMs * 10000);
  out->high = static_cast<uint32_t>((tickMs * 10000) >> 32);
}

}  // extern "C"
