#pragma once
// The look of a disabled skinned control, made from its finished cache: greyed (most of
// the colour taken out) and/or blended with what lies behind the control, so that it
// fades into its parent. Buttons and check boxes call it as the last step of a rebuild.
#include "imaging/bitmap32.h"
#include "skin/paint/section_paint.h"

namespace tappomat {

enum TDisabledKindBits : unsigned { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = unsigned;

// `parent` is the background behind the cache (its offset places the cache in the parent's
// picture); `parentColor` stands for it when it holds neither a picture nor a colour.
// Fuchsia pixels of the cache stay as they are.
void ApplyDisabledLook(Bitmap32& cache, TsDisabledKind kinds, const ParentBackground& parent,
                       ColorRef parentColor);

}  // namespace tappomat
