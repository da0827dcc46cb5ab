#include "allocation_count.h"

#include <cstdlib>
#include <new>

namespace {
uint64_t allocations = 0;
}  // namespace

namespace standin {
uint64_t Allocations() { return allocations; }
}  // namespace standin

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
