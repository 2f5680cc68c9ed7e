// How the shell hosts the band: site, window, size, visibility, focus and the
// taskbar's saved state (of which the band keeps nothing).
#include "band/search_band.h"
#include "support/band_class.h"
#include "support/bounded_string.h"
#include "support/wide_text.h"
#include "support/windows_handles.h"
#include "ui/band_window.h"

namespace corvane {

STDMETHODIMP SearchBand::GetWindow(HWND* window) {
  if (window == nullptr) return E_INVALIDARG;
  *window = bandWindow;
  return S_OK;
}

STDMETHODIMP SearchBand::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP SearchBand::ShowDW(BOOL show) {
  if (bandWindow != nullptr) ShowWindow(bandWindow, show ? SW_SHOW : SW_HIDE);
  return S_OK;
}

STDMETHODIMP SearchBand::CloseDW(DWORD) {
  // Hiding may move the focus and so call the site.
  ComPtr<IUnknown> alive = HoldReference(identity);
  ShowDW(FALSE);
  DestroyOwnBandWindow(this);
  return S_OK;
}

STDMETHODIMP SearchBand::ResizeBorderDW(LPCRECT, IUnknown*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP SearchBand::GetBandInfo(DWORD, DWORD viewMode, DESKBANDINFO* info) {
  if (info == nullptr) return E_INVALIDARG;
  // Sizes at the band window's DPI; at 96 DPI those every taskbar has had.
  auto scaled = [this](LONG x, LONG y) { return POINTL{ScaleForDpi(x, dpi), ScaleForDpi(y, dpi)}; };
  if (info->dwMask & DBIM_MINSIZE) {
    if (viewMode & DBIF_VIEWMODE_FLOATING)
      info->ptMinSize = scaled(200, 400);
    else if (viewMode & DBIF_VIEWMODE_VERTICAL)
      info->ptMinSize = scaled(22, 66);
    else
      info->ptMinSize = scaled(66, 22);
  }
  if (info->dwMask & DBIM_MAXSIZE) info->ptMaxSize = {-1, -1};
  if (info->dwMask & DBIM_INTEGRAL) info->ptIntegral = {1, 1};
  if (info->dwMask & DBIM_ACTUAL) info->ptActual = scaled(100, 100);
  if (info->dwMask & DBIM_TITLE) BoundedCopy(AsUtf16(info->wszTitle), 256, u"");
  if (info->dwMask & DBIM_MODEFLAGS) info->dwModeFlags = DBIMF_VARIABLEHEIGHT;
  return S_OK;
}

STDMETHODIMP SearchBand::CanRenderComposited(BOOL* canRender) {
  if (canRender == nullptr) return E_INVALIDARG;
  *canRender = TRUE;
  return S_OK;
}

STDMETHODIMP SearchBand::SetCompositionState(BOOL enabled) {
  compositionEnabled = enabled ? TRUE : FALSE;
  if (bandWindow != nullptr) InvalidateRect(bandWindow, nullptr, TRUE);
  return S_OK;
}

STDMETHODIMP SearchBand::GetCompositionState(BOOL* enabled) {
  if (enabled == nullptr) return E_INVALIDARG;
  *enabled = compositionEnabled;
  return S_OK;
}

STDMETHODIMP SearchBand::UIActivateIO(BOOL activate, MSG*) {
  // Without a window there is nothing to take the focus; SetFocus(null)
  // would take it from the taskbar instead.
  if (activate && bandWindow != nullptr) SetFocus(bandWindow);
  return S_OK;
}

STDMETHODIMP SearchBand::HasFocusIO() { return hasFocus ? S_OK : S_FALSE; }

STDMETHODIMP SearchBand::TranslateAcceleratorIO(MSG*) { return S_FALSE; }

STDMETHODIMP SearchBand::SetSite(IUnknown* site) {
  if (inputObjectSite != nullptr) inputObjectSite->Release();
  inputObjectSite = nullptr;
  if (site == nullptr) return S_OK;

  parentWindow = nullptr;
  ComPtr<IOleWindow> oleWindow;
  if (SUCCEEDED(site->QueryInterface(IID_IOleWindow, oleWindow.PutVoid())))
    oleWindow->GetWindow(&parentWindow);
  if (parentWindow == nullptr) return E_FAIL;
  if (!CreateBandWindow(this)) return E_FAIL;
  return SUCCEEDED(
             site->QueryInterface(IID_IInputObjectSite, reinterpret_cast<void**>(&inputObjectSite)))
             ? S_OK
             : E_FAIL;
}

STDMETHODIMP SearchBand::GetSite(REFIID iid, void** out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = nullptr;
  if (inputObjectSite == nullptr) return E_FAIL;
  return inputObjectSite->QueryInterface(iid, out);
}

STDMETHODIMP SearchBand::GetClassID(CLSID* classId) {
  if (classId == nullptr) return E_INVALIDARG;
  *classId = CLSID_SearchBand;
  return S_OK;
}

STDMETHODIMP SearchBand::IsDirty() { return S_FALSE; }
STDMETHODIMP SearchBand::Load(IStream*) { return S_OK; }
STDMETHODIMP SearchBand::Save(IStream*, BOOL) { return S_OK; }
STDMETHODIMP SearchBand::GetSizeMax(ULARGE_INTEGER*) { return E_NOTIMPL; }

}  // namespace corvane
