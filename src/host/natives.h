// Typed wrappers for the whole native catalogue: one function per row, each
// performing exactly one invocation. `native::PlayerPedId()`, and so on.
#pragma once

#include "host/native_catalogue.h"
#include "host/native_invoke.h"

namespace native {

#define EMBERWICK_DEFINE_WRAPPER(Name, NativeHash, Result, ...) \
  inline constexpr auto Name = &Invoke<NativeHash, Result __VA_OPT__(, ) __VA_ARGS__>;
EMBERWICK_NATIVE_CATALOGUE(EMBERWICK_DEFINE_WRAPPER)
#undef EMBERWICK_DEFINE_WRAPPER

}  // namespace native
