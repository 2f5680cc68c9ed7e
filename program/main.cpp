// Corvane.exe: the search box where the taskbar hosts no toolbars. Shows the
// band in strips beside the taskbar, one program per session; "--startup" is the
// start with Windows, "--settings" opens the settings window, "--autostart
// on|off" only sets whether it starts with Windows, without a window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "program/band_loading.h"
#include "program/program_arguments.h"
#include "program/program_resource_ids.h"
#include "program/program_settings.h"
#include "program/program_texts.h"
#include "program/settings_window.h"
#include "program/single_instance.h"
#include "program/strip_set.h"
#include "support/hresult.h"
#include "support/windows_handles.h"

namespace corvane::program {
namespace {

enum ExitCode { kSuccess = 0, kFailed = 1, kUnknownArguments = 2 };

bool IsMissingFile(HRESULT result) {
  return result == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) ||
         result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
         result == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

void ReportBandFailure(HRESULT result) {
  if (IsMissingFile(result)) {
    ReportProblem(IDS_NO_BAND, ProgramFolder());
  } else if (result == HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT)) {
    ReportProblem(IDS_OTHER_ARCHITECTURE, sizeof(void*) == 8 ? L"32-bit" : L"64-bit");
  } else {
    wchar_t code[16] = {};
    std::swprintf(code, ARRAYSIZE(code), L"0x%08lX", static_cast<unsigned long>(result));
    ReportProblem(IDS_BAND_FAILED, code);
  }
}

// What a start does when Corvane runs already in the session.
enum class WhenRunning { Focus, Leave };

int ShowBand(WhenRunning whenRunning) {
  UniqueKernelObject claim = ClaimSession();
  if (!claim) {
    if (whenRunning == WhenRunning::Leave || FocusRunningProgram()) return kSuccess;
    ReportProblem(IDS_NOT_ANSWERING);
    return kFailed;
  }
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
  HRESULT comReady = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int exitCode = kSuccess;
  {
    StripSet strips(LoadBand);
    HRESULT result = strips.Open();
    if (FAILED(result)) {
      ReportBandFailure(result);
      exitCode = kFailed;
    } else {
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        strips.BeforeDispatch(message);
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  if (SUCCEEDED(comReady)) CoUninitialize();
  return exitCode;
}

// At sign-in, from a Run value: only for a user who wants it, and quietly,
// for the user's own Run value may have started it already.
int StartWithWindows() {
  TRACE_IF_FAILED(FollowStartPolicy());
  if (!StartsWithWindows()) return kSuccess;
  // Brings an earlier version's values up to date: under the machine's Run
  // value the user's own one goes, so that it cannot start Corvane twice. A
  // failure leaves them as they were, and Corvane starts all the same.
  if (!StartWithWindowsFixed()) TRACE_IF_FAILED(SetStartWithWindows(true));
  return ShowBand(WhenRunning::Leave);
}

}  // namespace
}  // namespace corvane::program

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace corvane::program;
  switch (
      ParseProgramArguments(__argc - 1, reinterpret_cast<const char16_t* const*>(__wargv + 1))) {
    case ProgramAction::ShowBand:
      TRACE_IF_FAILED(FollowStartPolicy());
      return ShowBand(WhenRunning::Focus);
    case ProgramAction::StartWithWindows:
      return StartWithWindows();
    case ProgramAction::Settings:
      return SUCCEEDED(SettingsWindow().Run()) ? kSuccess : kFailed;
    case ProgramAction::AutostartOn:
      return SUCCEEDED(SetStartWithWindows(true)) ? kSuccess : kFailed;
    case ProgramAction::AutostartOff:
      return SUCCEEDED(SetStartWithWindows(false)) ? kSuccess : kFailed;
    case ProgramAction::Unknown:
      break;
  }
  ReportProblem(IDS_USAGE);
  return kUnknownArguments;
}
