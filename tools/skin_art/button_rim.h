#pragma once
// The rim every push-button image shares: a one-pixel rounded outline and, just inside it,
// a soft light (or, pressed, dark) line that gives the face its raised or sunken edge.
// The face itself comes from the section's gradient or, for the big button, from its own
// fill. Used for the buttons, speed buttons, small tool buttons and the big button.
#include "canvas.h"

namespace tappomat::skin_art {

// Button states as frames: 0 normal, 1 under the pointer, 2 pressed.
struct RimLook {
  Rgb outline;
  Rgb inner;
  double innerOpacity;
};

RimLook ButtonRimLook(int frame);

void DrawButtonRim(Canvas& canvas, Box box, double radius, const RimLook& look);

}  // namespace tappomat::skin_art
