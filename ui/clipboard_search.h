// Searches what the user copied, as if typed into the box: the clipboard's
// text is read only here, when the user asks (the item "Paste and search" or
// the key for it), never for suggestions nor on a timer.
#pragma once
#include <windows.h>

namespace corvane {

struct BandRecord;

// Sent to the band window by its host: search the clipboard's text (the
// host's own menu item).
constexpr UINT kSearchClipboardMessage = WM_APP + 6;

// The clipboard's text as one line, cut to what the box takes, goes out as
// a search (an address opens, a keyword picks its engine) without the box
// being shown. With no text to search, the box takes the focus instead, so
// that the user's request never does nothing.
void SearchClipboard(BandRecord* band);

}  // namespace corvane
