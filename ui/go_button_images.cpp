#include "ui/go_button_images.h"

#include "support/hresult.h"
#include "ui/go_button_image.h"

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
  auto* pixels = static_cast<BYTE*>(bits);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x, pixels += 4) {
      GoButtonPixel p = GoButtonImagePixel(x, y, size, active);
      if (!withAlpha) p = OverMargin(p);
      auto channel = [&](int value) {
        return static_cast<BYTE>(withAlpha ? (value * p.coverage + 127) / 255 : value);
      };
      pixels[0] = channel(p.blue);
      pixels[1] = channel(p.green);
      pixels[2] = channel(p.red);
      pixels[3] = withAlpha ? p.coverage : 255;
    }
  }
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
