#include "support/text_language.h"

namespace corvane {
namespace {

constexpr std::uint16_t kPrimaryMask = 0x3FF;
constexpr std::uint16_t kChinese = 0x04;
// Chinese as written in the People's Republic and in Singapore; Taiwan's,
// Hong Kong's and Macao's traditional characters are another script.
constexpr std::uint16_t kSimplifiedChinese[] = {0x0804, 0x1004, 0x0004, 0x7804};

}  // namespace

std::uint16_t TextLanguageFor(std::uint16_t displayLanguage) {
  const std::uint16_t primary = displayLanguage & kPrimaryMask;
  if (primary == kChinese) {
    for (std::uint16_t simplified : kSimplifiedChinese)
      if (displayLanguage == simplified) return 0x0804;
    return kEnglishLanguage;
  }
  for (std::uint16_t language : kTextLanguages)
    if ((language & kPrimaryMask) == primary) return language;
  return kEnglishLanguage;
}

}  // namespace corvane
