#include "support/memory.h"

#include <cstdint>
#include <cstdlib>

namespace corvane {

void* AllocZeroed(std::size_t count, std::size_t size) {
  if (size != 0 && count > SIZE_MAX / size) return nullptr;
  if (count == 0 || size == 0) count = size = 1;
  return std::calloc(count, size);
}

void FreeMemory(void* block) { std::free(block); }

}  // namespace corvane
