// Where the suggestion list opens: from the search box towards the middle of
// the screen, so that it never lies under the taskbar. Platform-free.
#pragma once
#include "support/screen_rect.h"

namespace corvane {

// The list of `width` x `height` for the search box `box` on the bar `bar`
// (the taskbar, or the program's strip) on `monitor`: above a bar in the
// lower half of the screen and below one in the upper half; beside a bar
// taller than wide, towards the middle. Kept on the monitor.
ScreenRect PlaceSuggestionList(const ScreenRect& box, const ScreenRect& bar,
                               const ScreenRect& monitor, int width, int height);

}  // namespace corvane
