#include "gdi/primitives.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tappomat {
namespace {

using i64 = std::int64_t;

constexpr Pixel kOpaque = 0xFF000000;

// A device rectangle given with 64-bit bounds (lines and spans may reach far outside the
// bitmap), cut down to `limit` so that it fits an int.
Rect ClampedRect(i64 left, i64 top, i64 right, i64 bottom, const Rect& limit) {
  const auto clampX = [&](i64 v) {
    return static_cast<int>(std::clamp<i64>(v, limit.left, limit.right));
  };
  const auto clampY = [&](i64 v) {
    return static_cast<int>(std::clamp<i64>(v, limit.top, limit.bottom));
  };
  return Rect{clampX(left), clampY(top), clampX(right), clampY(bottom)}.Intersect(limit);
}

void FillDevice(DeviceContext& dc, const Rect& device, Pixel value) {
  Bitmap32& target = dc.Target();
  dc.ForEachClipRect(device, [&](const Rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      std::fill_n(target.Row(y) + part.left, part.Width(), value);
    }
  });
}

void FrameDevice(DeviceContext& dc, const Rect& d, Pixel value) {
  if (d.IsEmpty()) return;
  FillDevice(dc, {d.left, d.top, d.right, d.top + 1}, value);
  if (d.Height() > 1) FillDevice(dc, {d.left, d.bottom - 1, d.right, d.bottom}, value);
  if (d.Height() > 2) {
    FillDevice(dc, {d.left, d.top + 1, d.left + 1, d.bottom - 1}, value);
    if (d.Width() > 1) FillDevice(dc, {d.right - 1, d.top + 1, d.right, d.bottom - 1}, value);
  }
}

// Inverts the pixels of `strip` whose distance (x + y) from `anchor` is even.
void InvertCheckered(DeviceContext& dc, const Rect& strip, Point anchor) {
  Bitmap32& target = dc.Target();
  dc.ForEachClipRect(strip, [&](const Rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = target.Row(y);
      const int parity = (part.left - anchor.x + y - anchor.y) & 1;
      for (int x = part.left + parity; x < part.right; x += 2)
        row[x] = (row[x] ^ 0x00FFFFFF) | kOpaque;
    }
  });
}

// Smallest integer >= a / d, for d > 0.
i64 CeilDiv(i64 a, i64 d) {
  const i64 q = a / d;
  return (a % d != 0 && a > 0) ? q + 1 : q;
}

bool InRange(i64 v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; }

// Logical points to device points; false when one is out of range.
bool ToDevicePoints(const DeviceContext& dc, std::span<const Point> points,
                    std::vector<Point>& out) {
  out.clear();
  out.reserve(points.size());
  const Point origin = dc.Origin();
  for (const Point& p : points) {
    const i64 x = i64{p.x} + origin.x;
    const i64 y = i64{p.y} + origin.y;
    if (!InRange(x) || !InRange(y)) return false;
    out.push_back({static_cast<int>(x), static_cast<int>(y)});
  }
  return true;
}

}  // namespace

void FillRect(DeviceContext& dc, const Rect& rect, ColorRef color) {
  FillDevice(dc, dc.ToDevice(rect), PixelFromColor(color));
}

void FillRect(DeviceContext& dc, const Rect& rect) { FillRect(dc, rect, dc.BrushColor()); }

void FrameRect(DeviceContext& dc, const Rect& rect, ColorRef color) {
  FrameDevice(dc, dc.ToDevice(rect), PixelFromColor(color));
}

void InvertRect(DeviceContext& dc, const Rect& rect) {
  Bitmap32& target = dc.Target();
  dc.ForEachClipRect(dc.ToDevice(rect), [&](const Rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      Pixel* row = target.Row(y);
      for (int x = part.left; x < part.right; ++x) row[x] = (row[x] ^ 0x00FFFFFF) | kOpaque;
    }
  });
}

