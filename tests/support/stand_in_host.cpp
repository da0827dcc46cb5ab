#include "stand_in_host.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "host/native_catalogue.h"
#include "host/platform.h"

namespace {

// Answers by native hash, in open addressing: looking one up never allocates.
constexpr int kSlots = 512;
uint64_t answerHash[kSlots];
uint64_t answerWord[kSlots];
int answers = 0;
// Answers by native hash and first argument, few enough to look through.
struct ArgumentAnswer {
  uint64_t hash, argument, word;
};
constexpr int kArgumentAnswers = 16;
ArgumentAnswer argumentAnswers[kArgumentAnswers];
int argumentAnswerCount = 0;

uint64_t result[4];
uint64_t currentHash = 0;
uint64_t firstArgument = 0;
int pushed = 0;
uint64_t nativeCalls = 0;

uint64_t tickMs = 1000;
uint64_t tickStepMs = 0;
bool keys[256] = {};
bool gameInForeground = true;
int gameWindow = 0;
int otherWindow = 0;
constexpr uint32_t kProcessId = 7;
int waitsLeft = -1;

int Slot(uint64_t hash) { return static_cast<int>((hash ^ (hash >> 17)) % kSlots); }

}  // namespace

namespace standin {

void SetAnswer(uint64_t nativeHash, uint64_t word) {
  int slot = Slot(nativeHash);
  while (answerHash[slot] != 0 && answerHash[slot] != nativeHash) slot = (slot + 1) % kSlots;
  if (answerHash[slot] == 0 && ++answers >= kSlots) {
    std::fprintf(stderr, "stand-in host: more native answers than it has room for\n");
    std::abort();
  }
  answerHash[slot] = nativeHash;
  answerWord[slot] = word;
}

void SetAnswerFor(uint64_t nativeHash, uint64_t argument, uint64_t word) {
  for (int i = 0; i < argumentAnswerCount; ++i) {
    if (argumentAnswers[i].hash == nativeHash && argumentAnswers[i].argument == argument) {
      argumentAnswers[i].word = word;
      return;
    }
  }
  if (argumentAnswerCount == kArgumentAnswers) {
    std::fprintf(stderr, "stand-in host: more answers by argument than it has room for\n");
    std::abort();
  }
  argumentAnswers[argumentAnswerCount++] = {nativeHash, argument, word};
}

void AnswerAssetsLoaded() {
#define EMBERWICK_STANDIN_LOADED(Name, Hash, ...)                                                           \
  if (std::string_view(#Name) == "HasAnimDictLoaded" || std::string_view(#Name) == "HasModelLoaded" ||      \
      std::string_view(#Name) == "HasNamedPtfxAssetLoaded" || std::string_view(#Name) == "PrepareSoundSet") \
    SetAnswer(Hash, 1);
  EMBERWICK_NATIVE_CATALOGUE(EMBERWICK_STANDIN_LOADED)
#undef EMBERWICK_STANDIN_LOADED
}

uint64_t NativeCalls() { return nativeCalls; }
void SetTickMs(uint64_t ms) { tickMs = ms; }
void SetTickStepPerRead(uint64_t ms) { tickStepMs = ms; }
void SetKeyDown(int virtualKey, bool down) {
  if (virtualKey >= 0 && virtualKey < 256) keys[virtualKey] = down;
}
void SetGameInForeground(bool foreground) { gameInForeground = foreground; }
void LimitWaits(int waits) { waitsLeft = waits; }

}  // namespace standin

extern "C" {

void scriptRegister(void*, void (*)(void)) {}
void scriptUnregister(void*) {}
void scriptWait(uint32_t) {
  if (waitsLeft < 0) return;
  if (waitsLeft-- == 0) {
    std::fprintf(stderr, "stand-in host: the plug-in kept waiting for frames\n");
    std::abort();
  }
}
void keyboardHandlerRegister(host::KeyboardHandler) {}
void keyboardHandlerUnregister(host::KeyboardHandler) {}
void nativeInit(uint64_t hash) {
  currentHash = hash;
  pushed = 0;
}
void nativePush64(uint64_t word) {
  if (pushed++ == 0) firstArgument = word;
}
uint64_t* nativeCall(void) {
  ++nativeCalls;
  for (uint64_t& word : result) word = 0;
  for (int i = 0; i < argumentAnswerCount; ++i) {
    const ArgumentAnswer& answer = argumentAnswers[i];
    if (answer.hash == currentHash && pushed > 0 && answer.argument == firstArgument) {
      result[0] = answer.word;
      return result;
    }
  }
  for (int slot = Slot(currentHash); answerHash[slot] != 0; slot = (slot + 1) % kSlots) {
    if (answerHash[slot] == currentHash) {
      result[0] = answerWord[slot];
      break;
    }
  }
  return result;
}
uint64_t GetTickCount64(void) { return tickMs += tickStepMs; }
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
  const uint64_t ticks = tickMs * 10000;
  out->low = static_cast<uint32_t>(ticks);
  out->high = static_cast<uint32_t>(ticks >> 32);
}

}  // extern "C"
