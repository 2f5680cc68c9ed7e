// Drawing the Go button's pictures where the bitmaps do not serve.
#pragma once
#include <windows.h>

#include "band/band_record.h"

namespace corvane {

// Draws both pictures `size` pixels square into memory DCs: over the margin's
// grey, or premultiplied with the margin transparent.
HRESULT RenderGoButtonImages(GoButtonImages* images, int size, bool withAlpha);

}  // namespace corvane
