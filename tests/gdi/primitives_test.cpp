#include "gdi/primitives.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "gdi/blit.h"
#include "gdi/draw_edge.h"
#include "gdi/gradient.h"

namespace tappomat {
namespace {

constexpr Pixel kWhite = MakePixel(255, 255, 255);
constexpr Pixel kBlack = MakePixel(0, 0, 0);
constexpr Pixel kRed = MakePixel(255, 0, 0);

// The bitmap as one string per row: '.' white, '#' black, 'o' red, '?' anything else.
std::vector<std::string> Art(const Bitmap32& bmp) {
  std::vector<std::string> rows;
  for (int y = 0; y < bmp.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bmp.Width(); ++x) {
      const Pixel p = bmp.At(x, y);
      row += p == kWhite ? '.' : p == kBlack ? '#' : p == kRed ? 'o' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

struct ArtCase {
  const char* name;
  std::function<void(DeviceContext&)> draw;
  std::vector<std::string> expected;  // 8x7, drawn on white
};

TEST(Primitives, ExactPixels) {
  const ColorRef black = RGB(0, 0, 0);
  const ColorRef red = RGB(255, 0, 0);
  const std::vector<ArtCase> cases = {
      {"FillRect",
       [&](DeviceContext& dc) {
         FillRect(dc, {1, 1, 4, 3}, black);
       },
       {"........", ".###....", ".###....", "........", "........", "........", "........"}},
      {"FillRect with the brush",
       [&](DeviceContext& dc) {
         dc.SetBrushColor(red);
         FillRect(dc, {6, 4, 8, 7});
       },
       {"........", "........", "........", "........", "......oo", "......oo", "......oo"}},
      {"FrameRect",
       [&](DeviceContext& dc) {
         FrameRect(dc, {1, 1, 6, 5}, black);
       },
       {"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........", "........"}},
      {"FrameRect one row high",
       [&](DeviceContext& dc) {
         FrameRect(dc, {1, 2, 5, 3}, black);
       },
       {"........", "........", ".####...", "........", "........", "........", "........"}},
      {"Rectangle",
       [&](DeviceContext& dc) {
         Rectangle(dc, {0, 0, 5, 4}, black, red);
       },
       {"#####...", "#ooo#...", "#ooo#...", "#####...", "........", "........", "........"}},
      {"InvertRect",
       [&](DeviceContext& dc) {
         InvertRect(dc, {2, 1, 4, 3});
       },
       {"........", "..##....", "..##....", "........", "........", "........", "........"}},
      {"line right, end excluded",
       [&](DeviceContext& dc) {
         DrawLine(dc, {1, 1}, {6, 1}, black);
       },
       {"........", ".#####..", "........", "........", "........", "........", "........"}},
      {"line left, end excluded",
       [&](DeviceContext& dc) {
         DrawLine(dc, {6, 1}, {1, 1}, black);
       },
       {"........", "..#####.", "........", "........", "........", "........", "........"}},
      {"line up",
       [&](DeviceContext& dc) {
         DrawLine(dc, {2, 6}, {2, 2}, black);
       },
       {"........", "........", "........", "..#.....", "..#.....", "..#.....", "..#....."}},
      {"diagonal",
       [&](DeviceContext& dc) {
         DrawLine(dc, {0, 0}, {5, 5}, black);
       },
       {"#.......", ".#......", "..#.....", "...#....", "....#...", "........", "........"}},
      // Halfway points (x = 1, 3, 5) go to the upper pixel in both directions.
      {"shallow line",
       [&](DeviceContext& dc) {
         DrawLine(dc, {0, 0}, {6, 3}, black);
       },
       {"##......", "..##....", "....##..", "........", "........", "........", "........"}},
      {"shallow line reversed",
       [&](DeviceContext& dc) {
         DrawLine(dc, {6, 3}, {0, 0}, black);
       },
       {".#......", "..##....", "....##..", "......#.", "........", "........", "........"}},
      // Halfway point (y = 3) goes to the left pixel in both directions.
      {"steep line",
       [&](DeviceContext& dc) {
         DrawLine(dc, {0, 0}, {1, 6}, black);
       },
       {"#.......", "#.......", "#.......", "#.......", ".#......", ".#......", "........"}},
      {"steep line reversed",
       [&](DeviceContext& dc) {
         DrawLine(dc, {1, 6}, {0, 0}, black);
       },
       {"........", "#.......", "#.......", "#.......", ".#......", ".#......", ".#......"}},
      {"Polyline leaves out the last point",
       [&](DeviceContext& dc) {
         const Point pts[] = {{0, 0}, {4, 0}, {4, 3}};
         Polyline(dc, pts, black);
       },
       {"#####...", "....#...", "....#...", "........", "........", "........", "........"}},
      {"rectangle polygon",
       [&](DeviceContext& dc) {
         const Point pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
         FillPolygon(dc, pts, black);
       },
       {"####....", "####....", "####....", "####....", "........", "........", "........"}},
      // Centres on the hypotenuse lie on a right edge here: left out.
      {"triangle, slanted right edge",
       [&](DeviceContext& dc) {
         const Point pts[] = {{0, 0}, {6, 0}, {0, 6}};
         FillPolygon(dc, pts, black);
       },
       {"#####...", "####....", "###.....", "##......", "#.......", "........", "........"}},
      // ... and on a left edge here: taken in.
      {"triangle, slanted left edge",
       [&](DeviceContext& dc) {
         const Point pts[] = {{6, 0}, {6, 6}, {0, 6}};
         FillPolygon(dc, pts, black);
       },
       {".....#..", "....##..", "...###..", "..####..", ".#####..", "######..", "........"}},
      // The inner square is enclosed twice: ALTERNATE leaves it out.
      {"ALTERNATE hole",
       [&](DeviceContext& dc) {
         const Point pts[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0},
                              {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}};
         FillPolygon(dc, pts, black);
       },
       {"######..", "######..", "##..##..", "##..##..", "######..", "######..", "........"}},
      {"Polygon, fill then outline",
       [&](DeviceContext& dc) {
         const Point pts[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
         Polygon(dc, pts, black, red);
       },
       {"........", ".#####..", ".#ooo#..", ".#ooo#..", ".#####..", "........", "........"}},
      {"focus rectangle",
       [&](DeviceContext& dc) {
         DrawFocusRect(dc, {1, 1, 7, 5});
       },
       {"........", ".#.#.#..", "......#.", ".#......", "..#.#.#.", "........", "........"}},
      // The dots start at the rectangle's corner, wherever it lies.
      {"focus rectangle at an odd corner",
       [&](DeviceContext& dc) {
         DrawFocusRect(dc, {2, 1, 7, 5});
       },
       {"........", "..#.#.#.", "........", "..#...#.", "...#.#..", "........", "........"}},
  };
  for (const ArtCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap32 bmp(8, 7, kWhite);
    DeviceContext dc(bmp);
    c.draw(dc);
    EXPECT_EQ(Art(bmp), c.expected);
  }
}

// A picture where every pixel differs, so that XOR and raster operations show.
Pixel PatternAt(int x, int y) {
  return MakePixel(static_cast<std::uint8_t>(x * 13 + 7), static_cast<std::uint8_t>(y * 17 + 3),
                   static_cast<std::uint8_t>((x * y * 5) ^ 0x5A));
}

Bitmap32 Pattern(int width, int height, int dx = 0, int dy = 0) {
  Bitmap32 bmp(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bmp.At(x, y) = PatternAt(x + dx, y + dy);
  }
  return bmp;
}

TEST(Primitives, FocusRectDrawnTwiceRestoresThePicture) {
  const Rect rects[] = {{1, 1, 9, 7}, {2, 3, 3, 8}, {0, 4, 10, 5}, {5, 5, 7, 7}, {-3, -2, 4, 5}};
  for (const Rect& r : rects) {
    const Bitmap32 original = Pattern(10, 9);
    Bitmap32 bmp = original;
    DeviceContext dc(bmp);
    dc.SetOrigin({1, 0});
    dc.ExcludeClipRect({2, 2, 4, 4});
    DrawFocusRect(dc, r);
    EXPECT_NE(bmp, original);
    DrawFocusRect(dc, r);
    EXPECT_EQ(bmp, original) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(Primitives, TrianglesSharingAnEdgeTileWithoutOverlap) {
  // Two triangles of a quadrilateral; every pixel of it painted exactly once.
  const Point quad[] = {{1, 0}, {9, 2}, {7, 9}, {0, 6}};
  const Point first[] = {quad[0], quad[1], quad[2]};
  const Point second[] = {quad[0], quad[2], quad[3]};
  Bitmap32 a(10, 10, kWhite), b(10, 10, kWhite), whole(10, 10, kWhite);
  DeviceContext dcA(a), dcB(b), dcWhole(whole);
  FillPolygon(dcA, first, RGB(0, 0, 0));
  FillPolygon(dcB, second, RGB(0, 0, 0));
  FillPolygon(dcWhole, quad, RGB(0, 0, 0));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inA = a.At(x, y) == kBlack, inB = b.At(x, y) == kBlack;
      EXPECT_FALSE(inA && inB) << x << "," << y;
      EXPECT_EQ(inA || inB, whole.At(x, y) == kBlack) << x << "," << y;
    }
  }
}

TEST(Primitives, LinesReachingFarOutsideKeepTheirPixels) {
  // The part of a long line inside a small bitmap is the same as on a large bitmap.
  const std::pair<Point, Point> lines[] = {
      {{-50, -20}, {60, 25}}, {{60, 25}, {-50, -20}}, {{3, -40}, {5, 40}}, {{70, 1}, {-80, 6}}};
  for (const auto& [from, to] : lines) {
    Bitmap32 small(8, 7, kWhite), large(200, 100, kWhite);
    DeviceContext dcSmall(small), dcLarge(large);
    dcLarge.SetOrigin({100, 50});
    DrawLine(dcSmall, from, to, RGB(0, 0, 0));
    DrawLine(dcLarge, from, to, RGB(0, 0, 0));
    int drawn = 0;
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(small.At(x, y), large.At(x + 100, y + 50)) << x << "," << y;
        drawn += small.At(x, y) == kBlack;
      }
    }
    EXPECT_GT(drawn, 0);
  }

  Bitmap32 bmp(8, 7, kWhite);
  DeviceContext dc(bmp);
  DrawLine(dc, {-1'000'000, -1'000'000}, {1'000'000, 1'000'000}, RGB(0, 0, 0));
  for (int i = 0; i < 7; ++i) EXPECT_EQ(bmp.At(i, i), kBlack) << i;
}

TEST(Primitives, OutOfRangeIsNotDrawn) {
  Bitmap32 bmp(8, 7, kWhite);
  DeviceContext dc(bmp);
  const int far = static_cast<int>(kMaxCoordinate) + 1;
  const Point farPolygon[] = {{0, 0}, {5, 0}, {far, 6}};
  FillPolygon(dc, farPolygon, RGB(0, 0, 0));
  Polygon(dc, farPolygon, RGB(0, 0, 0), RGB(0, 0, 0));
  DrawLine(dc, {0, 0}, {far, 1}, RGB(0, 0, 0));
  DrawLine(dc, {-2'000'000'000, 3}, {2'000'000'000, 4}, RGB(0, 0, 0));
  EXPECT_EQ(bmp, Bitmap32(8, 7, kWhite));
  const Point degenerate[] = {{0, 0}, {5, 0}};
  FillPolygon(dc, degenerate, RGB(0, 0, 0));
  EXPECT_EQ(bmp, Bitmap32(8, 7, kWhite));
}

// Every drawing function of gdi/, drawn through an origin and a clip region with a hole.
// Inside the clip the result must equal the unclipped drawing, outside it the picture
// must be untouched; and the drawing with the origin must equal the one without it,
// moved by the origin.
TEST(Primitives, EveryPrimitiveKeepsToOriginAndClip) {
  const Bitmap32 source = Pattern(12, 12, 40, 40);
  const Bitmap32 small = Pattern(3, 3, 90, 10);
  const ColorRef blue = RGB(0, 0, 200);
  const TRIVERTEX vertices[] = {{0, 0, 0xFF00, 0, 0x4000, 0xFF00},
                                {11, 10, 0, 0xFF00, 0x8000, 0xFF00},
                                {11, 0, 0x1000, 0x2000, 0xFF00, 0xFF00}};
  const GRADIENT_RECT rectMesh[] = {{0, 1}};
  const GRADIENT_TRIANGLE triangleMesh[] = {{0, 1, 2}};
  const Point star[] = {{1, 1}, {10, 3}, {2, 10}, {6, 0}, {9, 11}};

  const std::vector<std::pair<const char*, std::function<void(DeviceContext&)>>> cases = {
      {"FillRect",
       [&](DeviceContext& dc) {
         FillRect(dc, {0, 0, 10, 10}, blue);
       }},
      {"FillRect brush",
       [&](DeviceContext& dc) {
         dc.SetBrushColor(blue);
         FillRect(dc, {1, 0, 12, 11});
       }},
      {"FrameRect",
       [&](DeviceContext& dc) {
         FrameRect(dc, {0, 1, 11, 10}, blue);
       }},
      {"InvertRect",
       [&](DeviceContext& dc) {
         InvertRect(dc, {2, 2, 11, 9});
       }},
      {"Rectangle",
       [&](DeviceContext& dc) {
         Rectangle(dc, {0, 0, 11, 11}, blue, RGB(9, 9, 9));
       }},
      {"DrawLine shallow",
       [&](DeviceContext& dc) {
         DrawLine(dc, {0, 0}, {11, 9}, blue);
       }},
      {"DrawLine steep",
       [&](DeviceContext& dc) {
         DrawLine(dc, {11, 1}, {2, 11}, blue);
       }},
      {"DrawLine horizontal",
       [&](DeviceContext& dc) {
         DrawLine(dc, {11, 5}, {0, 5}, blue);
       }},
      {"DrawLine vertical",
       [&](DeviceContext& dc) {
         DrawLine(dc, {5, 0}, {5, 11}, blue);
       }},
      {"Polyline", [&](DeviceContext& dc) { Polyline(dc, star, blue); }},
      {"FillPolygon", [&](DeviceContext& dc) { FillPolygon(dc, star, blue); }},
      {"Polygon", [&](DeviceContext& dc) { Polygon(dc, star, blue, RGB(200, 0, 0)); }},
      {"DrawFocusRect",
       [&](DeviceContext& dc) {
         DrawFocusRect(dc, {0, 0, 11, 10});
       }},
      {"BitBlt SRCCOPY",
       [&](DeviceContext& dc) { BitBlt(dc, 0, 0, 12, 12, source, 0, 0, SRCCOPY); }},
      {"BitBlt SRCINVERT",
       [&](DeviceContext& dc) { BitBlt(dc, 1, 0, 11, 11, source, 1, 1, SRCINVERT); }},
      {"BitBlt PATCOPY",
       [&](DeviceContext& dc) {
         dc.SetBrushColor(blue);
         BitBlt(dc, 0, 0, 11, 11, Bitmap32(), 0, 0, PATCOPY);
       }},
      {"BitBlt DSTINVERT",
       [&](DeviceContext& dc) { BitBlt(dc, 0, 0, 11, 11, source, 0, 0, DSTINVERT); }},
      {"StretchBlt SRCCOPY",
       [&](DeviceContext& dc) {
         StretchBlt(dc, {0, 0, 11, 10}, small, {0, 0, 3, 3}, SRCCOPY, StretchMode::Nearest);
       }},
      {"StretchBlt SRCAND",
       [&](DeviceContext& dc) {
         StretchBlt(dc, {0, 1, 12, 11}, small, {0, 0, 3, 3}, SRCAND);
       }},
      {"AlphaBlend",
       [&](DeviceContext& dc) {
         AlphaBlend(dc, {0, 0}, source, {0, 0, 11, 11}, 100, AlphaMode::Constant);
       }},
      {"GradientFill H",
       [&](DeviceContext& dc) { GradientFill(dc, vertices, rectMesh, GRADIENT_FILL_RECT_H); }},
      {"GradientFill V",
       [&](DeviceContext& dc) { GradientFill(dc, vertices, rectMesh, GRADIENT_FILL_RECT_V); }},
      {"GradientFill triangle",
       [&](DeviceContext& dc) { GradientFill(dc, vertices, triangleMesh); }},
      {"GradientRect",
       [&](DeviceContext& dc) {
         GradientRect(dc, {0, 0, 11, 11}, blue, RGB(250, 250, 0), GradientDirection::Vertical);
       }},
      {"DrawEdge raised",
       [&](DeviceContext& dc) {
         Rect r{0, 0, 11, 11};
         DrawEdge(dc, r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
       }},
      {"DrawEdge sunken",
       [&](DeviceContext& dc) {
         Rect r{0, 1, 11, 10};
         DrawEdge(dc, r, EDGE_SUNKEN, BF_RECT);
       }},
  };

  const Point origin{3, 2};
  for (const auto& [name, draw] : cases) {
    SCOPED_TRACE(name);
    const Bitmap32 background = Pattern(16, 16);

    Bitmap32 unclipped = background;
    DeviceContext dcUnclipped(unclipped);
    dcUnclipped.SetOrigin(origin);
    draw(dcUnclipped);

    // The origin: the same drawing at origin (0, 0) on the picture moved to match.
    Bitmap32 atZero = Pattern(16, 16, origin.x, origin.y);
    DeviceContext dcZero(atZero);
    draw(dcZero);
    for (int y = 0; y + origin.y < 16; ++y) {
      for (int x = 0; x + origin.x < 16; ++x) {
        ASSERT_EQ(atZero.At(x, y), unclipped.At(x + origin.x, y + origin.y)) << x << "," << y;
      }
    }

    Bitmap32 clipped = background;
    DeviceContext dc(clipped);
    dc.SetOrigin(origin);
    dc.SelectClipRegion(Region(Rect{1, 0, 12, 12}).Subtract(Rect{3, 3, 8, 7}));
    const Region deviceClip = dc.DeviceClip();
    draw(dc);
    int changedInside = 0, excludedChanges = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const bool drawnHere = unclipped.At(x, y) != background.At(x, y);
        if (deviceClip.Contains({x, y})) {
          ASSERT_EQ(clipped.At(x, y), unclipped.At(x, y)) << x << "," << y;
          changedInside += drawnHere;
        } else {
          ASSERT_EQ(clipped.At(x, y), background.At(x, y)) << x << "," << y;
          excludedChanges += drawnHere;
        }
      }
    }
    // Otherwise the case would not show anything.
    EXPECT_GT(changedInside, 0);
    EXPECT_GT(excludedChanges, 0);
  }
}

}  // namespace
}  // namespace tappomat
