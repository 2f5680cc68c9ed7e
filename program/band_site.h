// Plays the taskbar's part for a band: a site offering the host window
// (IOleWindow) and focus notices (IInputObjectSite), and the band made from
// its registered class or from a loaded CORVANE.DLL.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace corvane::program {

// Lives on its host's stack or in a member, longer than the band it sites:
// its count is kept but never frees it.
class BandSite : public IOleWindow, public IInputObjectSite {
 public:
  explicit BandSite(HWND window) : window(window) {}
  virtual ~BandSite() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refCount; }
  STDMETHODIMP_(ULONG) Release() override { return --refCount; }
  STDMETHODIMP GetWindow(HWND* out) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // The strip has nothing else to cycle the focus to.
  STDMETHODIMP OnFocusChangeIS(IUnknown*, BOOL) override { return S_OK; }

  IUnknown* Unknown() { return static_cast<IOleWindow*>(this); }

 private:
  HWND window;
  ULONG refCount = 1;
};

// A new band from `dll` through DllGetClassObject and the factory.
HRESULT CreateBandFrom(HMODULE dll, IDeskBand** band);
// A new band through COM activation of the registered class.
HRESULT CreateRegisteredBand(IDeskBand** band);
// IObjectWithSite::SetSite on the band.
HRESULT SetBandSite(IUnknown* band, IUnknown* site);
// Carries out the band's menu command at `offset` from its first identifier,
// with `owner` for any window it shows.
HRESULT InvokeBandCommand(IContextMenu* bandMenu, HWND owner, UINT offset);

}  // namespace corvane::program
