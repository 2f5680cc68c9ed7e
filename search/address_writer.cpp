#include "search/address_writer.h"

#include "search/url_encoding.h"

namespace corvane {
namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

bool KeptInAddress(unsigned char byte) {
  if (byte <= 0x20 || byte >= 0x7F) return false;
  switch (byte) {
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
      return false;
    default:
      return true;
  }
}

}  // namespace

bool AddressWriter::Reserve(std::size_t units) {
  if (failed_ || (buffer_ != nullptr && capacity_ - units_ < units)) failed_ = true;
  return !failed_;
}

void AddressWriter::Put(char16_t unit) {
  if (!Reserve(1)) return;
  if (buffer_ != nullptr) buffer_[units_] = unit;
  ++units_;
}

void AddressWriter::Escape(unsigned char byte) {
  if (!Reserve(3)) return;
  if (buffer_ != nullptr) {
    buffer_[units_] = u'%';
    buffer_[units_ + 1] = kHexDigits[byte >> 4];
    buffer_[units_ + 2] = kHexDigits[byte & 0xF];
  }
  units_ += 3;
}

void AddressWriter::Literal(const char16_t* text) {
  for (; *text != 0; ++text) Put(*text);
}

void AddressWriter::AddressText(const char* utf8, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    if (KeptInAddress(byte))
      Put(byte);
    else
      Escape(byte);
  }
}

void AddressWriter::Query(const char* utf8) {
  std::size_t units = EncodedQueryLength(utf8);
  if (!Reserve(units)) return;
  if (buffer_ != nullptr && !WriteEncodedQuery(utf8, buffer_ + units_, buffer_ + units_ + units))
    failed_ = true;
  units_ += units;
}

}  // namespace corvane
