// Turns fuzzer bytes into the texts the parsers take.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace corvane::fuzzing {

inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  return std::string(text.c_str());  // up to the first zero byte
}

inline std::u16string Units(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  if (!text.empty()) std::memcpy(&text[0], data, text.size() * 2);
  return std::u16string(text.c_str());
}

}  // namespace corvane::fuzzing
