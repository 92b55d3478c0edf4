#include "imaging/png_decoder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "support/image_files.h"

namespace tappomat {
namespace {

using test::EncodePng;
using test::EncodePngRows;
using test::PngRows;

std::vector<Pixel> PixelsOf(const Bitmap32& bitmap) {
  return {bitmap.Pixels().begin(), bitmap.Pixels().end()};
}

TEST(PngDecoder, KeepsStraightAlphaOfRgbaImages) {
  Bitmap32 source(4, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      const auto v = static_cast<std::uint8_t>(20 * (y * 4 + x));
      // Alpha 0 and 1 show that colours are not premultiplied or dropped.
      source.At(x, y) =
          MakePixel(v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v / 2),
                    static_cast<std::uint8_t>(y * 4 + x == 0 ? 0 : v + 1));
    }
  }
  const DecodedImage image = DecodePng(EncodePng(source));
  ASSERT_TRUE(image.Ok()) << image.error;
  EXPECT_EQ(image.bitmap, source);
}

// Images in the colour types and depths that need converting, each decoded to the
// top-down pixels in `expected`.
struct PngCase {
  const char* name;
  PngRows rows;
  std::vector<Pixel> expected;
};

// clang-format off
std::vector<PngCase> ConversionCases() {
  const Pixel red = MakePixel(255, 0, 0);
  const Pixel black = MakePixel(0, 0, 0);
  const Pixel white = MakePixel(255, 255, 255);
  return {
      {"palette, 2 bits, with tRNS for the first two entries",
       {.width = 3, .height = 2, .colorType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 2,
        .palette = {255, 0, 0, 0, 255, 0, 0, 0, 255}, .paletteAlpha = {0, 128},
        .rows = {{0b00'01'10'00}, {0b10'10'01'00}}},
       {MakePixel(255, 0, 0, 0), MakePixel(0, 255, 0, 128), MakePixel(0, 0, 255),
        MakePixel(0, 0, 255), MakePixel(0, 0, 255), MakePixel(0, 255, 0, 128)}},
      {"palette, 8 bits, no tRNS",
       {.width = 3, .height = 1, .colorType = PNG_COLOR_TYPE_PALETTE, .bitDepth = 8,
        .palette = {255, 0, 0, 1, 2, 3}, .rows = {{1, 0, 1}}},
       {MakePixel(1, 2, 3), red, MakePixel(1, 2, 3)}},
      {"grey, 1 bit",
       {.width = 3, .height = 2, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 1,
        .rows = {{0b101'00000}, {0b010'00000}}},
       {white, black, white, black, white, black}},
      {"grey, 4 bits",
       {.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 4, .rows = {{0x5F}}},
       {MakePixel(0x55, 0x55, 0x55), white}},
      {"grey, 8 bits, with a transparent grey",
       {.width = 3, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY, .bitDepth = 8,
        .transparentGrey = 0x40, .rows = {{0x40, 0x41, 0xFF}}},
       {MakePixel(0x40, 0x40, 0x40, 0), MakePixel(0x41, 0x41, 0x41), white}},
      {"grey and alpha, 8 bits",
       {.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_GRAY_ALPHA, .bitDepth = 8,
        .rows = {{0x10, 0x80, 0xF0, 0x00}}},
       {MakePixel(0x10, 0x10, 0x10, 0x80), MakePixel(0xF0, 0xF0, 0xF0, 0)}},
      {"RGB, 8 bits",
       {.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_RGB, .bitDepth = 8,
        .rows = {{1, 2, 3, 250, 251, 252}}},
       {MakePixel(1, 2, 3), MakePixel(250, 251, 252)}},
      {"RGB, 16 bits",
       {.width = 2, .height = 1, .colorType = PNG_COLOR_TYPE_RGB, .bitDepth = 16,
        .rows = {{0xFF, 0xFF, 0x80, 0x80, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x12, 0x12}}},
       {MakePixel(255, 128, 0), MakePixel(0, 255, 0x12)}},
      {"RGBA, 16 bits",
       {.width = 1, .height = 1, .colorType = PNG_COLOR_TYPE_RGB_ALPHA, .bitDepth = 16,
        .rows = {{0xFF, 0xFF, 0x00, 0x00, 0x80, 0x80, 0x40, 0x40}}},
       {MakePixel(255, 0, 128, 0x40)}},
  };
}
// clang-format on

TEST(PngDecoder, ConvertsEveryColourTypeToEightBitBgra) {
  for (const PngCase& c : ConversionCases()) {
    SCOPED_TRACE(c.name);
    const std::vector<std::uint8_t> file = EncodePngRows(c.rows);
    ASSERT_FALSE(file.empty());
    const DecodedImage image = DecodePng(file);
    ASSERT_TRUE(image.Ok()) << image.error;
    ASSERT_EQ(image.bitmap.GetSize(), (Size{c.rows.width, c.rows.height}));
    EXPECT_EQ(PixelsOf(image.bitmap), c.expected);
  }
}

// Adam7 spreads every pixel over seven passes; a 9 x 9 image puts pixels in all of them.
TEST(PngDecoder, AssemblesInterlacedPasses) {
  PngRows rows{
      .width = 9, .height = 9, .colorType = PNG_COLOR_TYPE_RGB, .bitDepth = 8, .interlaced = true};
  std::vector<Pixel> expected;
  for (int y = 0; y < 9; ++y) {
    std::vector<std::uint8_t>& row = rows.rows.emplace_back();
    for (int x = 0; x < 9; ++x) {
      const auto r = static_cast<std::uint8_t>(x * 25);
      const auto g = static_cast<std::uint8_t>(y * 25);
      const auto b = static_cast<std::uint8_t>(x * 9 + y);
      row.insert(row.end(), {r, g, b});
      expected.push_back(MakePixel(r, g, b));
    }
  }
  const DecodedImage image = DecodePng(EncodePngRows(rows));
  ASSERT_TRUE(image.Ok()) << image.error;
  EXPECT_EQ(PixelsOf(image.bitmap), expected);
}

}  // namespace
}  // namespace tappomat
