#pragma once
// The colour operations that skinned painting is made of: mixing two colours, filling a
// rectangle with a colour and an alpha byte, mixing a rectangle with a colour, and blending
// a bitmap over another with a weight. Section painting, skinned text and the disabled look
// call them; each rounds exactly as written below, because skins are compared pixel by pixel.
//
// Two of them are the imaging layer's pixel operations, whose rules are already the ones
// painting needs:
//   MixColors(a, b, x)       per channel x * a + (1 - x) * b rounded to nearest with halves
//                            to even; the fourth byte of `a` is kept (imaging/blend.h).
//   FillRectAlpha(bitmap, rect, colour, alpha)
//                            every pixel of the rectangle set to the colour with that alpha
//                            byte (imaging/pixel_ops.h).
// The other two are here, under the names painting uses for them.
#include <cstdint>

#include "imaging/bitmap32.h"
#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/pixel_ops.h"

namespace tappomat {

// Mixes every pixel of `rect` (clipped to the bitmap) with `color`, keeping `keepPercent`
// (clamped to 0..100) of the pixel: per colour channel p/100 * pixel + (1 - p/100) * colour,
// rounded to nearest with halves to even, so that mixing a rectangle at p percent gives the
// same channel values as MixColors(pixel, colour, p / 100). The alpha byte is kept.
void MixRect(Bitmap32& bitmap, const Rect& rect, ColorRef color, int keepPercent);

// Blends `src` over `dst` keeping the weight w/256 of the destination: per colour channel
//   d' = s + floor((d - s) * w / 256)
// rounded down also when d < s; w 0 shows the source, 255 almost only the destination
// (values outside 0..256 are clamped). The destination's alpha byte is kept.
// The point form puts the whole of `src` with its top-left pixel at `dstPos`; the rectangle
// form fills `dstRect` from the top-left of `src`, as far as both reach. Both are clipped to
// the bitmaps.
void BlendOver(Bitmap32& dst, Point dstPos, const Bitmap32& src, int weight);
void BlendOver(Bitmap32& dst, const Rect& dstRect, const Bitmap32& src, int weight);

}  // namespace tappomat
