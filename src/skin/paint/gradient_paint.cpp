#include "skin/paint/gradient_paint.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imaging/color.h"

namespace tappomat {
namespace {

// Larger rectangles paint nothing: no control is that big, and below it every product the
// triangle shading forms fits in 64 bits, so its rounding stays exact.
constexpr std::int64_t kMaxSide = std::int64_t{1} << 24;

// numerator / denominator rounded to nearest, halves to even; denominator > 0.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  if (remainder < 0) {  // make it the floor
    remainder += denominator;
    --quotient;
  }
  if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) {
    ++quotient;
  }
  return quotient;
}

using Channels = std::array<std::int64_t, 3>;  // red, green, blue

Channels ChannelsOf(std::int32_t color) {
  const auto c = static_cast<ColorRef>(color);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

Pixel OpaquePixel(const Channels& c) {
  return MakePixel(static_cast<std::uint8_t>(c[0]), static_cast<std::uint8_t>(c[1]),
                   static_cast<std::uint8_t>(c[2]), 255);
}

// Step k of n from `start` to `end`: start + k * (end - start) / n, each channel rounded.
Pixel Step(const Channels& start, const Channels& end, std::int64_t k, std::int64_t n) {
  Channels c{};
  for (std::size_t i = 0; i < c.size(); ++i) {
    c[i] = RoundedQuotient(start[i] * n + k * (end[i] - start[i]), n);
  }
  return OpaquePixel(c);
}

// Works out the stacked pieces along a line of `length` pixels (rows for direction 0,
// columns for direction 1): returns the colour of each position from 0 up to the last one
// painted; the rest of the line is left alone.
std::vector<Pixel> StackedLine(std::int64_t length, std::span<const TsGradientPiece> pieces) {
  std::vector<Pixel> line;
  const std::int64_t last = length - 1;
  std::int64_t start = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const TsGradientPiece& piece = pieces[i];
    const std::int64_t percent = std::clamp(piece.percent, 0, 100);
    const std::int64_t end =
        i + 1 == pieces.size() ? last : std::min(start + length * percent / 100, last);
    const std::int64_t n = end - start;
    if (n <= 0) break;
    const Channels from = ChannelsOf(piece.startColor);
    const Channels to = ChannelsOf(piece.endColor);
    line.resize(static_cast<std::size_t>(end + 1));
    for (std::int64_t k = 0; k <= n; ++k) {
      line[static_cast<std::size_t>(start + k)] = Step(from, to, k, n);
    }
    start = end;
  }
  return line;
}

void PaintVertical(Bitmap32& bitmap, const Rect& r, const Rect& clip,
                   std::span<const TsGradientPiece> pieces) {
  const std::vector<Pixel> rows = StackedLine(std::int64_t{r.bottom} - r.top, pieces);
  const int paintedBottom = r.top + static_cast<int>(rows.size());
  for (int y = clip.top; y < std::min(clip.bottom, paintedBottom); ++y) {
    Pixel* row = bitmap.Row(y);
    std::fill(row + clip.left, row + clip.right, rows[static_cast<std::size_t>(y - r.top)]);
  }
}

void PaintHorizontal(Bitmap32& bitmap, const Rect& r, const Rect& clip,
                     std::span<const TsGradientPiece> pieces) {
  const std::vector<Pixel> columns = StackedLine(std::int64_t{r.right} - r.left, pieces);
  const int paintedRight = std::min(clip.right, r.left + static_cast<int>(columns.size()));
  if (paintedRight <= clip.left) return;
  const Pixel* from = columns.data() + (clip.left - r.left);
  for (int y = clip.top; y < clip.bottom; ++y) {
    std::copy(from, from + (paintedRight - clip.left), bitmap.Row(y) + clip.left);
  }
}

