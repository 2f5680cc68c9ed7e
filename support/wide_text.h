// The Windows layer's view of the platform-free UTF-16 text: on Windows
// wchar_t and char16_t are the same 16-bit units, so pointers convert as they
// cross between the two layers.
#pragma once

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16");

namespace corvane {

inline const wchar_t* AsWide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* AsWide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }
inline const char16_t* AsUtf16(const wchar_t* text) {
  return reinterpret_cast<const char16_t*>(text);
}
inline char16_t* AsUtf16(wchar_t* text) { return reinterpret_cast<char16_t*>(text); }

}  // namespace corvane
