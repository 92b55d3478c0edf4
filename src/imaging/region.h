#pragma once
// Region: a set of pixels kept as non-overlapping rectangles. Used for clipping, invalid
// areas, window shapes and input shapes. Operations return new regions; the rectangles
// come in no particular order.
#include <vector>

#include "imaging/bitmap32.h"
#include "imaging/geometry.h"

namespace tappomat {

class Region {
 public:
  Region() = default;
  explicit Region(const Rect& r);

  // Every pixel of `bitmap` whose colour (alpha ignored) is not `key`, as used for
  // colour-keyed window shapes.
  static Region FromColorKey(const Bitmap32& bitmap, Pixel key);

  bool IsEmpty() const { return m_rects.empty(); }
  const std::vector<Rect>& Rects() const { return m_rects; }
  Rect Bounds() const;
  bool Contains(Point p) const;
  // True when the region and the rectangle share at least one pixel.
  bool Intersects(const Rect& r) const;

  Region Union(const Region& other) const;
  Region Union(const Rect& r) const { return Union(Region(r)); }
  Region Intersect(const Region& other) const;
  Region Intersect(const Rect& r) const;
  Region Subtract(const Region& other) const;
  Region Subtract(const Rect& r) const { return Subtract(Region(r)); }
  Region Offset(int dx, int dy) const;

  // Same set of pixels, however it is cut into rectangles.
  bool SameArea(const Region& other) const;
  long long Area() const;

 private:
  std::vector<Rect> m_rects;  // non-empty and pairwise disjoint
};

}  // namespace tappomat
