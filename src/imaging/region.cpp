#include "imaging/region.h"

#include <utility>

namespace tappomat {
namespace {

// Appends the parts of `r` that lie outside `cut` (at most four rectangles).
void AppendDifference(const Rect& r, const Rect& cut, std::vector<Rect>& out) {
  const Rect common = r.Intersect(cut);
  if (common.IsEmpty()) {
    out.push_back(r);
    return;
  }
  if (r.top < common.top) out.push_back({r.left, r.top, r.right, common.top});
  if (common.bottom < r.bottom) out.push_back({r.left, common.bottom, r.right, r.bottom});
  if (r.left < common.left) out.push_back({r.left, common.top, common.left, common.bottom});
  if (common.right < r.right) out.push_back({common.right, common.top, r.right, common.bottom});
}

// Subtracts every rectangle of `cuts` from every rectangle of `rects`.
std::vector<Rect> Difference(std::vector<Rect> rects, const std::vector<Rect>& cuts) {
  std::vector<Rect> next;
  for (const Rect& cut : cuts) {
    if (rects.empty()) break;
    next.clear();
    for (const Rect& r : rects) AppendDifference(r, cut, next);
    std::swap(rects, next);
  }
  return rects;
}

}  // namespace

Region::Region(const Rect& r) {
  if (!r.IsEmpty()) m_rects.push_back(r);
}

Region Region::FromColorKey(const Bitmap32& bitmap, Pixel key) {
  // Runs of one row become rectangles; a run that repeats the span of a rectangle that
  // ended on the row above extends it downwards, so plain shapes stay few rectangles.
  Region region;
  const Pixel keyRgb = PixelRGB(key);
  std::vector<std::size_t> open;  // indices of rectangles that end at the current row
  std::vector<std::size_t> nextOpen;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const Pixel* row = bitmap.Row(y);
    nextOpen.clear();
    std::size_t openPos = 0;
    int x = 0;
    while (x < bitmap.Width()) {
      while (x < bitmap.Width() && PixelRGB(row[x]) == keyRgb) ++x;
      if (x == bitmap.Width()) break;
      const int start = x;
      while (x < bitmap.Width() && PixelRGB(row[x]) != keyRgb) ++x;
      // Open rectangles are sorted by left edge, as runs are; walk them in step.
      while (openPos < open.size() && region.m_rects[open[openPos]].left < start) ++openPos;
      if (openPos < open.size() && region.m_rects[open[openPos]].left == start &&
          region.m_rects[open[openPos]].right == x) {
        region.m_rects[open[openPos]].bottom = y + 1;
        nextOpen.push_back(open[openPos]);
        ++openPos;
      } else {
        region.m_rects.push_back({start, y, x, y + 1});
        nextOpen.push_back(region.m_rects.size() - 1);
      }
    }
    std::swap(open, nextOpen);
  }
  return region;
}

Rect Region::Bounds() const {
  Rect bounds;
  for (const Rect& r : m_rects) bounds = bounds.Bound(r);
  return bounds;
}

bool Region::Contains(Point p) const {
  for (const Rect& r : m_rects) {
    if (r.Contains(p)) return true;
  }
  return false;
}

bool Region::Intersects(const Rect& rect) const {
  for (const Rect& r : m_rects) {
    if (r.Intersects(rect)) return true;
  }
  return false;
}

Region Region::Union(const Region& other) const {
  Region out;
  out.m_rects = Difference(other.m_rects, m_rects);
  out.m_rects.insert(out.m_rects.begin(), m_rects.begin(), m_rects.end());
  return out;
}

Region Region::Intersect(const Region& other) const {
  Region out;
  for (const Rect& a : m_rects) {
    for (const Rect& b : other.m_rects) {
      const Rect common = a.Intersect(b);
      if (!common.IsEmpty()) out.m_rects.push_back(common);
    }
  }
  return out;
}

Region Region::Intersect(const Rect& rect) const {
  Region out;
  for (const Rect& a : m_rects) {
    const Rect common = a.Intersect(rect);
    if (!common.IsEmpty()) out.m_rects.push_back(common);
  }
  return out;
}

Region Region::Subtract(const Region& other) const {
  Region out;
  out.m_rects = Difference(m_rects, other.m_rects);
  return out;
}

Region Region::Offset(int dx, int dy) const {
  Region out = *this;
  for (Rect& r : out.m_rects) r = r.Offset(dx, dy);
  return out;
}

bool Region::SameArea(const Region& other) const {
  return Subtract(other).IsEmpty() && other.Subtract(*this).IsEmpty();
}

long long Region::Area() const {
  long long area = 0;
  for (const Rect& r : m_rects) area += static_cast<long long>(r.Width()) * r.Height();
  return area;
}

}  // namespace tappomat
