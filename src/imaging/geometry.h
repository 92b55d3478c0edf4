#pragma once
// Integer screen geometry shared by every layer: points, sizes and rectangles whose right
// and bottom edges are exclusive, as window rectangles are.
#include <algorithm>

namespace tappomat {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive

  static constexpr Rect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr Size GetSize() const { return {Width(), Height()}; }
  constexpr Point TopLeft() const { return {left, top}; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  // True when every point of `r` lies in this rectangle; an empty `r` is contained.
  constexpr bool Contains(const Rect& r) const {
    return r.IsEmpty() || (r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom);
  }
  constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr Rect Inflate(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  // The common part; empty results are normalised to {0,0,0,0} so they compare equal.
  constexpr Rect Intersect(const Rect& r) const {
    Rect out{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right),
             std::min(bottom, r.bottom)};
    return out.IsEmpty() ? Rect{} : out;
  }
  // The smallest rectangle holding both; an empty operand is ignored.
  constexpr Rect Bound(const Rect& r) const {
    if (r.IsEmpty()) return IsEmpty() ? Rect{} : *this;
    if (IsEmpty()) return r;
    return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right),
            std::max(bottom, r.bottom)};
  }
  constexpr bool Intersects(const Rect& r) const { return !Intersect(r).IsEmpty(); }

  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tappomat
