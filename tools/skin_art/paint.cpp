#include "paint.h"

#include <memory>

namespace tappomat::skin_art {
namespace {

Rgb ColorAlong(const std::vector<Stop>& stops, double at) {
  if (stops.empty()) return {};
  if (at <= stops.front().at) return stops.front().color;
  for (std::size_t i = 1; i < stops.size(); ++i) {
    if (at <= stops[i].at) {
      const double span = stops[i].at - stops[i - 1].at;
      const double t = span > 0 ? (at - stops[i - 1].at) / span : 1.0;
      return Mix(stops[i - 1].color, stops[i].color, t);
    }
  }
  return stops.back().color;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Paint Solid(Rgb color) {
  return [color](double, double) { return color; };
}

Paint VerticalGradient(std::initializer_list<Stop> stops) {
  auto list = std::make_shared<const std::vector<Stop>>(stops);
  return [list](double, double y) { return ColorAlong(*list, y); };
}

Paint HorizontalGradient(std::initializer_list<Stop> stops) {
  auto list = std::make_shared<const std::vector<Stop>>(stops);
  return [list](double x, double) { return ColorAlong(*list, x); };
}

}  // namespace tappomat::skin_art
