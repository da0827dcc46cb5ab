/* A host that is not the simulator: it follows the host interface to the
 * letter, loads libEmberwick.so with dlopen, runs the script main on a thread
 * of its own for a few hundred frames and unloads it. Every native answers 0. */
#include <dlfcn.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

typedef void (*KeyboardHandler)(uint32_t, uint16_t, uint8_t, int32_t, int32_t, int32_t, int32_t);
struct EmberwickFileTime {
  uint32_t low;
  uint32_t high;
};

static void (*registeredMain)(void);
static KeyboardHandler registeredHandler;
static uint64_t results[4];
static uint64_t nowMs = 1000;
static unsigned pushes, calls;
static int inInvocation;
static int protocolErrors;

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t wake = PTHREAD_COND_INITIALIZER;
static int scriptTurn;

void scriptRegister(void* module, void (*scriptMain)(void)) {
  (void)module;
  registeredMain = scriptMain;
}
void scriptUnregister(void* module) {
  (void)module;
  registeredMain = NULL;
}
void scriptWait(uint32_t ms) {
  (void)ms;
  pthread_mutex_lock(&lock);
  scriptTurn = 0;
  pthread_cond_broadcast(&wake);
  while (!scriptTurn) pthread_cond_wait(&wake, &lock);
  pthread_mutex_unlock(&lock);
}
void keyboardHandlerRegister(KeyboardHandler handler) { registeredHandler = handler; }
void keyboardHandlerUnregister(KeyboardHandler handler) {
  if (registeredHandler == handler) registeredHandler = NULL;
}
void nativeInit(uint64_t hash) {
  (void)hash;
  if (inInvocation) ++protocolErrors;
  inInvocation = 1;
}
void nativePush64(uint64_t word) {
  (void)word;
  if (!inInvocation) ++protocolErrors;
  ++pushes;
}
uint64_t* nativeCall(void) {
  if (!inInvocation) ++protocolErrors;
  inInvocation = 0;
  ++calls;
  memset(results, 0, sizeof results);
  return results;
}
uint64_t GetTickCount64(void) { return nowMs; }
int16_t GetAsyncKeyState(int32_t key) {
  (void)key;
  return 0;
}
void* GetForegroundWindow(void) { return &nowMs; }
uint32_t GetWindowThreadProcessId(void* window, uint32_t* processId) {
  (void)window;
  if (processId) *processId = 7;
  return 1;
}
uint32_t GetCurrentProcessId(void) { return 7; }
void GetSystemTimePreciseAsFileTime(struct EmberwickFileTime* out) {
  uint64_t ticks = nowMs * 10000u;
  out->low = (uint32_t)ticks;
  out->high = (uint32_t)(ticks >> 32);
}

static void* ScriptThread(void* unused) {
  (void)unused;
  pthread_mutex_lock(&lock);
  while (!scriptTurn) pthread_cond_wait(&wake, &lock);
  pthread_mutex_unlock(&lock);
  registeredMain();
  return NULL;
}

static void RunFrame(void) {
  pthread_mutex_lock(&lock);
  scriptTurn = 1;
  pthread_cond_broadcast(&wake);
  while (scriptTurn) pthread_cond_wait(&wake, &lock);
  pthread_mutex_unlock(&lock);
  nowMs += 16;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: minimal_host libEmberwick.so\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    fprintf(stderr, "dlopen: %s\n", dlerror());
    return 1;
  }
  int (*dllMain)(void*, uint32_t, void*) = (int (*)(void*, uint32_t, void*))dlsym(library, "DllMain");
  if (!dllMain) {
    fprintf(stderr, "no DllMain\n");
    return 1;
  }
  if (dllMain(library, 1, NULL) != 1 || !registeredMain || !registeredHandler || calls != 0) {
    fprintf(stderr, "attach must register the script and the keyboard handler and call no native\n");
    return 1;
  }
  registeredHandler(78, 1, 0, 0, 0, 0, 0); /* N down, N up */
  registeredHandler(78, 1, 0, 0, 0, 1, 1);

  pthread_t thread;
  pthread_create(&thread, NULL, ScriptThread, NULL);
  for (int frame = 0; frame < 600; ++frame) RunFrame();

  if (dllMain(library, 0, NULL) != 1 || registeredMain || registeredHandler) {
    fprintf(stderr, "detach must unregister the script and the keyboard handler\n");
    return 1;
  }
  if (calls == 0 || protocolErrors != 0) {
    fprintf(stderr, "natives: %u calls, %d protocol errors\n", calls, protocolErrors);
    return 1;
  }
  printf("minimal host: %u native calls, %u argument words over 600 frames\n", calls, pushes);
  /* The script thread stays parked in scriptWait, as a game's would; exit. */
  return 0;
}
