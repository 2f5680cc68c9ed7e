#include "search/typed_address.h"

#include <cstring>

#include "search/address_writer.h"
#include "search/web_scheme.h"

namespace corvane {
namespace {

constexpr char kWorldWideWeb[] = "www.";

// Bytes of a space at `text` that is not ASCII (no-break, ideographic, the
// typographic spaces), else 0.
std::size_t UnicodeSpaceLength(const unsigned char* text) {
  if (text[0] == 0xC2 && text[1] == 0xA0) return 2;                                // U+00A0
  if (text[0] == 0xE3 && text[1] == 0x80 && text[2] == 0x80) return 3;             // U+3000
  if (text[0] == 0xE2 && text[1] == 0x80 && (text[2] <= 0x8B || text[2] == 0xAF))  // U+2000..
    return 3;
  if (text[0] == 0xE2 && text[1] == 0x81 && text[2] == 0x9F) return 3;  // U+205F
  return 0;
}

bool HoldsNoSpace(const char* utf8) {
  for (auto* p = reinterpret_cast<const unsigned char*>(utf8); *p != 0; ++p)
    if (*p <= 0x20 || *p == 0x7F || UnicodeSpaceLength(p) != 0) return false;
  return true;
}

}  // namespace

bool IsTypedWebAddress(const char* utf8Text) {
  if (utf8Text == nullptr || !HoldsNoSpace(utf8Text)) return false;
  if (std::size_t scheme = WebSchemeLength(utf8Text))
    return ServerNameLength(utf8Text + scheme) != 0;
  std::size_t www = CaselessPrefixLength(utf8Text, kWorldWideWeb);
  return www != 0 && utf8Text[www] != 0;
}

AddressResult BuildTypedAddress(const char* utf8Text, char16_t** address) {
  if (address == nullptr) return AddressResult::kFailed;
  *address = nullptr;
  if (!IsTypedWebAddress(utf8Text)) return AddressResult::kFailed;
  const bool needsScheme = WebSchemeLength(utf8Text) == 0;
  return BuildAddress(
      [&](AddressWriter& writer) {
        if (needsScheme) writer.Literal(u"https://");
        writer.AddressText(utf8Text, std::strlen(utf8Text));
      },
      address);
}

}  // namespace corvane
