#include "imaging/image_decoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "imaging/bmp_decoder.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/png_decoder.h"
#include "support/image_files.h"

namespace tappomat {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bitmap32 Sample(int width, int height) {
  Bitmap32 bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap.At(x, y) =
          MakePixel(static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8), 99);
    }
  }
  return bitmap;
}

// Valid files that the damaged cases start from.
Bytes Bmp24() {
  return test::AssembleBmp(
      {.width = 3, .height = 2, .bitsPerPixel = 24, .pixels = {1, 2, 3, 4, 5, 6, 7, 8,
                                                               9, 0, 0, 0, 1, 2, 3, 4,
                                                               5, 6, 7, 8, 9, 0, 0, 0}});
}
Bytes Bmp8() {
  return test::AssembleBmp({.width = 3,
                            .height = 2,
                            .bitsPerPixel = 8,
                            .colorsUsed = 1,
                            .palette = {1, 2, 3, 0},
                            .pixels = {0, 0, 0, 0, 0, 0, 0, 0}});
}
Bytes Png() { return test::EncodePng(Sample(8, 8)); }
Bytes Jpeg() { return test::EncodeJpeg(Sample(32, 32), 90); }

// Byte surgery on the valid files.
Bytes Truncated(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}
Bytes WithU16(Bytes bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<std::uint8_t>(value);
  bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
  return bytes;
}
Bytes WithU32(Bytes bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return bytes;
}
Bytes Flipped(Bytes bytes, std::size_t offset) {
  bytes[offset] ^= 0xFF;
  return bytes;
}
Bytes SignatureThenNoise(Bytes signature) {
  std::mt19937 random(1234);
  for (int i = 0; i < 4096; ++i) signature.push_back(static_cast<std::uint8_t>(random()));
  return signature;
}

// BMP header fields, as offsets into the file.
constexpr std::size_t kBmpPixelOffset = 10;
constexpr std::size_t kBmpHeaderSize = 14;
constexpr std::size_t kBmpWidth = 18;
constexpr std::size_t kBmpHeight = 22;
constexpr std::size_t kBmpBitCount = 28;
constexpr std::size_t kBmpCompression = 30;
constexpr std::size_t kBmpColorsUsed = 46;

std::uint32_t PngChunkLength(const Bytes& bytes, std::size_t chunk) {
  return std::uint32_t{bytes[chunk]} << 24 | std::uint32_t{bytes[chunk + 1]} << 16 |
         std::uint32_t{bytes[chunk + 2]} << 8 | bytes[chunk + 3];
}

