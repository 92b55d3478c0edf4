// The colour operations of skinned painting, where their rounding decides a pixel: halves
// of a colour mix and of a rectangle mix go to the even value, and the weighted blend rounds
// down on both sides of the source.
#include "skin/paint/color_helpers.h"

#include <gtest/gtest.h>

namespace tappomat {
namespace {

TEST(ColorHelpers, MixColorsTakesHalvesToEven) {
  struct Case {
    ColorRef a, b;
    double x;
    ColorRef expected;
  } cases[] = {
      // A parent fill colour at transparency 50 % over the section colour:
      // (1 + 0) / 2, (4 + 1) / 2, (255 + 0) / 2 = 0.5, 2.5, 127.5 -> 0, 2, 128
      {RGB(1, 4, 255), RGB(0, 1, 0), 0.5, RGB(0, 2, 128)},
      // Disabled text: 0.4 * font colour + 0.6 * global colour.
      // 0.4 * 200 + 0.6 * 100 = 140; 0.4 * 9 + 0.6 * 2 = 4.8; 0.4 * 0 + 0.6 * 255 = 153
      {RGB(200, 9, 0), RGB(100, 2, 255), 0.4, RGB(140, 5, 153)},
      // 0.3 * 5 = 1.5 -> 2, 0.3 * 15 = 4.5 -> 4, 0.7 * 5 = 3.5 -> 4
      {RGB(5, 15, 0), RGB(0, 0, 5), 0.3, RGB(2, 4, 4)},
      // the fourth byte of the first colour stays
      {0x7F000000u | RGB(3, 3, 3), RGB(0, 0, 0), 0.5, 0x7F000000u | RGB(2, 2, 2)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MixColors(c.a, c.b, c.x), c.expected) << std::hex << c.a << " " << c.b;
  }
}

TEST(ColorHelpers, MixRectKeepsPercentOfThePixelWithHalvesToEven) {
  struct Case {
    int keep;
    Pixel pixel;
    ColorRef color;
    Pixel expected;
  } cases[] = {
      // 50 %: (1 + 0) / 2 = 0.5 -> 0, (3 + 0) / 2 = 1.5 -> 2, (254 + 255) / 2 = 254.5 -> 254
      {50, MakePixel(1, 3, 254, 0x33), RGB(0, 0, 255), MakePixel(0, 2, 254, 0x33)},
      // 30 %: 0.3 * 200 + 0.7 * 0 = 60; 0.3 * 100 + 0.7 * 50 = 65; 0.3 * 0 + 0.7 * 255 = 178.5
      // -> 178
      {30, MakePixel(200, 100, 0, 0x33), RGB(0, 50, 255), MakePixel(60, 65, 178, 0x33)},
      // 10 %: 0.1 * 5 + 0.9 * 0 = 0.5 -> 0; 0.1 * 15 = 1.5 -> 2; 0.1 * 0 + 0.9 * 5 = 4.5 -> 4
      {10, MakePixel(5, 15, 0, 0x33), RGB(0, 0, 5), MakePixel(0, 2, 4, 0x33)},
      {100, MakePixel(1, 2, 3, 0x33), RGB(9, 9, 9), MakePixel(1, 2, 3, 0x33)},
      {0, MakePixel(1, 2, 3, 0x33), RGB(7, 8, 9), MakePixel(7, 8, 9, 0x33)},
      {150, MakePixel(1, 2, 3, 0x33), RGB(7, 8, 9), MakePixel(1, 2, 3, 0x33)},
      {-10, MakePixel(1, 2, 3, 0x33), RGB(7, 8, 9), MakePixel(7, 8, 9, 0x33)},
  };
  for (const auto& c : cases) {
    Bitmap32 bmp(1, 1, c.pixel);
    MixRect(bmp, bmp.Bounds(), c.color, c.keep);
    EXPECT_EQ(bmp.At(0, 0), c.expected) << "keep " << c.keep;
    // A rectangle mixed at p % and the two colours mixed at p / 100 agree.
    if (c.keep >= 0 && c.keep <= 100) {
      EXPECT_EQ(ColorFromPixel(bmp.At(0, 0)),
                MixColors(ColorFromPixel(c.pixel), c.color, c.keep / 100.0))
          << "keep " << c.keep;
    }
  }
}

TEST(ColorHelpers, MixRectAndFillRectAlphaWriteOnlyTheRectangleInsideTheBitmap) {
  const Pixel start = MakePixel(100, 100, 100, 7);
  Bitmap32 mixed(4, 3, start);
  MixRect(mixed, {2, -1, 9, 2}, RGB(0, 0, 0), 50);
  Bitmap32 filled(4, 3, start);
  FillRectAlpha(filled, {-5, 1, 2, 8}, RGB(10, 20, 30), 0x80);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(mixed.At(x, y), x >= 2 && y < 2 ? MakePixel(50, 50, 50, 7) : start)
          << "x " << x << " y " << y;
      EXPECT_EQ(filled.At(x, y), x < 2 && y >= 1 ? MakePixel(10, 20, 30, 0x80) : start)
          << "x " << x << " y " << y;
    }
  }
}

