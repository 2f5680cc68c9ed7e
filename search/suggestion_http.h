// Asking a suggestion address over HTTP, in CORVANEUI.DLL: WinHTTP is loaded
// there at the first request, so only a process that shows the band and
// asks for suggestions ever loads it.
#pragma once
#include <windows.h>

#include "search/suggestion_rows.h"

namespace corvane {

// Answers within this time count; later ones never show.
constexpr DWORD kSuggestionTimeLimitMs = 2000;
// Longer answers are refused.
constexpr DWORD kMaxSuggestionAnswerBytes = 64 * 1024;

// GET `address` (https://, or http:// to this machine) before `deadline`
// (GetTickCount64's clock); the rows of a 200 answer in the suggestions
// format. false for any failure.
bool AskForSuggestions(const wchar_t* address, ULONGLONG deadline, SuggestionRows* rows);

}  // namespace corvane
