#include "program/strip_monitors.h"

namespace corvane::program {

std::vector<int> MatchStripsToMonitors(const std::vector<std::wstring>& strips,
                                       const std::vector<std::wstring>& monitors) {
  std::vector<int> placed(monitors.size(), kNewStrip);
  std::vector<bool> taken(strips.size(), false);
  for (size_t monitor = 0; monitor < monitors.size(); ++monitor)
    for (size_t strip = 0; strip < strips.size(); ++strip)
      if (!taken[strip] && strips[strip] == monitors[monitor]) {
        placed[monitor] = static_cast<int>(strip);
        taken[strip] = true;
        break;
      }
  // The strips whose monitors are gone, in their order, to the monitors
  // without a strip: a band kept rather than one made anew.
  size_t next = 0;
  for (int& strip : placed) {
    if (strip != kNewStrip) continue;
    while (next < strips.size() && taken[next]) ++next;
    if (next == strips.size()) break;
    strip = static_cast<int>(next);
    taken[next] = true;
  }
  return placed;
}

}  // namespace corvane::program
