#pragma once
// Colours and paints of the skin art generator: a colour with channels 0 to 255 held as
// doubles while drawing (rounded once, when a picture is written out), and paints, which
// give the colour for any pixel centre: plain colours and smooth vertical or horizontal
// gradients through any number of stops. Used by every drawing of tools/skin_art.
#include <functional>
#include <initializer_list>
#include <vector>

namespace tappomat::skin_art {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

constexpr Rgb Grey(double level) { return {level, level, level}; }

// a when t is 0, b when t is 1, linear in between.
Rgb Mix(Rgb a, Rgb b, double t);

// The colour at a pixel centre (x + 0.5, y + 0.5 for pixel x, y).
using Paint = std::function<Rgb(double x, double y)>;

Paint Solid(Rgb color);

// One colour of a gradient and where along the gradient's axis it is reached.
struct Stop {
  double at;
  Rgb color;
};

// Colours change linearly between stops along y (vertical) or x (horizontal); before the
// first stop the first colour holds, after the last the last. Stops are in ascending order.
Paint VerticalGradient(std::initializer_list<Stop> stops);
Paint HorizontalGradient(std::initializer_list<Stop> stops);

}  // namespace tappomat::skin_art