void Rectangle(DeviceContext& dc, const Rect& rect, ColorRef penColor, ColorRef brushColor) {
  FrameRect(dc, rect, penColor);
  FillRect(dc, rect.Inflate(-1, -1), brushColor);
}

void DrawLine(DeviceContext& dc, Point from, Point to, ColorRef color) {
  const Pixel value = PixelFromColor(color);
  const Point origin = dc.Origin();
  const i64 x0 = i64{from.x} + origin.x;
  const i64 y0 = i64{from.y} + origin.y;
  const i64 x1 = i64{to.x} + origin.x;
  const i64 y1 = i64{to.y} + origin.y;
  const Rect limit = dc.DeviceClip().Bounds();
  if (limit.IsEmpty() || (x0 == x1 && y0 == y1)) return;
  if (!InRange(x0) || !InRange(y0) || !InRange(x1) || !InRange(y1)) return;

  // Horizontal and vertical lines are spans: from the start up to, not including, the end.
  if (y0 == y1) {
    const i64 left = x0 < x1 ? x0 : x1 + 1;
    const i64 right = x0 < x1 ? x1 : x0 + 1;
    FillDevice(dc, ClampedRect(left, y0, right, y0 + 1, limit), value);
    return;
  }
  if (x0 == x1) {
    const i64 top = y0 < y1 ? y0 : y1 + 1;
    const i64 bottom = y0 < y1 ? y1 : y0 + 1;
    FillDevice(dc, ClampedRect(x0, top, x0 + 1, bottom, limit), value);
    return;
  }

  // Step i (0 <= i < n) of the major axis puts the pixel at minor offset
  // floor((2*i*m + bias) / (2*n)), m/n being the slope: the rounded ideal line. A tie
  // (bias decides it) goes to the smaller minor coordinate, as the diamond rule wants.
  const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
  const i64 majorDelta = xMajor ? x1 - x0 : y1 - y0;
  const i64 minorDelta = xMajor ? y1 - y0 : x1 - x0;
  const i64 n = std::abs(majorDelta);
  const i64 m = std::abs(minorDelta);
  const i64 majorStep = majorDelta > 0 ? 1 : -1;
  const i64 minorStep = minorDelta > 0 ? 1 : -1;
  const i64 major0 = xMajor ? x0 : y0;
  const i64 minor0 = xMajor ? y0 : x0;
  const i64 bias = minorStep > 0 ? n - 1 : n;

  const Rect bounds = ClampedRect(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1,
                                  std::max(y0, y1) + 1, limit);
  Bitmap32& target = dc.Target();
  dc.ForEachClipRect(bounds, [&](const Rect& part) {
    const i64 lo = xMajor ? part.left : part.top;
    const i64 hi = xMajor ? part.right : part.bottom;
    const i64 minorLo = xMajor ? part.top : part.left;
    const i64 minorHi = xMajor ? part.bottom : part.right;
    // The steps whose major coordinate falls in [lo, hi).
    const i64 first = std::max<i64>(0, majorStep > 0 ? lo - major0 : major0 - hi + 1);
    const i64 last = std::min<i64>(n, majorStep > 0 ? hi - major0 : major0 - lo + 1);
    if (first >= last) return;
    const i64 num = 2 * first * m + bias;
    i64 q = num / (2 * n);
    i64 r = num % (2 * n);
    for (i64 i = first; i < last; ++i) {
      const i64 minor = minor0 + minorStep * q;
      if (minor >= minorLo && minor < minorHi) {
        const i64 major = major0 + majorStep * i;
        const int x = static_cast<int>(xMajor ? major : minor);
        const int y = static_cast<int>(xMajor ? minor : major);
        target.At(x, y) = value;
      }
      r += 2 * m;
      if (r >= 2 * n) {
        r -= 2 * n;
        ++q;
      }
    }
  });
}

void Polyline(DeviceContext& dc, std::span<const Point> points, ColorRef color) {
  for (std::size_t i = 1; i < points.size(); ++i) DrawLine(dc, points[i - 1], points[i], color);
}

