#include "ui/go_button_images.h"

#include "support/hresult.h"
#include "support/system_library.h"
#include "support/ui_module.h"

namespace corvane {
namespace {

HRESULT RenderOne(int size, bool active, bool withAlpha, UniqueGdiObject<HBITMAP>* bitmap,
                  UniqueDc* dc) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap->Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!*bitmap || bits == nullptr) return E_OUTOFMEMORY;
  // Drawn by the UI module: only the band's process draws at other sizes.
  DrawGoButtonFunction draw;
  RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND),
               !FindFunction(UiModule(), kDrawGoButtonExport, &draw));
  draw(size, active, withAlpha, bits);
  dc->Reset(CreateCompatibleDC(nullptr));
  RETURN_LAST_ERROR_IF(!*dc);
  SelectObject(dc->Get(), bitmap->Get());
  return S_OK;
}

}  // namespace

HRESULT RenderGoButtonImages(GoButtonImages* images, int size, bool withAlpha) {
  // The DCs go before the bitmaps selected into them.
  images->normalDc.Reset();
  images->activeDc.Reset();
  images->normal.Reset();
  images->active.Reset();
  images->size = 0;
  if (size <= 0) return E_INVALIDARG;
  RETURN_IF_FAILED(RenderOne(size, false, withAlpha, &images->normal, &images->normalDc));
  RETURN_IF_FAILED(RenderOne(size, true, withAlpha, &images->active, &images->activeDc));
  images->size = size;
  images->withAlpha = withAlpha;
  return S_OK;
}

}  // namespace corvane
