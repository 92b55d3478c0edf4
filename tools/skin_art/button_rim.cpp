#include "button_rim.h"

#include <algorithm>

#include "palette.h"

namespace tappomat::skin_art {

RimLook ButtonRimLook(int frame) {
  switch (frame) {
    case 0:
      return {palette::kFrameLine, Grey(255), 0.75};
    case 1:
      return {palette::kHotLine, Grey(255), 1.0};
    default:
      return {Grey(84), Grey(0), 0.10};
  }
}

void DrawButtonRim(Canvas& canvas, Box box, double radius, const RimLook& look) {
  canvas.Fill(RoundedRing(box, radius, 1.0), Solid(look.outline));
  canvas.Fill(RoundedRing(box.Inset(1.0), std::max(radius - 1.0, 0.0), 1.0), Solid(look.inner),
              look.innerOpacity);
}

}  // namespace tappomat::skin_art
