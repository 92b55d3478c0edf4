#include "imaging/bmp_encoder.h"

namespace tappomat {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap32& bitmap, BmpDepth depth) {
  const std::uint32_t bytesPerPixel = depth == BmpDepth::Bits32 ? 4 : 3;
  const auto width = static_cast<std::uint32_t>(bitmap.Width());
  const auto height = static_cast<std::uint32_t>(bitmap.Height());
  const std::uint32_t stride = (width * bytesPerPixel + 3) & ~3u;
  const std::uint32_t headers = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(headers + stride * height);
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + stride * height);
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);  // positive: bottom-up rows
  Put16(out, 1);
  Put16(out, bytesPerPixel * 8);
  Put32(out, 0);  // no compression
  Put32(out, stride * height);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const Pixel* row = bitmap.Row(y);
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(PixelB(row[x]));
      out.push_back(PixelG(row[x]));
      out.push_back(PixelR(row[x]));
      if (bytesPerPixel == 4) out.push_back(PixelA(row[x]));
    }
    for (std::uint32_t pad = width * bytesPerPixel; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace tappomat
