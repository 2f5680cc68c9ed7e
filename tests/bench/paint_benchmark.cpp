// What painting the band costs in the taskbar's light and dark modes: the
// painting thread's processor time for every paint of the band window and
// its box, edges included, drawn at once, in rounds of 500, the modes taking turns; medians
// of the rounds.
//
//   paint_benchmark ROUNDS [DLL]
// DLL is another CORVANE.DLL to measure (an earlier build, which paints its
// one look in both modes) instead of this tree's. tools/bench.sh runs both
// in turn.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "program/band_site.h"
#include "support/windows_handles.h"
#include "tests/support/win/recording_band_site.h"
#include "tests/support/win/taskbar_mode.h"
#include "tests/support/win/ui_support.h"

namespace corvane::test {
namespace {

constexpr int kPaintsPerRound = 500;

// The painting thread's own processor time: what others on a busy machine
// do meanwhile counts less than in the time that passes.
double ThreadMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// A band sited in a frame of its own.
class PaintedBand {
 public:
  explicit PaintedBand(HMODULE dll) : frame(CreateFrame(300, 30)), site(frame) {
    band = BandFrom(dll);
    if (band == nullptr) return;
    program::SetBandSite(band, site.Unknown());
    band->ShowDW(TRUE);
    band->GetWindow(&window);
  }
  ~PaintedBand() {
    if (band != nullptr) {
      band->ShowDW(FALSE);
      band->CloseDW(0);
      program::SetBandSite(band, nullptr);
      band->Release();
    }
    DestroyWindow(frame);
  }
  PaintedBand(const PaintedBand&) = delete;
  PaintedBand& operator=(const PaintedBand&) = delete;

  // Milliseconds per paint over one round.
  double Round() {
    double start = ThreadMs();
    for (int i = 0; i < kPaintsPerRound; ++i)
      RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    return (ThreadMs() - start) / kPaintsPerRound;
  }
  bool Ready() const { return window != nullptr; }

 private:
  HWND frame;
  RecordingBandSite site;
  IDeskBand* band = nullptr;
  HWND window = nullptr;
};

int Run(int rounds, const wchar_t* dllPath) {
  HMODULE dll = dllPath != nullptr ? LoadLibraryW(dllPath) : CorvaneDll();
  if (dll == nullptr) {
    std::fprintf(stderr, "cannot load %ls\n", dllPath);
    return 1;
  }
  PaintedBand painted(dll);
  if (!painted.Ready()) return 1;
  std::vector<double> light, dark;
  for (int round = 0; round < rounds; ++round) {
    light.push_back(painted.Round());
    {
      TaskbarMode darkTaskbar(0);
      PumpMessages(10);
      dark.push_back(painted.Round());
    }
    PumpMessages(10);
  }
  std::printf("%ls: light %.3f ms, dark %.3f ms per paint (medians of %d rounds)\n",
              dllPath != nullptr ? dllPath : L"this tree", Median(light), Median(dark), rounds);
  return 0;
}

}  // namespace
}  // namespace corvane::test

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? _wtoi(argv[1]) : 31;
  return corvane::test::Run(rounds > 0 ? rounds : 31, argc > 2 ? argv[2] : nullptr);
}
