// The one allocator of the module: zero-filled blocks that the receiver frees
// with FreeMemory. Every buffer handed from one layer to another (UTF-8 text,
// home-page text, search addresses) comes from here.
#pragma once
#include <cstddef>

#include "support/unique_handle.h"

namespace corvane {

// count * size bytes, all zero; nullptr when the product overflows or no
// memory is left.
void* AllocZeroed(std::size_t count, std::size_t size);
void FreeMemory(void* block);

template <class T>
T* AllocArray(std::size_t count) {
  return static_cast<T*>(AllocZeroed(count, sizeof(T)));
}

// A block from AllocZeroed with one owner.
template <class T>
using UniqueMemory = UniqueHandle<T*, FreeMemory>;

}  // namespace corvane
