#pragma once
// Which colours a skinned control's caption takes: the section's font colour with the
// contour passes and glow of its state (the parent's section when the caption sits on the
// parent's background), or, without a skin or with the control's own font colour, the
// plain colours with the sunken look of disabled text.
#include "skin/common/common_data.h"
#include "skin/paint/skinned_text.h"

namespace tappomat {

// The look of a caption of the control that `data` belongs to; `fontColor` is the
// control's own font colour. Controls that paint into a cache bitmap also get the glow of
// the state record, when it has one.
SkinnedTextLook SkinnedTextLookOf(const TsCommonData& data, bool enabled, bool hot,
                                  ColorRef fontColor);

// The caption colours of state record `record` of `section` (hue and saturation of the
// skin data applied): text, contour passes and, `withGlow`, the state's glow.
SkinnedTextLook SectionTextLook(const TsCommonData& data, const TsGeneralData& section, int record,
                                bool withGlow);

}  // namespace tappomat
