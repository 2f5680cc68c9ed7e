#include "tests/support/failing_memory.h"

#include <cstdint>
#include <cstdlib>

#include "support/memory.h"

namespace corvane {
namespace {
int failAfter = -1;
int allocations = 0;
int live = 0;
}  // namespace

void* AllocZeroed(std::size_t count, std::size_t size) {
  if (failAfter == 0) {
    failAfter = -1;
    return nullptr;
  }
  if (failAfter > 0) --failAfter;
  if (size != 0 && count > SIZE_MAX / size) return nullptr;
  void* block = std::calloc(count == 0 ? 1 : count, size == 0 ? 1 : size);
  if (block != nullptr) {
    ++allocations;
    ++live;
  }
  return block;
}

void FreeMemory(void* block) {
  if (block != nullptr) --live;
  std::free(block);
}

namespace testing {
void FailAllocationAfter(int successes) { failAfter = successes; }
int AllocationCount() { return allocations; }
int LiveAllocations() { return live; }
void ResetAllocationCounters() {
  allocations = 0;
  live = 0;
  failAfter = -1;
}
}  // namespace testing
}  // namespace corvane
