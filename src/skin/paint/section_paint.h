#pragma once
// Painting a skin section into a rectangle of a 32-bit bitmap for a paint state: the
// background (the state's colour, gradient and texture, or what lies behind a transparent
// section), the four corner images and the border mask. Every skinned control paints its
// cache through PaintSection and adds only what is its own (caption, glyph, focus).
#include <optional>

#include "gdi/nine_part.h"
#include "imaging/bitmap32.h"
#include "imaging/color.h"
#include "skin/data/skin_tables.h"

namespace tappomat {

// What lies behind the painted area: the parent's picture (ready: it holds valid pixels)
// with the painted area's offset in it, or its plain colour (fuchsia: none), and the
// parent's frame widths. A plain parent with a border gives its picture without `ready`:
// only its frame ring is taken from it.
struct ParentBackground {
  const Bitmap32* image = nullptr;
  Point offset;                  // where the painted bitmap's (0, 0) lies in `image`
  ColorRef fill = kFuchsia;
  std::array<int, 4> frame{};    // left, top, right, bottom
  bool ready = false;

  bool Known() const { return (ready && image != nullptr) || fill != kFuchsia; }
};

// The state record a paint state uses: 0 normal, 1 hot for every state from 1 up, and the
// normal one in sections of fewer than 2 states.
int StateRecordOf(const TsGeneralData& section, int paintState);

struct SectionPaint {
  int sectionIndex = -1;
  int paintState = 0;
  int textureIndex = -1;               // for the normal state record; -1: the section's own
  int hotTextureIndex = -1;            // for the hot one
  std::optional<ColorRef> customColor; // the control's own colour instead of the state's
  bool fillCorners = true;             // fuchsia corners of the border show the parent
};

// The background alone.
void PaintSectionBackground(Bitmap32& bitmap, const Rect& r, const SkinTables& tables,
                            const SectionPaint& paint, const ParentBackground& parent);

// Background, corner images and border mask. Nothing for a missing section or an empty
// rectangle, or one that does not lie inside the bitmap.
void PaintSection(Bitmap32& bitmap, const Rect& r, const SkinTables& tables,
                  const SectionPaint& paint, const ParentBackground& parent);

}  // namespace tappomat
