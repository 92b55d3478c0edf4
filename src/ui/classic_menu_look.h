#pragma once
// The classic popup menu: item measuring and painting (caption with accelerator,
// shortcut, check mark, separator, submenu arrow) and the popup window's frame, in
// the classic scheme's system colours. Called by the popup-menu window of
// ui/ and by the skin engine's menus when no skin is active.
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "imaging/geometry.h"

namespace tappomat {

inline constexpr int kMenuItemHeight = 17;       // at least; taller fonts make it taller
inline constexpr int kMenuSeparatorHeight = 9;   // an etched line through the middle
inline constexpr int kMenuCheckColumnWidth = 17; // check mark area left of the caption
inline constexpr int kMenuArrowColumnWidth = 17; // submenu arrow area right of everything
inline constexpr int kMenuShortcutGap = 12;      // between the caption and the shortcut
inline constexpr int kMenuFrameWidth = 3;        // raised edge plus one pixel of face

struct MenuItemLook {
  std::string_view caption;   // "&" marks the accelerator
  std::string_view shortcut;  // e.g. "Ctrl+S"; empty for none
  bool checked = false;
  bool selected = false;
  bool enabled = true;
  bool isDefault = false;  // drawn in bold
  bool separator = false;
  bool hasSubmenu = false;
  // Where shortcuts start, from the item's left edge, so that a menu's shortcuts line up
  // in one column (the menu computes it from its widest caption); -1: right-aligned.
  int shortcutColumn = -1;
  LogicalFont font;
};

// The item's size: height kMenuItemHeight (or the font's height plus 4 when larger),
// kMenuSeparatorHeight for separators; width check column + caption + gap + shortcut +
// arrow column.
Size MeasureMenuItem(const MenuItemLook& look);

// Where the caption of an item starts, from the item's left edge.
inline constexpr int MenuCaptionOffset() { return kMenuCheckColumnWidth; }

// Paints one item filling `rect`: COLOR_MENU (COLOR_HIGHLIGHT when selected), the check
// mark in the check column, the caption, the shortcut and the submenu arrow; disabled items
// are embossed (plain grey on the highlight).
void DrawMenuItem(DeviceContext& dc, const Rect& rect, const MenuItemLook& look);

// The popup window's frame: the raised 3D edge and one pixel of face, the inside filled
// with COLOR_MENU. Returns the rectangle inside the frame, where the items go.
Rect DrawMenuFrame(DeviceContext& dc, const Rect& rect);

}  // namespace tappomat
