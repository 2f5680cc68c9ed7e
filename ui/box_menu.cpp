#include "ui/box_menu.h"

#include "res/resource_ids.h"
#include "support/localized_text.h"
#include "support/module_state.h"
#include "support/text_language.h"
#include "support/windows_handles.h"

namespace corvane {
namespace {

// The items in the menu's order; a zero text is a separator.
struct BoxItem {
  int textId;
  UINT command;
};
constexpr BoxItem kBoxItems[] = {
    {IDS_BOX_UNDO, WM_UNDO},         {0, 0},
    {IDS_BOX_CUT, WM_CUT},           {IDS_BOX_COPY, WM_COPY},
    {IDS_BOX_PASTE, WM_PASTE},       {IDS_PASTE_AND_SEARCH, kPasteAndSearchCommand},
    {IDS_BOX_DELETE, WM_CLEAR},      {0, 0},
    {IDS_BOX_SELECT_ALL, EM_SETSEL},
};
static_assert(kPasteAndSearchCommand < WM_UNDO, "no edit message is the item's");

// Whether an item can act on the box as it is.
bool CanDo(HWND box, UINT command) {
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool open = IsWindowVisible(box) != FALSE;
  switch (command) {
    case WM_UNDO:
      return open && SendMessageW(box, EM_CANUNDO, 0, 0) != 0;
    case WM_CUT:
    case WM_COPY:
    case WM_CLEAR:
      return open && start != end;
    case WM_PASTE:
    case kPasteAndSearchCommand:
      return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    case EM_SETSEL:
      return open && GetWindowTextLengthW(box) > 0;
  }
  return false;
}

// The item's text in the user's language, else in English.
bool LoadItemText(int id, wchar_t* text, int units) {
  return LoadLanguageString(ModuleInstance, id, TextLanguage(), text, units) ||
         LoadLanguageString(ModuleInstance, id, kEnglishLanguage, text, units);
}

}  // namespace

UINT TrackBoxMenu(HWND searchEdit, HWND owner, POINT screen) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return 0;
  for (const BoxItem& item : kBoxItems) {
    wchar_t text[64] = {};
    if (item.textId == 0) {
      AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (!LoadItemText(item.textId, text, ARRAYSIZE(text))) continue;
    const UINT state = CanDo(searchEdit, item.command) ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu.Get(), MF_STRING | state, item.command, text);
  }
  return static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                          screen.y, 0, owner, nullptr));
}

}  // namespace corvane
