#include <windows.h>

#include "support/module_state.h"
#include "support/resource_strings.h"
#include "support/session_bands.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    corvane::ModuleInstance = instance;
    // Nothing here is per thread: the threads of the process (the
    // suggestions' among them) need not call in as they start and end.
    DisableThreadLibraryCalls(instance);
  }
  // At process exit the heap and the views go with the process; only an
  // unload while the process goes on gives the cache and the F12 list back.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    corvane::FreeResourceStrings();
    corvane::ReleaseSessionFocusTargets();
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return corvane::ObjectCount == 0 ? S_OK : S_FALSE;
}
