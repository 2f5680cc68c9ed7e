#include "search/url_encoding.h"

#include <cstdint>

namespace corvane {
namespace {

enum class QueryByteClass : std::uint8_t {
  kPlus,     // tab and space become "+"
  kDropped,  // line feed and carriage return leave no trace
  kLiteral,  // 0-9 A-Z a-z * - . _ stand for themselves
  kEscaped,  // everything else becomes %XY, upper-case hex
};

struct ByteClassTable {
  QueryByteClass classes[256];

  constexpr ByteClassTable() : classes() {
    for (int b = 0; b < 256; ++b) classes[b] = QueryByteClass::kEscaped;
    for (int b = '0'; b <= '9'; ++b) classes[b] = QueryByteClass::kLiteral;
    for (int b = 'A'; b <= 'Z'; ++b) classes[b] = QueryByteClass::kLiteral;
    for (int b = 'a'; b <= 'z'; ++b) classes[b] = QueryByteClass::kLiteral;
    classes[static_cast<unsigned char>('*')] = QueryByteClass::kLiteral;
    classes[static_cast<unsigned char>('-')] = QueryByteClass::kLiteral;
    classes[static_cast<unsigned char>('.')] = QueryByteClass::kLiteral;
    classes[static_cast<unsigned char>('_')] = QueryByteClass::kLiteral;
    classes[0x09] = QueryByteClass::kPlus;
    classes[0x20] = QueryByteClass::kPlus;
    classes[0x0A] = QueryByteClass::kDropped;
    classes[0x0D] = QueryByteClass::kDropped;
  }
};

constexpr ByteClassTable kByteClasses;

constexpr std::uint8_t kUnitsOfClass[] = {1, 0, 1, 3};

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

}  // namespace

std::size_t EncodedQueryLength(const char* utf8) {
  std::size_t units = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p)
    units += kUnitsOfClass[static_cast<int>(kByteClasses.classes[*p])];
  return units;
}

bool HoldsSomethingToSearch(const char16_t* query) {
  // Every other unit becomes UTF-8 bytes of which at least one is counted.
  for (const char16_t* unit = query; *unit != 0; ++unit)
    if (*unit != u'\n' && *unit != u'\r') return true;
  return false;
}

bool WriteEncodedQuery(const char* utf8, char16_t* position, const char16_t* limit) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p) {
    QueryByteClass byteClass = kByteClasses.classes[*p];
    if (limit - position < kUnitsOfClass[static_cast<int>(byteClass)]) return false;
    switch (byteClass) {
      case QueryByteClass::kPlus:
        *position++ = u'+';
        break;
      case QueryByteClass::kDropped:
        break;
      case QueryByteClass::kLiteral:
        *position++ = *p;
        break;
      case QueryByteClass::kEscaped:
        position[0] = u'%';
        position[1] = kHexDigits[*p >> 4];
        position[2] = kHexDigits[*p & 0xF];
        position += 3;
        break;
    }
  }
  return true;
}

}  // namespace corvane
