#include "null_host.h"

#include <cstdlib>
#include <new>

#include "host/platform.h"

namespace {
constexpr int kSlots = 512;
uint64_t answerHash[kSlots];
uint64_t answerWord[kSlots];
uint64_t results[4];
uint64_t currentHash;
uint64_t nativeCalls;
uint64_t allocations;
uint64_t nowMs = 1'000'000;

int Slot(uint64_t hash) { return static_cast<int>((hash ^ (hash >> 17)) % kSlots); }
}  // namespace

namespace bench {
void SetAnswer(uint64_t nativeHash, uint64_t word) {
  int slot = Slot(nativeHash);
  while (answerHash[slot] != 0 && answerHash[slot] != nativeHash) slot = (slot + 1) % kSlots;
  answerHash[slot] = nativeHash;
  answerWord[slot] = word;
}
uint64_t Allocations() { return allocations; }
uint64_t NativeCalls() { return nativeCalls; }
}  // namespace bench

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

extern "C" {
void scriptRegister(void*, void (*)(void)) {}
void scriptUnregister(void*) {}
void scriptWait(uint32_t) {}
void keyboardHandlerRegister(host::KeyboardHandler) {}
void keyboardHandlerUnregister(host::KeyboardHandler) {}
void nativeInit(uint64_t hash) { currentHash = hash; }
void nativePush64(uint64_t) {}
uint64_t* nativeCall(void) {
  ++nativeCalls;
  int slot = Slot(currentHash);
  results[0] = 0;
  while (answerHash[slot] != 0) {
    if (answerHash[slot] == currentHash) {
      results[0] = answerWord[slot];
      break;
    }
    slot = (slot + 1) % kSlots;
  }
  return results;
}
uint64_t GetTickCount64(void) { return nowMs += 16; }
int16_t GetAsyncKeyState(int32_t) { return 0; }
void* GetForegroundWindow(void) { return nullptr; }
uint32_t GetWindowThreadProcessId(void*, uint32_t* processId) {
  if (processId) *processId = 1;
  return 1;
}
uint32_t GetCurrentProcessId(void) { return 1; }
void GetSystemTimePreciseAsFileTime(EmberwickFileTime* out) {
  uint64_t ticks = nowMs * 10000;
  out->low = static_cast<uint32_t>(ticks);
  out->high = static_cast<uint32_t>(ticks >> 32);
}
}
