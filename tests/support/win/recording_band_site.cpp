#include "tests/support/win/recording_band_site.h"

#include "support/windows_handles.h"

namespace corvane::test {

STDMETHODIMP RecordingBandSite::QueryInterface(REFIID iid, void** out) {
  *out = nullptr;
  if ((!offerOleWindow && IsEqualIID(iid, IID_IOleWindow)) ||
      (!offerInputObjectSite && IsEqualIID(iid, IID_IInputObjectSite)))
    return E_NOINTERFACE;
  return BandSite::QueryInterface(iid, out);
}

STDMETHODIMP RecordingBandSite::OnFocusChangeIS(IUnknown* object, BOOL focused) {
  notices.push_back({object, focused});
  ComPtr<IInputObject> inputObject;
  object->QueryInterface(IID_IInputObject, inputObject.PutVoid());
  return S_OK;
}

IDeskBand* BandFrom(HMODULE dll) {
  IDeskBand* band = nullptr;
  program::CreateBandFrom(dll, &band);
  return band;
}

}  // namespace corvane::test
