#include "support/system_library.h"

#include "support/bounded_string.h"
#include "support/wide_text.h"

namespace corvane {

HMODULE LoadSystemLibrary(const wchar_t* fileName, HMODULE* loaded) {
  if (*loaded != nullptr) return *loaded;
  wchar_t path[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !BoundedAppend(AsUtf16(path), MAX_PATH, u"\\") ||
      !BoundedAppend(AsUtf16(path), MAX_PATH, AsUtf16(fileName)))
    return nullptr;
  return KeepLoaded(LoadLibraryW(path), loaded);
}

HMODULE KeepLoaded(HMODULE module, HMODULE* loaded) {
  if (module == nullptr) return *loaded;
  if (InterlockedCompareExchangePointer(reinterpret_cast<void* volatile*>(loaded), module,
                                        nullptr) != nullptr)
    FreeLibrary(module);
  return *loaded;
}

}  // namespace corvane
