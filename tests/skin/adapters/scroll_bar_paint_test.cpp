// Painting one skinned scroll bar: where the thumb is drawn and where it is left out, and
// the exact blend of a disabled bar into its background.
#include "skin/adapters/scroll_bar_paint.h"

#include <gtest/gtest.h>

#include "skin/skin_fixture.h"

namespace tappomat::test {
namespace {

class ScrollBarPaintTest : public SkinnedControlsTest {
 protected:
  ScrollBarPaintTest() { UseNeutral2(); }
  Bitmap32 Paint(ScrollValues values, int length) {
    ScrollBarLook look;
    look.vertical = true;
    look.thickness = 17;
    look.length = length;
    look.geometryButton = look.paintedButton = 17;
    look.values = values;
    look.background.fill = RGB(255, 255, 255);
    return PaintScrollBar(Tables(), look);
  }
  // Rows of the picture in [from, to) that show something besides the plain track.
  static bool ShowsSomethingBetween(const Bitmap32& picture, int from, int to) {
    const Pixel track =
        PixelRGB(picture.At(8, 17));  // just below the first button, beside any thumb
    for (int y = from; y < to; ++y)
      for (int x = 0; x < picture.Width(); ++x)
        if (PixelRGB(picture.At(x, y)) != track) return true;
    return false;
  }
};

TEST_F(ScrollBarPaintTest, TheThumbIsLeftOutWhenThePageShowsTheWholeRange) {
  struct Case {
    const char* what;
    ScrollValues values;
    bool thumb;
  };
  const Case cases[] = {
      {"page over the range", {0, 9, 20, 0}, false},
      {"page equal to the range", {0, 9, 10, 0}, false},
      {"page one short of the range", {0, 10, 10, 1}, true},
      {"an ordinary page", {0, 99, 10, 50}, true},
  };
  for (const Case& c : cases) {
    const Bitmap32 picture = Paint(c.values, 120);
    EXPECT_EQ(ShowsSomethingBetween(picture, 20, 100), c.thumb) << c.what;
  }
}

TEST_F(ScrollBarPaintTest, OnATrackShorterThanTheThumbItEndsWhereTheSecondButtonBegins) {
  // 40 long: a 6-pixel track between the buttons, a 16-pixel thumb over [7, 23).
  const Bitmap32 picture = Paint({0, 99, 10, 0}, 40);
  const Bitmap32 noThumb = Paint({0, 9, 20, 0}, 40);
  bool differs = false;
  for (int y = 17; y < 23; ++y)
    for (int x = 0; x < 17; ++x) differs |= picture.At(x, y) != noThumb.At(x, y);
  EXPECT_TRUE(differs) << "the thumb shows between the buttons";
  for (int y = 23; y < 40; ++y)
    for (int x = 0; x < 17; ++x)
      ASSERT_EQ(picture.At(x, y), noThumb.At(x, y)) << "the second button stays whole";
}

TEST_F(ScrollBarPaintTest, TheThumbsSeeThroughCornersShowTheTrackNotTheWindow) {
  ScrollBarLook look;
  look.vertical = true;
  look.thickness = 17;
  look.length = 120;
  look.geometryButton = look.paintedButton = 17;
  look.values = {0, 99, 10, 50};  // thumb over [56, 72)
  look.background.fill = RGB(255, 0, 0);
  const Bitmap32 picture = PaintScrollBar(Tables(), look);
  const Pixel track = PixelRGB(picture.At(8, 30));
  for (const Point corner : {Point{0, 56}, Point{16, 56}, Point{0, 71}, Point{16, 71}})
    EXPECT_EQ(PixelRGB(picture.At(corner.x, corner.y)), track) << corner.x << "," << corner.y;
}

TEST(ScrollBarBlendTest, ADisabledBarIsMixedIntoItsBackground) {
  // Over a colour: 153/256 of the way from the colour, cut towards it.
  Bitmap32 bar(1, 1, MakePixel(0, 100, 255));
  ParentBackground colour;
  colour.fill = RGB(255, 0, 255 - 1);
  BlendDisabled(bar, colour);
  EXPECT_EQ(PixelRGB(bar.At(0, 0)), PixelRGB(MakePixel(103, 59, 254)));

  // Over a picture: 60 % picture and 40 % bar, rounded; fuchsia in the picture keeps the bar.
  Bitmap32 under(3, 1);
  under.At(1, 0) = MakePixel(201, 0, 10);
  under.At(2, 0) = MakePixel(255, 0, 255);
  ParentBackground picture;
  picture.image = &under;
  picture.offset = {1, 0};
  picture.ready = true;
  Bitmap32 two(2, 1, MakePixel(100, 255, 11));
  BlendDisabled(two, picture);
  EXPECT_EQ(PixelRGB(two.At(0, 0)), PixelRGB(MakePixel(161, 102, 10)));
  EXPECT_EQ(PixelRGB(two.At(1, 0)), PixelRGB(MakePixel(100, 255, 11)));
}

}  // namespace
}  // namespace tappomat::test