// The four triangles. Coordinates are doubled and taken from r's centre, so that every
// corner and the centre sit on whole numbers: X runs from -a to a, Y from -b to b. In a
// triangle with corner vertices p1 and p2 and the centre c, a point at "depth" t towards
// the edge (0 at the centre, 1 on the edge) and "position" s along it (-1 at p1, 1 at p2)
// has the weights c: 1 - t, p1: (t - s) / 2, p2: (t + s) / 2. Scaled by a * b, the depth
// T = t * a * b and the position S = s * a * b are whole numbers, and the colour is
//   ((2ab - 2T) * c + (T - S) * p1 + (T + S) * p2) / 2ab.
// The diagonals belong to the top and bottom triangles; on them one of p1's or p2's
// weights is 0, so the neighbouring triangle would give the same colour.
void PaintTriangles(Bitmap32& bitmap, const Rect& r, const Rect& clip,
                    std::span<const TsGradientPiece> pieces) {
  // Vertex colours in the order top-left, centre, top-right, bottom-right, bottom-left.
  std::array<Channels, 5> vertex{};
  for (std::size_t i = 0; i < vertex.size(); ++i) {
    vertex[i] = i < pieces.size() ? ChannelsOf(pieces[i].startColor) : vertex[i - 1];
  }
  const Channels& topLeft = vertex[0];
  const Channels& centre = vertex[1];
  const Channels& topRight = vertex[2];
  const Channels& bottomRight = vertex[3];
  const Channels& bottomLeft = vertex[4];

  // A side of one pixel has its corners on the centre; 1 then stands in for 0, as X (or Y)
  // is always 0 there and the scale cancels out.
  const std::int64_t a = std::max<std::int64_t>(std::int64_t{r.right} - r.left - 1, 1);
  const std::int64_t b = std::max<std::int64_t>(std::int64_t{r.bottom} - r.top - 1, 1);
  const std::int64_t d = 2 * a * b;
  for (int y = clip.top; y < clip.bottom; ++y) {
    const std::int64_t Y = 2 * std::int64_t{y} - r.top - (std::int64_t{r.bottom} - 1);
    Pixel* row = bitmap.Row(y);
    for (int x = clip.left; x < clip.right; ++x) {
      const std::int64_t X = 2 * std::int64_t{x} - r.left - (std::int64_t{r.right} - 1);
      const std::int64_t across = std::abs(b * X);
      std::int64_t depth, position;
      const Channels* p1;
      const Channels* p2;
      if (-a * Y >= across) {
        depth = -a * Y, position = b * X, p1 = &topLeft, p2 = &topRight;
      } else if (a * Y >= across) {
        depth = a * Y, position = b * X, p1 = &bottomLeft, p2 = &bottomRight;
      } else if (X > 0) {
        depth = b * X, position = a * Y, p1 = &topRight, p2 = &bottomRight;
      } else {
        depth = -b * X, position = a * Y, p1 = &topLeft, p2 = &bottomLeft;
      }
      Channels c{};
      for (std::size_t i = 0; i < c.size(); ++i) {
        c[i] = RoundedQuotient((d - 2 * depth) * centre[i] + (depth - position) * (*p1)[i] +
                                   (depth + position) * (*p2)[i],
                               d);
      }
      row[x] = OpaquePixel(c);
    }
  }
}

}  // namespace

void PaintGradient(Bitmap32& bitmap, const Rect& r, std::span<const TsGradientPiece> pieces) {
  if (pieces.empty() || r.IsEmpty()) return;
  if (std::int64_t{r.right} - r.left > kMaxSide || std::int64_t{r.bottom} - r.top > kMaxSide) {
    return;
  }
  const Rect clip = r.Intersect(bitmap.Bounds());
  if (clip.IsEmpty()) return;
  switch (pieces.front().direction) {
    case 0:
      PaintVertical(bitmap, r, clip, pieces);
      break;
    case 1:
      PaintHorizontal(bitmap, r, clip, pieces);
      break;
    case 2:
      PaintTriangles(bitmap, r, clip, pieces);
      break;
    default:
      break;  // no gradient
  }
}

}  // namespace tappomat
