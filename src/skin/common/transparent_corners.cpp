#include "skin/common/transparent_corners.h"

#include <algorithm>
#include <array>

#include "imaging/region.h"
#include "skin/common/background_query.h"
#include "skin/paint/mask_paint.h"

namespace tappomat {
namespace {

// The pixel of the parent's background behind cache pixel (x, y).
Pixel BackgroundAt(const ParentBackground& parent, int x, int y) {
  if (parent.ready && parent.image != nullptr) {
    const Point at{x + parent.offset.x, y + parent.offset.y};
    if (parent.image->Bounds().Contains(at))
      return PixelRGB(parent.image->At(at.x, at.y)) | 0xFF000000u;
  }
  return PixelFromColor(parent.fill);
}

}  // namespace

void RefreshTransparentCorners(TsCommonData& data, int paintState, unsigned corners) {
  Bitmap32* cache = data.Cache();
  if (cache == nullptr || cache->IsEmpty() || data.Owner() == nullptr || !data.Skinned()) return;
  const SkinTables& tables = data.SkinManager()->Tables();
  const TsMaskData* mask = MaskAt(tables, data.BorderIndex());
  if (mask == nullptr || mask->frameCount <= 0) return;
  // A mask left out of the normal state painted no corners there.
  if (paintState == 0 && (mask->drawMode & 2)) return;
  const std::optional<ParentBackground> parent = AskParentBackground(*data.Owner());
  if (!parent || !parent->Known()) return;

  const int w = cache->Width();
  const int h = cache->Height();
  const auto [left, top, right, bottom] = FittedMargins(
      {mask->MarginLeft(), mask->MarginTop(), mask->MarginRight(), mask->MarginBottom()}, {w, h});
  const std::array<std::pair<unsigned, Rect>, 4> areas{{
      {kCornerTopLeft, Rect{0, 0, left, top}},
      {kCornerBottomLeft, Rect{0, h - bottom, left, h}},
      {kCornerTopRight, Rect{w - right, 0, w, top}},
      {kCornerBottomRight, Rect{w - right, h - bottom, w, h}},
  }};
  // The mask's outline over the whole control: the pixels it leaves out are the ones
  // where its image is fuchsia.
  const Region inside = BorderShape(tables, data.BorderIndex(), paintState, {w, h});
  for (const auto& [bit, area] : areas) {
    if (!(corners & bit)) continue;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (!inside.Contains({x, y})) cache->At(x, y) = BackgroundAt(*parent, x, y);
  }
}

}  // namespace tappomat
