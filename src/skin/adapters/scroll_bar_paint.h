#pragma once
// Painting one skinned scroll bar, and the corner box between two bars, into a picture of
// its own size: the two track pieces split at the thumb centre, the arrow buttons with
// their arrow glyphs, the thumb with its grip glyph, each from its skin section in its
// state, over the window's own background. A disabled bar is blended into that
// background. The scroll-window adapter copies the picture to the window in one transfer.
#include <optional>

#include "imaging/bitmap32.h"
#include "skin/adapters/scroll_geometry.h"
#include "skin/paint/section_paint.h"
#include "skin/data/skin_tables.h"

namespace tappomat {

struct ScrollBarLook {
  bool vertical = true;
  int thickness = 0;       // T: across the bar
  int length = 0;          // along the bar
  int geometryButton = 0;  // button length for the thumb place
  int paintedButton = 0;   // button length as painted
  ScrollValues values;
  bool enabled = true;
  // Paint states (0 normal, 1 hot, 2 pressed).
  int firstArrowState = 0;
  int secondArrowState = 0;
  int thumbState = 0;
  int shownPart = kPartNone;  // a pressed track piece shows pressed
  // Where the window's background lies behind the bar's top-left pixel.
  ParentBackground background;
};

// Section indices the bar is painted from; -1 where the skin has none.
struct ScrollBarSections {
  int trackBefore = -1, trackAfter = -1;
  int firstButton = -1, secondButton = -1;
  int firstGlyph = -1, secondGlyph = -1;
  int thumb = -1, thumbGlyph = -1;
};
ScrollBarSections ScrollBarSectionsOf(const SkinTables& tables, bool vertical);

// The whole bar in its current state. Empty when the skin has no track for it or the bar
// is not longer than 1 pixel.
Bitmap32 PaintScrollBar(const SkinTables& tables, const ScrollBarLook& look);

// The bar while its thumb is dragged: tracks and buttons in the normal state and the thumb
// of `thumbLength` pressed at `thumbStart` (from the bar start).
Bitmap32 PaintDraggedScrollBar(const SkinTables& tables, const ScrollBarLook& look, int thumbStart,
                               int thumbLength);

// Blends a disabled bar's picture into the background behind it: 60 % background over a
// background picture (its fuchsia pixels keep the bar), or 153/256 of the way to a plain
// background colour.
void BlendDisabled(Bitmap32& bar, const ParentBackground& background);

// The square between the two bars: the background picture there, or its colour (the
// skin's global colour unless the skin's horizontal track is wholly transparent); with
// `grip` the size-grip image in its bottom-right corner.
Bitmap32 PaintCornerBox(const SkinTables& tables, int thickness, const ParentBackground& background,
                        bool grip);

}  // namespace tappomat
