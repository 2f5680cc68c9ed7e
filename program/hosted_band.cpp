#include "program/hosted_band.h"

#include "support/hresult.h"

namespace corvane::program {

HRESULT HostedBand::Site(HWND host) {
  site.emplace(host);
  return SetBandSite(band.Get(), site->Unknown());
}

HRESULT HostedBand::Show(bool show) { return band->ShowDW(show ? TRUE : FALSE); }

void HostedBand::Release() {
  if (!band) return;
  // Going whatever the band answers: a band that cannot be hidden, closed or
  // unsited is still released, which ends it.
  TRACE_IF_FAILED(band->ShowDW(FALSE));
  TRACE_IF_FAILED(band->CloseDW(0));
  TRACE_IF_FAILED(SetBandSite(band.Get(), nullptr));
  band.Reset();
}

HWND HostedBand::Window() const {
  HWND window = nullptr;
  if (!band || FAILED(band->GetWindow(&window))) return nullptr;
  return window;
}

int HostedBand::MinimumHeight() const {
  DESKBANDINFO info = {};
  info.dwMask = DBIM_MINSIZE;
  if (!band || FAILED(band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &info))) return 0;
  return info.ptMinSize.y;
}

void HostedBand::Place(const RECT& area) const {
  // A band window that cannot be moved waits for the host's next size.
  if (HWND window = Window())
    MoveWindow(window, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

void HostedBand::TakeFocus() const {
  ComPtr<IInputObject> input;
  if (band && SUCCEEDED(band->QueryInterface(IID_IInputObject, input.PutVoid())))
    input->UIActivateIO(TRUE, nullptr);
}

ComPtr<IContextMenu> HostedBand::AddMenuItems(HMENU menu, UINT first, UINT last) const {
  ComPtr<IContextMenu> bandMenu;
  if (!band || FAILED(band->QueryInterface(IID_IContextMenu, bandMenu.PutVoid()))) return {};
  HRESULT added = bandMenu->QueryContextMenu(menu, 0, first, last, CMF_NORMAL);
  if (FAILED(added) || HRESULT_CODE(added) == 0) return {};
  return bandMenu;
}

}  // namespace corvane::program
