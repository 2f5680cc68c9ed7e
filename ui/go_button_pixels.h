// The Go button's picture at any size: a green rounded square with a white
// arrow pointing right, on a margin. Drawn on a grid of 22 pixels, where it
// is exactly the button's bitmaps; at other sizes the same shapes are drawn
// anew with smoothed edges, never stretched from the small picture.
#pragma once
#include <cstdint>

namespace corvane {

constexpr int kGoButtonDesignSize = 22;

struct GoButtonPixel {
  std::uint8_t red, green, blue;
  // How much of the pixel the button covers (0: margin only, 255: button
  // only); the colour is the button's own where it covers any.
  std::uint8_t coverage;
};

// Pixel (x, y) of the button drawn `size` pixels square; `active` is the
// lighter green shown while the button is hot or pressed.
GoButtonPixel GoButtonImagePixel(int x, int y, int size, bool active);

// The pixel over the margin's grey, as the opaque pictures show it.
GoButtonPixel OverMargin(GoButtonPixel pixel);

// The whole picture as the system's 32-bit top-down rows (blue, green, red,
// alpha): over the margin's grey, or premultiplied with the margin
// transparent. `pixels` holds size * size * 4 bytes.
void DrawGoButtonPixels(int size, bool active, bool withAlpha, std::uint8_t* pixels);

}  // namespace corvane
