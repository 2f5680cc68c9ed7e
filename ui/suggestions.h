// Suggestions and recent searches as the user types: what the list shows,
// and the keys that move through it.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// The band window's timer for the pause after a keystroke.
constexpr UINT_PTR kSuggestionPauseTimer = 1;

// Posted to the band window when a request for suggestions is done.
UINT SuggestionsAnsweredMessage();

// The user changed the box's text, or put the focus into it: the list
// follows after a short pause.
void OnSearchTextEdited(BandRecord* band);
void OnSuggestionPause(BandRecord* band);
void OnSuggestionsAnswered(BandRecord* band);

// Down and Up move through the list (showing the chosen text in the box),
// Esc closes it and gives the typed text back. true when the key was used.
bool OnSuggestionKey(BandRecord* band, WPARAM key);

// Puts a row's text into the box and searches it.
void SearchSuggestion(BandRecord* band, int row);

// Closes the list and forgets what it waited for: the box lost the focus,
// a search started, or the window goes.
void CloseSuggestions(BandRecord* band);

// Sets the box's text without asking for suggestions for it.
void SetSearchText(BandRecord* band, const wchar_t* text);

}  // namespace corvane
