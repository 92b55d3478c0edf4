#pragma once
// The classic check box (TCheckBox with no skin active): the 13x13 sunken box, the tick,
// the grayed state and the caption with its focus rectangle. Called by the check box's
// paint handler; menus reuse the tick through DrawCheckMark (classic_look.h).
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "imaging/geometry.h"

namespace tappomat {

enum class CheckState { Unchecked, Checked, Grayed };  // TCheckBoxState's cb* values

enum class CheckBoxDrawState { Normal, Pressed, Disabled };

// Which side the box is on. Alignment taRightJustify (the default) puts the
// caption right of the box: BoxLeft; taLeftJustify: BoxRight.
enum class CheckBoxAlignment { BoxLeft, BoxRight };

struct CheckBoxLook {
  std::string_view caption;  // "&" marks the accelerator
  CheckState checkState = CheckState::Unchecked;
  CheckBoxDrawState state = CheckBoxDrawState::Normal;
  bool focused = false;
  CheckBoxAlignment alignment = CheckBoxAlignment::BoxLeft;
  LogicalFont font;
};

// The box's rectangle inside the control: SM_CXMENUCHECK square, vertically centred.
Rect CheckBoxBoxRect(const Rect& rect, CheckBoxAlignment alignment);

// Draws the box (EDGE_SUNKEN, COLOR_WINDOW inside, COLOR_BTNFACE while pressed or
// disabled, a dithered face when grayed), the tick (grey when grayed or disabled), the
// caption beside the box (embossed when disabled) and, when focused, the focus rectangle
// around the caption — or one pixel outside the box when there is no caption. The
// background behind the caption is left to the caller.
void DrawCheckBox(DeviceContext& dc, const Rect& rect, const CheckBoxLook& look);

}  // namespace tappomat
