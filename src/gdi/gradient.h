#pragma once
// GradientFill — rectangles shaded left to right or top to bottom, and triangles shaded
// between their corners — plus GradientRect for the common two-colour case. Used by the
// window system for captions and by the skin engine for gradient sections.
//
// Vertices are logical coordinates; only the clip region is written. Colours are 16-bit
// per channel (0xFF00 is full); a written pixel takes the top 8 bits of each, alpha
// included.
#include <cstdint>
#include <span>

#include "gdi/device_context.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tappomat {

using COLOR16 = std::uint16_t;

struct TRIVERTEX {
  std::int32_t x = 0;
  std::int32_t y = 0;
  COLOR16 Red = 0;
  COLOR16 Green = 0;
  COLOR16 Blue = 0;
  COLOR16 Alpha = 0;
};

// Indices into the vertex array.
struct GRADIENT_RECT {
  std::uint32_t UpperLeft = 0;
  std::uint32_t LowerRight = 0;
};

struct GRADIENT_TRIANGLE {
  std::uint32_t Vertex1 = 0;
  std::uint32_t Vertex2 = 0;
  std::uint32_t Vertex3 = 0;
};

enum GradientFillMode : std::uint32_t {
  GRADIENT_FILL_RECT_H = 0,
  GRADIENT_FILL_RECT_V = 1,
  GRADIENT_FILL_TRIANGLE = 2,
};

// Rectangles (mode GRADIENT_FILL_RECT_H or _V): each spans its two vertices, whichever
// corners they are; the colour goes from the left (top) vertex's colour to the right
// (bottom) one's. For the pixel column x of a rectangle from x0 to x1, per 16-bit channel
//   c(x) = c0 + (c1 - c0) * (x - x0) / (x1 - x0)     (integer division)
// so the first column has exactly c0 and the last falls short of c1 by one step.
//
// Triangles: the colour is the plane through the three corner colours, evaluated at each
// pixel's top-left corner (so a pixel on a vertex has exactly its colour) and truncated as
// above; which pixels belong to a triangle follows FillPolygon's rule, so triangles that
// share an edge neither overlap nor leave a gap. Vertices of triangles must lie within
// kMaxCoordinate (gdi/primitives.h) of the bitmap's corner.
//
// Returns false, drawing nothing, when the mode does not fit the mesh, an index is outside
// `vertices` or a triangle vertex is out of range.
bool GradientFill(DeviceContext& dc, std::span<const TRIVERTEX> vertices,
                  std::span<const GRADIENT_RECT> rects, GradientFillMode mode);
bool GradientFill(DeviceContext& dc, std::span<const TRIVERTEX> vertices,
                  std::span<const GRADIENT_TRIANGLE> triangles);

enum class GradientDirection {
  Horizontal,  // `from` in the left column, towards `to` at the right
  Vertical,    // `from` in the top row, towards `to` at the bottom
};

// An opaque two-colour rectangle gradient, as GradientFill draws it.
void GradientRect(DeviceContext& dc, const Rect& rect, ColorRef from, ColorRef to,
                  GradientDirection direction);

}  // namespace tappomat
