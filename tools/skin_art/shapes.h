#pragma once
// Shapes of the skin art generator, as inside-tests of a point: the canvas samples them
// many times per pixel to find how much of the pixel they cover, which gives the
// anti-aliased edges. Coordinates are in pixels, the pixel x, y covering [x, x + 1) by
// [y, y + 1). Built by the art files, filled by Canvas (canvas.h).
#include <functional>
#include <vector>

namespace tappomat::skin_art {

using Shape = std::function<bool(double x, double y)>;

struct Box {
  double left, top, right, bottom;
  Box Inset(double by) const { return {left + by, top + by, right - by, bottom - by}; }
};

struct Point2 {
  double x, y;
};

Shape Everything();
Shape Rectangle(Box box);
// A rectangle whose corners are quarter circles of `radius` (0: square corners).
Shape RoundedRect(Box box, double radius);
// The band of `width` just inside a rounded rectangle's outline.
Shape RoundedRing(Box box, double radius, double width);
Shape Circle(Point2 centre, double radius);
// The band of `width` just inside a circle.
Shape CircleRing(Point2 centre, double radius, double width);
// A line of `width` with round ends through the points in order.
Shape Polyline(std::vector<Point2> points, double width);
// A closed polygon (points in either order; even-odd rule).
Shape Polygon(std::vector<Point2> points);
// Part of a circle's band between two angles in degrees (0 is to the right, angles grow
// clockwise on screen), `width` wide around `radius`.
Shape Arc(Point2 centre, double radius, double width, double fromDegrees, double toDegrees);

Shape Union(Shape a, Shape b);
Shape Difference(Shape a, Shape cut);
Shape Intersection(Shape a, Shape b);

}  // namespace tappomat::skin_art
