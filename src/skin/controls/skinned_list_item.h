#pragma once
// One line of a skinned list (the script list, a combo box's drop-down list): the field's
// colour, the selected line in the skin's SELECTION look (its hot look when the line has
// the focus) or, without that section, the skin's highlight colour, and the text in the
// highlight text colour or the section's font colour. A focus rectangle only where the
// skin has no SELECTION look.
#include <optional>
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"

namespace tappomat {

struct SkinnedListItem {
  std::string_view text;
  bool selected = false;
  bool focused = false;   // the selected line of a focused list
  bool hot = false;       // the list shows its hot look
  bool enabled = true;
  ColorRef field = 0xFFFFFF;  // the list's colour
  std::optional<ColorRef> ownTextColor;  // the control keeps its own font colour
  TsDisabledKind disabledKind = dkBlended;
  LogicalFont font;
};

// Draws the line into `rect` of `dc` with the skin of `data` (which must be skinned).
void DrawSkinnedListItem(DeviceContext& dc, const Rect& rect, const TsCommonData& data,
                         const SkinnedListItem& item);

}  // namespace tappomat
