// Hosts the band the way the taskbar does: a small always-on-top strip
// window is the band's site, the band comes from COM activation of its
// registered class, right-click offers the band's menu items and Close, and
// on exit the band is hidden, closed, unsited and released. It is also a way
// to use Corvane where the taskbar no longer hosts toolbars.
//
//   band_host [--x X] [--y Y] [--width W] [--height H]
//             [--dll]              take the band from CORVANE.DLL beside this
//                                  program instead of the registered class
//             [--status FILE]      write "focus=... text=..." when it changes
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

#include "module/module_state.h"

namespace {

struct Options {
  int x = 100, y = 100, width = 300, height = 30;
  const wchar_t* statusFile = nullptr;
  const wchar_t* recorderLog = nullptr;
  bool closeBand = false;
  bool hideBand = false;
  bool fromDll = false;
  DWORD exitAfterMs = 0;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    const wchar_t* next = i + 1 < argc ? argv[i + 1] : L"0";
    if (arg == L"--x") options.x = _wtoi(next), ++i;
    else if (arg == L"--y") options.y = _wtoi(next), ++i;
    else if (arg == L"--width") options.width = _wtoi(next), ++i;
    else if (arg == L"--height") options.height = _wtoi(next), ++i;
    else if (arg == L"--status") options.statusFile = next, ++i;
    else if (arg == L"--recorder") options.recorderLog = next, ++i;
    else if (arg == L"--exit-after-ms") options.exitAfterMs = _wtoi(next), ++i;
    else if (arg == L"--close-band") options.closeBand = true;
    else if (arg == L"--hide-band") options.hideBand = true;
    else if (arg == L"--dll") options.fromDll = true;
  }
  return options;
}

// The site: the strip window, and the focus notices the band sends.
class StripSite final : public IOleWindow, public IInputObjectSite {
 public:
  explicit StripSite(HWND window) : window_(window) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow))
      *out = static_cast<IOleWindow*>(this);
    else if (IsEqualIID(iid, IID_IInputObjectSite))
      *out = static_cast<IInputObjectSite*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refCount_; }
  STDMETHODIMP_(ULONG) Release() override { return --refCount_; }
  STDMETHODIMP GetWindow(HWND* window) override {
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP OnFocusChangeIS(IUnknown*, BOOL) override { return S_OK; }
  IUnknown* Unknown() { return static_cast<IOleWindow*>(this); }

 private:
  HWND window_;
  ULONG refCount_ = 1;
};

Options options;
IDeskBand* band = nullptr;
std::wstring lastStatus;
constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT_PTR kExitTimer = 2;

std::wstring Escaped(const wchar_t* text) {
  std::wstring out;
  for (; *text != 0; ++text) {
    if (*text == L'\r') out += L"\\r";
    else if (*text == L'\n') out += L"\\n";
    else out += *text;
  }
  return out;
}

void WriteStatus() {
  HWND bandWindow = nullptr;
  if (band != nullptr) band->GetWindow(&bandWindow);
  HWND focus = GetFocus();
  HWND search = bandWindow ? GetDlgItem(bandWindow, 101) : nullptr;
  const wchar_t* where = focus == nullptr ? L"none"
                         : focus == search ? L"search"
                         : bandWindow && focus == GetDlgItem(bandWindow, 102) ? L"hint"
                         : focus == bandWindow ? L"band" : L"other";
  wchar_t text[1024] = {};
  if (search != nullptr) GetWindowTextW(search, text, 1024);
  std::wstring status = std::wstring(L"focus=") + where + L" text=" + Escaped(text);
  if (status == lastStatus || options.statusFile == nullptr) return;
  lastStatus = status;
  if (FILE* file = _wfopen(options.statusFile, L"ab")) {
    char line[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, status.c_str(), -1, line, sizeof line - 2, nullptr, nullptr);
    std::fprintf(file, "%s\n", line);
    std::fclose(file);
  }
}

void RegisterRecorder(const wchar_t* log) {
  HKEY classes = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\CorvaneHost\\Classes", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &classes, nullptr);
  RegOverridePredefKey(HKEY_CLASSES_ROOT, classes);
  wchar_t program[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command = program;
  command = L"\"" + command.substr(0, command.find_last_of(L'\\')) +
            L"\\url_recorder.exe\" \"%1\"";
  for (const wchar_t* key : {L"https\\shell\\open\\command", L"http\\shell\\open\\command"})
    RegSetValueW(HKEY_CLASSES_ROOT, key, REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size() * sizeof(wchar_t)));
  SetEnvironmentVariableW(L"CORVANE_URL_LOG", log);
}

