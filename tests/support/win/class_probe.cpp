// Creates the band through COM, as a host of this architecture does, and
// writes the path of the module that serves it into the file named first:
//   class_probe OUTPUT
// Exit code 0, or the failure's HRESULT.
#include <windows.h>
#include <shlobj.h>

#include "support/band_class.h"
#include "support/windows_handles.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return E_INVALIDARG;
  HRESULT result = CoInitialize(nullptr);
  if (FAILED(result)) return result;
  IDeskBand* band = nullptr;
  result = CoCreateInstance(corvane::CLSID_SearchBand, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                            reinterpret_cast<void**>(&band));
  if (SUCCEEDED(result)) {
    // The module whose code the object's table lies in.
    HMODULE server = nullptr;
    wchar_t path[MAX_PATH] = {};
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        *reinterpret_cast<LPCWSTR*>(band), &server);
    DWORD units = GetModuleFileNameW(server, path, MAX_PATH);
    corvane::UniqueFile output(CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (units == 0 || !output ||
        !WriteFile(output.Get(), path, units * sizeof(wchar_t), &written, nullptr))
      result = HRESULT_FROM_WIN32(GetLastError());
    band->Release();
  }
  CoUninitialize();
  return result;
}
