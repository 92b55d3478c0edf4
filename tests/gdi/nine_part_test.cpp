// Nine-part drawing, pixel by pixel: where each corner, edge and the centre land, tiling
// against stretching, squeezed margins, blending through the alpha row, and what fuchsia
// shows in corners and elsewhere.
#include "gdi/nine_part.h"

#include <gtest/gtest.h>

namespace tappomat::test {
namespace {

constexpr Pixel kGrey = 0xFF808080u;
constexpr Pixel kFuchsia = 0xFFFF00FFu;

// A 6 x 6 frame whose every pixel says where it comes from: red 10 * x, green 10 * y.
Bitmap32 Frame(int height = 6) {
  Bitmap32 image(6, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < 6; ++x) {
      image.At(x, y) = MakePixel(static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(10 * (y % 6)), 0);
    }
  }
  return image;
}

// The source pixel a destination pixel shows, as (x, y) of the frame; (-1, -1) for grey.
std::pair<int, int> Origin(Pixel p) {
  if (p == kGrey) return {-1, -1};
  return {PixelR(p) / 10, PixelG(p) / 10};
}

NinePartSource Source(const Bitmap32& image, unsigned mode) {
  NinePartSource source;
  source.image = &image;
  source.frame = {0, 0, 6, 6};
  source.margins = {2, 2, 2, 2};
  source.mode = mode;
  return source;
}

TEST(NinePart, CornersStayEdgesTileOrStretchAndTheCentreIsOptional) {
  const Bitmap32 image = Frame();
  // The top row of a 10 x 8 rectangle at (1, 1): frame x of each destination column.
  const struct {
    unsigned mode;
    std::vector<int> topRow;
    std::pair<int, int> centre;  // what (5, 4) shows
  } cases[] = {
      {0, {0, 1, 2, 3, 2, 3, 2, 3, 4, 5}, {-1, -1}},
      {kNinePartCentre, {0, 1, 2, 3, 2, 3, 2, 3, 4, 5}, {2, 3}},
      {kNinePartStretch | kNinePartCentre, {0, 1, 2, 2, 2, 3, 3, 3, 4, 5}, {2, 2}},
  };
  for (const auto& c : cases) {
    Bitmap32 target(12, 10, kGrey);
    DrawNinePart(target, Rect::FromSize(1, 1, 10, 8), Source(image, c.mode));
    std::vector<int> top;
    for (int x = 1; x < 11; ++x) top.push_back(Origin(target.At(x, 1)).first);
    EXPECT_EQ(top, c.topRow) << c.mode;
    EXPECT_EQ(Origin(target.At(5, 4)), c.centre) << c.mode;
    EXPECT_EQ(Origin(target.At(10, 8)), (std::pair{5, 5})) << "bottom-right corner";
    EXPECT_EQ(Origin(target.At(1, 7)), (std::pair{0, 4})) << "left edge, bottom margin";
    EXPECT_EQ(target.At(0, 0), kGrey) << "outside the rectangle";
    EXPECT_EQ(target.At(11, 9), kGrey);
  }
}

TEST(NinePart, MarginsSqueezeIntoSmallRectanglesAndTinyOnesGetNothing) {
  const Bitmap32 image = Frame();
  NinePartSource source = Source(image, 0);
  source.margins = {2, 1, 3, 2};
  // 3 wide: d = 2 comes off as 1 and 1 -> left 1, right 2; 2 high: d = 1 -> top 1, bottom 1
  // (0 off the top, the odd 1 off the bottom).
  Bitmap32 target(3, 2, kGrey);
  DrawNinePart(target, Rect::FromSize(0, 0, 3, 2), source);
  EXPECT_EQ(Origin(target.At(0, 0)), (std::pair{0, 0}));
  EXPECT_EQ(Origin(target.At(1, 0)), (std::pair{4, 0})) << "right margin of 2 from x 4";
  EXPECT_EQ(Origin(target.At(2, 1)), (std::pair{5, 5})) << "bottom margin of 1 from y 5";

  for (const Rect& tiny : {Rect::FromSize(0, 0, 1, 5), Rect::FromSize(0, 0, 5, 1)}) {
    Bitmap32 small(5, 5, kGrey);
    DrawNinePart(small, tiny, Source(image, kNinePartCentre));
    EXPECT_EQ(small.At(0, 0), kGrey);
  }
  source.margins = {4, 2, 4, 2};  // wider than the frame: no centre left
  Bitmap32 wide(20, 20, kGrey);
  DrawNinePart(wide, Rect::FromSize(0, 0, 20, 20), source);
  EXPECT_EQ(wide.At(0, 0), kGrey);
}

TEST(NinePart, TheAlphaRowBlendsEveryPieceAndFuchsiaShowsTheBackgroundOnlyInCorners) {
  // Image rows 0-5, alpha rows 6-11.
  Bitmap32 image(6, 12);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      image.At(x, y) = MakePixel(200, 100, 201);
      image.At(x, y + 6) = MakePixel(128, 0, 255);  // per channel: half, opaque, clear
    }
  }
  image.At(0, 0) = kFuchsia;  // a corner pixel
  image.At(3, 0) = kFuchsia;  // an edge pixel
  NinePartSource source = Source(image, kNinePartCentre);
  source.alphaRow = 6;
  const Pixel behind = MakePixel(100, 50, 0, 7);
  Bitmap32 target(8, 8, behind);
  NinePartCornerFill fill;
  fill.color = MakePixel(1, 2, 3, 0);
  DrawNinePart(target, Rect::FromSize(0, 0, 8, 8), source, fill);
  // red: 200 + ((100 - 200) * 128 >> 8) = 150; green: opaque 100; blue: 201 + (-201 * 255 >> 8)
  // = 201 - 201 = 0 (rounded down).
  EXPECT_EQ(target.At(4, 4), MakePixel(150, 100, 0, 255));
  EXPECT_EQ(target.At(0, 0), MakePixel(1, 2, 3, 255)) << "a fuchsia corner shows the fill";
  EXPECT_EQ(target.At(3, 0), behind) << "a fuchsia edge pixel leaves the destination";

  // Without a fill the corner's fuchsia leaves the destination too.
  Bitmap32 plain(8, 8, behind);
  DrawNinePart(plain, Rect::FromSize(0, 0, 8, 8), source);
  EXPECT_EQ(plain.At(0, 0), behind);
}

TEST(NinePart, WithoutAnAlphaRowCornersLeaveOutFuchsiaAndEdgesCopyIt) {
  Bitmap32 image = Frame();
  image.At(1, 1) = kFuchsia;  // corner
  image.At(2, 0) = kFuchsia;  // top edge
  Bitmap32 target(6, 6, kGrey);
  DrawNinePart(target, Rect::FromSize(0, 0, 6, 6), Source(image, 0));
  EXPECT_EQ(target.At(1, 1), kGrey);
  EXPECT_EQ(target.At(2, 0), kFuchsia);
  Bitmap32 background(10, 10, MakePixel(9, 9, 9));
  NinePartCornerFill fill;
  fill.image = &background;
  fill.offset = {3, 3};
  Bitmap32 filled(6, 6, kGrey);
  DrawNinePart(filled, Rect::FromSize(0, 0, 6, 6), Source(image, 0), fill);
  EXPECT_EQ(filled.At(1, 1), MakePixel(9, 9, 9));
}

}  // namespace
}  // namespace tappomat::test
