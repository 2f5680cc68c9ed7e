#include "ui/go_button_pixels.h"

namespace corvane {
namespace {

struct Colour {
  int red, green, blue;
};

constexpr Colour kMarginGrey{192, 192, 192};
constexpr Colour kArrowWhite{255, 255, 255};
constexpr Colour kGreen{34, 139, 34};
constexpr Colour kActiveGreen{76, 196, 80};
constexpr int kSamplesPerAxis = 4;

// The shapes on the 22-pixel grid, pixel by pixel: the square covers 2 to 19
// with its corners cut, the arrow's shaft 5 to 11 across rows 9 to 12 and its
// head narrows from x = 11 to a point at x = 16.
bool GridInSquare(int x, int y) {
  if (x < 2 || x > 19 || y < 2 || y > 19) return false;
  int dx = x < 4 ? 4 - x : (x > 17 ? x - 17 : 0);
  int dy = y < 4 ? 4 - y : (y > 17 ? y - 17 : 0);
  return dx * dx + dy * dy <= 5;
}

bool GridInArrow(int x, int y) {
  bool shaft = x >= 5 && x <= 11 && y >= 9 && y <= 12;
  double half = 16.5 - x;
  bool head = x >= 11 && x <= 16 && (y - 10.5) <= half && (10.5 - y) <= half;
  return shaft || head;
}

// The same shapes as areas of the 22-unit square, for any other size.
bool AreaInSquare(double u, double v) {
  constexpr double kLow = 2, kHigh = 20, kRadius = 2.5;
  if (u < kLow || u > kHigh || v < kLow || v > kHigh) return false;
  double cu =
      u < kLow + kRadius ? kLow + kRadius - u : (u > kHigh - kRadius ? u - (kHigh - kRadius) : 0);
  double cv =
      v < kLow + kRadius ? kLow + kRadius - v : (v > kHigh - kRadius ? v - (kHigh - kRadius) : 0);
  return cu * cu + cv * cv <= kRadius * kRadius;
}

bool AreaInArrow(double u, double v) {
  bool shaft = u >= 5 && u < 12 && v >= 9 && v < 13;
  double dv = v < 11 ? 11 - v : v - 11;
  bool head = u >= 11 && u <= 17 && dv <= 17 - u;
  return shaft || head;
}

GoButtonPixel Pixel(Colour colour, int coverage) {
  return {static_cast<std::uint8_t>(colour.red), static_cast<std::uint8_t>(colour.green),
          static_cast<std::uint8_t>(colour.blue), static_cast<std::uint8_t>(coverage)};
}

}  // namespace

GoButtonPixel GoButtonImagePixel(int x, int y, int size, bool active) {
  Colour green = active ? kActiveGreen : kGreen;
  if (size == kGoButtonDesignSize) {
    if (!GridInSquare(x, y)) return Pixel(kMarginGrey, 0);
    return Pixel(GridInArrow(x, y) ? kArrowWhite : green, 255);
  }
  if (size <= 0) return Pixel(kMarginGrey, 0);
  int covered = 0, white = 0;
  double unit = static_cast<double>(kGoButtonDesignSize) / size;
  for (int i = 0; i < kSamplesPerAxis; ++i) {
    for (int j = 0; j < kSamplesPerAxis; ++j) {
      double u = (x + (i + 0.5) / kSamplesPerAxis) * unit;
      double v = (y + (j + 0.5) / kSamplesPerAxis) * unit;
      if (!AreaInSquare(u, v)) continue;
      ++covered;
      if (AreaInArrow(u, v)) ++white;
    }
  }
  if (covered == 0) return Pixel(kMarginGrey, 0);
  auto mix = [&](int button, int arrow) {
    return (button * (covered - white) + arrow * white + covered / 2) / covered;
  };
  Colour colour{mix(green.red, kArrowWhite.red), mix(green.green, kArrowWhite.green),
                mix(green.blue, kArrowWhite.blue)};
  constexpr int kSamples = kSamplesPerAxis * kSamplesPerAxis;
  return Pixel(colour, (covered * 255 + kSamples / 2) / kSamples);
}

void DrawGoButtonPixels(int size, bool active, bool withAlpha, std::uint8_t* pixels) {
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x, pixels += 4) {
      GoButtonPixel p = GoButtonImagePixel(x, y, size, active);
      if (!withAlpha) p = OverMargin(p);
      auto channel = [&](int value) {
        return static_cast<std::uint8_t>(withAlpha ? (value * p.coverage + 127) / 255 : value);
      };
      pixels[0] = channel(p.blue);
      pixels[1] = channel(p.green);
      pixels[2] = channel(p.red);
      pixels[3] = withAlpha ? p.coverage : 255;
    }
  }
}

GoButtonPixel OverMargin(GoButtonPixel pixel) {
  auto over = [&](int colour, int margin) {
    return (colour * pixel.coverage + margin * (255 - pixel.coverage) + 127) / 255;
  };
  return Pixel({over(pixel.red, kMarginGrey.red), over(pixel.green, kMarginGrey.green),
                over(pixel.blue, kMarginGrey.blue)},
               255);
}

}  // namespace corvane
