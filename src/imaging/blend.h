#pragma once
// Blending operations on Bitmap32: alpha blending for AlphaBlend, the skin
// engine's weighted and masked blends, and mixing with a colour. Included through
// pixel_ops.h; callers are gdi/ (AlphaBlend) and the skin painters (fades, masks, tints).
//
// Source-to-destination operations take (dst, dstPos, src, srcRect): the pixel at srcRect's
// top-left lands on dstPos, and the area is clipped to both bitmaps.
#include <cstdint>

#include "imaging/bitmap32.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tappomat {

enum class AlphaMode {
  PerPixel,  // premultiplied source with its own alpha, as AC_SRC_ALPHA
  Constant,  // source alpha ignored; only the constant alpha weighs
};

// Blends `srcRect` of `src` over `dst` at `dstPos`. With ca = constantAlpha, per channel
// (alpha included), where div255(x) is x / 255 rounded to nearest (never a tie, 255 being
// odd):
//   PerPixel: sa' = div255(sa * ca);  d' = div255(s * ca) + div255(d * (255 - sa'))
//             (capped at 255, which only a source that is not premultiplied can exceed)
//   Constant: d' = div255(s * ca + d * (255 - ca))
void AlphaBlend(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                std::uint8_t constantAlpha, AlphaMode mode);

// Keeps the weight w/256 of the destination: per colour channel
//   d' = s + floor((d - s) * w / 256)
// rounded down also when d < s. w = 0 shows the source, w = 256 keeps the destination;
// other values are clamped to 0..256. The destination's alpha byte is kept.
void BlendWithWeight(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect, int w);

// BlendWithWeight with a weight per pixel and channel: each colour channel's weight m is
// the same channel of the mask pixel, d' = s + floor((d - s) * m / 256). The mask pixel at
// maskRect's top-left goes with the source pixel at srcRect's top-left; the area is also
// limited to maskRect's size and the mask bitmap. The destination's alpha byte is kept.
void BlendWithMask(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                   const Bitmap32& mask, const Rect& maskRect);

// Keeps `percent` (clamped to 0..100) of each pixel of `rect` and fills the rest with
// `color`, per colour channel: (p * pixel + (100 - p) * colour + 50) / 100, halves rounded
// up. The alpha byte is kept.
void MixRectWithColor(Bitmap32& bitmap, const Rect& rect, ColorRef color, int percent);

// x * a + (1 - x) * b per channel, x clamped to 0..1, rounded to nearest with halves to
// even. The fourth byte (bits 24-31) of `a` is kept. Callers pass ratios written as short
// decimals (0.5, 0.4, 0.15 …), which binary floating point cannot hold exactly, so a result
// within 1e-9 of a half counts as a half: a true tie is never missed, and a mix that is not
// a tie lies further than that from one unless x has more than eight decimals.
ColorRef MixColors(ColorRef a, ColorRef b, double x);

}  // namespace tappomat
