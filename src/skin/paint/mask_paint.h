#pragma once
// Drawing the masks of a loaded skin: a border mask laid over a rectangle in nine parts,
// and an image mask (a glyph, a check mark, a corner image) drawn at a point, each in the
// frame of a paint state. Called by section painting and by the controls for their glyphs.
#include <optional>

#include "gdi/nine_part.h"
#include "imaging/bitmap32.h"
#include "imaging/region.h"
#include "skin/data/skin_tables.h"

namespace tappomat {

// The mask at `index`; null for an index that names none.
const TsMaskData* MaskAt(const SkinTables& tables, int index);

// The frame a paint state uses: the state itself, at most the mask's last frame.
int MaskFrame(const TsMaskData& mask, int paintState);

// Lays border mask `maskIndex` over `r` in the frame of `paintState`: its margins as the
// fixed parts, stretched or tiled edges (draw mode bit 1), the centre when bit 4 is set,
// nothing in state 0 when bit 2 is set. A mask that knows fuchsia in its corners shows
// `cornerFill` there when one is given. Nothing for an index that names no mask.
void PaintBorderMask(Bitmap32& bitmap, const Rect& r, const SkinTables& tables, int maskIndex,
                     int paintState, const std::optional<NinePartCornerFill>& cornerFill = std::nullopt);

// The outline of border mask `maskIndex` laid over a control of `size` in the frame of
// `paintState`: the control's rectangle less every pixel where the mask's image is exactly
// fuchsia, so that a window shaped by it takes the mask's rounded corners.
Region BorderShape(const SkinTables& tables, int maskIndex, int paintState, Size size);

enum class MaskCopyMode {
  ColorKey,  // fuchsia pixels are left out
  Half,      // mixed half and half with what is there, fuchsia left out
};

// Draws the frame of `paintState` of image mask `maskIndex` with its top-left at `at`
// (what falls outside the bitmap is cut off). A mask with an alpha row is blended through
// it; a mask with its own image is drawn with the image's alpha (premultiplied in skins
// after 7.45); a plain cut of the master bitmap is copied as `mode` says.
void DrawImageMask(Bitmap32& bitmap, Point at, int paintState, const SkinTables& tables,
                   int maskIndex, MaskCopyMode mode = MaskCopyMode::ColorKey);

}  // namespace tappomat
