#include "ui/classic_icons.h"

#include <array>
#include <cmath>
#include <string_view>

#include "gdi/primitives.h"

namespace tappomat {
namespace {

constexpr ColorRef kBlack = RGB(0, 0, 0);
constexpr ColorRef kWhite = RGB(255, 255, 255);
constexpr ColorRef kRed = RGB(255, 0, 0);
constexpr ColorRef kDarkRed = RGB(128, 0, 0);
constexpr ColorRef kYellow = RGB(255, 255, 0);
constexpr ColorRef kBlue = RGB(0, 0, 255);

// An ellipse filled row by row: in each row, the pixels whose centres lie inside.
void FillEllipse(DeviceContext& dc, const Rect& r, ColorRef color) {
  const double cx = (r.left + r.right) / 2.0;
  const double cy = (r.top + r.bottom) / 2.0;
  const double rx = r.Width() / 2.0;
  const double ry = r.Height() / 2.0;
  for (int y = r.top; y < r.bottom; ++y) {
    const double dy = (y + 0.5 - cy) / ry;
    if (dy * dy >= 1.0) continue;
    const double half = rx * std::sqrt(1.0 - dy * dy);
    const int left = static_cast<int>(std::ceil(cx - half - 0.5));
    const int right = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    FillRect(dc, {left, y, right, y + 1}, color);
  }
}

// Small pictures given as rows of '#' (ink) and '.' (left alone), one rectangle per pixel.
template <std::size_t N>
void DrawPattern(DeviceContext& dc, Point at, const std::array<std::string_view, N>& rows, ColorRef color) {
  for (std::size_t y = 0; y < N; ++y) {
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      if (rows[y][x] == '#') {
        FillRect(dc, Rect::FromSize(at.x + static_cast<int>(x), at.y + static_cast<int>(y), 1, 1), color);
      }
    }
  }
}

Point Add(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }

void DrawError(DeviceContext& dc, Point at) {
  FillEllipse(dc, Rect::FromSize(at.x + 1, at.y + 1, 30, 30), kDarkRed);
  FillEllipse(dc, Rect::FromSize(at.x + 2, at.y + 2, 28, 28), kRed);
  const std::array<Point, 4> down{{{9, 11}, {11, 9}, {23, 21}, {21, 23}}};
  const std::array<Point, 4> up{{{21, 9}, {23, 11}, {11, 23}, {9, 21}}};
  for (const auto& bar : {down, up}) {
    std::array<Point, 4> points{};
    for (std::size_t i = 0; i < bar.size(); ++i) points[i] = Add(at, bar[i]);
    FillPolygon(dc, points, kWhite);
  }
}

void DrawWarning(DeviceContext& dc, Point at) {
  const std::array<Point, 3> triangle{{Add(at, {16, 2}), Add(at, {30, 28}), Add(at, {2, 28})}};
  Polygon(dc, triangle, kBlack, kYellow);
  const std::array<Point, 4> stem{{Add(at, {14, 10}), Add(at, {18, 10}), Add(at, {17, 21}), Add(at, {15, 21})}};
  FillPolygon(dc, stem, kBlack);
  FillRect(dc, Rect::FromSize(at.x + 15, at.y + 23, 2, 2), kBlack);
}

// A white speech bubble with a black outline and a tail at the lower left.
void DrawBubble(DeviceContext& dc, Point at) {
  const std::array<Point, 3> tail{{Add(at, {9, 19}), Add(at, {17, 23}), Add(at, {5, 30})}};
  Polygon(dc, tail, kBlack, kWhite);
  FillEllipse(dc, Rect::FromSize(at.x + 1, at.y + 1, 30, 25), kBlack);
  FillEllipse(dc, Rect::FromSize(at.x + 2, at.y + 2, 28, 23), kWhite);
  // Open the outline where the tail joins the bubble.
  const std::array<Point, 3> join{{Add(at, {10, 20}), Add(at, {15, 23}), Add(at, {7, 27})}};
  FillPolygon(dc, join, kWhite);
}

void DrawQuestion(DeviceContext& dc, Point at) {
  DrawBubble(dc, at);
  constexpr std::array<std::string_view, 15> kMark{
      "..####..", ".######.", "###..###", "###..###", ".....###", "....###.", "...###..",
      "...###..", "...###..", "........", "...###..", "...###..", "...###..", "........",
      "........"};
  DrawPattern(dc, Add(at, {12, 5}), kMark, kBlue);
}

void DrawInformation(DeviceContext& dc, Point at) {
  DrawBubble(dc, at);
  constexpr std::array<std::string_view, 17> kLetter{
      "..###...", "..###...", "........", "........", ".####...", "..###...", "..###...",
      "..###...", "..###...", "..###...", "..###...", "..###...", ".#####..", "........",
      "........", "........", "........"};
  DrawPattern(dc, Add(at, {13, 4}), kLetter, kBlue);
}

}  // namespace

void DrawMessageBoxIcon(DeviceContext& dc, Point at, MessageBoxIconKind kind) {
  switch (kind) {
    case MessageBoxIconKind::Error: DrawError(dc, at); break;
    case MessageBoxIconKind::Warning: DrawWarning(dc, at); break;
    case MessageBoxIconKind::Question: DrawQuestion(dc, at); break;
    case MessageBoxIconKind::Information: DrawInformation(dc, at); break;
  }
}

}  // namespace tappomat
