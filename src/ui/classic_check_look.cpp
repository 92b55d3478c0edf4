#include "ui/classic_check_look.h"

#include <algorithm>

#include "gdi/draw_edge.h"
#include "gdi/primitives.h"
#include "gdi/system_colors.h"
#include "gdi/system_metrics.h"
#include "gdi/text.h"
#include "ui/accelerator.h"
#include "ui/classic_look.h"

namespace tappomat {
namespace {

// Pixels between the box and the caption.
constexpr int kCaptionGap = 4;

}  // namespace

Rect CheckBoxBoxRect(const Rect& rect, CheckBoxAlignment alignment) {
  const int side = GetSystemMetrics(SM_CXMENUCHECK);
  const int top = rect.top + (rect.Height() - side) / 2;
  const int left = alignment == CheckBoxAlignment::BoxLeft ? rect.left : rect.right - side;
  return Rect::FromSize(left, top, side, side);
}

void DrawCheckBox(DeviceContext& dc, const Rect& rect, const CheckBoxLook& look) {
  DeviceContext::Saver saver(dc);
  const bool disabled = look.state == CheckBoxDrawState::Disabled;
  const Rect box = CheckBoxBoxRect(rect, look.alignment);

  Rect inside = box;
  DrawEdge(dc, inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (look.checkState == CheckState::Grayed) {
    FillDithered(dc, inside, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
  } else {
    const bool face = disabled || look.state == CheckBoxDrawState::Pressed;
    FillRect(dc, inside, GetSysColor(face ? COLOR_BTNFACE : COLOR_WINDOW));
  }
  if (look.checkState != CheckState::Unchecked) {
    const bool grey = disabled || look.checkState == CheckState::Grayed;
    // The tick sits one pixel inside the 9x9 interior.
    DrawCheckMark(dc, {inside.left + 1, inside.top + 1}, GetSysColor(grey ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
  }

  if (look.caption.empty()) {
    if (look.focused) DrawFocusRect(dc, box.Inflate(1, 1));
    return;
  }
  dc.SetFont(look.font);
  Rect text = look.alignment == CheckBoxAlignment::BoxLeft
                  ? Rect{box.right + kCaptionGap, rect.top, rect.right, rect.bottom}
                  : Rect{rect.left, rect.top, box.left - kCaptionGap, rect.bottom};
  constexpr unsigned kFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
  if (disabled) {
    DrawEmbossedText(dc, look.caption, text, kFormat);
  } else {
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    Rect r = text;
    DrawText(dc, look.caption, r, kFormat);
  }
  if (look.focused) {
    // Around the caption's own extent, one pixel out, kept inside the control.
    const Size extent = GetTextExtent(look.font, StripHotkey(look.caption));
    const int top = text.top + (text.Height() - extent.height) / 2;
    const Rect around{text.left - 1, top - 1, std::min(text.left + extent.width + 1, text.right),
                      top + extent.height + 1};
    DrawFocusRect(dc, around.Intersect(rect));
  }
}

}  // namespace tappomat
