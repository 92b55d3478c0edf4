// TsCommonData's answer to a child's background query: its plain colour (mixed with what
// lies behind when the section is partly transparent), or its cache picture, or "not now"
// while the cache does not fit its control.
#include <algorithm>

#include "imaging/blend.h"
#include "skin/common/background_query.h"
#include "skin/common/common_data.h"
#include "skin/paint/mask_paint.h"
#include "ui/win_control.h"

namespace tappomat {
namespace {

// Border draw-mode bit: the border is left out of the normal look.
constexpr int kBorderNotInNormalState = 2;

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

void TsCommonData::AnswerBackgroundQuery(TacBGInfo& query, bool forceActive) const {
  const TControl* owner = m_owner;
  if (owner == nullptr) return;
  if (!Skinned() || CustomColor()) {
    AnswerWithColor(query, ColorToRGB(owner->Color()));
    return;
  }
  const SkinTables& tables = SkinManager()->Tables();
  const TsGeneralData& section = tables.sections[static_cast<std::size_t>(SkinIndex())];
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
    AnswerWithColor(query, color);
    AddBorder(*this, tables, query);
    return;
  }
  const Bitmap32* cache = Cache();
  const bool cacheFits = cache != nullptr && !cache->IsEmpty() && cache->Width() == owner->Width() &&
                         cache->Height() == owner->Height();
  if (transparency == 100 && !cacheFits) {
    PassQueryOn(*owner, query);
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
