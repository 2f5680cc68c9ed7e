#include "program/band_loading.h"

#include <string>

#include "program/band_site.h"
#include "res/product.h"
#include "support/hresult.h"

namespace corvane::program {
namespace {

// By its full path only: a DLL of that name elsewhere on the search path is
// not ours to load. The module stays loaded for the life of the program.
HRESULT CreateBandBesideProgram(IDeskBand** band) {
  HMODULE dll = LoadLibraryExW((ProgramFolder() + L"\\" + kModuleFile).c_str(), nullptr,
                               LOAD_WITH_ALTERED_SEARCH_PATH);
  RETURN_LAST_ERROR_IF(dll == nullptr);
  return CreateBandFrom(dll, band);
}

}  // namespace

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  std::wstring program(path, GetModuleFileNameW(nullptr, path, ARRAYSIZE(path)));
  return program.substr(0, program.find_last_of(L'\\'));
}

HRESULT LoadBand(IDeskBand** band) {
  if (SUCCEEDED(CreateRegisteredBand(band))) return S_OK;
  return CreateBandBesideProgram(band);
}

}  // namespace corvane::program
