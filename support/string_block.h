// A block of a string table as Windows stores it in a module's resources:
// sixteen texts in turn, each a 16-bit count of UTF-16 units followed by
// that many units, not terminated. Block n holds ids 16 * (n - 1) to
// 16 * n - 1.
#pragma once
#include <cstddef>
#include <cstdint>

namespace corvane {

constexpr unsigned kStringsPerBlock = 16;

inline unsigned StringBlockOf(unsigned id) { return id / kStringsPerBlock + 1; }

struct BlockText {
  const char16_t* units = nullptr;
  std::size_t length = 0;
};

// The text of `id` in the block of `bytes` bytes at `block`, or an empty
// text when the block is shorter than it says or holds none for it.
BlockText TextInStringBlock(const void* block, std::size_t bytes, unsigned id);

}  // namespace corvane
