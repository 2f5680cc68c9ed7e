// The band's record: what the band object and its window code share. It
// names nothing of the object's code, so that the window code depends on the
// record alone.
#pragma once
#include <windows.h>
#include <shobjidl.h>

#include "support/band_colours.h"
#include "support/dpi_scale.h"
#include "support/focus_key.h"
#include "support/memory.h"
#include "support/settings_store.h"
#include "support/windows_handles.h"

namespace corvane {

class BandAccessibility;
class SuggestionSession;

// The Go button's pictures where the bitmaps do not serve: at another size
// than the bitmaps', or with the margin transparent for a composited taskbar.
struct GoButtonImages {
  int size = 0;
  bool withAlpha = false;
  // The bitmaps are declared first so that they go after the DCs holding them.
  UniqueGdiObject<HBITMAP> normal;
  UniqueGdiObject<HBITMAP> active;
  UniqueDc normalDc;
  UniqueDc activeDc;
};

// Room for the hint: the longest engine name in the longest language's words.
constexpr size_t kMaxHintUnits = 128;

struct BandRecord {
  explicit BandRecord(IUnknown* identity) : identity(identity) {}
  BandRecord(const BandRecord&) = delete;
  BandRecord& operator=(const BandRecord&) = delete;

  // The band object itself: held while the window code calls out, and named
  // to the site when the focus moves.
  IUnknown* const identity;
  BOOL hasFocus = FALSE;
  HWND parentWindow = nullptr;
  HWND bandWindow = nullptr;
  HWND searchEdit = nullptr;
  HWND hintEdit = nullptr;
  HFONT font = nullptr;
  // What the box shows until it has the focus, and its name for screen
  // readers: the engine a search goes to.
  wchar_t hint[kMaxHintUnits] = {};
  // The taskbar's mode's colours, and the box's background in them.
  BandColours colours = {};
  UniqueGdiObject<HBRUSH> boxBrush;
  int width = 0;
  int height = 0;
  WNDPROC searchEditOldProc = nullptr;
  WNDPROC hintEditOldProc = nullptr;
  IInputObjectSite* inputObjectSite = nullptr;
  BOOL showGoButton = TRUE;
  RECT goButtonRect = {};
  BOOL goPressed = FALSE;
  BOOL goHot = FALSE;
  HBITMAP goBitmapNormal = nullptr;
  HBITMAP goBitmapActive = nullptr;
  HDC goDcNormal = nullptr;
  HDC goDcActive = nullptr;
  HWND tooltip = nullptr;
  // The settings as last read: when the window was made and at each change.
  Settings settings;
  // The focus key the band took: the F12 hook it installed, so that it goes
  // with the band, or the combination it registered.
  FocusKey focusKey;
  HHOOK focusHook = nullptr;
  BOOL holdsFocusCombination = FALSE;
  // The combination that searches the clipboard's text, as registered.
  FocusKey clipboardKey = {FocusKeyKind::kNone, 0, 0};
  BOOL holdsClipboardCombination = FALSE;
  // The band window's DPI: every length of the layout is scaled by dpi / 96.
  int dpi = kDefaultDpi;
  // The taskbar is composited: the band shows the taskbar's background.
  BOOL compositionEnabled = FALSE;
  // The Go button drawn where the bitmaps do not serve.
  GoButtonImages goImages;
  // Made with the band window's controls and gone with its children (the
  // band window's code owns them): what screen readers are told, the list
  // under the box and what it shows and waits for.
  BandAccessibility* accessibility = nullptr;
  SuggestionSession* suggestionSession = nullptr;
  // The last search handed to the browser, counted: given back to the box
  // when the browser could not be opened for it.
  UniqueMemory<wchar_t> sentQuery;
  WPARAM sentSearches = 0;
};

}  // namespace corvane
