#pragma once
// Paints a section's gradient (its GRADIENTDATA pieces) into a rectangle of a bitmap. The
// section background painter calls it, straight into the control's cache or into a
// temporary bitmap that is then blended over the texture.
#include <span>

#include "imaging/bitmap32.h"
#include "imaging/geometry.h"
#include "skin/data/skin_tables.h"

namespace tappomat {

// Paints the gradient described by `pieces` over `r`, every written pixel with alpha 255.
// Only the part of `r` inside the bitmap is written; the colours are worked out over the
// whole of `r`, so a clipped gradient looks like the same part of an unclipped one.
//
// The first piece's direction decides the kind:
//   0  top to bottom. The pieces are stacked: the first starts on r's top row, each later
//      one on the row where the one before it ended, and a piece ends height * percent / 100
//      rows (integer division) below its start. The last piece always ends on r's last row
//      (r.bottom - 1), whatever its percent, so the gradient reaches the bottom; a piece
//      that would end below that row ends on it. A piece from row y0 to row y0 + n paints
//      all n + 1 rows, each channel going from the start colour on the first to the end
//      colour on the last: on row y0 + k it is start + k * (end - start) / n rounded to
//      nearest, halves to even. Neighbouring pieces share a row, which the later one
//      paints. A piece with n = 0 (or less) paints nothing and ends the gradient, so the
//      rows below it keep what they had. A rectangle one row high therefore stays as it is.
//   1  left to right, the same with columns and width * percent / 100.
//   2  four triangles meeting at r's centre, shaded linearly between their corners: the
//      top-left pixel has the first piece's start colour, the centre the second piece's,
//      the top-right pixel the third's, the bottom-right the fourth's and the bottom-left
//      the fifth's; a missing piece repeats the colour before it. Corners are the centres
//      of r's corner pixels and the centre is their midpoint (half-way between pixels
//      when a side is even); each channel is rounded to nearest, halves to even.
//   any other direction, or no pieces: nothing is painted.
// Colours are skin colours (0x00BBGGRR); only their low three bytes are read.
void PaintGradient(Bitmap32& bitmap, const Rect& r, std::span<const TsGradientPiece> pieces);

}  // namespace tappomat
