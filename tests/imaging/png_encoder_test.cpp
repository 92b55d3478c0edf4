#include "imaging/png_encoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/png_decoder.h"

namespace tappomat {
namespace {

// A picture where every pixel differs and alpha runs through 0, partial and 255, with
// colour kept under alpha 0: straight alpha must survive the round trip unchanged.
Bitmap32 Sample(int width, int height) {
  Bitmap32 bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int i = y * width + x;
      bitmap.At(x, y) =
          MakePixel(static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                    static_cast<std::uint8_t>(i * 13 + y),
                    static_cast<std::uint8_t>(i % 3 == 0 ? 0 : i * 29));
    }
  }
  return bitmap;
}

// The chunk types of a PNG file in order, read from its length-type-data-CRC records.
std::vector<std::string> ChunkTypes(const std::vector<std::uint8_t>& png) {
  std::vector<std::string> types;
  std::size_t at = 8;
  while (at + 8 <= png.size()) {
    const std::size_t length = (std::size_t{png[at]} << 24) | (std::size_t{png[at + 1]} << 16) |
                               (std::size_t{png[at + 2]} << 8) | png[at + 3];
    types.emplace_back(reinterpret_cast<const char*>(&png[at + 4]), 4);
    at += 12 + length;
  }
  return types;
}

TEST(PngEncoder, RoundTripsThroughTheDecoderUnchanged) {
  struct Case {
    int width, height;
  };
  for (const Case c : {Case{1, 1}, Case{3, 2}, Case{17, 5}, Case{64, 33}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    const Bitmap32 source = Sample(c.width, c.height);
    const std::vector<std::uint8_t> png = tappomat::EncodePng(source);
    const DecodedImage decoded = DecodePng(png);
    ASSERT_TRUE(decoded.Ok()) << decoded.error;
    EXPECT_EQ(decoded.bitmap, source);
  }
}

TEST(PngEncoder, GivesTheSameBytesEveryTimeWithOnlyTheImageChunks) {
  const Bitmap32 source = Sample(20, 10);
  const std::vector<std::uint8_t> first = tappomat::EncodePng(source);
  EXPECT_EQ(tappomat::EncodePng(source), first);
  // No time, text or gamma chunk: the file depends on the pixels alone.
  const std::vector<std::string> types = ChunkTypes(first);
  ASSERT_GE(types.size(), 3u);
  EXPECT_EQ(types.front(), "IHDR");
  EXPECT_EQ(types.back(), "IEND");
  for (std::size_t i = 1; i + 1 < types.size(); ++i) EXPECT_EQ(types[i], "IDAT");
}

TEST(PngEncoder, GivesNothingForAnEmptyBitmap) {
  EXPECT_TRUE(tappomat::EncodePng(Bitmap32()).empty());
}

}  // namespace
}  // namespace tappomat
