// A band in a window of its host, led through its life as the taskbar leads
// it: sited, shown, laid out and given the focus, its menu items offered
// and carried out, and in the end hidden, closed, unsited and released.
// Corvane.exe's strip hosts one; so does the test host.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <utility>

#include "program/band_site.h"
#include "support/windows_handles.h"

namespace corvane::program {

class HostedBand {
 public:
  // Neither copied nor moved: the band holds its site by address.
  explicit HostedBand(ComPtr<IDeskBand> band) : band(std::move(band)) {}
  ~HostedBand() { Release(); }

  // Gives the band its site in `host`, where it makes its window.
  HRESULT Site(HWND host);
  HRESULT Show(bool show);
  // Hidden, closed, unsited, released: the band goes whatever it answers.
  void Release();

  // The band's window, or null.
  HWND Window() const;
  // The least height the band asks for, or 0.
  int MinimumHeight() const;
  // Moves the band's window over `area` of the host's client area.
  void Place(const RECT& area) const;
  // The host's focus handed on to the band.
  void TakeFocus() const;
  // Adds the band's items to `menu` at its start, with identifiers from
  // `first` to `last`. The band's menu, to carry out the choice with; null
  // when the band added nothing.
  ComPtr<IContextMenu> AddMenuItems(HMENU menu, UINT first, UINT last) const;

  explicit operator bool() const { return static_cast<bool>(band); }
  IDeskBand* Get() const { return band.Get(); }

 private:
  ComPtr<IDeskBand> band;
  std::optional<BandSite> site;
};

}  // namespace corvane::program