TEST(ColorHelpers, BlendOverKeepsTheDestinationsWeightRoundedDown) {
  struct Case {
    int weight;
    Pixel src, dst, expected;
  } cases[] = {
      // 200 + floor(-100 * 255 / 256 = -99.6) = 100; 100 + floor(99.6) = 199;
      // 0 + floor(255 * 255 / 256 = 254.004) = 254
      {255, MakePixel(200, 100, 0, 0x11), MakePixel(100, 200, 255, 0xEE),
       MakePixel(100, 199, 254, 0xEE)},
      // 255 + floor(-127.5) = 127; 0 + floor(127.5) = 127; 7 + floor(0.5) = 7
      {128, MakePixel(255, 0, 7, 0x11), MakePixel(0, 255, 8, 0xEE), MakePixel(127, 127, 7, 0xEE)},
      // round(30 * 2.55) = 77 of the parent's background: 10 + floor(90 * 77 / 256 = 27.07),
      // 100 + floor(-100 * 77 / 256 = -30.08)
      {77, MakePixel(10, 100, 0, 0x11), MakePixel(100, 0, 0, 0xEE), MakePixel(37, 69, 0, 0xEE)},
      {0, MakePixel(1, 2, 3, 0x11), MakePixel(4, 5, 6, 0xEE), MakePixel(1, 2, 3, 0xEE)},
  };
  for (const auto& c : cases) {
    const Bitmap32 src(1, 1, c.src);
    Bitmap32 dst(1, 1, c.dst);
    BlendOver(dst, Point{0, 0}, src, c.weight);
    EXPECT_EQ(dst.At(0, 0), c.expected) << "weight " << c.weight;
  }
}

TEST(ColorHelpers, BlendOverPlacesTheSourceAndClips) {
  // A 3 x 2 source of black, weight 0 so that every blended pixel is the source.
  const Pixel white = MakePixel(255, 255, 255, 9);
  const Pixel black = MakePixel(0, 0, 0, 9);
  const Bitmap32 src(3, 2, MakePixel(0, 0, 0, 1));
  struct Case {
    const char* what;
    bool useRect;
    Point pos;
    Rect rect;
    Rect blackArea;  // in the 4 x 4 destination
  } cases[] = {
      {"point", false, {2, 1}, {}, {2, 1, 4, 3}},  // clipped at the right edge
      {"point above", false, {-1, -1}, {}, {0, 0, 2, 1}},
      {"smaller rect", true, {}, {1, 1, 3, 2}, {1, 1, 3, 2}},  // only the rectangle
      {"larger rect", true, {}, {0, 1, 4, 4}, {0, 1, 3, 3}},   // only as far as the source
  };
  for (const auto& c : cases) {
    Bitmap32 dst(4, 4, white);
    if (c.useRect) {
      BlendOver(dst, c.rect, src, 0);
    } else {
      BlendOver(dst, c.pos, src, 0);
    }
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(dst.At(x, y), c.blackArea.Contains(Point{x, y}) ? black : white)
            << c.what << " x " << x << " y " << y;
      }
    }
  }
}

}  // namespace
}  // namespace tappomat
