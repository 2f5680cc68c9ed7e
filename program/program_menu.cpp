#include "program/program_menu.h"

#include "program/program_resource_ids.h"
#include "program/program_settings.h"
#include "program/program_texts.h"
#include "program/settings_window.h"
#include "support/hresult.h"

namespace corvane::program {

void AppendProgramItems(HMENU menu) {
  AppendMenuW(menu, MF_STRING, kSettings, ProgramText(IDS_SETTINGS).c_str());
  const UINT state =
      (StartsWithWindows() ? MF_CHECKED : 0) | (StartWithWindowsFixed() ? MF_GRAYED : 0);
  AppendMenuW(menu, MF_STRING | state, kStartWithWindows,
              ProgramText(IDS_START_WITH_WINDOWS).c_str());
}

// The menu closes when the user clicks elsewhere only if its owner is in
// the foreground.
UINT TrackMenu(HWND owner, HMENU menu, POINT screen) {
  SetForegroundWindow(owner);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

// A choice that cannot be stored holds for this run only: the setting keeps
// its stored value, which the menu shows the next time it opens.
bool RunProgramCommand(UINT command) {
  if (command == kStartWithWindows) {
    TRACE_IF_FAILED(SetStartWithWindows(!StartsWithWindows()));
    return true;
  }
  if (command == kSettings) {
    OpenSettingsWindow();
    return true;
  }
  return false;
}

}  // namespace corvane::program
