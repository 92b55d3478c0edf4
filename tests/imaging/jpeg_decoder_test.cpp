#include "imaging/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/image_files.h"

namespace tappomat {
namespace {

using test::EncodeJpeg;
using test::JpegColors;
using test::JpegOptions;

// Smooth colours, different in every channel, so that a swapped channel shows.
Bitmap32 Gradient() {
  Bitmap32 bitmap(24, 16);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const auto r = static_cast<std::uint8_t>(x * 10);
      const auto g = static_cast<std::uint8_t>(y * 15);
      bitmap.At(x, y) = MakePixel(r, g, static_cast<std::uint8_t>(200 - x * 5));
    }
  }
  return bitmap;
}

Bitmap32 GreyOf(const Bitmap32& source) {
  Bitmap32 grey(source.Width(), source.Height());
  for (int y = 0; y < source.Height(); ++y) {
    for (int x = 0; x < source.Width(); ++x) {
      const Pixel p = source.At(x, y);
      const auto v = static_cast<std::uint8_t>((PixelR(p) + PixelG(p) + PixelB(p)) / 3);
      grey.At(x, y) = MakePixel(v, v, v);
    }
  }
  return grey;
}

// JPEG is lossy: every colour channel within `tolerance`, alpha exactly 255.
::testing::AssertionResult CloseTo(const Bitmap32& actual, const Bitmap32& expected,
                                   int tolerance) {
  if (actual.GetSize() != expected.GetSize())
    return ::testing::AssertionFailure() << "size differs";
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      const Pixel a = actual.At(x, y);
      const Pixel e = expected.At(x, y);
      if (PixelA(a) != 255 || std::abs(PixelR(a) - PixelR(e)) > tolerance ||
          std::abs(PixelG(a) - PixelG(e)) > tolerance ||
          std::abs(PixelB(a) - PixelB(e)) > tolerance) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                             << a << ", expected about " << e;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(JpegDecoder, DecodesColourGreyAndProgressiveFiles) {
  const Bitmap32 source = Gradient();
  struct Case {
    const char* name;
    JpegOptions options;
    Bitmap32 expected;
  };
  const Case cases[] = {
      {"baseline colour", {.quality = 95}, source},
      {"progressive colour", {.quality = 95, .progressive = true}, source},
      {"greyscale", {.quality = 95, .colors = JpegColors::Grey}, GreyOf(source)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedImage image = DecodeJpeg(EncodeJpeg(source, c.options));
    ASSERT_TRUE(image.Ok()) << image.error;
    EXPECT_TRUE(CloseTo(image.bitmap, c.expected, 12));
  }
}

TEST(JpegDecoder, GreyImagesBecomeGreyRgb) {
  const DecodedImage image = DecodeJpeg(EncodeJpeg(Gradient(), {.colors = JpegColors::Grey}));
  ASSERT_TRUE(image.Ok()) << image.error;
  for (Pixel p : image.bitmap.Pixels()) {
    ASSERT_TRUE(PixelR(p) == PixelG(p) && PixelG(p) == PixelB(p)) << std::hex << p;
  }
}

TEST(JpegDecoder, RefusesCmyk) {
  const DecodedImage image = DecodeJpeg(EncodeJpeg(Gradient(), {.colors = JpegColors::Cmyk}));
  EXPECT_FALSE(image.Ok());
  EXPECT_NE(image.error.find("CMYK"), std::string::npos) << image.error;
}

// Stray bytes between two markers are damage libjpeg skips with a warning; the image
// itself is whole, so it is accepted.
TEST(JpegDecoder, AcceptsStrayBytesBetweenMarkers) {
  const Bitmap32 source = Gradient();
  std::vector<std::uint8_t> file = EncodeJpeg(source, {.quality = 95});
  ASSERT_GT(file.size(), 6u);
  ASSERT_EQ(file[3], 0xE0);  // the JFIF segment follows the start of image
  const std::size_t afterApp0 = 4 + (std::size_t{file[4]} << 8 | file[5]);
  file.insert(file.begin() + static_cast<std::ptrdiff_t>(afterApp0), {0x01, 0x02, 0x03});
  const DecodedImage image = DecodeJpeg(file);
  ASSERT_TRUE(image.Ok()) << image.error;
  EXPECT_TRUE(CloseTo(image.bitmap, source, 12));
}

// Each scan of a progressive file walks the whole image, so a file that repeats a scan
// many times costs time out of all proportion to its size.
TEST(JpegDecoder, RefusesEndlessProgressiveScans) {
  const std::vector<std::uint8_t> original = EncodeJpeg(Gradient(), {.progressive = true});
  std::vector<std::size_t> scanStarts;
  for (std::size_t i = 0; i + 1 < original.size(); ++i) {
    if (original[i] == 0xFF && original[i + 1] == 0xDA) scanStarts.push_back(i);
  }
  ASSERT_GE(scanStarts.size(), 2u);
  // The first scan sets the DC coefficients outright, so repeating it decodes cleanly;
  // libjpeg only warns that the progression is odd.
  const auto first = original.begin() + static_cast<std::ptrdiff_t>(scanStarts[0]);
  const auto second = original.begin() + static_cast<std::ptrdiff_t>(scanStarts[1]);
  std::vector<std::uint8_t> file(original.begin(), first);
  for (int i = 0; i < 600; ++i) file.insert(file.end(), first, second);
  file.insert(file.end(), {0xFF, 0xD9});

  const DecodedImage image = DecodeJpeg(file);
  EXPECT_FALSE(image.Ok());
  EXPECT_NE(image.error.find("too many scans"), std::string::npos) << image.error;
}

}  // namespace
}  // namespace tappomat
