#pragma once
// Refreshing the see-through corners of a control's cached picture. A control painted
// with a border mask whose corners are rounded (fuchsia outside the outline) shows there
// whatever lay behind it when the cache was built. When only the parent's background
// changes (a new colour, a repainted parent picture), the control calls this instead of
// rebuilding its whole cache: the pixels outside the outline take the parent's current
// background, and the face, border and caption stay as they are.
#include "skin/common/common_data.h"

namespace tappomat {

// The corners of a control, as bits of a corner set.
enum : unsigned {
  kCornerTopLeft = 1,
  kCornerBottomLeft = 2,
  kCornerTopRight = 4,
  kCornerBottomRight = 8,
  kAllCorners = 15,
};

// Repaints the corners in `corners` of `data`'s cache: each corner area of the border mask
// (its size from the mask's margins, squeezed on a small control as the mask drawing
// squeezes them) in the frame of `paintState` (the section state the cache was painted
// in). Every pixel there where the mask's image is fuchsia shows the parent's background
// as the parent gives it now; the mask's own pixels (also those blended through an alpha
// row, which never show the parent) are kept. Nothing happens without a cache, a border
// mask or an answer from the parent (it is being updated: the old picture stays).
void RefreshTransparentCorners(TsCommonData& data, int paintState, unsigned corners);

}  // namespace tappomat
