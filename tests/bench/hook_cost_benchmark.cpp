// What the F12 hook costs a program that is only typed into: CORVANE.DLL is
// loaded into every process that receives a keystroke while a band is shown.
//
//   hook_cost_benchmark [ROUNDS] [KEYS]
//
// Each round starts three fresh copies of this program as the typed-into
// program ("victim"), in turn: one while no hook is installed, one while a
// hook that only passes keys on (null_hook.dll) is installed, and one while
// this process hosts a band and so Corvane's hook. A victim activates its
// window, sends itself one key (A down and up) and then KEYS more, each time
// waiting until the key's release has come through its message loop, where
// the system runs the hook. It reports the first key's time (for a hooked
// victim that includes loading the hook's module), the time per later key,
// its resident memory and the hook module's pages that are its own once the
// keys are done. Medians over the rounds are printed, and the part of
// CORVANE.DLL's image that is writable and not shared: what a process may
// come to hold of it privately.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/windows_handles.h"
#include "tests/support/win/test_support.h"
#include "tests/support/win/ui_support.h"
#include "tests/support/win/recording_band_site.h"

namespace corvane::test {
namespace {

constexpr UINT kKey = 'A';

struct VictimResult {
  double firstKeyUs = 0;
  double perKeyUs = 0;
  double residentKiB = 0;
  double modulePrivateKiB = 0;
  bool moduleLoaded = false;
};

double NowUs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// ---- the typed-into program -------------------------------------------

int KeyReleases = 0;

LRESULT CALLBACK VictimProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYUP && wParam == kKey) ++KeyReleases;
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateVictimWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = VictimProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CorvaneHookCostVictim";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"victim", WS_POPUP | WS_VISIBLE,
                                600, 400, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
  for (int i = 0; i < 200 && GetForegroundWindow() != window; ++i) {
    SetForegroundWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
  SetFocus(window);
  return window;
}

// One key through the system's input queue and this thread's message loop.
bool TypeKey() {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = kKey;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  int expected = KeyReleases + 1;
  if (SendInput(2, inputs, sizeof(INPUT)) != 2) return false;
  double giveUp = NowUs() + 2e6;
  MSG message;
  while (KeyReleases < expected) {
    if (NowUs() > giveUp) return false;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

// Pages of the module's image that are resident and this process's own
// (written to, or zero-filled on first touch), rather than shared with the
// file or other processes.
double ModulePrivateKiB(HMODULE module) {
  if (module == nullptr) return 0;
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  SIZE_T pages = ImageHeadersOf(module)->OptionalHeader.SizeOfImage / system.dwPageSize;
  std::vector<PSAPI_WORKING_SET_EX_INFORMATION> info(pages);
  for (SIZE_T i = 0; i < pages; ++i)
    info[i].VirtualAddress = reinterpret_cast<BYTE*>(module) + i * system.dwPageSize;
  if (!QueryWorkingSetEx(GetCurrentProcess(), info.data(),
                         static_cast<DWORD>(pages * sizeof info[0])))
    return -1;
  SIZE_T own = 0;
  for (const auto& page : info)
    if (page.VirtualAttributes.Valid && !page.VirtualAttributes.Shared) ++own;
  return static_cast<double>(own * system.dwPageSize) / 1024;
}

int RunVictim(const wchar_t* resultPath, int keys) {
  HWND window = CreateVictimWindow();
  if (GetForegroundWindow() != window) return 3;
  VictimResult result;
  double start = NowUs();
  if (!TypeKey()) return 4;
  result.firstKeyUs = NowUs() - start;
  start = NowUs();
  for (int i = 0; i < keys; ++i)
    if (!TypeKey()) return 4;
  result.perKeyUs = (NowUs() - start) / keys;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  result.residentKiB = static_cast<double>(memory.WorkingSetSize) / 1024;
  HMODULE module = GetModuleHandleW(L"CORVANE.DLL");
  result.moduleLoaded = module != nullptr;
  HMODULE hookModule = module != nullptr ? module : GetModuleHandleW(L"null_hook.dll");
  result.modulePrivateKiB = ModulePrivateKiB(hookModule);
  FILE* file = _wfopen(resultPath, L"wb");
  if (file == nullptr) return 5;
  std::fprintf(file, "%f %f %f %f %d\n", result.firstKeyUs, result.perKeyUs, result.residentKiB,
               result.modulePrivateKiB, result.moduleLoaded ? 1 : 0);
  std::fclose(file);
  return 0;
}

// ---- the host of the band and of the rounds ---------------------------

bool StartVictim(const std::wstring& resultPath, int keys, VictimResult* result) {
  DeleteFileW(resultPath.c_str());
  wchar_t program[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command =
      L"\"" + std::wstring(program) + L"\" victim \"" + resultPath + L"\" " + std::to_wstring(keys);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  UniqueFile processHandle(process.hProcess);
  UniqueFile threadHandle(process.hThread);
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 60000, QS_ALLINPUT) ==
         WAIT_OBJECT_0 + 1)
    PumpMessages();
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  FILE* file = _wfopen(resultPath.c_str(), L"rb");
  if (exitCode != 0 || file == nullptr) {
    std::fprintf(stderr, "victim failed with %lu\n", exitCode);
    if (file != nullptr) std::fclose(file);
    return false;
  }
  int loaded = 0;
  int read = std::fscanf(file, "%lf %lf %lf %lf %d", &result->firstKeyUs, &result->perKeyUs,
                         &result->residentKiB, &result->modulePrivateKiB, &loaded);
  std::fclose(file);
  result->moduleLoaded = loaded != 0;
  return read == 5;
}

// A band shown in a frame of this process: its window's creation installs
// the hook, its closing removes it.
class HostedBand {
 public:
  HostedBand(HMODULE dll, HWND frame) : site(frame) {
    band = BandFrom(dll);
    if (band == nullptr) return;
    program::SetBandSite(band, site.Unknown());
    band->ShowDW(TRUE);
    PumpMessages();
  }
  ~HostedBand() {
    if (band == nullptr) return;
    band->ShowDW(FALSE);
    band->CloseDW(0);
    program::SetBandSite(band, nullptr);
    band->Release();
    PumpMessages();
  }
  bool Ready() const { return band != nullptr; }

 private:
  RecordingBandSite site;
  IDeskBand* band = nullptr;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Series {
  std::vector<double> firstKeyUs, perKeyUs, residentKiB, modulePrivateKiB;
  bool moduleLoaded = true;
  bool moduleNeverLoaded = true;
  void Add(const VictimResult& r) {
    firstKeyUs.push_back(r.firstKeyUs);
    perKeyUs.push_back(r.perKeyUs);
    residentKiB.push_back(r.residentKiB);
    modulePrivateKiB.push_back(r.modulePrivateKiB);
    moduleLoaded = moduleLoaded && r.moduleLoaded;
    moduleNeverLoaded = moduleNeverLoaded && !r.moduleLoaded;
  }
};

// What Windows charges a process for the module's image as its own: the
// writable sections that are not shared between processes.
double WritableImageKiB(HMODULE dll) {
  const IMAGE_NT_HEADERS* nt = ImageHeadersOf(dll);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  DWORD page = nt->OptionalHeader.SectionAlignment;
  DWORD bytes = 0;
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
    if ((section->Characteristics & IMAGE_SCN_MEM_WRITE) &&
        !(section->Characteristics & IMAGE_SCN_MEM_SHARED))
      bytes += (section->Misc.VirtualSize + page - 1) / page * page;
  return bytes / 1024.0;
}

int RunRounds(int rounds, int keys) {
  HMODULE dll = LoadLibraryW((ProgramFolder() + L"\\CORVANE.DLL").c_str());
  HMODULE nullHookDll = LoadLibraryW((ProgramFolder() + L"\\null_hook.dll").c_str());
  auto nullHook =
      reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(nullHookDll, "NullHook")));
  HWND frame = CreateFrame(300, 30, 0, 0);
  if (dll == nullptr || nullHook == nullptr || frame == nullptr) return 2;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring resultPath = std::wstring(temp) + L"corvane-hook-cost.txt";
  Series plain, passing, hooked;
  for (int round = 0; round < rounds; ++round) {
    VictimResult result;
    if (!StartVictim(resultPath, keys, &result)) return 3;
    plain.Add(result);
    {
      UniqueHook hook(SetWindowsHookExW(WH_KEYBOARD, nullHook, nullHookDll, 0));
      if (!hook || !StartVictim(resultPath, keys, &result)) return 3;
      passing.Add(result);
    }
    HostedBand band(dll, frame);
    if (!band.Ready() || !StartVictim(resultPath, keys, &result)) return 3;
    hooked.Add(result);
  }
  if (!hooked.moduleLoaded || !plain.moduleNeverLoaded) {
    std::fprintf(stderr, "the hook did not (only) reach the hooked victims\n");
    return 4;
  }
  double plainKey = Median(plain.perKeyUs), passingKey = Median(passing.perKeyUs),
         hookedKey = Median(hooked.perKeyUs);
  std::printf("rounds %d, %d keys each; medians\n", rounds, keys);
  std::printf("                    no hook   passing hook   Corvane\n");
  std::printf("first key (us)     %8.0f       %8.0f  %8.0f\n", Median(plain.firstKeyUs),
              Median(passing.firstKeyUs), Median(hooked.firstKeyUs));
  std::printf("per key (us)       %8.1f       %8.1f  %8.1f\n", plainKey, passingKey, hookedKey);
  std::printf("per key, Corvane beside no hook %.3f, beside the passing hook %.3f\n",
              hookedKey / plainKey, hookedKey / passingKey);
  std::printf("resident (KiB)     %8.0f       %8.0f  %8.0f\n", Median(plain.residentKiB),
              Median(passing.residentKiB), Median(hooked.residentKiB));
  std::printf("hook module's own pages (KiB)    %8.0f  %8.0f\n", Median(passing.modulePrivateKiB),
              Median(hooked.modulePrivateKiB));
  std::printf("writable, unshared image of CORVANE.DLL (KiB): %.0f\n", WritableImageKiB(dll));
  DestroyWindow(frame);
  return 0;
}

}  // namespace
}  // namespace corvane::test

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && std::wstring(argv[1]) == L"victim")
    return corvane::test::RunVictim(argv[2], _wtoi(argv[3]));
  int rounds = argc >= 2 ? _wtoi(argv[1]) : 9;
  int keys = argc >= 3 ? _wtoi(argv[2]) : 500;
  return corvane::test::RunRounds(rounds > 0 ? rounds : 9, keys > 0 ? keys : 500);
}
