#pragma once
// Pixel operations on Bitmap32: the one include for all of them. Used by gdi/ (FillRect,
// BitBlt, StretchBlt, AlphaBlend), by the skin engine to paint and recolour sections, and by
// the image loaders. All are free functions; the groups live in their own headers:
//   pixel_ops.h  fill, colour-keyed copy, alpha set-up of loaded images
//   blend.h      alpha blending, weighted and masked blends, colour mixing
//   stretch.h    nearest-pixel and COLORONCOLOR stretching
//   hsv.h        hue rotation, saturation, grey
//
// Rules shared by every operation that takes a rectangle or a position: the rectangle is
// clipped to the bitmaps involved and nothing outside them is read or written; an empty
// rectangle (right <= left or bottom <= top) does nothing. Source and destination may be
// the same bitmap, but overlapping areas then give an unspecified (memory-safe) picture.
#include <cstdint>

#include "imaging/bitmap32.h"
#include "imaging/blend.h"
#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/hsv.h"
#include "imaging/stretch.h"

namespace tappomat {

// Sets every pixel of `rect` to `color` with the given alpha byte.
void FillRectAlpha(Bitmap32& bitmap, const Rect& rect, ColorRef color, std::uint8_t alpha);

// Copies `srcRect` of `src` to `dstPos` in `dst`, leaving out source pixels whose colour
// equals the colour of `key` (alpha bytes are not compared). Copied pixels keep their alpha.
void CopyWithColorKey(Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                      Pixel key);

// For a bitmap decoded from a 24-bit image, whose alpha bytes mean nothing: fuchsia pixels
// become transparent (alpha 0, colour kept) and every other pixel opaque.
void Make32From24(Bitmap32& bitmap);

// Multiplies the colour channels by alpha the way the skin loader needs it:
// c' = (c * a) >> 8, rounded down, alpha kept. Note that even a = 255 takes 255 to 254.
void PremultiplyAlpha(Bitmap32& bitmap);

}  // namespace tappomat
