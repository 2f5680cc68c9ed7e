#include "ui/absolute_pointer.h"

namespace corvane {

long NormalisedCoordinate(int pixel, DesktopAxis axis) {
  if (axis.extent <= 0) return 0;
  long long offset = static_cast<long long>(pixel) - axis.origin;
  if (offset < 0) offset = 0;
  if (offset >= axis.extent) offset = axis.extent - 1;
  // The smallest value whose truncated image is the pixel: rounding up
  // keeps it off the pixel before, which plain rounding can hit.
  return static_cast<long>((offset * 65536 + axis.extent - 1) / axis.extent);
}

}  // namespace corvane
