#include "skin/paint/glyph_paint.h"

#include <algorithm>

#include "imaging/blend.h"
#include "imaging/hsv.h"
#include "imaging/pixel_ops.h"

namespace tappomat {
namespace {

int ImageCount(const SkinGlyph& glyph) {
  return std::clamp(glyph.numGlyphs, 1, std::max(1, glyph.image->Width()));
}

bool HasAlpha(const Bitmap32& image) {
  return std::any_of(image.Pixels().begin(), image.Pixels().end(),
                     [](Pixel p) { return PixelA(p) != 0; });
}

}  // namespace

Size SkinGlyphSize(const SkinGlyph& glyph) {
  if (glyph.image == nullptr || glyph.image->IsEmpty()) return {};
  return {glyph.image->Width() / ImageCount(glyph), glyph.image->Height()};
}

void DrawSkinGlyph(Bitmap32& cache, Point at, const SkinGlyph& glyph, int paintState, bool enabled) {
  const Size size = SkinGlyphSize(glyph);
  if (size.width <= 0 || size.height <= 0) return;
  const int count = ImageCount(glyph);
  const Bitmap32& image = *glyph.image;
  if (!HasAlpha(image)) {
    const int index = count == 1 ? 0 : std::clamp(paintState, 0, count - 1);
    const Rect source = Rect::FromSize(index * size.width, 0, size.width, size.height);
    // Without alpha every pixel is opaque once drawn.
    Bitmap32 opaque(size.width, size.height);
    for (int y = 0; y < size.height; ++y)
      for (int x = 0; x < size.width; ++x) opaque.At(x, y) = image.At(source.left + x, y) | 0xFF000000u;
    CopyWithColorKey(cache, at, opaque, opaque.Bounds(), opaque.At(0, 0));
    return;
  }
  const int index = std::clamp(paintState, 0, count - 1);
  Bitmap32 picture(size.width, size.height);
  for (int y = 0; y < size.height; ++y)
    std::copy_n(image.Row(y) + index * size.width, size.width, picture.Row(y));
  int opacity = 255;
  bool grey = false;
  if (!enabled) {
    if (glyph.disabledKind & dgBlended) opacity /= 2;
    grey = (glyph.disabledKind & dgGrayed) != 0;
  } else if (paintState == 0) {
    opacity = opacity * (100 - std::clamp(glyph.blend, 0, 100)) / 100;
    grey = glyph.grayed;
  }
  // Grey from premultiplied colours stays premultiplied: every channel becomes the same
  // share of the (already weighted) value.
  if (grey) Grayscale(picture, picture.Bounds());
  AlphaBlend(cache, at, picture, picture.Bounds(), static_cast<std::uint8_t>(opacity), AlphaMode::PerPixel);
}

}  // namespace tappomat
