// Heap allocations made by the process, for benchmarks that hold the plug-in
// to frames that do not allocate. Linking allocation_count.cpp replaces the
// global operator new, so programs under a sanitizer leave it out.
#pragma once

#include <cstdint>

namespace standin {

// Calls of operator new so far.
uint64_t Allocations();

}  // namespace standin
