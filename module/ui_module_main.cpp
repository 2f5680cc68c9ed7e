// CORVANEUI.DLL: loaded by CORVANE.DLL only in the process that shows the
// band. It keeps nothing of its own, so its entry has nothing to do.
#include <windows.h>

#include "ui/accessible_window.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

// By name, for CORVANE.DLL's GetProcAddress: the parts are that module's.
extern "C" BOOL WINAPI CorvaneAnswerAccessibleObject(HWND window, WPARAM flags, LPARAM objectId,
                                                     const void* parts, LRESULT* answer) {
  return corvane::AnswerAccessibleObject(
             window, flags, objectId, static_cast<const corvane::AccessibleParts*>(parts), answer)
             ? TRUE
             : FALSE;
}
