// CORVANEUI.DLL: loaded by CORVANE.DLL only in the process that shows the
// band, for what that process alone needs.
#include <windows.h>

#include <new>

#include "search/suggestion_http.h"
#include "support/localized_text.h"
#include "support/module_state.h"
#include "support/text_language.h"
#include "ui/accessible_window.h"
#include "ui/annotated_name.h"
#include "ui/box_menu.h"
#include "ui/clipboard_query.h"
#include "ui/go_button_pixels.h"
#include "ui/typing_suggestions.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    // Its texts, and the suggestion list's class and window.
    corvane::ModuleInstance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

// By name, for CORVANE.DLL's GetProcAddress: its texts in the user's
// language, where that is not English.
extern "C" BOOL WINAPI CorvaneLoadTranslation(UINT id, wchar_t* buffer, int units) {
  const std::uint16_t language = corvane::TextLanguage();
  return language != corvane::kEnglishLanguage &&
                 corvane::LoadLanguageString(corvane::ModuleInstance, id, language, buffer, units)
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

// By name, for CORVANE.DLL's GetProcAddress: suggestions and recent searches
// for a band's box, in a list of this module's.
extern "C" corvane::SuggestionSession* WINAPI
CorvaneMakeSuggestionSession(corvane::BandRecord* band, const corvane::SuggestionTexts* texts) {
  auto* session = new (std::nothrow) corvane::TypingSuggestions(band, *texts);
  if (session != nullptr && !session->HasList()) {
    delete session;
    return nullptr;
  }
  return session;
}

// By name, for CORVANE.DLL's GetProcAddress: the search box's own menu.
extern "C" UINT WINAPI CorvaneTrackBoxMenu(HWND searchEdit, HWND owner, POINT screen) {
  return corvane::TrackBoxMenu(searchEdit, owner, screen);
}

// By name, for CORVANE.DLL's GetProcAddress: the clipboard's text as a query.
extern "C" BOOL WINAPI CorvaneReadClipboardQuery(HWND owner, wchar_t* query, std::size_t limit) {
  return corvane::ReadClipboardQuery(owner, query, limit) ? TRUE : FALSE;
}
