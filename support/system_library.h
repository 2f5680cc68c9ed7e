// DLLs that only the band's own process needs (network, accessibility,
// themes), loaded there at run time from the system folder, never through
// the import table of a module that every program may load.
#pragma once
#include <windows.h>

namespace corvane {

// The system folder's `fileName`, loaded the first time and kept for the
// life of the process in *loaded (shared by every thread); null when it
// cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* fileName, HMODULE* loaded);

// `module`, just loaded (or null), kept in *loaded for the life of the
// process; where another thread kept one meanwhile, that one is kept and
// this reference given back. The module kept, or null.
HMODULE KeepLoaded(HMODULE module, HMODULE* loaded);

template <class Function>
bool FindFunction(HMODULE module, const char* name, Function* function) {
  *function =
      module != nullptr
          ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
          : nullptr;
  return *function != nullptr;
}

}  // namespace corvane
