#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tappomat::skin_art {
namespace {

double DistanceToSegment(Point2 p, Point2 a, Point2 b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

Shape Everything() {
  return [](double, double) { return true; };
}

Shape Rectangle(Box box) {
  return [box](double x, double y) {
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
  };
}

Shape RoundedRect(Box box, double radius) {
  return [box, radius](double x, double y) {
    if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) return false;
    // The nearest point of the rectangle shrunk by the radius: inside when within reach.
    const double cx = std::clamp(x, box.left + radius, box.right - radius);
    const double cy = std::clamp(y, box.top + radius, box.bottom - radius);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
  };
}

Shape RoundedRing(Box box, double radius, double width) {
  return Difference(RoundedRect(box, radius),
                    RoundedRect(box.Inset(width), std::max(radius - width, 0.0)));
}

Shape Circle(Point2 centre, double radius) {
  return [centre, radius](double x, double y) {
    const double dx = x - centre.x, dy = y - centre.y;
    return dx * dx + dy * dy <= radius * radius;
  };
}

Shape CircleRing(Point2 centre, double radius, double width) {
  return Difference(Circle(centre, radius), Circle(centre, radius - width));
}

Shape Polyline(std::vector<Point2> points, double width) {
  return [points = std::move(points), half = width / 2](double x, double y) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      if (DistanceToSegment({x, y}, points[i], points[i + 1]) <= half) return true;
    }
    return false;
  };
}

Shape Polygon(std::vector<Point2> points) {
  return [points = std::move(points)](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point2 a = points[i], b = points[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside;
  };
}

Shape Arc(Point2 centre, double radius, double width, double fromDegrees, double toDegrees) {
  return [=](double x, double y) {
    const double dx = x - centre.x, dy = y - centre.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (std::abs(distance - radius) > width / 2) return false;
    double angle = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    while (angle < fromDegrees) angle += 360.0;
    return angle <= toDegrees;
  };
}

Shape Union(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Difference(Shape a, Shape cut) {
  return [a = std::move(a), cut = std::move(cut)](double x, double y) {
    return a(x, y) && !cut(x, y);
  };
}

Shape Intersection(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}

}  // namespace tappomat::skin_art
