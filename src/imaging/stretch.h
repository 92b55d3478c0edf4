#pragma once
// Stretching one bitmap rectangle onto another, the pixel work behind gdi's StretchBlt,
// which calls StretchCopy once per clip rectangle. Included through pixel_ops.h.
#include "imaging/bitmap32.h"
#include "imaging/geometry.h"

namespace tappomat {

enum class StretchMode {
  Nearest,       // each destination pixel centre takes the source pixel under it
  ColorOnColor,  // COLORONCOLOR / STRETCH_DELETESCANS: shrinking drops rows and columns
};

// Maps `srcRect` of `src` onto `dstRect` of `dst` and writes the pixels of
// dstClip ∩ dstRect ∩ dst bounds. The mapping always comes from the whole dstRect, so a
// clipped call writes exactly what the unclipped call writes there. For a destination
// pixel dx columns right of dstRect.left (srcW, dstW: the rectangle widths; rows alike):
//   Nearest:      srcX = srcRect.left + ((2 * dx + 1) * srcW) / (2 * dstW)
//   ColorOnColor: srcX = srcRect.left + (dx * srcW) / dstW
// Destination pixels whose source pixel lies outside `src` are left as they are. Empty or
// mirrored rectangles (negative width or height) do nothing, and so do rectangles more than
// 2^30 pixels wide or high.
void StretchCopy(Bitmap32& dst, const Rect& dstRect, const Rect& dstClip, const Bitmap32& src,
                 const Rect& srcRect, StretchMode mode);

}  // namespace tappomat
