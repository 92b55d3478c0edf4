#include "skin/paint/section_paint.h"

#include <algorithm>
#include <cmath>

#include "imaging/pixel_ops.h"
#include "skin/paint/color_helpers.h"
#include "skin/paint/gradient_paint.h"
#include "skin/paint/mask_paint.h"

namespace tappomat {
namespace {

// Where `r` lies over the border ring of a plain parent, the ring from the parent's picture.
void ShowParentFrame(Bitmap32& bitmap, const Rect& r, const ParentBackground& parent) {
  const Bitmap32* image = parent.image;
  if (image == nullptr || image == &bitmap) return;
  const auto [left, top, right, bottom] = parent.frame;
  if (left <= 0 && top <= 0 && right <= 0 && bottom <= 0) return;
  const Rect inside{left, top, image->Width() - right, image->Height() - bottom};
  const Rect visible = r.Intersect(bitmap.Bounds());
  for (int y = visible.top; y < visible.bottom; ++y) {
    for (int x = visible.left; x < visible.right; ++x) {
      const Point p{x + parent.offset.x, y + parent.offset.y};
      if (image->Bounds().Contains(p) && !inside.Contains(p)) bitmap.At(x, y) = image->At(p.x, p.y);
    }
  }
}

// Fills `r` with what lies behind it: the parent's picture where it is known, else its
// colour (and a plain parent's border where `r` lies over it).
void ShowParent(Bitmap32& bitmap, const Rect& r, const ParentBackground& parent) {
  if (parent.ready && parent.image != nullptr && parent.image != &bitmap) {
    const Rect visible = r.Intersect(bitmap.Bounds());
    for (int y = visible.top; y < visible.bottom; ++y) {
      for (int x = visible.left; x < visible.right; ++x) {
        const int px = x + parent.offset.x, py = y + parent.offset.y;
        if (px >= 0 && py >= 0 && px < parent.image->Width() && py < parent.image->Height()) {
          bitmap.At(x, y) = parent.image->At(px, py);
        } else if (parent.fill != kFuchsia) {
          bitmap.At(x, y) = PixelFromColor(parent.fill);
        }
      }
    }
    return;
  }
  if (parent.fill != kFuchsia) FillRectAlpha(bitmap, r, parent.fill, 255);
  ShowParentFrame(bitmap, r, parent);
}

// A texture laid over `r` in its draw mode; returns the part of `r` it covered.
Rect DrawTexture(Bitmap32& bitmap, const Rect& r, const SkinTables& tables, const TsMaskData& texture) {
  const Bitmap32& source = tables.SourceOf(texture);
  const Rect from = texture.rect;
  const int w = from.Width(), h = from.Height();
  if (w <= 0 || h <= 0) return {};
  const auto tile = [&](const Rect& area) {
    const Rect visible = area.Intersect(bitmap.Bounds());
    for (int y = visible.top; y < visible.bottom; ++y) {
      for (int x = visible.left; x < visible.right; ++x) {
        const int sx = from.left + (x - area.left) % w, sy = from.top + (y - area.top) % h;
        if (sx < source.Width() && sy < source.Height()) bitmap.At(x, y) = source.At(sx, sy) | 0xFF000000u;
      }
    }
    return area;
  };
  const auto stretch = [&](const Rect& area) {
    StretchCopy(bitmap, area, bitmap.Bounds(), source, from, StretchMode::ColorOnColor);
    return area;
  };
  switch (texture.drawMode) {
    case 0:
    case 10: return tile(r);
    case 1: return stretch(r);
    case 2: return tile({r.left, r.top, r.right, std::min(r.bottom, r.top + h)});
    case 3: return tile({r.left, r.top, std::min(r.right, r.left + w), r.bottom});
    case 4: return stretch({r.left, r.top, r.right, std::min(r.bottom, r.top + h)});
    case 5: return stretch({r.left, r.top, std::min(r.right, r.left + w), r.bottom});
    case 6: return tile({r.left, std::max(r.top, r.bottom - h), r.right, r.bottom});
    case 7: return tile({std::max(r.left, r.right - w), r.top, r.right, r.bottom});
    default: return {};
  }
}

// The background without transparency.
void PaintOpaque(Bitmap32& bitmap, const Rect& r, const SkinTables& tables,
                 const TsGenState& state, const TsMaskData* texture, ColorRef k) {
  const int imageShare = texture != nullptr ? state.imagePercent : 0;
  const int gradientShare = state.gradientPercent;
  const bool hasGradient = !state.gradient.empty();
  // The gradient, or the plain colour when the section has none.
  const auto gradientOrColor = [&](Bitmap32& into, const Rect& area) {
    FillRectAlpha(into, area, k, 255);
    if (hasGradient) PaintGradient(into, area, state.gradient);
  };
  const int direction = hasGradient ? state.gradient.front().direction : 0;
  if (texture != nullptr && imageShare + gradientShare == 100 && gradientShare > 0 &&
      gradientShare < 100 && texture->drawMode == 0 && direction != 2 && direction != 3) {
    // One pass: the gradient with the texture over it at the image share.
    gradientOrColor(bitmap, r);
    Bitmap32 layer(r.Width(), r.Height());
    DrawTexture(layer, layer.Bounds(), tables, *texture);
    AlphaBlend(bitmap, {r.left, r.top}, layer, layer.Bounds(),
               static_cast<std::uint8_t>(imageShare * 255 / 100), AlphaMode::Constant);
    return;
  }
  bool textured = false;
  if (imageShare > 0) {
    FillRectAlpha(bitmap, r, k, 255);
    DrawTexture(bitmap, r, tables, *texture);
    textured = true;
  }
  if (gradientShare > 0) {
    if (textured) {
      Bitmap32 layer(r.Width(), r.Height());
      gradientOrColor(layer, layer.Bounds());
      BlendWithWeight(bitmap, {r.left, r.top}, layer, layer.Bounds(),
                      std::min(gradientShare * 255 / 100, 255));
    } else {
      gradientOrColor(bitmap, r);
    }
  }
  if (imageShare <= 0 && gradientShare <= 0) FillRectAlpha(bitmap, r, k, 255);
  const int shares = gradientShare + imageShare;
  if (shares >= 1 && shares <= 99) MixRect(bitmap, r, k, shares);
}

}  // namespace

int StateRecordOf(const TsGeneralData& section, int paintState) {
  return std::clamp(std::min(paintState, section.states - 1), 0, 1);
}

void PaintSectionBackground(Bitmap32& bitmap, const Rect& r, const SkinTables& tables,
                            const SectionPaint& paint, const ParentBackground& parent) {
  if (paint.sectionIndex < 0 || paint.sectionIndex >= static_cast<int>(tables.sections.size())) return;
  if (r.IsEmpty()) return;
  const TsGeneralData& s = tables.sections[static_cast<std::size_t>(paint.sectionIndex)];
  const int record = StateRecordOf(s, paint.paintState);
  const TsGenState& state = s.props[static_cast<std::size_t>(record)];
  int textureIndex = record == 0 ? paint.textureIndex : paint.hotTextureIndex;
  if (textureIndex < 0) textureIndex = state.textureIndex;
  if (textureIndex < 0) textureIndex = s.textureIndex;
  const TsMaskData* texture = MaskAt(tables, textureIndex);
  if (texture != nullptr && texture->maskType > 0) texture = nullptr;
  const ColorRef k = paint.customColor.value_or(static_cast<ColorRef>(state.color) & 0xFFFFFF);
  const int transparency = paint.customColor ? 0 : state.transparency;
  const bool shares = state.gradientPercent > 0 || (texture != nullptr && state.imagePercent > 0);

  if (!parent.Known() || transparency <= 0) {
    PaintOpaque(bitmap, r, tables, state, texture, k);
  } else if (transparency >= 100) {
    ShowParent(bitmap, r, parent);
  } else if (shares) {
    Bitmap32 layer(r.Width(), r.Height());
    PaintOpaque(layer, layer.Bounds(), tables, state, texture, k);
    ShowParent(bitmap, r, parent);
    const int keep = static_cast<int>(std::lround(transparency * 2.55));
    BlendWithWeight(bitmap, {r.left, r.top}, layer, layer.Bounds(), keep);
  } else {
    const ColorRef behind = parent.fill != kFuchsia ? parent.fill : k;
    FillRectAlpha(bitmap, r, MixColors(behind, k, transparency / 100.0), 255);
  }
}

void PaintSection(Bitmap32& bitmap, const Rect& r, const SkinTables& tables,
                  const SectionPaint& paint, const ParentBackground& parent) {
  if (paint.sectionIndex < 0 || paint.sectionIndex >= static_cast<int>(tables.sections.size())) return;
  if (r.IsEmpty() || !bitmap.Bounds().Contains(r)) return;
  const TsGeneralData& s = tables.sections[static_cast<std::size_t>(paint.sectionIndex)];
  PaintSectionBackground(bitmap, r, tables, paint, parent);
  // The corner images, colour-keyed at the four corners.
  const std::array<int, 4>& corners = s.cornerIndex;
  for (std::size_t c = 0; c < 4; ++c) {
    const TsMaskData* mask = MaskAt(tables, corners[c]);
    if (mask == nullptr) continue;
    const int x = (c == 1 || c == 3) ? r.right - mask->FrameWidth() : r.left;
    const int y = (c == 2 || c == 3) ? r.bottom - mask->FrameHeight() : r.top;
    DrawImageMask(bitmap, {x, y}, paint.paintState, tables, corners[c]);
  }
  if (s.borderIndex >= 0) {
    std::optional<NinePartCornerFill> fill;
    if (paint.fillCorners && parent.Known()) {
      fill = NinePartCornerFill{parent.ready ? parent.image : nullptr, parent.offset,
                                PixelFromColor(parent.fill)};
    }
    PaintBorderMask(bitmap, r, tables, s.borderIndex, paint.paintState, fill);
  }
}

}  // namespace tappomat
