#include "imaging/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace tappomat {
namespace {

// Values of the header's compression field.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiJpeg = 4;
constexpr std::uint32_t kBiPng = 5;
constexpr std::uint32_t kBiAlphaBitfields = 6;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;  // OS/2 BITMAPCOREHEADER
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

constexpr Pixel kOpaqueBlack = MakePixel(0, 0, 0);

// Little-endian reads; the callers have checked that the bytes are there.
std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t ReadU32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

DecodedImage Fail(const char* why) { return DecodedImage::Failure(std::string("BMP: ") + why); }

// One channel stored under a bit mask, scaled to 8 bits on extraction so that a 5-bit 31
// and an 8-bit 255 both become 255.
class MaskedChannel {
 public:
  // False when the mask's bits are not contiguous, which no writer produces.
  bool SetMask(std::uint32_t mask) {
    m_mask = mask;
    m_shift = 0;
    m_max = 0;
    if (mask == 0) return true;
    while (((mask >> m_shift) & 1) == 0) ++m_shift;
    m_max = mask >> m_shift;
    return (m_max & (m_max + 1)) == 0;
  }

  // `absent` is the value of a channel without a mask.
  std::uint8_t Extract(std::uint32_t value, std::uint8_t absent) const {
    if (m_max == 0) return absent;
    const std::uint64_t v = (value & m_mask) >> m_shift;
    return static_cast<std::uint8_t>((v * 255 + m_max / 2) / m_max);
  }

 private:
  std::uint32_t m_mask = 0;
  int m_shift = 0;
  std::uint64_t m_max = 0;
};

struct MaskedChannels {
  MaskedChannel red, green, blue, alpha;

  bool SetMasks(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
    return red.SetMask(r) && green.SetMask(g) && blue.SetMask(b) && alpha.SetMask(a);
  }
  Pixel ToPixel(std::uint32_t value) const {
    return MakePixel(red.Extract(value, 0), green.Extract(value, 0), blue.Extract(value, 0),
                     alpha.Extract(value, 255));
  }
};

// What the headers say, validated against the file before any pixel is touched.
struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = kBiRgb;
  std::uint64_t pixelOffset = 0;
  std::uint64_t stride = 0;  // bytes per row, padded to four
  std::array<Pixel, 256> palette{};
  MaskedChannels channels;
  Size statedSize;  // as the header gives it, once read
};

constexpr const char* kTooLarge = "image too large";

void DecodeIndexedRow(const std::uint8_t* src, const BmpLayout& layout, Pixel* dst) {
  const int bits = layout.bitsPerPixel;
  const unsigned indexMask = (1u << bits) - 1;
  for (int x = 0; x < layout.width; ++x) {
    const int bitPos = x * bits;
    const int shift = 8 - bits - bitPos % 8;  // the leftmost pixel is in the high bits
    dst[x] = layout.palette[(src[bitPos / 8] >> shift) & indexMask];
  }
}

void DecodeRow(const std::uint8_t* src, const BmpLayout& layout, Pixel* dst) {
  switch (layout.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
      DecodeIndexedRow(src, layout, dst);
      break;
    case 16:
      for (int x = 0; x < layout.width; ++x) dst[x] = layout.channels.ToPixel(ReadU16(src + 2 * x));
      break;
    case 24:
      for (int x = 0; x < layout.width; ++x) {
        const std::uint8_t* p = src + 3 * x;
        dst[x] = MakePixel(p[2], p[1], p[0]);
      }
      break;
    case 32:
      if (layout.compression == kBiRgb) {
        // B, G, R and the fourth byte exactly as stored: Bitmap32's own layout.
        for (int x = 0; x < layout.width; ++x) dst[x] = ReadU32(src + 4 * x);
      } else {
        for (int x = 0; x < layout.width; ++x)
          dst[x] = layout.channels.ToPixel(ReadU32(src + 4 * x));
      }
      break;
  }
}

bool IsSupportedDepth(int bitsPerPixel, bool coreHeader) {
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 24:
      return true;
    case 16:
    case 32:
      return !coreHeader;
    default:
      return false;
  }
}

