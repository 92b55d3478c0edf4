#pragma once
// The big push button's image (ButtonHuge.bmp of the skin folder): three frames side by
// side (normal, under the pointer, pressed), each a 72 x 72 picture over its alpha row,
// drawn whole (face, rim and rounded corners) so that it can be stretched over any size
// with margins of 32. The fuchsia outside its corners gives the button window its shape.
#include "imaging/bitmap32.h"

namespace tappomat::skin_art {

Bitmap32 DrawButtonHuge();

}  // namespace tappomat::skin_art
