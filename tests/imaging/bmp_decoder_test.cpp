#include "imaging/bmp_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/image_files.h"

namespace tappomat {
namespace {

using test::AssembleBmp;
using test::BmpParts;

constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiBitfields = 3;

constexpr Pixel kBlack = MakePixel(0, 0, 0);
constexpr Pixel kWhite = MakePixel(255, 255, 255);

// Every fixture is 3 x 2, so that rows need padding, and is described top-down: row 0 of
// `expected` is the top row, whichever order the file stores its rows in.
struct BmpCase {
  const char* name;
  BmpParts parts;
  std::vector<Pixel> expected;
};

// The image the 24-bit fixtures hold: distinct values in every channel of every pixel.
const std::vector<Pixel> kColors = {
    MakePixel(10, 20, 30),    MakePixel(40, 50, 60),    MakePixel(70, 80, 90),
    MakePixel(100, 110, 120), MakePixel(130, 140, 150), MakePixel(160, 170, 180),
};
// kColors as 24-bit rows (B, G, R), each padded from 9 to 12 bytes.
const std::vector<std::uint8_t> kTopRow24 = {30, 20, 10, 60, 50, 40, 90, 80, 70, 0, 0, 0};
const std::vector<std::uint8_t> kBottomRow24 = {120, 110, 100, 150, 140, 130,
                                                180, 170, 160, 0,   0,   0};

std::vector<std::uint8_t> Concat(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// clang-format off
std::vector<BmpCase> Cases() {
  const Pixel c0 = MakePixel(10, 20, 30);
  const Pixel c1 = MakePixel(200, 100, 50);
  const Pixel c2 = MakePixel(7, 8, 9);
  return {
      {"1 bit, palette size 0 meaning two colours, bottom-up",
       {.width = 3, .height = 2, .bitsPerPixel = 1,
        .palette = {30, 20, 10, 0, 50, 100, 200, 0},
        .pixels = {0b0110'0000, 0, 0, 0,    // bottom row: 0 1 1
                   0b1010'0000, 0, 0, 0}},  // top row:    1 0 1
       {c1, c0, c1, c0, c1, c1}},
      {"4 bit, three colours, bottom-up",
       {.width = 3, .height = 2, .bitsPerPixel = 4, .colorsUsed = 3,
        .palette = {30, 20, 10, 0, 50, 100, 200, 0, 9, 8, 7, 0},
        .pixels = {0x22, 0x10, 0, 0,    // 2 2 1
                   0x01, 0x20, 0, 0}},  // 0 1 2
       {c0, c1, c2, c2, c2, c1}},
      {"8 bit, top-down, index past the palette is black",
       {.width = 3, .height = -2, .bitsPerPixel = 8, .colorsUsed = 2,
        .palette = {30, 20, 10, 0, 50, 100, 200, 0},
        .pixels = {0, 1, 7, 0,
                   1, 0, 0, 0}},
       {c0, c1, kBlack, c1, c0, c0}},
      {"OS/2 core header, 1 bit, three-byte palette entries",
       {.headerSize = 12, .width = 3, .height = 2, .bitsPerPixel = 1,
        .palette = {30, 20, 10, 50, 100, 200},
        .pixels = {0b0110'0000, 0, 0, 0, 0b1010'0000, 0, 0, 0}},
       {c1, c0, c1, c0, c1, c1}},
      {"24 bit, bottom-up",
       {.width = 3, .height = 2, .bitsPerPixel = 24, .pixels = Concat(kBottomRow24, kTopRow24)},
       kColors},
      {"24 bit, top-down, pixel data after a gap",
       {.width = 3, .height = -2, .bitsPerPixel = 24, .pixels = Concat(kTopRow24, kBottomRow24),
        .pixelOffset = 14 + 40 + 10},
       kColors},
      {"24 bit, last row without its padding",
       {.width = 3, .height = 2, .bitsPerPixel = 24,
        .pixels = Concat(kBottomRow24, {30, 20, 10, 60, 50, 40, 90, 80, 70})},
       kColors},
      {"16 bit BI_RGB is 5-5-5 and ignores the top bit",
       {.width = 3, .height = -2, .bitsPerPixel = 16,
        .pixels = {0x00, 0x7C, 0x00, 0x80, 0x10, 0x02, 0, 0,    // red, black, (0, 132, 132)
                   0xFF, 0x7F, 0xE0, 0x03, 0x1F, 0x00, 0, 0}},  // white, green, blue
       {MakePixel(255, 0, 0), kBlack, MakePixel(0, 132, 132),
        kWhite, MakePixel(0, 255, 0), MakePixel(0, 0, 255)}},
      {"16 bit bit fields 5-6-5 after a 40-byte header",
       {.width = 3, .height = 2, .bitsPerPixel = 16, .compression = kBiBitfields,
        .masks = {0xF800, 0x07E0, 0x001F},
        .pixels = {0xFF, 0xFF, 0x00, 0x00, 0x1F, 0x00, 0, 0,    // white, black, blue
                   0x00, 0xF8, 0x00, 0x04, 0x10, 0x84, 0, 0}},  // red, (0, 130, 0), (132, 130, 132)
       {MakePixel(255, 0, 0), MakePixel(0, 130, 0), MakePixel(132, 130, 132),
        kWhite, kBlack, MakePixel(0, 0, 255)}},
      {"16 bit 4-4-4-4 with an alpha mask in a V4 header",
       {.headerSize = 108, .width = 3, .height = -2, .bitsPerPixel = 16,
        .compression = kBiBitfields,
        .masks = {0x0F00, 0x00F0, 0x000F, 0xF000},
        .pixels = {0x00, 0xFF, 0x21, 0x83, 0x00, 0x00, 0, 0,
                   0xFF, 0xFF, 0xFF, 0x0F, 0xF0, 0xF0, 0, 0}},
       {MakePixel(255, 0, 0, 255), MakePixel(51, 34, 17, 136), MakePixel(0, 0, 0, 0),
        MakePixel(255, 255, 255, 255), MakePixel(255, 255, 255, 0), MakePixel(0, 255, 0, 255)}},
      {"32 bit BI_RGB keeps the fourth byte as stored",
       {.width = 3, .height = -2, .bitsPerPixel = 32,
        .pixels = {30, 20, 10, 0, 60, 50, 40, 128, 90, 80, 70, 255,
                   120, 110, 100, 1, 150, 140, 130, 0, 180, 170, 160, 7}},
       {MakePixel(10, 20, 30, 0), MakePixel(40, 50, 60, 128), MakePixel(70, 80, 90, 255),
        MakePixel(100, 110, 120, 1), MakePixel(130, 140, 150, 0), MakePixel(160, 170, 180, 7)}},
      {"32 bit bit fields in R, G, B, X byte order, no alpha mask",
       {.width = 3, .height = 2, .bitsPerPixel = 32, .compression = kBiBitfields,
        .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
        .pixels = {100, 110, 120, 9, 130, 140, 150, 9, 160, 170, 180, 9,
                   10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0}},
       kColors},
      {"32 bit bit fields with an alpha mask in a V5 header",
       {.headerSize = 124, .width = 3, .height = -2, .bitsPerPixel = 32,
        .compression = kBiBitfields,
        .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
        .pixels = {30, 20, 10, 0, 60, 50, 40, 128, 90, 80, 70, 255,
                   120, 110, 100, 1, 150, 140, 130, 0, 180, 170, 160, 7}},
       {MakePixel(10, 20, 30, 0), MakePixel(40, 50, 60, 128), MakePixel(70, 80, 90, 255),
        MakePixel(100, 110, 120, 1), MakePixel(130, 140, 150, 0), MakePixel(160, 170, 180, 7)}},
  };
}
// clang-format on

TEST(BmpDecoder, DecodesEveryDepthAndRowOrder) {
  for (const BmpCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    const DecodedImage image = DecodeBmp(AssembleBmp(c.parts));
    ASSERT_TRUE(image.Ok()) << image.error;
    ASSERT_EQ(image.bitmap.GetSize(), (Size{3, 2}));
    const std::vector<Pixel> actual(image.bitmap.Pixels().begin(), image.bitmap.Pixels().end());
    EXPECT_EQ(actual, c.expected);
  }
}

TEST(BmpDecoder, RefusesRunLengthCompression) {
  const DecodedImage image = DecodeBmp(AssembleBmp({.width = 3,
                                                    .height = 2,
                                                    .bitsPerPixel = 8,
                                                    .compression = kBiRle8,
                                                    .colorsUsed = 1,
                                                    .palette = {0, 0, 0, 0},
                                                    .pixels = {3, 0, 0, 0, 3, 0, 0, 1}}));
  EXPECT_FALSE(image.Ok());
  EXPECT_NE(image.error.find("unsupported compression"), std::string::npos) << image.error;
  EXPECT_TRUE(image.bitmap.IsEmpty());
}

}  // namespace
}  // namespace tappomat
