#include "skin/controls/skinned_list_item.h"

#include <algorithm>

#include "gdi/blit.h"
#include "gdi/primitives.h"
#include "gdi/text.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/section_paint.h"
#include "skin/paint/skinned_text.h"

namespace tappomat {

void DrawSkinnedListItem(DeviceContext& dc, const Rect& rect, const TsCommonData& data,
                         const SkinnedListItem& item) {
  const TsGeneralData* section = data.Section();
  if (section == nullptr) return;
  const SkinTables& tables = data.SkinManager()->Tables();
  Bitmap32 line(std::max(rect.Width(), 0), std::max(rect.Height(), 0), PixelFromColor(item.field));
  if (line.IsEmpty()) return;
  const int selection = tables.indices.Of(SkinSectionId::SELECTION).section;
  const bool marked = item.selected && item.enabled;
  if (marked) {
    if (selection >= 0) {
      // The selection's corners show the field under it.
      const Bitmap32 field = line;
      ParentBackground behind;
      behind.image = &field;
      behind.ready = true;
      SectionPaint paint;
      paint.sectionIndex = selection;
      paint.paintState = item.focused ? 1 : 0;
      PaintSection(line, line.Bounds(), tables, paint, behind);
    } else {
      line.Fill(PixelFromColor(tables.colors.highlight[item.focused ? 1 : 0]));
    }
  }
  ColorRef text;
  if (marked) {
    text = tables.colors.highlightFont[item.focused ? 1 : 0];
  } else if (item.ownTextColor) {
    text = *item.ownTextColor;
  } else {
    const bool hot = item.hot && section->states >= 2;
    text = data.Adjusted(static_cast<ColorRef>(section->props[hot ? 1 : 0].fontColor[0]) & 0xFFFFFF);
  }
  DeviceContext lineDc(line);
  SkinnedTextLook look;
  look.text = text;
  if (marked && selection >= 0) {
    // The selection's own contour passes keep light text readable on its gradient.
    const TsGenState& state = tables.sections[static_cast<std::size_t>(selection)].props[item.focused ? 1 : 0];
    for (std::size_t side = 0; side < 4; ++side) look.contour[side] = state.fontColor[side + 1];
  }
  const Rect textRect{1, 0, line.Width() - 1, line.Height()};
  DrawSkinnedText(lineDc, item.font, item.text, textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX | DT_NOCLIP, look);
  if (item.focused && selection < 0) DrawFocusRect(lineDc, line.Bounds());
  if (!item.enabled) {
    ParentBackground field;
    field.fill = item.field;
    ApplyDisabledLook(line, item.disabledKind, field, item.field);
  }
  BitBlt(dc, rect.left, rect.top, line.Width(), line.Height(), line, 0, 0, SRCCOPY);
}

}  // namespace tappomat
