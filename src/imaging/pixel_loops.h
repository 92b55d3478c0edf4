#pragma once
// The clipping and row loops shared by the pixel operations (pixel_ops.h). Every operation
// first works out the part of its rectangle that lies inside all the bitmaps it touches,
// then visits that part row by row with raw row pointers and an inlined per-pixel step, so
// the inner loops carry no bounds checks. Internal to imaging/; callers use pixel_ops.h.
#include "imaging/bitmap32.h"
#include "imaging/geometry.h"

namespace tappomat {

// Where an operation that takes (dst, dstPos, src, srcRect[, mask, maskRect]) reads and
// writes: the clipped area's top-left corner in each bitmap and its common size.
struct BlitArea {
  Point dst;
  Point src;
  Point mask;  // set by ClipMaskBlit only
  int width = 0;
  int height = 0;

  bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// Clips a copy of `srcRect` from `src` to `dstPos` in `dst` against both bitmaps. Pixels of
// `srcRect` outside `src` are neither read nor written; the rest keep their place.
BlitArea ClipBlit(const Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect);

// As ClipBlit, with a third bitmap read in step with the source: the source pixel at
// srcRect's top-left pairs with the mask pixel at maskRect's top-left. The area is also
// limited to the size of `maskRect` and to the mask bitmap.
BlitArea ClipMaskBlit(const Bitmap32& dst, Point dstPos, const Bitmap32& src, const Rect& srcRect,
                      const Bitmap32& mask, const Rect& maskRect);

// Calls step(pixel) for every pixel of `rect` that lies inside `bitmap`.
template <typename Step>
void ForEachPixel(Bitmap32& bitmap, const Rect& rect, Step step) {
  const Rect area = rect.Intersect(bitmap.Bounds());
  if (area.IsEmpty()) return;
  for (int y = area.top; y < area.bottom; ++y) {
    Pixel* row = bitmap.Row(y);
    for (int x = area.left; x < area.right; ++x) step(row[x]);
  }
}

// Calls step(dstPixel, srcPixel) for every pixel pair of a clipped area.
template <typename Step>
void ForEachBlitPixel(Bitmap32& dst, const Bitmap32& src, const BlitArea& area, Step step) {
  // A local width: pixels are unsigned ints, which may alias area.width, and a bound that
  // might change under the loop stops the compiler from vectorising it.
  const int width = area.width;
  for (int y = 0; y < area.height; ++y) {
    Pixel* d = dst.Row(area.dst.y + y) + area.dst.x;
    const Pixel* s = src.Row(area.src.y + y) + area.src.x;
    for (int x = 0; x < width; ++x) step(d[x], s[x]);
  }
}

}  // namespace tappomat
