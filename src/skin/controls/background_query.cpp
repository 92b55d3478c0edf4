#include "skin/controls/background_query.h"

#include <algorithm>

#include "gdi/primitives.h"
#include "imaging/blend.h"
#include "skin/controls/common_data.h"
#include "skin/data/skin_message.h"
#include "ui/canvas.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

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

}  // namespace

ParentBackground ToParentBackground(const TacBGInfo& info) {
  ParentBackground background;
  if (info.kind == BackgroundKind::Image && info.image != nullptr && !info.image->IsEmpty()) {
    background.image = info.image;
    background.offset = info.offset;
    background.ready = true;
  } else {
    background.fill = info.color;
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
    if (transparency == 0) {
      AnswerColor(query, own);
      return;
    }
    const ColorRef behind = owner->Parent() != nullptr ? ColorBehind(*owner->Parent()) : own;
    AnswerColor(query, transparency == 100 ? behind : MixColors(behind, own, transparency / 100.0));
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
