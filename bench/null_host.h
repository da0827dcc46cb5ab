// A host that does as little as possible, so that a benchmark measures the
// plug-in's own work per frame: every native answers from a small table of
// canned results, and scriptWait returns at once.
#pragma once

#include <cstdint>

namespace bench {

// Sets what a native answers (first result word), by its hash.
void SetAnswer(uint64_t nativeHash, uint64_t word);
// Heap allocations made by the process so far (operator new calls).
uint64_t Allocations();
uint64_t NativeCalls();

}  // namespace bench
