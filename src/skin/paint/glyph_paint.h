#pragma once
// The glyph of a skinned bit button or speed button drawn into its cache. A glyph strip
// holds NumGlyphs images side by side. A glyph with alpha (premultiplied, as the program
// keeps its pictures) is blended with its own alpha; a glyph whose alpha bytes are all 0
// carries no alpha and is copied leaving out the colour of its top-left pixel.
#include "imaging/bitmap32.h"

namespace tappomat {

enum TDisabledGlyphKindBits : unsigned { dgBlended = 1, dgGrayed = 2 };
using TsDisabledGlyphKind = unsigned;

struct SkinGlyph {
  const Bitmap32* image = nullptr;
  int numGlyphs = 1;
  int blend = 0;        // percent of opacity taken away in paint state 0
  bool grayed = false;  // grey in paint state 0
  TsDisabledGlyphKind disabledKind = dgBlended;
};

// The size of one image of the strip (empty without a glyph).
Size SkinGlyphSize(const SkinGlyph& glyph);

// Draws the image for `paintState` with its top-left corner at `at`.
void DrawSkinGlyph(Bitmap32& cache, Point at, const SkinGlyph& glyph, int paintState, bool enabled);

}  // namespace tappomat
