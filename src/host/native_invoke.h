// The native invocation layer: how arguments become 64-bit words and how the
// result words are read. Every invocation is nativeInit, one push per argument,
// then nativeCall, with nothing in between that could start another.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "host/native_types.h"
#include "host/platform.h"

namespace native {

// Values narrower than a word go into the low half of a zeroed word, never
// sign-extended; pointers are pushed as their full address.
template <typename T>
constexpr uint64_t ToWord(T value) {
  if constexpr (std::is_same_v<T, bool>) {
    return value ? 1u : 0u;
  } else if constexpr (std::is_same_v<T, float>) {
    return std::bit_cast<uint32_t>(value);
  } else if constexpr (std::is_pointer_v<T>) {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(value));
  } else {
    static_assert(std::is_integral_v<T> && sizeof(T) <= 4, "unsupported native argument type");
    return static_cast<uint32_t>(value);
  }
}

template <typename R>
R FromResult(const uint64_t* words) {
  if constexpr (std::is_same_v<R, Vector3>) {
    Vector3 result;
    std::memcpy(&result, words, sizeof(result));
    return result;
  } else if constexpr (std::is_same_v<R, bool>) {
    return static_cast<uint32_t>(words[0]) != 0;
  } else if constexpr (std::is_same_v<R, float>) {
    return std::bit_cast<float>(static_cast<uint32_t>(words[0]));
  } else if constexpr (std::is_pointer_v<R>) {
    return reinterpret_cast<R>(static_cast<uintptr_t>(words[0]));
  } else {
    static_assert(std::is_integral_v<R> && sizeof(R) <= 4, "unsupported native result type");
    return static_cast<R>(static_cast<uint32_t>(words[0]));
  }
}

// One invocation of the native `NativeHash`. The wrappers of the catalogue are
// instances of this template.
template <uint64_t NativeHash, typename R, typename... Args>
R Invoke(Args... args) {
  host::NativeInit(NativeHash);
  (host::NativePush64(ToWord(args)), ...);
  const uint64_t* words = host::NativeCall();
  if constexpr (!std::is_void_v<R>) return FromResult<R>(words);
  else (void)words;
}

}  // namespace native
