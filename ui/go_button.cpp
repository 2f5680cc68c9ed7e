#include "ui/go_button.h"

#include <commctrl.h>

#include <cstddef>
#include <initializer_list>

#include "band/band_record.h"
#include "res/resource_ids.h"
#include "support/dpi_scale.h"
#include "support/module_state.h"
#include "support/resource_strings.h"
#include "support/windows_handles.h"
#include "ui/go_button_images.h"
#include "ui/go_button_pixels.h"
#include "ui/query_submission.h"

namespace corvane {
namespace {

// The row's lengths at 96 DPI; at other DPIs they are scaled.
constexpr int kRowHeight = 22;
constexpr int kEditLeft = 2;
constexpr int kButtonSize = kGoButtonDesignSize;
constexpr int kEditMarginWithButton = 28;
constexpr int kEditMarginWithoutButton = 6;
constexpr int kButtonGap = 4;
constexpr int kPressedOffset = 1;
constexpr int kRegionInset = 2;
constexpr int kRegionEnd = 21;
constexpr int kRegionCorner = 2;

constexpr UINT_PTR kGoButtonToolId = 103;
// The tool structure as far as lParam, as the tooltip control expects it.
constexpr UINT kToolInfoSize = offsetof(TOOLINFOW, lParam) + sizeof(LPARAM);

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

bool IsOverButton(const BandRecord* band, POINT point) {
  return PtInRect(&band->goButtonRect, point) != FALSE;
}

void InvalidateButton(BandRecord* band) {
  InvalidateRect(band->bandWindow, &band->goButtonRect, FALSE);
}

void InvalidateWhole(BandRecord* band) { InvalidateRect(band->bandWindow, nullptr, FALSE); }

// Exactly one tool while the button is shown, covering its current place;
// none while it is hidden.
void UpdateGoButtonTool(BandRecord* band) {
  if (band->tooltip == nullptr) return;
  TOOLINFOW tool = {};
  tool.cbSize = kToolInfoSize;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = band->bandWindow;
  tool.uId = kGoButtonToolId;
  tool.rect = band->goButtonRect;
  tool.hinst = ModuleInstance;
  tool.lpszText = const_cast<wchar_t*>(LoadResString(IDS_GO_TOOLTIP));
  SendMessageW(band->tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (band->showGoButton)
    SendMessageW(band->tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Row of edits plus, when shown, the rounded button; never beyond the band.
UniqueGdiObject<HRGN> MakeBandRegion(BandRecord* band, RowGeometry row) {
  UniqueGdiObject<HRGN> region(
      CreateRectRgn(row.left, row.top, row.left + row.editWidth, row.top + row.height));
  if (!region) return {};
  if (band->showGoButton) {
    const RECT& button = band->goButtonRect;
    int inset = ScaleForDpi(kRegionInset, band->dpi);
    int end = ScaleForDpi(kRegionEnd, band->dpi);
    int corner = ScaleForDpi(kRegionCorner, band->dpi);
    UniqueGdiObject<HRGN> rounded(CreateRoundRectRgn(button.left + inset, button.top + inset,
                                                     button.left + end, button.top + end, corner,
                                                     corner));
    if (!rounded) return {};
    // Combining fails only without memory; the row alone is then the region.
    CombineRgn(region.Get(), region.Get(), rounded.Get(), RGN_OR);
  }
  if (UniqueGdiObject<HRGN> client{CreateRectRgn(0, 0, band->width, band->height)})
    CombineRgn(region.Get(), region.Get(), client.Get(), RGN_AND);
  return region;
}

void ReleasePress(BandRecord* band) {
  LayoutBand(band);
  ReleaseCapture();
  InvalidateWhole(band);
}

// The mouse is off the button: a press is given up, not suspended.
void LeaveButton(BandRecord* band) {
  if (band->goPressed) {
    band->goPressed = FALSE;
    band->goHot = FALSE;
    ReleasePress(band);
  } else if (band->goHot) {
    band->goHot = FALSE;
    InvalidateButton(band);
  }
}

}  // namespace

RowGeometry RowGeometryOf(const BandRecord* band) {
  int margin =
      ScaleForDpi(band->showGoButton ? kEditMarginWithButton : kEditMarginWithoutButton, band->dpi);
  int height = ScaleForDpi(kRowHeight, band->dpi);
  int editWidth = band->width - margin;
  int top = FloorHalf(band->height - height);
  return {editWidth < 0 ? 0 : editWidth, top < 0 ? 0 : top, height,
          ScaleForDpi(kEditLeft, band->dpi)};
}

void LayoutBand(BandRecord* band) {
  RowGeometry row = RowGeometryOf(band);
  for (HWND edit : {band->searchEdit, band->hintEdit})
    if (edit != nullptr) MoveWindow(edit, row.left, row.top, row.editWidth, row.height, TRUE);
  if (band->showGoButton) {
    int offset = band->goPressed ? ScaleForDpi(kPressedOffset, band->dpi) : 0;
    int left = row.editWidth + ScaleForDpi(kButtonGap, band->dpi) + offset;
    int top = row.top + offset;
    int size = ScaleForDpi(kButtonSize, band->dpi);
    band->goButtonRect = {left, top, left + size, top + size};
  }
  // Without a region in hand the window keeps the one it has.
  UniqueGdiObject<HRGN> region = MakeBandRegion(band, row);
  if (!region) return;
  // Once set, the window owns the region; a band without a window does not.
  if (SetWindowRgn(band->bandWindow, region.Get(), TRUE)) region.Detach();
  UpdateGoButtonTool(band);
}

namespace {

// In high contrast: the system's own arrow button, in the user's colours,
// with an outline that shows where it ends (the highlight while lit).
void PaintPlainGoButton(const BandRecord* band, HDC dc, bool lit) {
  const RECT& r = band->goButtonRect;
  const int inset = ScaleForDpi(kRegionInset, band->dpi);
  RECT square = {r.left + inset, r.top + inset, r.left + ScaleForDpi(kRegionEnd, band->dpi),
                 r.top + ScaleForDpi(kRegionEnd, band->dpi)};
  DrawFrameControl(dc, &square, DFC_SCROLL,
                   DFCS_SCROLLRIGHT | DFCS_FLAT | (band->goPressed ? DFCS_PUSHED : 0));
  UniqueGdiObject<HBRUSH> outline(
      CreateSolidBrush(lit ? band->colours.goHotOutline : band->colours.goOutline));
  if (outline) FrameRect(dc, &square, outline.Get());
}

}  // namespace

void PaintGoButton(BandRecord* band, HDC dc) {
  if (!band->showGoButton) return;
  const RECT& r = band->goButtonRect;
  int size = r.right - r.left;
  bool lit = band->goPressed || band->goHot;
  if (band->colours.plainGoButton) return PaintPlainGoButton(band, dc, lit);
  // At the bitmaps' own size in an opaque taskbar: the bitmaps themselves.
  if (size == kGoButtonDesignSize && !band->compositionEnabled) {
    BitBlt(dc, r.left, r.top, size, size, lit ? band->goDcActive : band->goDcNormal, 0, 0, SRCCOPY);
    return;
  }
  GoButtonImages& images = band->goImages;
  bool withAlpha = band->compositionEnabled != FALSE;
  if ((images.size != size || images.withAlpha != withAlpha) &&
      FAILED(RenderGoButtonImages(&images, size, withAlpha))) {
    // Without the UI module: the bitmaps, stretched.
    StretchBlt(dc, r.left, r.top, size, size, lit ? band->goDcActive : band->goDcNormal, 0, 0,
               kGoButtonDesignSize, kGoButtonDesignSize, SRCCOPY);
    return;
  }
  HDC image = lit ? images.activeDc.Get() : images.normalDc.Get();
  if (!withAlpha) {
    BitBlt(dc, r.left, r.top, size, size, image, 0, 0, SRCCOPY);
    return;
  }
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, r.left, r.top, size, size, image, 0, 0, size, size, blend);
}

void TrackMouseLeave(BandRecord* band) {
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, band->bandWindow, HOVER_DEFAULT};
  TrackMouseEvent(&track);
}

void GoButtonMouseMove(BandRecord* band, POINT point) {
  if (!band->showGoButton) return;
  if (IsOverButton(band, point)) {
    if (band->goHot) return;
    band->goHot = TRUE;
    InvalidateButton(band);
  } else {
    LeaveButton(band);
  }
}

void GoButtonMouseDown(BandRecord* band, POINT point) {
  if (!band->showGoButton || band->goPressed || !IsOverButton(band, point)) return;
  band->goPressed = TRUE;
  LayoutBand(band);
  SetCapture(band->bandWindow);
  InvalidateWhole(band);
}

void GoButtonMouseUp(BandRecord* band, POINT point) {
  if (!band->showGoButton || !band->goPressed || !IsOverButton(band, point)) return;
  band->goPressed = FALSE;
  ReleasePress(band);
  SubmitQuery(band, TRUE);
}

void GoButtonMouseLeave(BandRecord* band) {
  if (band->showGoButton) LeaveButton(band);
}

}  // namespace corvane
