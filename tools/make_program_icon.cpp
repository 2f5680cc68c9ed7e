// Draws Corvane.exe's icon from the Go button's picture (a green rounded
// square with a white arrow) at the sizes Windows asks for, each drawn anew
// at its size, with the picture's own smoothed edges as the alpha channel.
// Writes an .ico file of 32-bit images:
//   make_program_icon corvane.ico
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

// Small icons at 100 to 250 %, large ones at 100 to 200 %.
constexpr int kSizes[] = {16, 20, 24, 32, 40, 48, 64};
constexpr int kHeaderBytes = 6, kEntryBytes = 16, kInfoBytes = 40;

int MaskRowBytes(int size) { return (size + 31) / 32 * 4; }
int ImageBytes(int size) { return kInfoBytes + size * size * 4 + MaskRowBytes(size) * size; }

// A bottom-up 32-bit DIB with its AND mask, as an icon entry holds it.
void PutImage(std::vector<std::uint8_t>& out, int size) {
  Put32(out, kInfoBytes);
  Put32(out, size);
  Put32(out, size * 2);  // the colour image and the mask
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);  // BI_RGB
  Put32(out, size * size * 4 + MaskRowBytes(size) * size);
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int row = size - 1; row >= 0; --row)
    for (int x = 0; x < size; ++x) {
      corvane::GoButtonPixel p = corvane::GoButtonImagePixel(x, row, size, false);
      out.push_back(p.blue);
      out.push_back(p.green);
      out.push_back(p.red);
      out.push_back(p.coverage);
    }
  // Where the picture leaves the pixel empty, the mask shows the background.
  for (int row = size - 1; row >= 0; --row) {
    std::vector<std::uint8_t> bits(MaskRowBytes(size), 0);
    for (int x = 0; x < size; ++x)
      if (corvane::GoButtonImagePixel(x, row, size, false).coverage == 0)
        bits[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), bits.begin(), bits.end());
  }
}

std::vector<std::uint8_t> MakeIcon() {
  std::vector<std::uint8_t> out;
  const int count = static_cast<int>(sizeof kSizes / sizeof kSizes[0]);
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, count);
  std::uint32_t offset = kHeaderBytes + kEntryBytes * count;
  for (int size : kSizes) {
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, ImageBytes(size));
    Put32(out, offset);
    offset += ImageBytes(size);
  }
  for (int size : kSizes) PutImage(out, size);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s ICON.ico\n", argv[0]);
    return 2;
  }
  return WriteFile(argv[1], MakeIcon()) ? EXIT_SUCCESS : EXIT_FAILURE;
}
