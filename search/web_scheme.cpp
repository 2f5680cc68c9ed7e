#include "search/web_scheme.h"

namespace corvane {
namespace {

constexpr char FoldAsciiByte(char byte) {
  return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 32) : byte;
}

}  // namespace

std::size_t CaselessPrefixLength(const char* utf8, const char* lowerPrefix) {
  std::size_t i = 0;
  for (; lowerPrefix[i] != 0; ++i)
    if (FoldAsciiByte(utf8[i]) != lowerPrefix[i]) return 0;
  return i;
}

std::size_t WebSchemeLength(const char* utf8) {
  if (std::size_t length = CaselessPrefixLength(utf8, "https://")) return length;
  return CaselessPrefixLength(utf8, "http://");
}

std::size_t ServerNameLength(const char* utf8) {
  std::size_t i = 0;
  while (utf8[i] != 0 && utf8[i] != '/' && utf8[i] != '?' && utf8[i] != '#') ++i;
  return i;
}

}  // namespace corvane
