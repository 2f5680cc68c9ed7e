// A GUID written as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" read at compile
// time, so that an id is written once, as the text the registry and setup
// use. `Guid` is any type with the platform GUID's four members.
#pragma once

namespace corvane {

constexpr int HexDigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

constexpr bool IsGuidText(const wchar_t* text) {
  for (int i = 0; i < 38; ++i) {
    bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    wchar_t expected = i == 0 ? L'{' : i == 37 ? L'}' : dash ? L'-' : 0;
    if (expected != 0 ? text[i] != expected : HexDigitValue(text[i]) < 0) return false;
  }
  return text[38] == 0;
}

template <class Guid>
constexpr Guid GuidFromText(const wchar_t* text) {
  auto hex = [text](int at, int digits) {
    unsigned long value = 0;
    for (int i = 0; i < digits; ++i) value = value * 16 + HexDigitValue(text[at + i]);
    return value;
  };
  Guid guid{};
  guid.Data1 = hex(1, 8);
  guid.Data2 = static_cast<unsigned short>(hex(10, 4));
  guid.Data3 = static_cast<unsigned short>(hex(15, 4));
  for (int i = 0; i < 8; ++i)
    guid.Data4[i] = static_cast<unsigned char>(hex(i < 2 ? 20 + 2 * i : 21 + 2 * i, 2));
  return guid;
}

}  // namespace corvane
