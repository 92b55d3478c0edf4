#include "skin/common/cache_paint.h"

#include <algorithm>

#include "skin/common/background_query.h"
#include "ui/canvas.h"
#include "ui/win_control.h"

namespace tappomat {

std::optional<ParentBackground> PaintSectionIntoCache(TsCommonData& data, int sectionState) {
  TControl& control = *data.Owner();
  const std::optional<ParentBackground> parent = AskParentBackground(control);
  if (!parent) {
    data.SetUpdating(true);
    return std::nullopt;
  }
  Bitmap32& cache = *data.Cache();
  cache.Reset(std::max(control.Width(), 0), std::max(control.Height(), 0));
  if (cache.IsEmpty()) return std::nullopt;
  SectionPaint paint;
  paint.sectionIndex = data.SkinIndex();
  paint.paintState = sectionState;
  paint.textureIndex = data.Texture();
  paint.hotTextureIndex = data.HotTexture();
  if (data.CustomColor()) paint.customColor = ColorToRGB(control.Color());
  PaintSection(cache, cache.Bounds(), data.SkinManager()->Tables(), paint, *parent);
  data.AdjustPicture(cache);
  return parent;
}

void FinishCache(TsCommonData& data, int paintState, const ParentBackground& parent,
                 TsDisabledKind disabledKind) {
  const TControl& control = *data.Owner();
  if (!control.Enabled()) {
    const ColorRef behind = control.Parent() != nullptr ? ColorToRGB(control.Parent()->Color()) : kFuchsia;
    ApplyDisabledLook(*data.Cache(), disabledKind, parent, behind);
  }
  data.CacheBuilt(paintState);
}

ColorRef FocusRectColor(const TsCommonData& data) {
  const TsGeneralData* section = data.Section();
  if (section == nullptr) return 0;
  const std::size_t record = static_cast<std::size_t>(std::min(1, section->states));
  return data.Adjusted(static_cast<ColorRef>(section->props[record].fontColor[0]) & 0xFFFFFF);
}

}  // namespace tappomat
