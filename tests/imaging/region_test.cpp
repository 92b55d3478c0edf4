#include "imaging/region.h"

#include <gtest/gtest.h>

namespace tappomat {
namespace {

bool Disjoint(const Region& r) {
  const auto& rects = r.Rects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].IsEmpty()) return false;
    for (std::size_t j = i + 1; j < rects.size(); ++j) {
      if (rects[i].Intersects(rects[j])) return false;
    }
  }
  return true;
}

TEST(Region, SetOperationsKeepRectanglesDisjoint) {
  const Region a(Rect{0, 0, 10, 10});
  const Region b(Rect{5, 5, 15, 15});

  const Region u = a.Union(b);
  EXPECT_TRUE(Disjoint(u));
  EXPECT_EQ(u.Area(), 100 + 100 - 25);
  EXPECT_EQ(u.Bounds(), (Rect{0, 0, 15, 15}));

  const Region i = a.Intersect(b);
  EXPECT_TRUE(i.SameArea(Region(Rect{5, 5, 10, 10})));

  const Region d = a.Subtract(b);
  EXPECT_TRUE(Disjoint(d));
  EXPECT_EQ(d.Area(), 75);
  EXPECT_TRUE(d.Contains({4, 9}));
  EXPECT_FALSE(d.Contains({5, 5}));
  EXPECT_FALSE(d.Contains({10, 0}));  // right edge is exclusive

  EXPECT_TRUE(a.Subtract(a).IsEmpty());
  EXPECT_TRUE(u.Subtract(b).SameArea(d));
  EXPECT_TRUE(a.Offset(5, 5).SameArea(Region(Rect{5, 5, 15, 15})));
}

TEST(Region, HoleInTheMiddle) {
  const Region ring = Region(Rect{0, 0, 9, 9}).Subtract(Rect{3, 3, 6, 6});
  EXPECT_TRUE(Disjoint(ring));
  EXPECT_EQ(ring.Area(), 81 - 9);
  EXPECT_FALSE(ring.Contains({4, 4}));
  EXPECT_TRUE(ring.Contains({2, 4}));
  EXPECT_TRUE(ring.Contains({6, 4}));
  EXPECT_TRUE(ring.Union(Rect{3, 3, 6, 6}).SameArea(Region(Rect{0, 0, 9, 9})));
}

TEST(Region, FromColorKeyTakesEveryPixelNotOfTheKey) {
  // A 5x4 bitmap, '#' coloured, '.' black (the key); alpha must not matter.
  const char* rows[] = {"..#..", ".###.", ".###.", "#...#"};
  Bitmap32 bmp(5, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      bmp.At(x, y) = rows[y][x] == '#' ? MakePixel(200, 10, 10) : MakePixel(0, 0, 0, 77);
    }
  }
  const Region shape = Region::FromColorKey(bmp, MakePixel(0, 0, 0));
  EXPECT_TRUE(Disjoint(shape));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(shape.Contains({x, y}), rows[y][x] == '#') << x << "," << y;
    }
  }
  // Rows 1 and 2 share one span, so they merge into one rectangle.
  EXPECT_EQ(shape.Rects().size(), 4u);
}

}  // namespace
}  // namespace tappomat
