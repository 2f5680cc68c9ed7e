// Which monitor each strip stands on when there is one on every monitor:
// after monitors came, went or were rearranged, the strips are matched to
// them again by the monitors' device names. Platform-free.
#pragma once
#include <string>
#include <vector>

namespace corvane::program {

constexpr int kNewStrip = -1;

// For each monitor of `monitors`, the index of the strip of `strips` (named
// by the monitor it stood on) that goes there, or kNewStrip. A strip whose
// monitor is gone moves to a monitor that has none before a new one is
// made; strips left over close.
std::vector<int> MatchStripsToMonitors(const std::vector<std::wstring>& strips,
                                       const std::vector<std::wstring>& monitors);

}  // namespace corvane::program
