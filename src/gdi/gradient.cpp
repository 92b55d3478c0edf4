#include "gdi/gradient.h"

#include <algorithm>
#include <array>
#include <vector>

#include "gdi/primitives.h"

namespace tappomat {
namespace {

using i64 = std::int64_t;

using Channels = std::array<i64, 4>;  // red, green, blue, alpha; 16-bit values

Channels ChannelsOf(const TRIVERTEX& v) { return {v.Red, v.Green, v.Blue, v.Alpha}; }

Pixel PixelOf(const Channels& c) {
  const auto top8 = [](i64 v) {
    return static_cast<std::uint8_t>(std::clamp<i64>(v, 0, 0xFFFF) >> 8);
  };
  return MakePixel(top8(c[0]), top8(c[1]), top8(c[2]), top8(c[3]));
}

// c0 + (c1 - c0) * k / n per channel.
Pixel Interpolate(const Channels& c0, const Channels& c1, i64 k, i64 n) {
  Channels c;
  for (int i = 0; i < 4; ++i) c[i] = c0[i] + (c1[i] - c0[i]) * k / n;
  return PixelOf(c);
}

i64 FloorDiv(i64 a, i64 d) {
  const i64 q = a / d;
  return (a % d != 0 && a < 0) ? q - 1 : q;
}

// Walks a / d for a = a0, a0 + step, a0 + 2 * step, ... (d > 0) without dividing per step.
class QuotientStepper {
 public:
  QuotientStepper(i64 a0, i64 step, i64 d)
      : m_q(FloorDiv(a0, d)),
        m_r(a0 - m_q * d),
        m_dq(FloorDiv(step, d)),
        m_dr(step - m_dq * d),
        m_d(d) {}

  // The quotient rounded towards zero, as integer division gives it.
  i64 Truncated() const { return m_q < 0 && m_r != 0 ? m_q + 1 : m_q; }

  void Next() {
    m_q += m_dq;
    m_r += m_dr;
    if (m_r >= m_d) {
      m_r -= m_d;
      ++m_q;
    }
  }

