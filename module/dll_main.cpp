#include <windows.h>

#include "module/module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) corvane::ModuleInstance = instance;
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return corvane::ObjectCount == 0 ? S_OK : S_FALSE;
}
