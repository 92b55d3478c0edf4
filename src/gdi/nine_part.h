#pragma once
// Nine-part drawing: one frame of a skin image laid over a rectangle as four fixed corners,
// four edges and an optional centre, each edge and the centre tiled or stretched. A frame
// may carry an alpha row (the same size, `alphaRow` rows below the image) through which
// every piece is blended: d' = s + ((d - s) * m) / 256 per channel, rounded down, m from
// the alpha row, so m 0 is opaque and 255 lets the destination through. Fuchsia image pixels leave the
// destination alone, except in the corners when a corner fill is given: there they show
// the background behind the control (the parent's picture or a plain colour). Written
// pixels get alpha 255 when blended; without an alpha row pieces are copied as they are
// and only the corners leave out their fuchsia.
//
// Margins that do not fit are squeezed: when the rectangle is narrower than left + right,
// the difference d comes off both sides (the odd pixel off the right), likewise the height
// (the odd pixel off the bottom). Nothing is drawn on a rectangle narrower or lower than
// 2 pixels, or when the frame's centre would be negative.
//
// Used by the skinned painting of every control and window frame.
#include <optional>

#include "imaging/bitmap32.h"
#include "imaging/geometry.h"

namespace tappomat {

struct NinePartMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

enum NinePartMode : unsigned {
  kNinePartStretch = 1,  // edges and centre stretched to their size instead of tiled
  kNinePartCentre = 4,   // the centre is drawn
};

// What fuchsia corner pixels show instead of being left alone.
struct NinePartCornerFill {
  const Bitmap32* image = nullptr;  // the background picture, or null for `color`
  Point offset;                     // where destination (0, 0) lies in `image`
  Pixel color = 0;                  // used without an image (alpha made 255)
};

struct NinePartSource {
  const Bitmap32* image = nullptr;
  Rect frame;                     // the frame's image part in `image`
  std::optional<int> alphaRow;    // rows from the image part down to its alpha row
  NinePartMargins margins;
  unsigned mode = 0;              // NinePartMode bits
};

// The margins as drawn on a rectangle of `size`: where two opposite margins do not fit,
// the difference comes off both, the odd pixel off the right or bottom one.
NinePartMargins FittedMargins(NinePartMargins margins, Size size);

// Draws `source` over `dest` of `target`, clipped to the target.
void DrawNinePart(Bitmap32& target, const Rect& dest, const NinePartSource& source,
                  const std::optional<NinePartCornerFill>& cornerFill = std::nullopt);

}  // namespace tappomat
