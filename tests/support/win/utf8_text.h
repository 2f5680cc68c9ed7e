// UTF-16 text as UTF-8 for files and consoles, through the module's own
// conversion.
#pragma once
#include <string>

namespace corvane::host {

// "(null)" for a null text, "" when it cannot be converted.
std::string Utf8(const wchar_t* text);
inline std::string Utf8(const std::wstring& text) { return Utf8(text.c_str()); }

}  // namespace corvane::host
