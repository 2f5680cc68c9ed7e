#include "support/string_block.h"

#include <cstring>

namespace corvane {

BlockText TextInStringBlock(const void* block, std::size_t bytes, unsigned id) {
  const auto* at = static_cast<const unsigned char*>(block);
  const std::size_t units = bytes / sizeof(char16_t);
  std::size_t offset = 0;
  for (unsigned index = 0; index <= id % kStringsPerBlock; ++index) {
    if (offset >= units) return {};
    std::uint16_t length;
    std::memcpy(&length, at + offset * sizeof(char16_t), sizeof length);
    ++offset;
    if (length > units - offset) return {};
    if (index == id % kStringsPerBlock)
      return {reinterpret_cast<const char16_t*>(at + offset * sizeof(char16_t)), length};
    offset += length;
  }
  return {};
}

}  // namespace corvane
