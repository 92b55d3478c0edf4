#include "skin/controls/background_query.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "imaging/blend.h"
#include "skin/controls/common_data.h"
#include "skin/controls/mask_paint.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

// Border draw-mode bit: the border is left out of the normal look.
constexpr int kBorderNotInNormalState = 2;

// Sends the query to `control`; false when it does not answer (it is not skinned).
bool Ask(TControl& control, TacBGInfo& info) {
  return control.Perform(WM_SKIN, SkinWParam(SkinCode::QueryBackground),
                         reinterpret_cast<LPARAM>(&info)) != 0;
}

// The query passed on to the owner's parent, as if the owner were not there.
void Forward(const TControl& owner, TacBGInfo& query) {
  query.offset = {query.offset.x + owner.Left(), query.offset.y + owner.Top()};
  TWinControl* parent = owner.Parent();
  if (parent != nullptr && Ask(*parent, query)) return;
  query.kind = BackgroundKind::Color;
  query.image = nullptr;
  query.color = parent != nullptr ? ColorToRGB(parent->Color()) : ColorToRGB(owner.Color());
}

void AnswerColor(TacBGInfo& query, ColorRef color) {
  query.kind = BackgroundKind::Color;
  query.image = nullptr;
  query.color = color;
  if (query.drawToDc && query.dc != nullptr) FillRect(*query.dc, query.rect, color);
}

// A plain field inside a border drawn in every look: the answer also gives the picture
// that holds the border and the border's widths, so that an asker lying over the border
// can show it.
void AddBorder(const TsCommonData& data, const SkinTables& tables, TacBGInfo& query) {
  const TsMaskData* border = MaskAt(tables, data.BorderIndex());
  if (border == nullptr || (border->drawMode & kBorderNotInNormalState)) return;
  query.image = data.Cache();
  query.margins = {border->MarginLeft(), border->MarginTop(), border->MarginRight(),
                   border->MarginBottom()};
}

}  // namespace

ParentBackground ToParentBackground(const TacBGInfo& info) {
  ParentBackground background;
  if (info.kind == BackgroundKind::Image && info.image != nullptr && !info.image->IsEmpty()) {
    background.image = info.image;
    background.offset = info.offset;
    background.ready = true;
  } else {
    background.fill = info.color;
    // A plain parent with a border: the border's ring is taken from its picture.
    if (info.image != nullptr && !info.image->IsEmpty()) {
      background.image = info.image;
      background.offset = info.offset;
      background.frame = info.margins;
    }
  }
  return background;
}

std::optional<ParentBackground> AskParentBackground(const TControl& control) {
  TWinControl* parent = control.Parent();
  if (parent == nullptr) return ParentBackground{};
  TacBGInfo info;
  info.offset = {control.Left(), control.Top()};
  if (!Ask(*parent, info)) {
    info.kind = BackgroundKind::Color;
    info.image = nullptr;
    info.color = ColorToRGB(parent->Color());
  }
  if (info.kind == BackgroundKind::NotNow) return std::nullopt;
  return ToParentBackground(info);
}

ColorRef ColorBehind(TControl& control) {
  TacBGInfo info;
  if (Ask(control, info) && info.kind == BackgroundKind::Color) return info.color;
  return ColorToRGB(control.Color());
}

void AnswerBackgroundQuery(const TsCommonData& data, TacBGInfo& query, bool forceActive) {
  const TControl* owner = data.Owner();
  if (owner == nullptr) return;
  if (!data.Skinned() || data.CustomColor()) {
    AnswerColor(query, ColorToRGB(owner->Color()));
    return;
  }
  const SkinTables& tables = data.SkinManager()->Tables();
  const TsGeneralData& section = tables.sections[static_cast<std::size_t>(data.SkinIndex())];
  const TsGenState& state = section.props[static_cast<std::size_t>(StateRecordOf(section, forceActive ? 1 : 0))];
  const bool corners = std::any_of(section.cornerIndex.begin(), section.cornerIndex.end(),
                                   [](int index) { return index >= 0; });
  const int transparency = std::clamp(state.transparency, 0, 100);
  if (state.gradientPercent == 0 && state.imagePercent == 0 && !corners) {
    const ColorRef own = static_cast<ColorRef>(state.color) & 0xFFFFFF;
    ColorRef color = own;
    if (transparency > 0) {
      const ColorRef behind = owner->Parent() != nullptr ? ColorBehind(*owner->Parent()) : own;
      color = transparency == 100 ? behind : MixColors(behind, own, transparency / 100.0);
    }
    AnswerColor(query, color);
    AddBorder(data, tables, query);
    return;
  }
  const Bitmap32* cache = data.Cache();
  const bool cacheFits = cache != nullptr && !cache->IsEmpty() && cache->Width() == owner->Width() &&
                         cache->Height() == owner->Height();
  if (transparency == 100 && !cacheFits) {
    Forward(*owner, query);
    return;
  }
  if (!cacheFits) {
    query.kind = BackgroundKind::NotNow;
    query.color = tables.colors.global;
    return;
  }
  query.kind = BackgroundKind::Image;
  query.image = cache;
  query.color = tables.colors.global;
}

}  // namespace tappomat
