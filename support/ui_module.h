// CORVANEUI.DLL, beside CORVANE.DLL: loaded the first time the band's own
// process needs it, and kept.
#pragma once
#include <windows.h>

namespace corvane {

// Null where it cannot be loaded; the band then speaks English and gives
// screen readers nothing of its own.
HMODULE UiModule();

// The UI module's answer to WM_GETOBJECT, by the name it exports it under.
using AnswerAccessibleObjectFunction = BOOL(WINAPI*)(HWND window, WPARAM flags, LPARAM objectId,
                                                     const void* parts, LRESULT* answer);
inline constexpr char kAnswerAccessibleObjectExport[] = "CorvaneAnswerAccessibleObject";

}  // namespace corvane
