#include "skin/paint/color_helpers.h"

#include <algorithm>

namespace tappomat {
namespace {

// (p * pixel + (100 - p) * colour) / 100 for one channel, rounded to nearest with halves
// to even; integers throughout, so a half is found exactly.
std::uint32_t MixChannel(std::uint32_t pixel, std::uint32_t color, std::uint32_t p) {
  const std::uint32_t sum = p * pixel + (100 - p) * color;
  std::uint32_t quotient = sum / 100;
  const std::uint32_t remainder = sum % 100;
  if (remainder > 50 || (remainder == 50 && quotient % 2 == 1)) ++quotient;
  return quotient;
}

}  // namespace

void MixRect(Bitmap32& bitmap, const Rect& rect, ColorRef color, int keepPercent) {
  const Rect area = rect.Intersect(bitmap.Bounds());
  if (area.IsEmpty()) return;
  const std::uint32_t p = static_cast<std::uint32_t>(std::clamp(keepPercent, 0, 100));
  const Pixel c = PixelFromColor(color);
  for (int y = area.top; y < area.bottom; ++y) {
    Pixel* row = bitmap.Row(y);
    for (int x = area.left; x < area.right; ++x) {
      const Pixel px = row[x];
      row[x] =
          MakePixel(static_cast<std::uint8_t>(MixChannel(PixelR(px), PixelR(c), p)),
                    static_cast<std::uint8_t>(MixChannel(PixelG(px), PixelG(c), p)),
                    static_cast<std::uint8_t>(MixChannel(PixelB(px), PixelB(c), p)), PixelA(px));
    }
  }
}

void BlendOver(Bitmap32& dst, Point dstPos, const Bitmap32& src, int weight) {
  BlendWithWeight(dst, dstPos, src, src.Bounds(), weight);
}

void BlendOver(Bitmap32& dst, const Rect& dstRect, const Bitmap32& src, int weight) {
  if (dstRect.IsEmpty()) return;
  BlendWithWeight(dst, dstRect.TopLeft(), src, Rect{0, 0, dstRect.Width(), dstRect.Height()},
                  weight);
}

}  // namespace tappomat
