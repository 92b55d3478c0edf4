// BMP files we write read back through our decoder pixel for pixel, with odd widths (row
// padding) and both depths.
#include "imaging/bmp_encoder.h"

#include <gtest/gtest.h>

#include "imaging/bmp_decoder.h"

namespace tappomat::test {
namespace {

TEST(BmpEncoder, RoundTripsThroughTheDecoder) {
  Bitmap32 bitmap(5, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      bitmap.At(x, y) = MakePixel(static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 90),
                                  static_cast<std::uint8_t>(x + y), static_cast<std::uint8_t>(40 * x + 7));
    }
  }
  for (const BmpDepth depth : {BmpDepth::Bits24, BmpDepth::Bits32}) {
    const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap, depth);
    EXPECT_EQ(bytes.size(), 54u + (depth == BmpDepth::Bits24 ? 16u : 20u) * 3);
    const DecodedImage decoded = DecodeBmp(bytes);
    ASSERT_TRUE(decoded.Ok()) << decoded.error;
    ASSERT_EQ(decoded.bitmap.Width(), 5);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) {
        const Pixel expected = depth == BmpDepth::Bits24 ? (PixelRGB(bitmap.At(x, y)) | 0xFF000000u)
                                                         : bitmap.At(x, y);
        EXPECT_EQ(decoded.bitmap.At(x, y), expected) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace tappomat::test
