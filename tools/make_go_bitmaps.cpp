// Draws the two Go-button bitmaps: a green rounded 18 x 18 square with a
// white arrow pointing right, on a light-grey margin of 2 pixels; the active
// one in a lighter green. Writes 24-bit bottom-up BMP files with the 40-byte
// header that the resource compiler keeps:
//   make_go_bitmaps NORMAL.bmp ACTIVE.bmp
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kSize = 22;
constexpr int kRowBytes = (kSize * 3 + 3) / 4 * 4;  // 68
constexpr int kPixelBytes = kRowBytes * kSize;      // 1496

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kWhite{255, 255, 255};

bool InRoundedSquare(int x, int y) {
  if (x < 2 || x > 19 || y < 2 || y > 19) return false;
  int dx = x < 4 ? 4 - x : (x > 17 ? x - 17 : 0);
  int dy = y < 4 ? 4 - y : (y > 17 ? y - 17 : 0);
  return dx * dx + dy * dy <= 5;  // corners cut on a radius of about 2
}

bool InArrow(int x, int y) {
  bool shaft = x >= 5 && x <= 11 && y >= 9 && y <= 12;
  // Head: half-height shrinking from 5.5 at x = 11 to 0.5 at x = 16.
  double half = 16.5 - x;
  bool head = x >= 11 && x <= 16 && (y - 10.5) <= half && (10.5 - y) <= half;
  return shaft || head;
}

Rgb PixelAt(int x, int y, Rgb green) {
  if (!InRoundedSquare(x, y)) return kGrey;
  return InArrow(x, y) ? kWhite : green;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::vector<std::uint8_t> MakeBitmap(Rgb green) {
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
      Rgb p = PixelAt(x, row, green);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    for (int pad = kSize * 3; pad < kRowBytes; ++pad) out.push_back(0);
  }
  return out;
}

bool Write(const char* path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s NORMAL.bmp ACTIVE.bmp\n", argv[0]);
    return 2;
  }
  bool ok = Write(argv[1], MakeBitmap({34, 139, 34})) && Write(argv[2], MakeBitmap({76, 196, 80}));
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
