// Suggestions as the user types, with a loopback service that answers at
// once: the time from a keystroke to the list shown, and the time from a
// key press to its letter in the box with suggestions on beside off,
// interleaved in one run. Medians of `rounds` keystrokes each.
//
//   suggestion_benchmark [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "program/band_loading.h"
#include "res/product.h"
#include "support/windows_handles.h"
#include "tests/support/win/recording_band_site.h"
#include "tests/support/win/suggestion_server.h"
#include "tests/support/win/ui_support.h"
#include "ui/band_window.h"

namespace corvane::test {
namespace {

double NowMs() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The user's settings in a scratch key of their own.
void UseScratchSettings() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\CorvaneBench\\Suggestions");
  HKEY scratch = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\CorvaneBench\\Suggestions", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &scratch, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
}

void SetSetting(const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

void SetText(const wchar_t* name, const std::wstring& text) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

bool ListShown() {
  HWND list = FindWindowW(kSuggestionListClass, nullptr);
  return list != nullptr && IsWindowVisible(list);
}

// Pumps until `done` or `limitMs` passed; the time it took, or -1.
template <class Done>
double WaitUntil(double startMs, double limitMs, Done done) {
  while (NowMs() - startMs < limitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    PumpMessages();
    if (done()) return NowMs() - startMs;
  }
  return -1;
}

void PressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

int Run(int rounds) {
  UseScratchSettings();
  SuggestionServer server;
  if (!server.Start(SuggestionServer::Mode::kAnswer, L"")) {
    std::fprintf(stderr, "the loopback service did not start\n");
    return 1;
  }
  SetText(kSuggestAddressValue,
          L"http://127.0.0.1:" + std::to_wstring(server.Port()) + L"/s?q={searchTerms}");
  HWND frame = CreateFrame(300, 30);
  RecordingBandSite site(frame);
  IDeskBand* band = CreateBand();
  if (band == nullptr) return 1;
  program::SetBandSite(band, site.Unknown());
  band->ShowDW(TRUE);
  Activate(frame);
  HWND bandWindow = nullptr;
  band->GetWindow(&bandWindow);
  HWND search = GetDlgItem(bandWindow, kSearchEditId);
  SetFocus(GetDlgItem(bandWindow, kHintEditId));
  PumpMessages(50);

  std::vector<double> toList, keyOn, keyOff;
  for (int round = 0; round < rounds; ++round) {
    // The list, from a keystroke in a box whose list is closed.
    SetSetting(kSuggestionsValue, 1);
    PressKey(VK_ESCAPE);
    WaitUntil(NowMs(), 500, [] { return !ListShown(); });
    double start = NowMs();
    PressKey('A' + round % 26);
    double shown = WaitUntil(start, 3000, ListShown);
    if (shown >= 0) toList.push_back(shown);
    // A letter into the box, suggestions on and off in turn (which comes
    // first alternates); each waits for the work its keystroke started.
    const bool onFirst = round % 2 == 0;
    for (bool on : {onFirst, !onFirst}) {
      SetSetting(kSuggestionsValue, on ? 1 : 0);
      int before = GetWindowTextLengthW(search);
      start = NowMs();
      PressKey('A' + round % 26);
      double typed = WaitUntil(start, 1000, [&] { return GetWindowTextLengthW(search) > before; });
      if (typed >= 0) (on ? keyOn : keyOff).push_back(typed);
      WaitUntil(NowMs(), on ? 1000 : 250, [&] { return on && ListShown(); });
    }
    if (GetWindowTextLengthW(search) > 60) SetWindowTextW(search, L"");
  }
  band->ShowDW(FALSE);
  band->CloseDW(0);
  program::SetBandSite(band, nullptr);
  band->Release();
  DestroyWindow(frame);

  std::printf("keystroke to list shown:    %7.1f ms median of %zu (pause 150 ms)\n", Median(toList),
              toList.size());
  std::printf("key to box, suggestions on: %7.2f ms median of %zu\n", Median(keyOn), keyOn.size());
  std::printf("key to box, suggestions off:%7.2f ms median of %zu\n", Median(keyOff),
              keyOff.size());
  if (Median(keyOff) > 0)
    std::printf("ratio on / off:             %7.2f\n", Median(keyOn) / Median(keyOff));
  return toList.empty() || keyOn.empty() || keyOff.empty() ? 1 : 0;
}

}  // namespace
}  // namespace corvane::test

int wmain(int argc, wchar_t** argv) {
  int rounds = argc >= 2 ? _wtoi(argv[1]) : 41;
  return corvane::test::Run(rounds > 0 ? rounds : 41);
}
