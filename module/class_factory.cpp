#include "module/class_factory.h"

#include <new>

#include "band/search_band.h"
#include "support/band_class.h"
#include "support/module_state.h"
#include "support/windows_handles.h"

namespace corvane {

SearchBandFactory::SearchBandFactory(REFCLSID classId) : classId(classId) { ObjectCreated(); }

SearchBandFactory::~SearchBandFactory() { ObjectDestroyed(); }

STDMETHODIMP SearchBandFactory::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
  *out = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) SearchBandFactory::AddRef() { return ++refCount; }

STDMETHODIMP_(ULONG) SearchBandFactory::Release() {
  ULONG count = --refCount;
  if (count == 0) delete this;
  return count;
}

STDMETHODIMP SearchBandFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  if (!IsEqualCLSID(classId, CLSID_SearchBand)) return E_FAIL;
  // The creation's own reference goes once the caller has its own, or with
  // the object when the caller's interface is refused.
  auto band = ComPtr<IDeskBand>::Adopt(new (std::nothrow) SearchBand());
  if (!band) return E_OUTOFMEMORY;
  return band->QueryInterface(iid, out);
}

STDMETHODIMP SearchBandFactory::LockServer(BOOL) { return E_NOTIMPL; }

}  // namespace corvane

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(classId, corvane::CLSID_SearchBand)) return CLASS_E_CLASSNOTAVAILABLE;
  auto factory =
      corvane::ComPtr<IClassFactory>::Adopt(new (std::nothrow) corvane::SearchBandFactory(classId));
  if (!factory) return E_OUTOFMEMORY;
  return factory->QueryInterface(iid, out);
}
