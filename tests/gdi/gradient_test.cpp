#include "gdi/gradient.h"

#include <gtest/gtest.h>

namespace tappomat {
namespace {

constexpr Pixel kBackground = MakePixel(1, 2, 3, 4);

// The documented value of one 16-bit channel k steps into n, as an 8-bit byte.
std::uint8_t Expected(int c0, int c1, int k, int n) {
  return static_cast<std::uint8_t>((c0 + (c1 - c0) * k / n) >> 8);
}

TEST(GradientFill, RectanglesStartExactlyAndRunMonotonically) {
  struct Case {
    const char* name;
    GradientFillMode mode;
    TRIVERTEX a, b;
  };
  // Red falls, green and blue rise; the ranges are uneven so that truncation shows.
  const TRIVERTEX left{0, 0, 0xFF00, 0x0000, 0x1234, 0xFF00};
  const TRIVERTEX right{13, 9, 0x0100, 0xFFFF, 0xC000, 0x8000};
  const Case cases[] = {
      {"horizontal", GRADIENT_FILL_RECT_H, left, right},
      {"vertical", GRADIENT_FILL_RECT_V, left, right},
      // Vertices given the other way round: the colour stays with its vertex.
      {"horizontal, reversed", GRADIENT_FILL_RECT_H,
       TRIVERTEX{13, 0, 0x0100, 0xFFFF, 0xC000, 0x8000},
       TRIVERTEX{0, 9, 0xFF00, 0x0000, 0x1234, 0xFF00}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap32 bmp(15, 11, kBackground);
    DeviceContext dc(bmp);
    const TRIVERTEX vertices[] = {c.a, c.b};
    const GRADIENT_RECT mesh[] = {{0, 1}};
    ASSERT_TRUE(GradientFill(dc, vertices, mesh, c.mode));
    const bool vertical = c.mode == GRADIENT_FILL_RECT_V;
    const int n = vertical ? 9 : 13;
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 15; ++x) {
        const Pixel p = bmp.At(x, y);
        if (x >= 13 || y >= 9) {
          EXPECT_EQ(p, kBackground) << x << "," << y;
          continue;
        }
        const int k = vertical ? y : x;
        EXPECT_EQ(PixelR(p), Expected(0xFF00, 0x0100, k, n)) << x << "," << y;
        EXPECT_EQ(PixelG(p), Expected(0x0000, 0xFFFF, k, n)) << x << "," << y;
        EXPECT_EQ(PixelB(p), Expected(0x1234, 0xC000, k, n)) << x << "," << y;
        EXPECT_EQ(PixelA(p), Expected(0xFF00, 0x8000, k, n)) << x << "," << y;
      }
    }
    // Exact start, never reaching the end colour, monotonic on the way.
    const Pixel first = bmp.At(0, 0);
    const Pixel last = vertical ? bmp.At(0, 8) : bmp.At(12, 0);
    EXPECT_EQ(first, MakePixel(0xFF, 0x00, 0x12, 0xFF));
    EXPECT_GT(PixelR(last), 0x01);
    EXPECT_LT(PixelG(last), 0xFF);
    for (int k = 1; k < n; ++k) {
      const Pixel prev = vertical ? bmp.At(5, k - 1) : bmp.At(k - 1, 5);
      const Pixel cur = vertical ? bmp.At(5, k) : bmp.At(k, 5);
      EXPECT_LE(PixelR(cur), PixelR(prev));
      EXPECT_GE(PixelG(cur), PixelG(prev));
      EXPECT_GE(PixelB(cur), PixelB(prev));
    }
  }
}

TEST(GradientFill, TriangleCornersAndEdges) {
  const TRIVERTEX vertices[] = {{0, 0, 0xFF00, 0x0000, 0x0000, 0xFF00},
                                {8, 0, 0x0000, 0xFF00, 0x0000, 0xFF00},
                                {0, 8, 0x0000, 0x0000, 0xFF00, 0x8000}};
  const GRADIENT_TRIANGLE mesh[] = {{0, 1, 2}};
  Bitmap32 bmp(10, 10, kBackground);
  DeviceContext dc(bmp);
  dc.SetOrigin({1, 1});
  ASSERT_TRUE(GradientFill(dc, vertices, mesh));
  // Pixels are indexed in logical coordinates from here on.
  const auto at = [&](int x, int y) { return bmp.At(x + 1, y + 1); };

  EXPECT_EQ(at(0, 0), MakePixel(0xFF, 0, 0, 0xFF));     // the vertex's own colour
  EXPECT_EQ(at(4, 0), MakePixel(0x7F, 0x7F, 0, 0xFF));  // halfway along each edge
  EXPECT_EQ(at(0, 4), MakePixel(0x7F, 0, 0x7F, 0xBF));
  EXPECT_EQ(at(2, 2), MakePixel(0x7F, 0x3F, 0x3F, 0xDF));
  EXPECT_EQ(at(5, 1), MakePixel(0x3F, 0x9F, 0x1F, 0xEF));
  // Pixel membership follows FillPolygon: the hypotenuse is a right edge.
  EXPECT_NE(at(6, 0), kBackground);
  EXPECT_EQ(at(7, 0), kBackground);
  EXPECT_EQ(at(-1, 0), kBackground);
  EXPECT_EQ(at(0, 6), MakePixel(0x3F, 0, 0xBF, 0x9F));
  EXPECT_EQ(at(1, 6), kBackground);
  EXPECT_EQ(at(0, 7), kBackground);
  // Colour channels always add up to (almost) full along this triangle.
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x + y < 7; ++x) {
      const Pixel p = at(x, y);
      const int sum = PixelR(p) + PixelG(p) + PixelB(p);
      EXPECT_GE(sum, 0xFF - 3) << x << "," << y;
      EXPECT_LE(sum, 0xFF) << x << "," << y;
    }
  }
}