// Reads and checks the headers, masks and palette. Returns an error message, or nullptr
// when `layout` describes pixel data that lies wholly inside `data`.
const char* ReadLayout(std::span<const std::uint8_t> data, std::int64_t maxPixels,
                       BmpLayout& layout) {
  if (data.size() < kFileHeaderSize + 4) return "truncated header";
  const std::uint8_t* bytes = data.data();
  const std::uint32_t headerSize = ReadU32(bytes + kFileHeaderSize);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124) {
    return "unsupported header size";
  }
  if (data.size() < kFileHeaderSize + headerSize) return "truncated header";
  const std::uint8_t* header = bytes + kFileHeaderSize;

  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t colorsUsed = 0;
  if (core) {
    width = ReadU16(header + 4);
    height = ReadU16(header + 6);
    layout.bitsPerPixel = ReadU16(header + 10);
  } else {
    width = static_cast<std::int32_t>(ReadU32(header + 4));
    height = static_cast<std::int32_t>(ReadU32(header + 8));
    layout.bitsPerPixel = ReadU16(header + 14);
    layout.compression = ReadU32(header + 16);
    colorsUsed = ReadU32(header + 32);
  }
  if (!IsSupportedDepth(layout.bitsPerPixel, core)) return "unsupported bit depth";

  // Masks: after a 40-byte header when the compression asks for them, else in the header.
  std::size_t maskBytes = 0;
  std::array<std::uint32_t, 4> masks{};
  switch (layout.compression) {
    case kBiRgb:
      if (layout.bitsPerPixel == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
      break;
    case kBiBitfields:
    case kBiAlphaBitfields: {
      if (layout.bitsPerPixel != 16 && layout.bitsPerPixel != 32)
        return "bit fields need 16 or 32 bits per pixel";
      std::size_t maskCount = 0;
      const std::uint8_t* maskData = header + kInfoHeaderSize;
      if (headerSize == kInfoHeaderSize) {
        maskCount = layout.compression == kBiAlphaBitfields ? 4 : 3;
        maskBytes = maskCount * 4;
        if (data.size() < kFileHeaderSize + headerSize + maskBytes)
          return "truncated bit field masks";
      } else {
        maskCount = headerSize >= 56 ? 4 : 3;
      }
      for (std::size_t i = 0; i < maskCount; ++i) masks[i] = ReadU32(maskData + 4 * i);
      break;
    }
    case kBiRle8:
    case kBiRle4:
    case kBiJpeg:
    case kBiPng:
      return "unsupported compression";
    default:
      return "unknown compression";
  }
  if (!layout.channels.SetMasks(masks[0], masks[1], masks[2], masks[3]))
    return "bad bit field mask";

  if (width <= 0) return "bad width";
  if (height == 0) return "bad height";
  layout.topDown = height < 0;
  height = height < 0 ? -height : height;  // 64-bit, so INT32_MIN negates safely
  layout.statedSize = {static_cast<int>(std::min<std::int64_t>(width, INT32_MAX)),
                       static_cast<int>(std::min<std::int64_t>(height, INT32_MAX))};
  if (!FitsPixelLimit(width, height, maxPixels)) return kTooLarge;
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  const std::uint64_t paletteOffset = kFileHeaderSize + headerSize + maskBytes;
  layout.pixelOffset = ReadU32(bytes + 10);
  if (layout.pixelOffset < paletteOffset) return "pixel data offset points into the header";

  layout.palette.fill(kOpaqueBlack);
  if (layout.bitsPerPixel <= 8) {
    const std::uint32_t maxColors = 1u << layout.bitsPerPixel;
    const std::uint32_t declared = colorsUsed == 0 ? maxColors : colorsUsed;
    if (declared > maxColors) return "palette has more colours than the bit depth allows";
    // Entries are read up to the pixel data only; indices past them stay black.
    const std::uint64_t entrySize = core ? 3 : 4;
    const std::uint64_t stored =
        std::min<std::uint64_t>(declared, (layout.pixelOffset - paletteOffset) / entrySize);
    if (paletteOffset + stored * entrySize > data.size()) return "truncated palette";
    for (std::uint64_t i = 0; i < stored; ++i) {
      const std::uint8_t* entry = bytes + paletteOffset + i * entrySize;
      layout.palette[i] = MakePixel(entry[2], entry[1], entry[0]);
    }
  }

  const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * layout.bitsPerPixel;
  layout.stride = (rowBits + 31) / 32 * 4;
  const std::uint64_t needed =
      layout.stride * (static_cast<std::uint64_t>(height) - 1) + (rowBits + 7) / 8;
  if (layout.pixelOffset > data.size() || data.size() - layout.pixelOffset < needed) {
    return "truncated pixel data";
  }
  return nullptr;
}

}  // namespace

DecodedImage DecodeBmp(std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  if (data.size() < 2 || data[0] != 'B' || data[1] != 'M') return Fail("not a BMP file");
  BmpLayout layout;
  if (const char* error = ReadLayout(data, maxPixels, layout)) {
    if (error == kTooLarge) return DecodedImage::TooLarge(std::string("BMP: ") + error, layout.statedSize);
    return Fail(error);
  }

  Bitmap32 bitmap(layout.width, layout.height);
  const std::uint8_t* pixels = data.data() + layout.pixelOffset;
  for (int y = 0; y < layout.height; ++y) {
    const int storedRow = layout.topDown ? y : layout.height - 1 - y;
    DecodeRow(pixels + layout.stride * static_cast<std::uint64_t>(storedRow), layout,
              bitmap.Row(y));
  }
  return DecodedImage::Success(std::move(bitmap));
}

DecodedImage DecodeBmp(std::span<const std::uint8_t> data) { return DecodeBmp(data, kMaxImagePixels); }

}  // namespace tappomat
