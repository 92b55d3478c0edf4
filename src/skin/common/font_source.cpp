#include "skin/common/font_source.h"

#include "skin/paint/mask_paint.h"
#include "skin/data/skin_message.h"
#include "ui/win_control.h"

namespace tappomat {

int SectionIndexOf(TControl& control, const SkinTables& tables) {
  int index = -1;
  control.Perform(WM_SKIN, SkinWParam(SkinCode::QuerySectionIndex),
                  reinterpret_cast<LPARAM>(&index));
  return index >= 0 && index < static_cast<int>(tables.sections.size()) ? index : -1;
}

int FontSourceSection(const TControl& control, const SkinTables& tables) {
  for (TWinControl* parent = control.Parent(); parent != nullptr; parent = parent->Parent()) {
    const int index = SectionIndexOf(*parent, tables);
    if (index < 0) return -1;
    const TsGeneralData& section = tables.sections[static_cast<std::size_t>(index)];
    const TsMaskData* border = MaskAt(tables, section.borderIndex);
    const bool borderLeftOut = border != nullptr && (border->drawMode & 2) != 0;
    if (!borderLeftOut && section.props[0].transparency > 50 && parent->Parent() != nullptr)
      continue;
    return section.giveOwnFont ? index : -1;
  }
  return -1;
}

}  // namespace tappomat
