#include "ui/own_window_class.h"

#include "support/hresult.h"

namespace corvane {

HRESULT EnsureOwnWindowClass(const WNDCLASSW& wanted) {
  WNDCLASSW existing = {};
  if (GetClassInfoW(wanted.hInstance, wanted.lpszClassName, &existing)) {
    if (existing.lpfnWndProc == wanted.lpfnWndProc) return S_OK;
    RETURN_LAST_ERROR_IF(!UnregisterClassW(wanted.lpszClassName, existing.hInstance));
  }
  RETURN_LAST_ERROR_IF(RegisterClassW(&wanted) == 0);
  return S_OK;
}

}  // namespace corvane
