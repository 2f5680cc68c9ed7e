// Which of Corvane's languages a user reads: chosen by the Windows display
// language, English where Corvane has no texts of it.
#pragma once
#include <cstdint>

namespace corvane {

// Windows language ids (primary language in the low 10 bits, sublanguage
// above) of the texts Corvane has.
constexpr std::uint16_t kEnglishLanguage = 0x0409;
constexpr std::uint16_t kTextLanguages[] = {
    0x0409,  // English (United States)
    0x0407,  // German
    0x040C,  // French
    0x0C0A,  // Spanish (modern sort)
    0x0410,  // Italian
    0x0416,  // Portuguese (Brazil)
    0x0413,  // Dutch
    0x0415,  // Polish
    0x0411,  // Japanese
    0x0804,  // Chinese (Simplified)
};

// The texts' language for a display language: the same primary language
// (any country's German reads German), but Chinese only where it is written
// in simplified characters; English otherwise.
std::uint16_t TextLanguageFor(std::uint16_t displayLanguage);

}  // namespace corvane
