#include "tools/band_site.h"

#include "module/module_state.h"
#include "support/windows_handles.h"

namespace corvane::host {

STDMETHODIMP BandSite::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || (offerOleWindow && IsEqualIID(iid, IID_IOleWindow)))
    *out = static_cast<IOleWindow*>(this);
  else if (offerInputObjectSite && IsEqualIID(iid, IID_IInputObjectSite))
    *out = static_cast<IInputObjectSite*>(this);
  if (*out == nullptr) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP BandSite::GetWindow(HWND* out) {
  *out = window;
  return S_OK;
}

STDMETHODIMP BandSite::OnFocusChangeIS(IUnknown* object, BOOL focused) {
  notices.push_back({object, focused});
  ComPtr<IInputObject> inputObject;
  object->QueryInterface(IID_IInputObject, inputObject.PutVoid());
  return S_OK;
}

IDeskBand* CreateBandFrom(HMODULE dll) {
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  if (getClassObject == nullptr) return nullptr;
  ComPtr<IClassFactory> factory;
  if (FAILED(getClassObject(CLSID_SearchBand, IID_IClassFactory, factory.PutVoid())))
    return nullptr;
  IDeskBand* band = nullptr;
  factory->CreateInstance(nullptr, IID_IDeskBand, reinterpret_cast<void**>(&band));
  return band;
}

IDeskBand* CreateRegisteredBand() {
  IDeskBand* band = nullptr;
  CoCreateInstance(CLSID_SearchBand, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                   reinterpret_cast<void**>(&band));
  return band;
}

HRESULT SetBandSite(IUnknown* band, IUnknown* site) {
  ComPtr<IObjectWithSite> withSite;
  HRESULT result = band->QueryInterface(IID_IObjectWithSite, withSite.PutVoid());
  if (FAILED(result)) return result;
  return withSite->SetSite(site);
}

}  // namespace corvane::host
