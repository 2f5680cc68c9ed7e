#include "support/dpi_scale.h"

namespace corvane {

int ScaleForDpi(int length, int dpi) {
  if (dpi <= 0) dpi = kDefaultDpi;
  long long scaled = static_cast<long long>(length) * dpi;
  long long half = kDefaultDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDefaultDpi
                                      : -((-scaled + half) / kDefaultDpi));
}

}  // namespace corvane