TEST(GradientFill, TwoTrianglesMatchTheRectangleGradient) {
  // Both triangles of the square carry colours that depend on x only: together they must
  // cover the square exactly once and give the rectangle gradient's pixels.
  struct Case {
    int width, height;
    COLOR16 left, right;  // blue
  };
  const Case cases[] = {
      {11, 7, 0x1000, 0xEE00},
      // 0x0400 - 769 / 3 = 0x0300 - 1/3: truncated it stays 0x0300, rounded down it would
      // drop to 0x02FF and show in the top byte.
      {3, 2, 0x0400, 0x00FF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    const TRIVERTEX vertices[] = {{0, 0, 0xFF00, 0x8000, c.left, 0xFF00},
                                  {c.width, 0, 0x0300, 0x8000, c.right, 0xFF00},
                                  {c.width, c.height, 0x0300, 0x8000, c.right, 0xFF00},
                                  {0, c.height, 0xFF00, 0x8000, c.left, 0xFF00}};
    const GRADIENT_TRIANGLE triangles[] = {{0, 1, 2}, {0, 2, 3}};
    const GRADIENT_RECT rect[] = {{0, 2}};

    Bitmap32 fromTriangles(12, 8, kBackground), fromRect(12, 8, kBackground);
    DeviceContext dcT(fromTriangles), dcR(fromRect);
    ASSERT_TRUE(GradientFill(dcT, vertices, triangles));
    ASSERT_TRUE(GradientFill(dcR, vertices, rect, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(fromTriangles, fromRect);
  }
  Bitmap32 bmp(3, 1, kBackground);
  DeviceContext dc(bmp);
  GradientRect(dc, {0, 0, 3, 1}, RGB(0, 0, 4), RGB(0, 0, 0), GradientDirection::Horizontal);
  EXPECT_EQ(PixelB(bmp.At(1, 0)), 2);  // 0x0400 - 0x0400 / 3 = 0x02AB
}

TEST(GradientFill, RefusesBadMeshes) {
  Bitmap32 bmp(4, 4, kBackground);
  DeviceContext dc(bmp);
  const TRIVERTEX vertices[] = {{0, 0, 0, 0, 0, 0}, {4, 4, 0, 0, 0, 0}};
  const GRADIENT_RECT badRect[] = {{0, 1}, {0, 2}};
  const GRADIENT_TRIANGLE badTriangle[] = {{0, 1, 5}};
  const GRADIENT_RECT goodRect[] = {{0, 1}};
  const TRIVERTEX far[] = {{0, 0, 0, 0, 0, 0}, {4, 0, 0, 0, 0, 0}, {0, 1 << 21, 0, 0, 0, 0}};
  const GRADIENT_TRIANGLE farTriangle[] = {{0, 1, 2}};
  EXPECT_FALSE(GradientFill(dc, vertices, badRect, GRADIENT_FILL_RECT_H));
  EXPECT_FALSE(GradientFill(dc, vertices, badTriangle));
  EXPECT_FALSE(GradientFill(dc, vertices, goodRect, GRADIENT_FILL_TRIANGLE));
  EXPECT_FALSE(GradientFill(dc, far, farTriangle));
  EXPECT_EQ(bmp, Bitmap32(4, 4, kBackground));  // not even the first, good rectangle
  EXPECT_TRUE(GradientFill(dc, vertices, std::span<const GRADIENT_RECT>{}, GRADIENT_FILL_RECT_V));
}

TEST(GradientRect, TwoColoursOpaque) {
  Bitmap32 bmp(4, 3, kBackground);
  DeviceContext dc(bmp);
  GradientRect(dc, {0, 0, 4, 2}, RGB(200, 0, 100), RGB(0, 100, 200), GradientDirection::Horizontal);
  EXPECT_EQ(bmp.At(0, 1), PixelFromColor(RGB(200, 0, 100)));
  EXPECT_EQ(bmp.At(2, 0), PixelFromColor(RGB(100, 50, 150)));
  EXPECT_EQ(bmp.At(3, 0), PixelFromColor(RGB(50, 75, 175)));
  EXPECT_EQ(bmp.At(0, 2), kBackground);

  GradientRect(dc, {0, 0, 4, 3}, RGB(0, 0, 0), RGB(255, 255, 255), GradientDirection::Vertical);
  EXPECT_EQ(bmp.At(3, 0), PixelFromColor(RGB(0, 0, 0)));
  EXPECT_EQ(bmp.At(1, 2), PixelFromColor(RGB(170, 170, 170)));

  const Bitmap32 before = bmp;
  GradientRect(dc, {3, 0, 1, 3}, RGB(1, 1, 1), RGB(2, 2, 2), GradientDirection::Horizontal);
  EXPECT_EQ(bmp, before);  // an empty rectangle
}

}  // namespace
}  // namespace tappomat
