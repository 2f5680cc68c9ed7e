#include "program/band_site.h"

#include "support/band_class.h"
#include "support/hresult.h"
#include "support/windows_handles.h"

namespace corvane::program {

STDMETHODIMP BandSite::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow))
    *out = static_cast<IOleWindow*>(this);
  else if (IsEqualIID(iid, IID_IInputObjectSite))
    *out = static_cast<IInputObjectSite*>(this);
  if (*out == nullptr) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP BandSite::GetWindow(HWND* out) {
  *out = window;
  return S_OK;
}

HRESULT CreateBandFrom(HMODULE dll, IDeskBand** band) {
  *band = nullptr;
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  RETURN_LAST_ERROR_IF(getClassObject == nullptr);
  ComPtr<IClassFactory> factory;
  RETURN_IF_FAILED(getClassObject(CLSID_SearchBand, IID_IClassFactory, factory.PutVoid()));
  return factory->CreateInstance(nullptr, IID_IDeskBand, reinterpret_cast<void**>(band));
}

HRESULT CreateRegisteredBand(IDeskBand** band) {
  *band = nullptr;
  return CoCreateInstance(CLSID_SearchBand, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                          reinterpret_cast<void**>(band));
}

HRESULT SetBandSite(IUnknown* band, IUnknown* site) {
  ComPtr<IObjectWithSite> withSite;
  RETURN_IF_FAILED(band->QueryInterface(IID_IObjectWithSite, withSite.PutVoid()));
  return withSite->SetSite(site);
}

HRESULT InvokeBandCommand(IContextMenu* bandMenu, HWND owner, UINT offset) {
  CMINVOKECOMMANDINFO invoke = {};
  invoke.cbSize = sizeof invoke;
  invoke.hwnd = owner;
  invoke.lpVerb = MAKEINTRESOURCEA(offset);
  invoke.nShow = SW_SHOWNORMAL;
  return bandMenu->InvokeCommand(&invoke);
}

}  // namespace corvane::program