bool ScanPolygon(std::span<const Point> points, const Rect& limit,
                 const std::function<void(int y, int left, int right)>& span) {
  struct Edge {
    i64 xTop, yTop, xBottom, yBottom;
  };
  for (const Point& p : points) {
    if (!InRange(p.x) || !InRange(p.y)) return false;
  }
  if (points.size() < 3 || limit.IsEmpty()) return true;

  std::vector<Edge> edges;
  edges.reserve(points.size());
  i64 minY = points[0].y;
  i64 maxY = points[0].y;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point a = points[i];
    const Point b = points[(i + 1) % points.size()];
    minY = std::min<i64>(minY, a.y);
    maxY = std::max<i64>(maxY, a.y);
    if (a.y == b.y) continue;  // never crosses a row of pixel centres
    edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y} : Edge{b.x, b.y, a.x, a.y});
  }

  // Row y samples the centre line y + 0.5, which an edge crosses when yTop <= y < yBottom
  // (vertices are whole numbers, so the centre line never meets one). The crossing is X;
  // the first pixel whose centre is at or right of it is ceil(X - 0.5), worked out in
  // integers with everything doubled.
  std::vector<i64> crossings;
  const i64 rowBegin = std::max<i64>(minY, limit.top);
  const i64 rowEnd = std::min<i64>(maxY, limit.bottom);
  for (i64 y = rowBegin; y < rowEnd; ++y) {
    crossings.clear();
    for (const Edge& e : edges) {
      if (y < e.yTop || y >= e.yBottom) continue;
      const i64 h = 2 * (e.yBottom - e.yTop);
      const i64 num = (2 * e.xTop - 1) * h + 2 * (e.xBottom - e.xTop) * (2 * y + 1 - 2 * e.yTop);
      crossings.push_back(CeilDiv(num, 2 * h));
    }
    std::sort(crossings.begin(), crossings.end());
    // ALTERNATE: inside between the first and second crossing, the third and fourth, ...
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
      const int left = static_cast<int>(std::clamp<i64>(crossings[k], limit.left, limit.right));
      const int right =
          static_cast<int>(std::clamp<i64>(crossings[k + 1], limit.left, limit.right));
      if (left < right) span(static_cast<int>(y), left, right);
    }
  }
  return true;
}

void FillPolygon(DeviceContext& dc, std::span<const Point> points, ColorRef fill) {
  std::vector<Point> device;
  if (!ToDevicePoints(dc, points, device)) return;
  const Pixel value = PixelFromColor(fill);
  ScanPolygon(device, dc.DeviceClip().Bounds(), [&](int y, int left, int right) {
    FillDevice(dc, {left, y, right, y + 1}, value);
  });
}

void Polygon(DeviceContext& dc, std::span<const Point> points, ColorRef penColor,
             ColorRef brushColor) {
  std::vector<Point> device;
  if (points.empty() || !ToDevicePoints(dc, points, device)) return;
  FillPolygon(dc, points, brushColor);
  Polyline(dc, points, penColor);
  DrawLine(dc, points.back(), points.front(), penColor);
}

void DrawFocusRect(DeviceContext& dc, const Rect& rect) {
  const Rect d = dc.ToDevice(rect);
  if (d.IsEmpty()) return;
  const Point anchor = d.TopLeft();
  // Each border pixel exactly once, so that a second call undoes the first.
  InvertCheckered(dc, {d.left, d.top, d.right, d.top + 1}, anchor);
  if (d.Height() > 1) InvertCheckered(dc, {d.left, d.bottom - 1, d.right, d.bottom}, anchor);
  if (d.Height() > 2) {
    InvertCheckered(dc, {d.left, d.top + 1, d.left + 1, d.bottom - 1}, anchor);
    if (d.Width() > 1) InvertCheckered(dc, {d.right - 1, d.top + 1, d.right, d.bottom - 1}, anchor);
  }
}

}  // namespace tappomat
