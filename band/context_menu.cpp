// The band's own items in the taskbar's context menu: show or hide the Go
// button, and the About box.
#include "band/search_band.h"
#include "res/resource_ids.h"
#include "support/bounded_string.h"
#include "support/resource_strings.h"
#include "support/settings_store.h"
#include "ui/go_button.h"

namespace corvane {
namespace {

enum Command : UINT { kToggleGoButton = 0, kAbout = 1 };

const struct {
  const char16_t* verb;
  const char16_t* helpText;
} kCommandTexts[] = {
    {u"showgobtn", u"Toggle visibility of \"Go\" button"},
    {u"aboutcorvane", u"Show information about this program"},
};

}  // namespace

STDMETHODIMP SearchBand::QueryContextMenu(HMENU menu, UINT position, UINT firstId, UINT,
                                          UINT flags) {
  if (flags & CMF_DEFAULTONLY) return S_OK;
  // The host's menu is the host's: an item it does not take is not offered.
  const UINT state =
      (showGoButton ? MF_CHECKED : 0) | (IsFixedByPolicy(Setting::kShowGoButton) ? MF_GRAYED : 0);
  InsertMenuW(menu, position, MF_BYPOSITION | state, firstId + kToggleGoButton,
              LoadResString(IDS_SHOW_GO_BUTTON));
  InsertMenuW(menu, position, MF_BYPOSITION, firstId + kAbout, LoadResString(IDS_ABOUT_MENU));
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2);
}

STDMETHODIMP SearchBand::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  // A verb string may lie anywhere in a 64-bit address space; only the
  // platform's own test tells it from a command offset.
  if (info == nullptr || !IS_INTRESOURCE(info->lpVerb)) return E_INVALIDARG;
  switch (LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb))) {
    case kToggleGoButton:
      if (IsFixedByPolicy(Setting::kShowGoButton)) return S_OK;
      showGoButton = showGoButton ? FALSE : TRUE;
      LayoutBand(this);
      // Without a window of its own a null handle would repaint the desktop.
      if (bandWindow != nullptr) InvalidateRect(bandWindow, nullptr, FALSE);
      return S_OK;
    case kAbout:
      MessageBoxW(info->hwnd, LoadResString(IDS_ABOUT_TEXT), LoadResString(IDS_PRODUCT_NAME),
                  MB_ICONINFORMATION | MB_OK);
      return S_OK;
    default:
      return E_INVALIDARG;
  }
}

STDMETHODIMP SearchBand::GetCommandString(UINT_PTR command, UINT type, UINT*, CHAR* name,
                                          UINT capacity) {
  if (type == GCS_VALIDATEW) return S_OK;
  if (type != GCS_VERBW && type != GCS_HELPTEXTW) return E_INVALIDARG;
  if (command > kAbout || capacity > kMaxBoundedCount) return E_INVALIDARG;
  const char16_t* text =
      type == GCS_VERBW ? kCommandTexts[command].verb : kCommandTexts[command].helpText;
  return BoundedCopy(reinterpret_cast<char16_t*>(name), capacity, text);
}

}  // namespace corvane
