// The Go button's pictures where the bitmaps do not serve: at another size
// than the design's, or with the margin transparent for a composited
// taskbar.
#pragma once
#include <windows.h>

#include "support/windows_handles.h"

namespace corvane {

struct GoButtonImages {
  int size = 0;
  bool withAlpha = false;
  // The bitmaps are declared first so that they go after the DCs holding them.
  UniqueGdiObject<HBITMAP> normal;
  UniqueGdiObject<HBITMAP> active;
  UniqueDc normalDc;
  UniqueDc activeDc;
};

// Draws both pictures `size` pixels square into memory DCs: over the margin's
// grey, or premultiplied with the margin transparent.
HRESULT RenderGoButtonImages(GoButtonImages* images, int size, bool withAlpha);

}  // namespace corvane
