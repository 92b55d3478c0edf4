#pragma once
// The steps every skinned control's cache rebuild begins and ends with: the section painted
// over what lies behind the control, and at the end the disabled look before the cache
// counts as up to date. Buttons, speed buttons, check boxes and panels rebuild through them
// and add only their own content in between.
#include <optional>

#include "skin/common/common_data.h"
#include "skin/paint/disabled_look.h"
#include "skin/paint/section_paint.h"

namespace tappomat {

// Sizes the cache of `data` to its control and paints the control's section into it in
// `sectionState`, over the parent's background (with the control's own colour when it
// keeps one, and its hue and saturation changes). Returns that background; nothing while
// the parent is being updated (the control's updating flag is then set and the old cache
// kept) or when the control has no size.
std::optional<ParentBackground> PaintSectionIntoCache(TsCommonData& data, int sectionState);

// The last step: a disabled control gets its disabled look; the cache then holds the look
// for `paintState`.
void FinishCache(TsCommonData& data, int paintState, const ParentBackground& parent,
                 TsDisabledKind disabledKind);

// The colour the dotted focus rectangle is drawn in on the control's section.
ColorRef FocusRectColor(const TsCommonData& data);

}  // namespace tappomat
