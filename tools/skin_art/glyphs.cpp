#include "glyphs.h"

namespace tappomat::skin_art {

Shape CheckMark(Box box, double width) {
  const double w = box.right - box.left, h = box.bottom - box.top;
  return Polyline(
      {{box.left, box.top + h * 0.55}, {box.left + w * 0.38, box.bottom}, {box.right, box.top}},
      width);
}

Shape ArrowHead(Point2 centre, Direction direction, double base, double depth) {
  const double b = base / 2, d = depth / 2;
  switch (direction) {
    case Direction::Up:
      return Polygon(
          {{centre.x - b, centre.y + d}, {centre.x + b, centre.y + d}, {centre.x, centre.y - d}});
    case Direction::Down:
      return Polygon(
          {{centre.x - b, centre.y - d}, {centre.x + b, centre.y - d}, {centre.x, centre.y + d}});
    case Direction::Left:
      return Polygon(
          {{centre.x + d, centre.y - b}, {centre.x + d, centre.y + b}, {centre.x - d, centre.y}});
    case Direction::Right:
      return Polygon(
          {{centre.x - d, centre.y - b}, {centre.x - d, centre.y + b}, {centre.x + d, centre.y}});
  }
  return Polygon({});
}

Shape CloseSign(Box box, double width) {
  return Union(Polyline({{box.left, box.top}, {box.right, box.bottom}}, width),
               Polyline({{box.right, box.top}, {box.left, box.bottom}}, width));
}

Shape MaximizeSign(Box box, double width) {
  return Union(Difference(Rectangle(box), Rectangle(box.Inset(width))),
               Rectangle({box.left, box.top, box.right, box.top + 2 * width}));
}

Shape MinimizeSign(Box box, double height) {
  return Rectangle({box.left, box.bottom - height, box.right, box.bottom});
}

Shape HelpSign(Box box, double width) {
  const double w = box.right - box.left, h = box.bottom - box.top;
  const double cx = box.left + w / 2;
  const double radius = w * 0.32;
  const Point2 hookCentre{cx, box.top + radius + width / 2};
  // The hook runs from the left, over the top, round to the lower right, then the stem
  // drops from its end to above the dot.
  const Shape hook = Arc(hookCentre, radius, width, 180, 405);
  const Point2 hookEnd{cx + radius * 0.7071, hookCentre.y + radius * 0.7071};
  const Shape stem =
      Polyline({hookEnd, {cx, hookEnd.y + radius * 0.5}, {cx, box.top + h * 0.72}}, width);
  const Shape dot = Circle({cx, box.bottom - width * 0.6}, width * 0.65);
  return Union(Union(hook, stem), dot);
}

}  // namespace tappomat::skin_art
