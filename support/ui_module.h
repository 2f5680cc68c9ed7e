// CORVANEUI.DLL, beside CORVANE.DLL: loaded the first time the band's own
// process needs it, and kept.
#pragma once
#include <windows.h>

namespace corvane {

// Null where it cannot be loaded; the band then speaks English and gives
// screen readers nothing of its own.
HMODULE UiModule();

// What the UI module does for CORVANE.DLL, by the names it exports them
// under: the Go button's picture at a size, the answer to WM_GETOBJECT, the
// name of a standard control given to the system's object of it and taken
// back, and a text of CORVANE.DLL's table in the user's language (FALSE
// where that is English, which CORVANE.DLL holds itself, or where the text
// is missing), copied and terminated. The suggestions' session:
// ui/suggestion_session.h.
using AnswerAccessibleObjectFunction = BOOL(WINAPI*)(HWND window, WPARAM flags, LPARAM objectId,
                                                     const void* parts, LRESULT* answer);
inline constexpr char kAnswerAccessibleObjectExport[] = "CorvaneAnswerAccessibleObject";
using AnnotateNameFunction = BOOL(WINAPI*)(HWND window, const wchar_t* name);
inline constexpr char kAnnotateNameExport[] = "CorvaneAnnotateName";
using ForgetAnnotatedNameFunction = void(WINAPI*)(HWND window);
inline constexpr char kForgetAnnotatedNameExport[] = "CorvaneForgetAnnotatedName";
using DrawGoButtonFunction = void(WINAPI*)(int size, BOOL active, BOOL withAlpha, void* pixels);
inline constexpr char kDrawGoButtonExport[] = "CorvaneDrawGoButton";
using LoadTranslationFunction = BOOL(WINAPI*)(UINT id, wchar_t* buffer, int units);
inline constexpr char kLoadTranslationExport[] = "CorvaneLoadTranslation";

}  // namespace corvane
