#pragma once
// Copying bitmaps onto a device context: BitBlt with the ternary raster operations,
// StretchBlt and AlphaBlend. The window system uses them to show back buffers and to
// scroll; the skin engine to put its cached control bitmaps on the screen.
//
// Positions and destination rectangles are logical (the origin is added); only the clip
// region is written. Source rectangles are in source bitmap pixels. The source may be the
// context's own bitmap (scrolling): it is then read as it was before the call.
#include <cstdint>

#include "gdi/device_context.h"
#include "imaging/bitmap32.h"
#include "imaging/geometry.h"
#include "imaging/pixel_ops.h"

namespace tappomat {

// Ternary raster operations with their Windows values. Bits 16-23 hold the result for
// each combination of pattern (the brush colour), source and destination bits; every
// operation is carried out from them, so any Windows ternary code works.
enum RasterOp : std::uint32_t {
  SRCCOPY = 0x00CC0020,      // source
  SRCPAINT = 0x00EE0086,     // source OR destination
  SRCAND = 0x008800C6,       // source AND destination
  SRCINVERT = 0x00660046,    // source XOR destination
  SRCERASE = 0x00440328,     // source AND NOT destination
  NOTSRCCOPY = 0x00330008,   // NOT source
  NOTSRCERASE = 0x001100A6,  // NOT (source OR destination)
  MERGECOPY = 0x00C000CA,    // source AND pattern
  MERGEPAINT = 0x00BB0226,   // NOT source OR destination
  PATCOPY = 0x00F00021,      // pattern
  PATPAINT = 0x00FB0A09,     // pattern OR NOT source OR destination
  PATINVERT = 0x005A0049,    // pattern XOR destination
  DSTINVERT = 0x00550009,    // NOT destination
  BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062,
};

// Combines the w x h pixels of `src` at (srcX, srcY) with the destination at logical
// (x, y). The source rectangle is first cut to the source bitmap, the destination moving
// with it. Operations that do not read the source (PATCOPY, DSTINVERT, BLACKNESS,
// WHITENESS, ...) ignore `src`, which may then be an empty bitmap.
//
// Alpha: SRCCOPY copies source pixels exactly, alpha included, so 32-bit caches survive a
// copy unchanged. Every other operation works on the colour channels and writes alpha 255.
void BitBlt(DeviceContext& dc, int x, int y, int w, int h, const Bitmap32& src, int srcX, int srcY,
            RasterOp rop);

// Stretches `srcRect` of `src` onto the logical rectangle `dst` with StretchCopy's mapping
// (imaging/stretch.h): a clipped call writes exactly the pixels the unclipped call writes
// there. Destination pixels whose source pixel lies outside `src` are left alone. Empty or
// mirrored (negative width or height) rectangles draw nothing.
//
// SRCCOPY copies as BitBlt does, alpha included. Other operations stretch the source into
// a scratch bitmap first and combine that as BitBlt would; there, destination pixels whose
// source lies outside `src` combine with black instead of being left alone.
void StretchBlt(DeviceContext& dc, const Rect& dst, const Bitmap32& src, const Rect& srcRect,
                RasterOp rop, StretchMode mode = StretchMode::ColorOnColor);

// Blends `srcRect` of `src` onto logical `dst` with imaging's AlphaBlend (imaging/blend.h),
// at the same size: no stretching. The source rectangle is cut to the source bitmap, the
// destination moving with it.
void AlphaBlend(DeviceContext& dc, Point dst, const Bitmap32& src, const Rect& srcRect,
                std::uint8_t constantAlpha, AlphaMode mode);

}  // namespace tappomat
