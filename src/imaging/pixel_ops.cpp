#include "imaging/pixel_ops.h"

#include "imaging/pixel_loops.h"

namespace tappomat {

void FillRectAlpha(Bitmap32& bitmap, const Rect& rect, ColorRef color, std::uint8_t alpha) {
  const Pixel value = PixelFromColor(color, alpha);
  ForEachPixel(bitmap, rect, [value](Pixel& p) { p = value; });
}

void CopyWithColorKey(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                      Pixel key) {
  const BlitArea area = ClipBlit(dst, dstPos, src, srcRect);
  if (area.IsEmpty()) return;
  const Pixel keyRgb = PixelRGB(key);
  ForEachBlitPixel(dst, src, area, [keyRgb](Pixel& d, Pixel s) {
    if (PixelRGB(s) != keyRgb) d = s;
  });
}

void Make32From24(Bitmap32& bitmap) {
  for (Pixel& p : bitmap.Pixels()) {
    p = IsFuchsia(p) ? kFuchsiaPixel : (p | 0xFF000000u);
  }
}

void PremultiplyAlpha(Bitmap32& bitmap) {
  for (Pixel& p : bitmap.Pixels()) {
    const Pixel a = PixelA(p);
    const Pixel r = (PixelR(p) * a) >> 8;
    const Pixel g = (PixelG(p) * a) >> 8;
    const Pixel b = (PixelB(p) * a) >> 8;
    p = b | (g << 8) | (r << 16) | (a << 24);
  }
}

}  // namespace tappomat
