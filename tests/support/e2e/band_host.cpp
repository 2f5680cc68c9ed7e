// The test host: hosts the band the way the taskbar does (a small
// always-on-top strip window is the band's site, the band comes from COM
// activation of its registered class, right-click offers the band's menu
// items and Close, and on exit the band is hidden, closed, unsited and
// released), at a fixed place and with the switches the end-to-end tests
// drive it by.
//
//   band_host [--x X] [--y Y] [--width W] [--height H]   (size at 96 DPI)
//             [--dll]              take the band from CORVANE.DLL beside this
//                                  program instead of the registered class
//             [--status FILE]      write "focus=... [list=shown] text=..." when
//                                  it changes
//             [--recorder LOG]     open searches with the URL recorder
//             [--close-band]       close the band at once (process stays)
//             [--hide-band]        hide the band at once
//             [--exit-after-ms N]  leave after N ms (default: on close)
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "program/hosted_band.h"
#include "res/product.h"
#include "support/windows_handles.h"
#include "tests/support/win/url_recorder_setup.h"
#include "tests/support/win/utf8_text.h"
#include "ui/band_window.h"

namespace {

struct HostOptions {
  int x = 100, y = 100, width = 300, height = 30;
  const wchar_t* statusFile = nullptr;
  const wchar_t* recorderLog = nullptr;
  bool closeBand = false;
  bool hideBand = false;
  bool fromDll = false;
  DWORD exitAfterMs = 0;
};

HostOptions ParseOptions(int argc, wchar_t** argv) {
  HostOptions options;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    const wchar_t* next = i + 1 < argc ? argv[i + 1] : L"0";
    if (arg == L"--x")
      options.x = _wtoi(next), ++i;
    else if (arg == L"--y")
      options.y = _wtoi(next), ++i;
    else if (arg == L"--width")
      options.width = _wtoi(next), ++i;
    else if (arg == L"--height")
      options.height = _wtoi(next), ++i;
    else if (arg == L"--status")
      options.statusFile = next, ++i;
    else if (arg == L"--recorder")
      options.recorderLog = next, ++i;
    else if (arg == L"--exit-after-ms")
      options.exitAfterMs = _wtoi(next), ++i;
    else if (arg == L"--close-band")
      options.closeBand = true;
    else if (arg == L"--hide-band")
      options.hideBand = true;
    else if (arg == L"--dll")
      options.fromDll = true;
  }
  return options;
}

HostOptions Options;
corvane::program::HostedBand* Band = nullptr;
std::wstring LastStatus;
constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
constexpr UINT_PTR kExitTimer = 2;

std::wstring Escaped(const wchar_t* text) {
  std::wstring out;
  for (; *text != 0; ++text) {
    if (*text == L'\r')
      out += L"\\r";
    else if (*text == L'\n')
      out += L"\\n";
    else
      out += *text;
  }
  return out;
}

void WriteStatus() {
  HWND bandWindow = Band != nullptr ? Band->Window() : nullptr;
  HWND focus = GetFocus();
  HWND search = bandWindow ? GetDlgItem(bandWindow, corvane::kSearchEditId) : nullptr;
  HWND hint = bandWindow ? GetDlgItem(bandWindow, corvane::kHintEditId) : nullptr;
  const wchar_t* where = focus == nullptr      ? L"none"
                         : focus == search     ? L"search"
                         : focus == hint       ? L"hint"
                         : focus == bandWindow ? L"band"
                                               : L"other";
  wchar_t text[1024] = {};
  if (search != nullptr) GetWindowTextW(search, text, 1024);
  // The suggestion list of this process, while it is shown.
  HWND list = FindWindowW(corvane::kSuggestionListClass, nullptr);
  const wchar_t* shown = list != nullptr && IsWindowVisible(list) ? L" list=shown" : L"";
  std::wstring status = std::wstring(L"focus=") + where + shown + L" text=" + Escaped(text);
  if (status == LastStatus || Options.statusFile == nullptr) return;
  LastStatus = status;
  if (FILE* file = _wfopen(Options.statusFile, L"ab")) {
    std::fprintf(file, "%s\n", corvane::host::Utf8(status).c_str());
    std::fclose(file);
  }
}

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program = path;
  return program.substr(0, program.find_last_of(L'\\'));
}

