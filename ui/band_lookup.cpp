#include "ui/band_lookup.h"

#include "res/product.h"

namespace corvane {

BandRecord* BandFromWindow(HWND bandWindow) {
  return reinterpret_cast<BandRecord*>(GetWindowLongPtrW(bandWindow, GWLP_USERDATA));
}

bool IsHintBox(HWND window) {
  wchar_t parentClass[ARRAYSIZE(kBandWindowClass) + 1] = {};
  return IsWindow(window) && GetDlgCtrlID(window) == kHintEditId &&
         GetClassNameW(GetParent(window), parentClass, ARRAYSIZE(parentClass)) != 0 &&
         lstrcmpW(parentClass, kBandWindowClass) == 0;
}

}  // namespace corvane
