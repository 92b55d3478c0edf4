#pragma once
// The small marks drawn on skin images, as shapes placed in a frame: check marks, arrow
// heads, the caption-button signs (close, maximise, minimise, help) and grip dots. Sizes
// are given by the caller so one mark serves frames of different sizes.
#include "shapes.h"

namespace tappomat::skin_art {

enum class Direction { Up, Down, Left, Right };

// A tick filling `box`: down to the lower third, then up to the top right corner.
Shape CheckMark(Box box, double width);
// A solid triangle pointing in `direction`, `base` wide and `depth` deep, centred on the
// point.
Shape ArrowHead(Point2 centre, Direction direction, double base, double depth);
// An upright cross of two strokes within `box`.
Shape CloseSign(Box box, double width);
// A window outline with a heavier top edge, filling `box`.
Shape MaximizeSign(Box box, double width);
// A bar along the bottom of `box`.
Shape MinimizeSign(Box box, double height);
// A question mark drawn in `box`: a hook, a short stem and a dot.
Shape HelpSign(Box box, double width);

}  // namespace tappomat::skin_art