// Searches go to the recorder beside this program, registered in a private
// copy of the classes root.
void UseRecorder(const wchar_t* log) {
  corvane::UniqueRegistryKey classes;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\CorvaneHost\\Classes", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, classes.Put(), nullptr);
  RegOverridePredefKey(HKEY_CLASSES_ROOT, classes.Get());
  corvane::host::RegisterRecorder(ProgramFolder() + L"\\url_recorder.exe", log);
}

corvane::ComPtr<IDeskBand> CreateBand() {
  corvane::ComPtr<IDeskBand> band;
  if (!Options.fromDll) {
    corvane::program::CreateRegisteredBand(band.Put());
  } else if (HMODULE module = LoadLibraryW((ProgramFolder() + L"\\CORVANE.DLL").c_str())) {
    corvane::program::CreateBandFrom(module, band.Put());
  }
  return band;
}

// The band's own items first, then the host's Close, as the taskbar does.
void ShowContextMenu(HWND strip, POINT screen) {
  constexpr UINT kFirstBandCommand = 100, kLastBandCommand = 199, kClose = 1;
  corvane::UniqueMenu menu(CreatePopupMenu());
  AppendMenuW(menu.Get(), MF_STRING, kClose, L"&Close");
  corvane::ComPtr<IContextMenu> bandMenu =
      Band->AddMenuItems(menu.Get(), kFirstBandCommand, kLastBandCommand);
  UINT chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                               strip, nullptr);
  if (chosen == kClose) {
    DestroyWindow(strip);
  } else if (chosen >= kFirstBandCommand && chosen <= kLastBandCommand && bandMenu) {
    corvane::program::InvokeBandCommand(bandMenu.Get(), strip, chosen - kFirstBandCommand);
  }
}

LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU: {
      POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (screen.x == -1 && screen.y == -1) GetCursorPos(&screen);
      ShowContextMenu(window, screen);
      return 0;
    }
    case WM_SETFOCUS:  // the taskbar hands its focus on to the band
      if (Band != nullptr) Band->TakeFocus();
      return 0;
    case WM_TIMER:
      if (wParam == kExitTimer)
        DestroyWindow(window);
      else
        WriteStatus();
      return 0;
    case WM_SIZE:
      if (Band != nullptr) Band->Place({0, 0, LOWORD(lParam), HIWORD(lParam)});
      return 0;
    case kDpiChanged: {  // moved to a screen of another DPI: take the size offered
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Sizes are given for 96 DPI; the host, like the taskbar, sees each screen's
// own DPI where the system offers that.
void UseEachScreensDpi() {
  using SetAwareness = BOOL(WINAPI*)(HANDLE);
  auto set = reinterpret_cast<SetAwareness>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(-4);
  if (set != nullptr) set(kPerMonitorAwareV2);
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

HWND CreateStrip(const wchar_t* title, int x, int y, int width, int height) {
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOPMOST);
  return CreateWindowExW(WS_EX_TOPMOST, L"CorvaneHostStrip", title,
                         WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                         rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options = ParseOptions(argc, argv);
  HRESULT comReady = CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (Options.recorderLog != nullptr) UseRecorder(Options.recorderLog);

  WNDCLASSW wc = {};
  wc.lpfnWndProc = StripProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"CorvaneHostStrip";
  RegisterClassW(&wc);
  UseEachScreensDpi();
  int dpi = ScreenDpi();
  HWND strip = CreateStrip(L"Corvane band host", Options.x, Options.y,
                           MulDiv(Options.width, dpi, 96), MulDiv(Options.height, dpi, 96));
  corvane::program::HostedBand band(CreateBand());
  if (strip == nullptr || !band) {
    std::fprintf(stderr, "the band could not be created\n");
    return 1;
  }
  Band = &band;
  // In the taskbar's order: sited, asked for its sizes, shown.
  band.Site(strip);
  band.MinimumHeight();
  band.Show(true);
  if (Options.closeBand) band.Get()->CloseDW(0);
  if (Options.hideBand) band.Show(false);
  SetTimer(strip, kStatusTimer, 50, nullptr);
  if (Options.exitAfterMs > 0) SetTimer(strip, kExitTimer, Options.exitAfterMs, nullptr);
  std::printf("band host ready\n");
  std::fflush(stdout);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  band.Release();
  Band = nullptr;
  if (SUCCEEDED(comReady)) CoUninitialize();
  return 0;
}
