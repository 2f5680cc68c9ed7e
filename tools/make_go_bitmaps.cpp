// Draws the two Go-button bitmaps from the button's picture at its design
// size (a green rounded square with a white arrow pointing right, on a
// light-grey margin; the active one in a lighter green). Writes 24-bit
// bottom-up BMP files with the 40-byte header that the resource compiler
// keeps:
//   make_go_bitmaps NORMAL.bmp ACTIVE.bmp
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tools/image_file.h"
#include "ui/go_button_pixels.h"

namespace {

using corvane::tools::Put16;
using corvane::tools::Put32;
using corvane::tools::WriteFile;

constexpr int kSize = corvane::kGoButtonDesignSize;
constexpr int kRowBytes = (kSize * 3 + 3) / 4 * 4;  // 68
constexpr int kPixelBytes = kRowBytes * kSize;      // 1496

std::vector<std::uint8_t> MakeBitmap(bool active) {
  std::vector<std::uint8_t> out;
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  Put32(out, 14 + 40 + kPixelBytes);
  Put32(out, 0);
  Put32(out, 14 + 40);
  // BITMAPINFOHEADER
  Put32(out, 40);
  Put32(out, kSize);
  Put32(out, kSize);  // positive: rows bottom-up
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // BI_RGB
  Put32(out, kPixelBytes);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int row = kSize - 1; row >= 0; --row) {
    for (int x = 0; x < kSize; ++x) {
      corvane::GoButtonPixel p =
          corvane::OverMargin(corvane::GoButtonImagePixel(x, row, kSize, active));
      out.push_back(p.blue);
      out.push_back(p.green);
      out.push_back(p.red);
    }
    for (int pad = kSize * 3; pad < kRowBytes; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s NORMAL.bmp ACTIVE.bmp\n", argv[0]);
    return 2;
  }
  bool ok = WriteFile(argv[1], MakeBitmap(false)) && WriteFile(argv[2], MakeBitmap(true));
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
