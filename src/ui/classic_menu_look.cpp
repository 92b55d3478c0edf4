#include "ui/classic_menu_look.h"

#include <algorithm>

#include "gdi/draw_edge.h"
#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "gdi/text.h"
#include "ui/accelerator.h"
#include "ui/classic_look.h"

namespace tappomat {
namespace {

LogicalFont ItemFont(const MenuItemLook& look) {
  LogicalFont font = look.font;
  if (look.isDefault) font.bold = true;
  return font;
}

// A 4x7 triangle pointing right: columns of 7, 5, 3 and 1 pixels.
void DrawRightTriangle(DeviceContext& dc, Point at, ColorRef color) {
  for (int column = 0; column < 4; ++column) {
    FillRect(dc, Rect::FromSize(at.x + column, at.y + column, 1, 7 - 2 * column), color);
  }
}

void DrawItemText(DeviceContext& dc, std::string_view text, const Rect& rect, unsigned format, bool embossed,
                  ColorRef color) {
  if (embossed) {
    DrawEmbossedText(dc, text, rect, format);
    return;
  }
  dc.SetTextColor(color);
  Rect r = rect;
  DrawText(dc, text, r, format);
}

}  // namespace

Size MeasureMenuItem(const MenuItemLook& look) {
  if (look.separator) return {kMenuCheckColumnWidth + kMenuArrowColumnWidth, kMenuSeparatorHeight};
  const LogicalFont font = ItemFont(look);
  const Size caption = GetTextExtent(font, StripHotkey(look.caption));
  int width = kMenuCheckColumnWidth + caption.width + kMenuArrowColumnWidth;
  if (!look.shortcut.empty()) width += kMenuShortcutGap + GetTextExtent(font, look.shortcut).width;
  return {width, std::max(kMenuItemHeight, GetTextMetrics(font).height + 4)};
}

void DrawMenuItem(DeviceContext& dc, const Rect& rect, const MenuItemLook& look) {
  DeviceContext::Saver saver(dc);
  if (look.separator) {
    FillRect(dc, rect, GetSysColor(COLOR_MENU));
    Rect line{rect.left, rect.top + rect.Height() / 2 - 1, rect.right, rect.top + rect.Height() / 2 + 1};
    DrawEdge(dc, line, EDGE_ETCHED, BF_TOP);
    return;
  }
  FillRect(dc, rect, GetSysColor(look.selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  dc.SetFont(ItemFont(look));
  dc.SetBkMode(BkMode::Transparent);
  const bool embossed = !look.enabled && !look.selected;
  const ColorRef textColor = GetSysColor(!look.enabled  ? COLOR_GRAYTEXT
                                         : look.selected ? COLOR_HIGHLIGHTTEXT
                                                         : COLOR_MENUTEXT);

  if (look.checked) {
    const Point at{rect.left + (kMenuCheckColumnWidth - 7) / 2, rect.top + (rect.Height() - 7) / 2};
    if (embossed) DrawCheckMark(dc, {at.x + 1, at.y + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawCheckMark(dc, at, embossed ? GetSysColor(COLOR_BTNSHADOW) : textColor);
  }

  constexpr unsigned kFormat = DT_SINGLELINE | DT_VCENTER;
  const Rect text{rect.left + kMenuCheckColumnWidth, rect.top, rect.right - kMenuArrowColumnWidth, rect.bottom};
  DrawItemText(dc, look.caption, text, kFormat | DT_LEFT, embossed, textColor);
  if (!look.shortcut.empty()) {
    Rect shortcut = text;
    unsigned align = DT_RIGHT;
    if (look.shortcutColumn >= 0) {
      shortcut.left = rect.left + look.shortcutColumn;
      align = DT_LEFT;
    }
    DrawItemText(dc, look.shortcut, shortcut, kFormat | DT_NOPREFIX | align, embossed, textColor);
  }
  if (look.hasSubmenu) {
    const Point at{rect.right - kMenuArrowColumnWidth + 6, rect.top + (rect.Height() - 7) / 2};
    if (embossed) DrawRightTriangle(dc, {at.x + 1, at.y + 1}, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawRightTriangle(dc, at, embossed ? GetSysColor(COLOR_BTNSHADOW) : textColor);
  }
}

Rect DrawMenuFrame(DeviceContext& dc, const Rect& rect) {
  Rect inside = rect;
  DrawEdge(dc, inside, EDGE_RAISED, BF_RECT | BF_ADJUST);
  FrameRect(dc, inside, GetSysColor(COLOR_MENU));
  inside = inside.Inflate(-1, -1);
  FillRect(dc, inside, GetSysColor(COLOR_MENU));
  return inside;
}

}  // namespace tappomat
