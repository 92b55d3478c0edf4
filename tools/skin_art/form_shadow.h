#pragma once
// The two default shadows drawn round every window whose skin brings none of its own
// (ShadowActive.png and ShadowInactive.png): 19 x 19 black pictures with per-pixel alpha.
// The window stands in for the centre pixel; the corners (9 x 9) are copied and the edges
// stretched around it, so the shadow is 9 pixels deep on every side, darkest next to the
// window and fading smoothly to nothing. The inactive one is lighter. Transparent pixels
// are black with alpha 0 (never white, which the program treats specially).
#include "imaging/bitmap32.h"

namespace tappomat::skin_art {

enum class ShadowKind { Active, Inactive };

Bitmap32 DrawFormShadow(ShadowKind kind);

}  // namespace tappomat::skin_art
