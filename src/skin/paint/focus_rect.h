#pragma once
// The dotted focus rectangle of skinned buttons and check boxes, drawn straight into the
// cache: every other pixel of each side, starting one pixel in, in one colour; the pixels
// between keep their colour.
#include "imaging/bitmap32.h"
#include "imaging/color.h"

namespace tappomat {

// With w and h the rectangle's size: the pixels at x = left + 1, left + 3, ... (w / 2 of
// them) on the top row and on the bottom row (bottom - 1), and at y = top + 1, top + 3, ...
// (h / 2 of them) on the left and right columns (right - 1). Clipped to the bitmap.
void DrawDottedFocusRect(Bitmap32& bitmap, const Rect& rect, ColorRef color);

}  // namespace tappomat
