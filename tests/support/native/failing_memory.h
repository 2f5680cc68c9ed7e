// Test allocator: behaves like the product's until told to fail.
#pragma once

namespace corvane::test {

// The allocation after `successes` more successful ones fails; -1 never.
void FailAllocationAfter(int successes);
// Allocations made since the counter was last reset, and blocks not freed.
int AllocationCount();
int LiveAllocations();
void ResetAllocationCounters();

}  // namespace corvane::test