// Recomputes the CRC of the chunk starting at `chunk`, so that only the damage made to
// its contents is wrong.
Bytes WithPngCrcFixed(Bytes bytes, std::size_t chunk) {
  const std::uint32_t length = PngChunkLength(bytes, chunk);
  const uLong crc = crc32(0, bytes.data() + chunk + 4, 4 + length);
  for (int i = 0; i < 4; ++i)
    bytes[chunk + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  return bytes;
}

std::size_t FindPngChunk(const Bytes& bytes, const char* type) {
  for (std::size_t i = 8; i + 8 <= bytes.size(); ++i) {
    if (std::memcmp(bytes.data() + i + 4, type, 4) == 0) return i;
  }
  return 0;
}

// The size fields of IHDR (big-endian), with a valid CRC.
Bytes PngWithSize(std::uint32_t width, std::uint32_t height) {
  Bytes bytes = Png();
  constexpr std::size_t kIhdr = 8;
  for (int i = 0; i < 4; ++i) {
    bytes[kIhdr + 8 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
    bytes[kIhdr + 12 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
  }
  return WithPngCrcFixed(bytes, kIhdr);
}

// The frame header's size fields (big-endian, height first).
Bytes JpegWithSize(std::uint16_t width, std::uint16_t height) {
  Bytes bytes = Jpeg();
  for (std::size_t i = 2; i + 9 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
      bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
      bytes[i + 6] = static_cast<std::uint8_t>(height);
      bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
      bytes[i + 8] = static_cast<std::uint8_t>(width);
      break;
    }
  }
  return bytes;
}

struct DamagedCase {
  const char* name;
  Bytes bytes;
  const char* reason = nullptr;  // part of DecodeImage's message, where it matters
};

// clang-format off
std::vector<DamagedCase> DamagedCases() {
  const Bytes bmp = Bmp24();
  const Bytes png = Png();
  const Bytes jpeg = Jpeg();
  const std::size_t idat = FindPngChunk(png, "IDAT");
  return {
      {"empty", {}},
      {"one byte", {'B'}},
      {"BMP signature only", {'B', 'M'}},
      {"BMP file header only", Truncated(bmp, 14)},
      {"BMP headers without pixels", Truncated(bmp, 54)},
      {"BMP cut in the last row", Truncated(bmp, bmp.size() - 6), "truncated"},
      {"BMP header size 0", WithU32(bmp, kBmpHeaderSize, 0)},
      {"BMP header size past the end", WithU32(bmp, kBmpHeaderSize, 0xFFFFFFF0)},
      {"BMP width 0", WithU32(bmp, kBmpWidth, 0)},
      {"BMP negative width", WithU32(bmp, kBmpWidth, static_cast<std::uint32_t>(-3))},
      {"BMP height 0", WithU32(bmp, kBmpHeight, 0)},
      {"BMP most negative height", WithU32(bmp, kBmpHeight, 0x80000000)},
      {"BMP width 16385", WithU32(bmp, kBmpWidth, 16385), "too large"},
      {"BMP 10000 x 10000", WithU32(WithU32(bmp, kBmpWidth, 10000), kBmpHeight, 10000),
       "too large"},
      {"BMP 7 bits per pixel", WithU16(bmp, kBmpBitCount, 7)},
      {"BMP 0 bits per pixel", WithU16(bmp, kBmpBitCount, 0)},
      {"BMP RLE8", WithU32(Bmp8(), kBmpCompression, 1), "unsupported compression"},
      {"BMP bit fields on 24 bits", WithU32(bmp, kBmpCompression, 3)},
      {"BMP bit field masks cut off",
       Truncated(WithU16(WithU32(bmp, kBmpCompression, 3), kBmpBitCount, 32), 60)},
      {"BMP mask with a gap",
       test::AssembleBmp({.width = 1, .height = 1, .bitsPerPixel = 32, .compression = 3,
                          .masks = {0x00FF00FF, 0x0000FF00, 0x000000FF}, .pixels = {1, 2, 3, 4}})},
      {"BMP pixel offset past the end", WithU32(bmp, kBmpPixelOffset, 0xFFFFFFFF)},
      {"BMP pixel offset into the header", WithU32(bmp, kBmpPixelOffset, 20)},
      {"BMP huge palette", WithU32(Bmp8(), kBmpColorsUsed, 0xFFFFFFFF)},
      {"BMP 257-colour palette", WithU32(Bmp8(), kBmpColorsUsed, 257)},
      {"PNG signature only", Truncated(png, 8)},
      {"PNG bad IHDR CRC", Flipped(png, 8 + 8 + 13)},
      {"PNG bad IDAT CRC", Flipped(png, idat + 8 + PngChunkLength(png, idat))},
      {"PNG bad compressed data", WithPngCrcFixed(Flipped(png, idat + 8 + 3), idat)},
      {"PNG cut in the middle", Truncated(png, png.size() / 2)},
      {"PNG without IEND", Truncated(png, png.size() - 12)},
      {"PNG width 0", PngWithSize(0, 8)},
      {"PNG width 16385", PngWithSize(16385, 8)},
      {"PNG 10000 x 10000", PngWithSize(10000, 10000), "too large"},
      {"PNG noise after the signature", SignatureThenNoise(Truncated(png, 8))},
      {"JPEG start of image only", {0xFF, 0xD8, 0xFF}},
      {"JPEG cut in the middle", Truncated(jpeg, jpeg.size() / 2)},
      {"JPEG without end of image", Truncated(jpeg, jpeg.size() - 2)},
      {"JPEG width 0", JpegWithSize(0, 32)},
      {"JPEG width 16385", JpegWithSize(16385, 32), "too large"},
      {"JPEG 10000 x 10000", JpegWithSize(10000, 10000), "too large"},
      // 64 M pixels stated in a file of about a kilobyte: refused before anything is
      // allocated for them.
      {"JPEG 16000 x 4000 in a few bytes", JpegWithSize(16000, 4000), "too short"},
      {"JPEG noise after the signature", SignatureThenNoise({0xFF, 0xD8, 0xFF})},
  };
}
// clang-format on

TEST(ImageDecoders, EveryDecoderRefusesDamagedInput) {
  struct Decoder {
    const char* name;
    DecodedImage (*decode)(std::span<const std::uint8_t>);
  };
  const Decoder decoders[] = {{"DecodeImage", DecodeImage},
                              {"DecodeBmp", DecodeBmp},
                              {"DecodePng", DecodePng},
                              {"DecodeJpeg", DecodeJpeg}};
  for (const DamagedCase& c : DamagedCases()) {
    SCOPED_TRACE(c.name);
    for (const Decoder& decoder : decoders) {
      SCOPED_TRACE(decoder.name);
      const DecodedImage image = decoder.decode(c.bytes);
      EXPECT_FALSE(image.Ok());
      EXPECT_FALSE(image.error.empty());
      EXPECT_TRUE(image.bitmap.IsEmpty());
    }
    if (c.reason != nullptr) {
      const std::string error = DecodeImage(c.bytes).error;
      EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
  }
}

// The damaged cases are only meaningful if the files they start from decode.
TEST(ImageDecoders, DecodeImageChoosesTheDecoderBySignature) {
  struct Case {
    const char* name;
    Bytes bytes;
    ImageFormat format;
    Size size;
  };
  const Case cases[] = {
      {"BMP", Bmp24(), ImageFormat::Bmp, {3, 2}},
      {"8-bit BMP", Bmp8(), ImageFormat::Bmp, {3, 2}},
      {"PNG", Png(), ImageFormat::Png, {8, 8}},
      {"JPEG", Jpeg(), ImageFormat::Jpeg, {32, 32}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SniffImageFormat(c.bytes), c.format);
    const DecodedImage image = DecodeImage(c.bytes);
    ASSERT_TRUE(image.Ok()) << image.error;
    EXPECT_EQ(image.bitmap.GetSize(), c.size);
  }
  const DecodedImage unknown = DecodeImage(Bytes{'G', 'I', 'F', '8', '9', 'a'});
  EXPECT_EQ(SniffImageFormat(Bytes{'G', 'I', 'F'}), ImageFormat::Unknown);
  EXPECT_FALSE(unknown.Ok());
}

// A caller that holds several images to one budget gives each decode what is left: an
// image beyond it is refused by its header's size, which the result states.
TEST(ImageDecoders, AnImageBeyondTheCallersPixelLimitIsRefusedByItsStatedSize) {
  struct Case {
    const char* name;
    Bytes bytes;
    Size size;
  };
  const Case cases[] = {{"BMP", Bmp24(), {3, 2}}, {"PNG", Png(), {8, 8}}, {"JPEG", Jpeg(), {32, 32}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int64_t pixels = std::int64_t{c.size.width} * c.size.height;
    const DecodedImage refused = DecodeImage(c.bytes, pixels - 1);
    EXPECT_FALSE(refused.Ok());
    EXPECT_TRUE(refused.tooLarge);
    EXPECT_EQ(refused.statedSize, c.size);
    EXPECT_TRUE(refused.bitmap.IsEmpty());
    const DecodedImage fits = DecodeImage(c.bytes, pixels);
    EXPECT_TRUE(fits.Ok()) << fits.error;
    EXPECT_FALSE(fits.tooLarge);
  }
  EXPECT_TRUE(DecodeImage(PngWithSize(16385, 8)).tooLarge) << "a side beyond the limit";
  EXPECT_FALSE(DecodeImage(Truncated(Png(), 40), 1).tooLarge) << "damage is not size";
}

}  // namespace
}  // namespace tappomat
