#include "skin/paint/mask_paint.h"

#include <algorithm>

#include "imaging/blend.h"

namespace tappomat {
namespace {

// The image part of a frame in the mask's source.
Rect FrameRect(const TsMaskData& mask, int frame) {
  const int w = mask.FrameWidth();
  const int left = mask.rect.left + frame * w;
  return {left, mask.rect.top, left + w, mask.rect.top + mask.FrameHeight()};
}

// The alpha row starts half-way down the mask's rectangle.
std::optional<int> AlphaRow(const TsMaskData& mask) {
  if (mask.maskType <= 0) return std::nullopt;
  return mask.rect.Height() / 2;
}

unsigned Div255(unsigned x) { return (x + 127) / 255; }

}  // namespace

const TsMaskData* MaskAt(const SkinTables& tables, int index) {
  if (index < 0 || index >= static_cast<int>(tables.masks.size())) return nullptr;
  return &tables.masks[static_cast<std::size_t>(index)];
}

int MaskFrame(const TsMaskData& mask, int paintState) {
  return std::clamp(paintState, 0, std::max(mask.frameCount - 1, 0));
}

void PaintBorderMask(Bitmap32& bitmap, const Rect& r, const SkinTables& tables, int maskIndex,
                     int paintState, const std::optional<NinePartCornerFill>& cornerFill) {
  const TsMaskData* mask = MaskAt(tables, maskIndex);
  if (mask == nullptr || mask->frameCount <= 0) return;
  if (paintState == 0 && (mask->drawMode & 2)) return;
  NinePartSource source;
  source.image = &tables.SourceOf(*mask);
  source.frame = FrameRect(*mask, MaskFrame(*mask, paintState));
  source.alphaRow = AlphaRow(*mask);
  source.margins = {mask->MarginLeft(), mask->MarginTop(), mask->MarginRight(), mask->MarginBottom()};
  source.mode = static_cast<unsigned>(mask->drawMode) & (kNinePartStretch | kNinePartCentre);
  DrawNinePart(bitmap, r, source, mask->cornerFill > 0 ? cornerFill : std::nullopt);
}

Region BorderShape(const SkinTables& tables, int maskIndex, int paintState, Size size) {
  const Rect whole{0, 0, size.width, size.height};
  const TsMaskData* mask = MaskAt(tables, maskIndex);
  if (mask == nullptr || mask->frameCount <= 0 || whole.IsEmpty()) return Region(whole);
  // The mask copied plainly (no alpha row, centre included) over black and over white,
  // with fuchsia corners showing the colour below: a pixel that differs between the two,
  // or that came out fuchsia, is one the mask leaves out.
  NinePartSource source;
  source.image = &tables.SourceOf(*mask);
  source.frame = FrameRect(*mask, MaskFrame(*mask, paintState));
  source.margins = {mask->MarginLeft(), mask->MarginTop(), mask->MarginRight(), mask->MarginBottom()};
  source.mode = (static_cast<unsigned>(mask->drawMode) & kNinePartStretch) | kNinePartCentre;
  const Pixel black = MakePixel(0, 0, 0);
  const Pixel white = MakePixel(255, 255, 255);
  Bitmap32 overBlack(size.width, size.height, black);
  Bitmap32 overWhite(size.width, size.height, white);
  DrawNinePart(overBlack, whole, source, NinePartCornerFill{nullptr, {}, black});
  DrawNinePart(overWhite, whole, source, NinePartCornerFill{nullptr, {}, white});
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      Pixel& p = overBlack.At(x, y);
      const bool left = PixelRGB(p) != PixelRGB(overWhite.At(x, y)) || IsFuchsia(p);
      p = left ? kFuchsiaPixel : black;
    }
  }
  return Region::FromColorKey(overBlack, kFuchsiaPixel);
}

void DrawImageMask(Bitmap32& bitmap, Point at, int paintState, const SkinTables& tables,
                   int maskIndex, MaskCopyMode mode) {
  const TsMaskData* mask = MaskAt(tables, maskIndex);
  if (mask == nullptr || mask->frameCount <= 0) return;
  const Bitmap32& image = tables.SourceOf(*mask);
  const Rect frame = FrameRect(*mask, MaskFrame(*mask, paintState));
  if (mask->maskType > 0) {
    // One frame through its alpha row: the whole frame as the centre of a nine-part.
    NinePartSource source;
    source.image = &image;
    source.frame = frame;
    source.alphaRow = AlphaRow(*mask);
    source.mode = kNinePartCentre;
    DrawNinePart(bitmap, Rect::FromSize(at.x, at.y, frame.Width(), frame.Height()), source);
    return;
  }
  const bool premultiplied = tables.skinData.version > 7.45;
  const Rect visible = Rect::FromSize(at.x, at.y, frame.Width(), frame.Height()).Intersect(bitmap.Bounds());
  for (int y = visible.top; y < visible.bottom; ++y) {
    const int sy = frame.top + (y - at.y);
    if (sy < 0 || sy >= image.Height()) continue;
    for (int x = visible.left; x < visible.right; ++x) {
      const int sx = frame.left + (x - at.x);
      if (sx < 0 || sx >= image.Width()) continue;
      const Pixel s = image.At(sx, sy);
      Pixel& d = bitmap.At(x, y);
      if (mask->image) {
        // The image's own alpha: straight in older skins, premultiplied in newer ones.
        const unsigned a = PixelA(s);
        const auto channel = [&](std::uint8_t sc, std::uint8_t dc) {
          const unsigned own = premultiplied ? sc * 255u : sc * a;
          return static_cast<std::uint8_t>(std::min(255u, Div255(own + dc * (255u - a))));
        };
        d = MakePixel(channel(PixelR(s), PixelR(d)), channel(PixelG(s), PixelG(d)),
                      channel(PixelB(s), PixelB(d)), 255);
        continue;
      }
      if (IsFuchsia(s)) continue;
      d = mode == MaskCopyMode::Half
              ? PixelFromColor(MixColors(ColorFromPixel(s), ColorFromPixel(d), 0.5))
              : (PixelRGB(s) | 0xFF000000u);
    }
  }
}

}  // namespace tappomat
