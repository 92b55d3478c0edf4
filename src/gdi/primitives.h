#pragma once
// Solid drawing primitives: rectangle fills and frames, 1-pixel cosmetic lines,
// ALTERNATE-rule polygons and the dotted focus rectangle. The window system's default
// painters (button edges, frames, scroll bars, focus) and the skin engine call them with
// a DeviceContext.
//
// Every function takes logical coordinates (the context's origin is added) and writes only
// inside the context's clip region. Colours are ColorRef values; every written pixel gets
// alpha 255, including those changed by the XOR operations (InvertRect, DrawFocusRect), so
// drawing those twice restores an opaque picture exactly.
//
// Line end points and polygon vertices further than kMaxCoordinate from the bitmap's corner
// (after the origin is added) are out of range: such a line or polygon is not drawn. The
// limit keeps the exact integer arithmetic of lines, polygons and gradients from
// overflowing; no window comes near it.
#include <cstdint>
#include <functional>
#include <span>

#include "gdi/device_context.h"
#include "imaging/color.h"
#include "imaging/geometry.h"

namespace tappomat {

constexpr std::int64_t kMaxCoordinate = std::int64_t{1} << 20;

// Fills the rectangle with a colour, or with the context's brush colour.
void FillRect(DeviceContext& dc, const Rect& rect, ColorRef color);
void FillRect(DeviceContext& dc, const Rect& rect);

// Draws a 1-pixel border just inside the rectangle.
void FrameRect(DeviceContext& dc, const Rect& rect, ColorRef color);

// Inverts the colour channels of every pixel of the rectangle.
void InvertRect(DeviceContext& dc, const Rect& rect);

// Rectangle with a 1-pixel pen: a frame in `penColor` just inside the rectangle and
// the inside filled with `brushColor`.
void Rectangle(DeviceContext& dc, const Rect& rect, ColorRef penColor, ColorRef brushColor);

// A line as LineTo draws it with a 1-pixel cosmetic pen: the start pixel is drawn, the end
// pixel is not. Where the ideal line passes exactly between two pixels, the upper one (for
// lines flatter than 45 degrees) or the left one (for steeper lines) is drawn, whatever
// the direction of the line.
void DrawLine(DeviceContext& dc, Point from, Point to, ColorRef color);

// Lines through the points in turn, each drawn as by DrawLine; the last point is not drawn.
void Polyline(DeviceContext& dc, std::span<const Point> points, ColorRef color);

// Fills the polygon (closed implicitly) with the ALTERNATE rule. A pixel is filled when its
// centre is inside; a centre exactly on a left edge counts as inside and on a right edge as
// outside, and horizontal edges never pass through centres, so the polygon
// {0,0} {4,0} {4,4} {0,4} fills the same 4x4 pixels as FillRect({0,0,4,4}).
void FillPolygon(DeviceContext& dc, std::span<const Point> points, ColorRef fill);

// FillPolygon, then the closed outline in `penColor` as by DrawLine (which draws every
// vertex, since each edge starts where the previous one ends).
void Polygon(DeviceContext& dc, std::span<const Point> points, ColorRef penColor,
             ColorRef brushColor);

// The dotted focus rectangle: every other pixel of the 1-pixel border inverted, starting
// with the top-left pixel (a checkerboard anchored at the rectangle's corner). Drawing it a
// second time removes it.
void DrawFocusRect(DeviceContext& dc, const Rect& rect);

// The scan conversion behind FillPolygon, for GradientFill's triangles and for building
// polygon regions. `points` are device coordinates. Calls span(y, left, right) for each
// run of inside pixels [left, right) of row y, rows in increasing order, limited to the
// rectangle `limit`. Returns false, calling nothing, when a vertex is out of range.
bool ScanPolygon(std::span<const Point> points, const Rect& limit,
                 const std::function<void(int y, int left, int right)>& span);

}  // namespace tappomat