IDeskBand* CreateBandFromDll() {
  wchar_t path[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dll = path;
  dll = dll.substr(0, dll.find_last_of(L'\\')) + L"\\CORVANE.DLL";
  HMODULE module = LoadLibraryW(dll.c_str());
  if (module == nullptr) return nullptr;
  auto getClassObject = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  if (getClassObject == nullptr ||
      FAILED(getClassObject(corvane::CLSID_SearchBand, IID_IClassFactory,
                            reinterpret_cast<void**>(&factory))))
    return nullptr;
  IDeskBand* created = nullptr;
  factory->CreateInstance(nullptr, IID_IDeskBand, reinterpret_cast<void**>(&created));
  factory->Release();
  return created;
}

IDeskBand* CreateBandFromRegistration() {
  IDeskBand* created = nullptr;
  CoCreateInstance(corvane::CLSID_SearchBand, nullptr, CLSCTX_INPROC_SERVER, IID_IDeskBand,
                   reinterpret_cast<void**>(&created));
  return created;
}

// The band's own items first, then the host's Close, as the taskbar does.
void ShowContextMenu(HWND strip, POINT screen) {
  constexpr UINT kFirstBandCommand = 100, kLastBandCommand = 199, kClose = 1;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kClose, L"&Close");
  IContextMenu* bandMenu = nullptr;
  if (SUCCEEDED(band->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&bandMenu))))
    bandMenu->QueryContextMenu(menu, 0, kFirstBandCommand, kLastBandCommand, CMF_NORMAL);
  UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                               strip, nullptr);
  if (chosen == kClose) {
    DestroyWindow(strip);
  } else if (chosen >= kFirstBandCommand && chosen <= kLastBandCommand && bandMenu) {
    CMINVOKECOMMANDINFO invoke = {};
    invoke.cbSize = sizeof invoke;
    invoke.hwnd = strip;
    invoke.lpVerb = MAKEINTRESOURCEA(chosen - kFirstBandCommand);
    invoke.nShow = SW_SHOWNORMAL;
    bandMenu->InvokeCommand(&invoke);
  }
  if (bandMenu) bandMenu->Release();
  DestroyMenu(menu);
}

LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU: {
      POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (screen.x == -1 && screen.y == -1) GetCursorPos(&screen);
      ShowContextMenu(window, screen);
      return 0;
    }
    case WM_SETFOCUS: {  // the taskbar hands its focus on to the band
      IInputObject* input = nullptr;
      if (band != nullptr && SUCCEEDED(band->QueryInterface(
                                 IID_IInputObject, reinterpret_cast<void**>(&input)))) {
        input->UIActivateIO(TRUE, nullptr);
        input->Release();
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kExitTimer) DestroyWindow(window);
      else WriteStatus();
      return 0;
    case WM_SIZE:
      if (band != nullptr) {
        HWND bandWindow = nullptr;
        band->GetWindow(&bandWindow);
        if (bandWindow) MoveWindow(bandWindow, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateStrip(const wchar_t* title, int x, int y, int width, int height) {
  RECT rect = {0, 0, width, height};
  AdjustWindowRectEx(&rect, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOPMOST);
  return CreateWindowExW(WS_EX_TOPMOST, L"CorvaneHostStrip", title,
                         WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                         rect.right - rect.left, rect.bottom - rect.top, nullptr,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

void CallSetSite(IUnknown* site) {
  IObjectWithSite* withSite = nullptr;
  if (SUCCEEDED(band->QueryInterface(IID_IObjectWithSite,
                                     reinterpret_cast<void**>(&withSite)))) {
    withSite->SetSite(site);
    withSite->Release();
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  options = ParseOptions(argc, argv);
  HRESULT comReady = CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (options.recorderLog != nullptr) RegisterRecorder(options.recorderLog);

  WNDCLASSW wc = {};
  wc.lpfnWndProc = StripProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"CorvaneHostStrip";
  RegisterClassW(&wc);
  HWND strip = CreateStrip(L"Corvane band host", options.x, options.y, options.width,
                           options.height);
  band = options.fromDll ? CreateBandFromDll() : CreateBandFromRegistration();
  if (strip == nullptr || band == nullptr) {
    std::fprintf(stderr, "the band could not be created\n");
    return 1;
  }
  StripSite site(strip);
  CallSetSite(site.Unknown());
  DESKBANDINFO info = {};
  info.dwMask = DBIM_MINSIZE;
  band->GetBandInfo(0, DBIF_VIEWMODE_NORMAL, &info);
  band->ShowDW(TRUE);
  if (options.closeBand) band->CloseDW(0);
  if (options.hideBand) band->ShowDW(FALSE);
  SetTimer(strip, kStatusTimer, 50, nullptr);
  if (options.exitAfterMs > 0) SetTimer(strip, kExitTimer, options.exitAfterMs, nullptr);
  std::printf("band host ready\n");
  std::fflush(stdout);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  band->ShowDW(FALSE);
  band->CloseDW(0);
  CallSetSite(nullptr);
  band->Release();
  if (SUCCEEDED(comReady)) CoUninitialize();
  return 0;
}
