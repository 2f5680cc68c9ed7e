// The way in for the shell: a factory of band objects per request.
#pragma once
#include <windows.h>
#include <objbase.h>

namespace corvane {

class SearchBandFactory final : public IClassFactory {
 public:
  explicit SearchBandFactory(REFCLSID classId);
  SearchBandFactory(const SearchBandFactory&) = delete;
  SearchBandFactory& operator=(const SearchBandFactory&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  ~SearchBandFactory();
  ULONG refCount = 1;
  CLSID classId;
};

}  // namespace corvane
