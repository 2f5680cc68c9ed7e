// The clipboard's Unicode text made a query (search/pasted_query.h), read by
// CORVANEUI.DLL for the band: only when the user asks for it.
#pragma once
#include <windows.h>

#include <cstddef>

namespace corvane {

// Opens the clipboard for `owner` and writes its text as one line of at
// most `limit` units into `query` (which holds `limit` + 1). False when it
// holds no text, or none but spaces, or cannot be opened.
bool ReadClipboardQuery(HWND owner, wchar_t* query, std::size_t limit);

// CORVANEUI.DLL's export of it, by name.
using ReadClipboardQueryFunction = BOOL(WINAPI*)(HWND owner, wchar_t* query, std::size_t limit);
inline constexpr char kReadClipboardQueryExport[] = "CorvaneReadClipboardQuery";

}  // namespace corvane
