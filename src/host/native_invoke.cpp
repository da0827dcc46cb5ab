#include "host/native_invoke.h"

namespace native {

uint64_t InvokeNative3(uint64_t hash, int32_t a, int32_t b, int32_t c) {
  host::NativeInit(hash);
  host::NativePush64(ToWord(a));
  host::NativePush64(ToWord(b));
  host::NativePush64(ToWord(c));
  return host::NativeCall()[0];
}

void PushVector3(float x, float y, float z) {
  host::NativePush64(ToWord(x));
  host::NativePush64(ToWord(y));
  host::NativePush64(ToWord(z));
}

void PushInts4(int32_t a, int32_t b, int32_t c, int32_t d) {
  host::NativePush64(ToWord(a));
  host::NativePush64(ToWord(b));
  host::NativePush64(ToWord(c));
  host::NativePush64(ToWord(d));
}

void PushPositionTail(float x, float y, float z, int32_t d) {
  PushVector3(x, y, z);
  host::NativePush64(ToWord(1.0f));
  host::NativePush64(ToWord(d));
  host::NativePush64(ToWord(int32_t{3}));
}

void PushBoxTail(float a, float b, float c, float d, int32_t e, int32_t f, int32_t g, int32_t h) {
  PushVector3(a, b, c);
  host::NativePush64(ToWord(d));
  PushInts4(e, f, g, h);
  host::NativePush64(ToWord(int32_t{1}));
  host::NativePush64(ToWord(int32_t{1}));
}

}  // namespace native
