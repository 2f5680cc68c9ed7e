#include "tests/support/native/failing_memory.h"

#include <cstdint>
#include <cstdlib>

#include "support/memory.h"

namespace corvane {
namespace {
int FailAfter = -1;
int Allocations = 0;
int Live = 0;
}  // namespace

void* AllocZeroed(std::size_t count, std::size_t size) {
  if (FailAfter == 0) {
    FailAfter = -1;
    return nullptr;
  }
  if (FailAfter > 0) --FailAfter;
  if (size != 0 && count > SIZE_MAX / size) return nullptr;
  void* block = std::calloc(count == 0 ? 1 : count, size == 0 ? 1 : size);
  if (block != nullptr) {
    ++Allocations;
    ++Live;
  }
  return block;
}

void FreeMemory(void* block) {
  if (block != nullptr) --Live;
  std::free(block);
}

namespace test {
void FailAllocationAfter(int successes) { FailAfter = successes; }
int AllocationCount() { return Allocations; }
int LiveAllocations() { return Live; }
void ResetAllocationCounters() {
  Allocations = 0;
  Live = 0;
  FailAfter = -1;
}
}  // namespace test
}  // namespace corvane
