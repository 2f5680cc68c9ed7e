// CORVANEUI.DLL: loaded by CORVANE.DLL only in the process that shows the
// band. It keeps nothing but its instance, for its own texts.
#include <windows.h>

#include "search/suggestion_http.h"
#include "support/localized_text.h"
#include "support/text_language.h"
#include "ui/accessible_window.h"
#include "ui/annotated_name.h"
#include "ui/go_button_pixels.h"

namespace {

HINSTANCE UiModuleInstance = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    UiModuleInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

// By name, for CORVANE.DLL's GetProcAddress: its texts in the user's
// language, where that is not English.
extern "C" BOOL WINAPI CorvaneLoadTranslation(UINT id, wchar_t* buffer, int units) {
  const std::uint16_t language = corvane::TextLanguage();
  return language != corvane::kEnglishLanguage &&
                 corvane::LoadLanguageString(UiModuleInstance, id, language, buffer, units)
             ? TRUE
             : FALSE;
}

// By name, for CORVANE.DLL's GetProcAddress: the parts are that module's.
extern "C" BOOL WINAPI CorvaneAnswerAccessibleObject(HWND window, WPARAM flags, LPARAM objectId,
                                                     const void* parts, LRESULT* answer) {
  return corvane::AnswerAccessibleObject(
             window, flags, objectId, static_cast<const corvane::AccessibleParts*>(parts), answer)
             ? TRUE
             : FALSE;
}

// By name, for CORVANE.DLL's GetProcAddress, on its thread for one request:
// the network stays out of every process the focus key's hook reaches.
extern "C" BOOL WINAPI CorvaneAskForSuggestions(const wchar_t* address, ULONGLONG deadline,
                                                void* rows) {
  return corvane::AskForSuggestions(address, deadline, static_cast<corvane::SuggestionRows*>(rows))
             ? TRUE
             : FALSE;
}

// By name, for CORVANE.DLL's GetProcAddress: the Go button drawn at a size
// other than its bitmaps', into a DIB section's 32-bit rows.
extern "C" void WINAPI CorvaneDrawGoButton(int size, BOOL active, BOOL withAlpha, void* pixels) {
  corvane::DrawGoButtonPixels(size, active != FALSE, withAlpha != FALSE,
                              static_cast<std::uint8_t*>(pixels));
}

// By name, for CORVANE.DLL's GetProcAddress: the name of a standard control
// as the system's object gives it, and its end.
extern "C" BOOL WINAPI CorvaneAnnotateName(HWND window, const wchar_t* name) {
  return corvane::AnnotateName(window, name) ? TRUE : FALSE;
}

extern "C" void WINAPI CorvaneForgetAnnotatedName(HWND window) {
  corvane::ForgetAnnotatedName(window);
}