 private:
  i64 m_q;  // floor(a / d)
  i64 m_r;  // a - m_q * d, in [0, d)
  i64 m_dq;
  i64 m_dr;
  i64 m_d;
};

// One rectangle of a rectangle gradient, its colour running from the vertex at the left
// (top) edge to the other.
void FillRectGradient(DeviceContext& dc, const TRIVERTEX& a, const TRIVERTEX& b,
                      GradientDirection direction) {
  const bool vertical = direction == GradientDirection::Vertical;
  const bool aFirst = vertical ? a.y <= b.y : a.x <= b.x;
  const Channels c0 = ChannelsOf(aFirst ? a : b);
  const Channels c1 = ChannelsOf(aFirst ? b : a);
  const Point origin = dc.Origin();
  const i64 left = i64{std::min(a.x, b.x)} + origin.x;
  const i64 right = i64{std::max(a.x, b.x)} + origin.x;
  const i64 top = i64{std::min(a.y, b.y)} + origin.y;
  const i64 bottom = i64{std::max(a.y, b.y)} + origin.y;
  const Rect limit = dc.DeviceClip().Bounds();
  const auto clampX = [&](i64 v) {
    return static_cast<int>(std::clamp<i64>(v, limit.left, limit.right));
  };
  const auto clampY = [&](i64 v) {
    return static_cast<int>(std::clamp<i64>(v, limit.top, limit.bottom));
  };
  const Rect visible{clampX(left), clampY(top), clampX(right), clampY(bottom)};
  if (visible.IsEmpty()) return;

  Bitmap32& target = dc.Target();
  if (vertical) {
    dc.ForEachClipRect(visible, [&](const Rect& part) {
      for (int y = part.top; y < part.bottom; ++y) {
        std::fill_n(target.Row(y) + part.left, part.Width(),
                    Interpolate(c0, c1, y - top, bottom - top));
      }
    });
    return;
  }
  // Every row is the same: work out one, copy it down.
  std::vector<Pixel> line(static_cast<std::size_t>(visible.Width()));
  for (int x = visible.left; x < visible.right; ++x) {
    line[x - visible.left] = Interpolate(c0, c1, x - left, right - left);
  }
  dc.ForEachClipRect(visible, [&](const Rect& part) {
    const Pixel* from = line.data() + (part.left - visible.left);
    for (int y = part.top; y < part.bottom; ++y)
      std::copy(from, from + part.Width(), target.Row(y) + part.left);
  });
}

bool InRange(i64 v) { return v >= -kMaxCoordinate && v <= kMaxCoordinate; }

bool TriangleInRange(const DeviceContext& dc, std::span<const TRIVERTEX> v,
                     const GRADIENT_TRIANGLE& t) {
  for (std::uint32_t index : {t.Vertex1, t.Vertex2, t.Vertex3}) {
    if (index >= v.size()) return false;
    if (!InRange(i64{v[index].x} + dc.Origin().x) || !InRange(i64{v[index].y} + dc.Origin().y))
      return false;
  }
  return true;
}

void FillTriangleGradient(DeviceContext& dc, const TRIVERTEX& v0, const TRIVERTEX& v1,
                          const TRIVERTEX& v2) {
  const Point origin = dc.Origin();
  const std::array<Point, 3> points{Point{v0.x + origin.x, v0.y + origin.y},
                                    Point{v1.x + origin.x, v1.y + origin.y},
                                    Point{v2.x + origin.x, v2.y + origin.y}};
  const i64 x0 = points[0].x, y0 = points[0].y;
  const i64 dx1 = i64{points[1].x} - x0, dy1 = i64{points[1].y} - y0;
  const i64 dx2 = i64{points[2].x} - x0, dy2 = i64{points[2].y} - y0;
  i64 d = dx1 * dy2 - dx2 * dy1;  // twice the signed area
  if (d == 0) return;

  // c(x, y) = c0 + (nx * (x - x0) + ny * (y - y0)) / d per channel.
  const Channels c0 = ChannelsOf(v0), c1 = ChannelsOf(v1), c2 = ChannelsOf(v2);
  Channels nx, ny;
  for (int i = 0; i < 4; ++i) {
    nx[i] = (c1[i] - c0[i]) * dy2 - (c2[i] - c0[i]) * dy1;
    ny[i] = (c2[i] - c0[i]) * dx1 - (c1[i] - c0[i]) * dx2;
  }
  if (d < 0) {
    d = -d;
    for (int i = 0; i < 4; ++i) {
      nx[i] = -nx[i];
      ny[i] = -ny[i];
    }
  }

  Bitmap32& target = dc.Target();
  std::vector<Pixel> line;
  ScanPolygon(points, dc.DeviceClip().Bounds(), [&](int y, int left, int right) {
    std::array<QuotientStepper, 4> steppers{
        QuotientStepper(nx[0] * (left - x0) + ny[0] * (y - y0), nx[0], d),
        QuotientStepper(nx[1] * (left - x0) + ny[1] * (y - y0), nx[1], d),
        QuotientStepper(nx[2] * (left - x0) + ny[2] * (y - y0), nx[2], d),
        QuotientStepper(nx[3] * (left - x0) + ny[3] * (y - y0), nx[3], d)};
    line.resize(static_cast<std::size_t>(right - left));
    for (Pixel& p : line) {
      Channels c;
      for (int i = 0; i < 4; ++i) {
        c[i] = c0[i] + steppers[i].Truncated();
        steppers[i].Next();
      }
      p = PixelOf(c);
    }
    dc.ForEachClipRect({left, y, right, y + 1}, [&](const Rect& part) {
      const Pixel* from = line.data() + (part.left - left);
      std::copy(from, from + part.Width(), target.Row(y) + part.left);
    });
  });
}

}  // namespace

bool GradientFill(DeviceContext& dc, std::span<const TRIVERTEX> vertices,
                  std::span<const GRADIENT_RECT> rects, GradientFillMode mode) {
  if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V) return false;
  for (const GRADIENT_RECT& r : rects) {
    if (r.UpperLeft >= vertices.size() || r.LowerRight >= vertices.size()) return false;
  }
  for (const GRADIENT_RECT& r : rects) {
    FillRectGradient(
        dc, vertices[r.UpperLeft], vertices[r.LowerRight],
        mode == GRADIENT_FILL_RECT_V ? GradientDirection::Vertical : GradientDirection::Horizontal);
  }
  return true;
}

bool GradientFill(DeviceContext& dc, std::span<const TRIVERTEX> vertices,
                  std::span<const GRADIENT_TRIANGLE> triangles) {
  for (const GRADIENT_TRIANGLE& t : triangles) {
    if (!TriangleInRange(dc, vertices, t)) return false;
  }
  for (const GRADIENT_TRIANGLE& t : triangles) {
    FillTriangleGradient(dc, vertices[t.Vertex1], vertices[t.Vertex2], vertices[t.Vertex3]);
  }
  return true;
}

void GradientRect(DeviceContext& dc, const Rect& rect, ColorRef from, ColorRef to,
                  GradientDirection direction) {
  if (rect.IsEmpty()) return;
  const auto vertex = [](int x, int y, ColorRef c) {
    return TRIVERTEX{x,
                     y,
                     static_cast<COLOR16>(GetRValue(c) << 8),
                     static_cast<COLOR16>(GetGValue(c) << 8),
                     static_cast<COLOR16>(GetBValue(c) << 8),
                     0xFF00};
  };
  FillRectGradient(dc, vertex(rect.left, rect.top, from), vertex(rect.right, rect.bottom, to),
                   direction);
}

}  // namespace tappomat
