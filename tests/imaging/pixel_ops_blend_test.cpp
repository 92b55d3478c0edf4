// Exact results of the blending operations: alpha blending, weighted and masked blends,
// mixing with a colour, and MixColors' rounding.
#include "imaging/pixel_ops.h"

#include <cmath>
#include <iterator>

#include <gtest/gtest.h>

namespace tappomat {
namespace {

struct Rgba {
  int r, g, b, a;
};

Pixel ToPixel(Rgba c) {
  return MakePixel(static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                   static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.a));
}

// Runs a one-pixel source-over-destination operation and returns the destination pixel.
template <typename Op>
Pixel BlendOne(Rgba s, Rgba d, Op op) {
  const Bitmap32 src(1, 1, ToPixel(s));
  Bitmap32 dst(1, 1, ToPixel(d));
  op(dst, src);
  return dst.At(0, 0);
}

struct AlphaCase {
  Rgba s, d;
  int ca;
  Rgba expected;
};

TEST(PixelOpsBlend, AlphaBlendPerPixelTable) {
  const AlphaCase cases[] = {
      // sa' = 128, keep 127: 100 + round(200 * 127 / 255 = 99.6)
      {{100, 50, 0, 128}, {200, 200, 200, 255}, 255, {200, 150, 100, 255}},
      // sa' = round(64.25) = 64, keep 191: round(50.2) + round(149.8)
      {{100, 50, 0, 128}, {200, 200, 200, 255}, 128, {200, 175, 150, 255}},
      // a transparent destination gets the source's alpha
      {{0, 0, 0, 128}, {255, 255, 255, 0}, 255, {127, 127, 127, 128}},
      {{60, 30, 0, 100}, {10, 20, 30, 40}, 77, {27, 27, 26, 65}},
      {{10, 20, 30, 255}, {1, 2, 3, 4}, 255, {10, 20, 30, 255}},  // opaque: copied
      {{0, 0, 0, 0}, {1, 2, 3, 4}, 255, {1, 2, 3, 4}},            // nothing to add
      {{90, 90, 90, 255}, {1, 2, 3, 4}, 0, {1, 2, 3, 4}},         // constant alpha 0
      // A source that is not premultiplied still follows the formula (its colour is added)
      // and is capped where it would overflow.
      {{50, 0, 0, 0}, {10, 20, 30, 40}, 255, {60, 20, 30, 40}},
      {{255, 255, 255, 0}, {255, 255, 255, 255}, 255, {255, 255, 255, 255}},
  };
  for (const AlphaCase& c : cases) {
    const Pixel out = BlendOne(c.s, c.d, [&](Bitmap32& dst, const Bitmap32& src) {
      AlphaBlend(dst, {0, 0}, src, src.Bounds(), static_cast<std::uint8_t>(c.ca),
                 AlphaMode::PerPixel);
    });
    EXPECT_EQ(out, ToPixel(c.expected)) << "s.r " << c.s.r << " d.r " << c.d.r << " ca " << c.ca;
  }
}

TEST(PixelOpsBlend, AlphaBlendConstantTable) {
  const AlphaCase cases[] = {
      // Source alpha has no say as a weight; the alpha bytes blend like colours.
      {{255, 0, 100, 0}, {0, 255, 100, 255}, 128, {128, 127, 100, 127}},
      // 128 / 255 = 0.502 rounds up, 127 / 255 = 0.498 down (truncation gives 0 and 0)
      {{1, 0, 100, 200}, {0, 1, 0, 50}, 128, {1, 0, 50, 125}},
      {{255, 0, 200, 9}, {0, 255, 0, 99}, 1, {1, 254, 1, 99}},
      {{255, 0, 200, 9}, {0, 255, 0, 99}, 255, {255, 0, 200, 9}},
      {{255, 0, 200, 9}, {0, 255, 0, 99}, 0, {0, 255, 0, 99}},
  };
  for (const AlphaCase& c : cases) {
    const Pixel out = BlendOne(c.s, c.d, [&](Bitmap32& dst, const Bitmap32& src) {
      AlphaBlend(dst, {0, 0}, src, src.Bounds(), static_cast<std::uint8_t>(c.ca),
                 AlphaMode::Constant);
    });
    EXPECT_EQ(out, ToPixel(c.expected)) << "s.r " << c.s.r << " d.r " << c.d.r << " ca " << c.ca;
  }
}

// The integer rounding against floating-point division over every source/destination
// pair: source value x along the columns, destination value y along the rows.
TEST(PixelOpsBlend, AlphaBlendRoundsEveryValueToNearest) {
  Bitmap32 src(256, 256), original(256, 256);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const auto sx = static_cast<std::uint8_t>(x), sy = static_cast<std::uint8_t>(y);
      src.At(x, y) = MakePixel(sx, static_cast<std::uint8_t>(x / 2), 0, sx);  // premultiplied
      original.At(x, y) = MakePixel(sy, sy, sy, sy);
    }
  }
  auto nearest = [](double v) { return static_cast<int>(std::lround(v)); };
  for (int ca : {1, 77, 128, 200, 254, 255}) {
    SCOPED_TRACE(ca);
    Bitmap32 constant = original;
    AlphaBlend(constant, {0, 0}, src, src.Bounds(), static_cast<std::uint8_t>(ca),
               AlphaMode::Constant);
    Bitmap32 perPixel = original;
    AlphaBlend(perPixel, {0, 0}, src, src.Bounds(), static_cast<std::uint8_t>(ca),
               AlphaMode::PerPixel);
    int mismatches = 0;
    for (int y = 0; y < 256 && mismatches < 5; ++y) {
      for (int x = 0; x < 256 && mismatches < 5; ++x) {
        const int red = nearest((x * ca + y * (255 - ca)) / 255.0);
        const int green = nearest(((x / 2) * ca + y * (255 - ca)) / 255.0);
        if (PixelR(constant.At(x, y)) != red || PixelG(constant.At(x, y)) != green) {
          ++mismatches;
          ADD_FAILURE() << "constant at s " << x << " d " << y;
        }
        const int keep = 255 - nearest(x * ca / 255.0);
        const int expected = nearest(x * ca / 255.0) + nearest(y * keep / 255.0);
        if (PixelR(perPixel.At(x, y)) != expected || PixelA(perPixel.At(x, y)) != expected) {
          ++mismatches;
          ADD_FAILURE() << "per pixel at s " << x << " d " << y;
        }
      }
    }
  }
}

struct WeightCase {
  int w;
  Rgba s, d, expected;  // alpha: source 0x11, destination 0xEE, result must be 0xEE
};

TEST(PixelOpsBlend, BlendWithWeightRoundsDownAndKeepsDestinationAlpha) {
  const WeightCase cases[] = {
      // 200 + floor(-25500 / 256 = -99.6) = 100 (truncation: 101); 100 + floor(99.6) = 199
      {255, {200, 100, 0, 0x11}, {100, 200, 255, 0xEE}, {100, 199, 254, 0xEE}},
      // 255 + floor(-127.5) = 127 (truncation: 128); 0 + floor(127.5) = 127
      {128, {255, 0, 7, 0x11}, {0, 255, 8, 0xEE}, {127, 127, 7, 0xEE}},
      {1, {11, 10, 0, 0x11}, {10, 11, 255, 0xEE}, {10, 10, 0, 0xEE}},
      {64, {100, 100, 100, 0x11}, {0, 50, 101, 0xEE}, {75, 87, 100, 0xEE}},
      {0, {1, 2, 3, 0x11}, {4, 5, 6, 0xEE}, {1, 2, 3, 0xEE}},    // source shows
      {256, {1, 2, 3, 0x11}, {4, 5, 6, 0xEE}, {4, 5, 6, 0xEE}},  // destination kept
      {1000, {1, 2, 3, 0x11}, {4, 5, 6, 0xEE}, {4, 5, 6, 0xEE}},
      {-3, {1, 2, 3, 0x11}, {4, 5, 6, 0xEE}, {1, 2, 3, 0xEE}},
  };
  for (const WeightCase& c : cases) {
    const Pixel out = BlendOne(c.s, c.d, [&](Bitmap32& dst, const Bitmap32& src) {
      BlendWithWeight(dst, {0, 0}, src, src.Bounds(), c.w);
    });
    EXPECT_EQ(out, ToPixel(c.expected)) << "w " << c.w;
  }
}

TEST(PixelOpsBlend, BlendWithMaskTakesEachChannelsWeightFromTheMask) {
  // Weights r 255, g 128, b 0; the mask's alpha means nothing.
  const Bitmap32 src(1, 1, MakePixel(200, 0, 50, 0x11));
  const Bitmap32 mask(1, 1, MakePixel(255, 128, 0, 77));
  Bitmap32 dst(1, 1, MakePixel(100, 255, 60, 0xEE));
  BlendWithMask(dst, {0, 0}, src, src.Bounds(), mask, mask.Bounds());
  // r: 200 + floor(-99.6) = 100; g: 0 + floor(127.5) = 127; b: the source
  EXPECT_EQ(dst.At(0, 0), MakePixel(100, 127, 50, 0xEE));
}

TEST(PixelOpsBlend, BlendWithMaskPairsMaskRectWithSourceRect) {
  // Source pixels 0 and 1 of a row meet mask pixels 2 and 3: weight 0 (source shows), then
  // 255 on every channel.
  Bitmap32 src(2, 1, MakePixel(0, 0, 0));
  Bitmap32 mask(4, 1);
  mask.At(2, 0) = MakePixel(0, 0, 0);
  mask.At(3, 0) = MakePixel(255, 255, 255);
  Bitmap32 dst(3, 1, MakePixel(255, 255, 255, 9));
  BlendWithMask(dst, {1, 0}, src, src.Bounds(), mask, {2, 0, 4, 1});
  EXPECT_EQ(dst.At(0, 0), MakePixel(255, 255, 255, 9));
  EXPECT_EQ(dst.At(1, 0), MakePixel(0, 0, 0, 9));
  EXPECT_EQ(dst.At(2, 0), MakePixel(254, 254, 254, 9));  // floor(255 * 255 / 256)
}

TEST(PixelOpsBlend, MixRectWithColorTable) {
  struct Case {
    int percent;
    Rgba pixel;
    ColorRef color;
    Rgba expected;
  } cases[] = {
      // (30 * 200 + 50) / 100 = 60; (3000 + 3500 + 50) / 100 = 65; (17850 + 50) / 100 = 179
      {30, {200, 100, 0, 0x33}, RGB(0, 50, 255), {60, 65, 179, 0x33}},
      // halves round up: 0.5 -> 1, 1.5 -> 2, 254.5 -> 255
      {50, {1, 3, 254, 0x33}, RGB(0, 0, 255), {1, 2, 255, 0x33}},
      {100, {1, 2, 3, 0x33}, RGB(9, 9, 9), {1, 2, 3, 0x33}},
      {0, {1, 2, 3, 0x33}, RGB(7, 8, 9), {7, 8, 9, 0x33}},
      {150, {1, 2, 3, 0x33}, RGB(7, 8, 9), {1, 2, 3, 0x33}},
      {-10, {1, 2, 3, 0x33}, RGB(7, 8, 9), {7, 8, 9, 0x33}},
  };
  for (const Case& c : cases) {
    Bitmap32 bmp(1, 1, ToPixel(c.pixel));
    MixRectWithColor(bmp, bmp.Bounds(), c.color, c.percent);
    EXPECT_EQ(bmp.At(0, 0), ToPixel(c.expected)) << "percent " << c.percent;
  }
}

TEST(PixelOpsBlend, MixColorsRoundsHalvesToEven) {
  struct Case {
    ColorRef a, b;
    double x;
    ColorRef expected;
  } cases[] = {
      {RGB(1, 3, 5), RGB(0, 0, 0), 0.5, RGB(0, 2, 2)},         // 0.5, 1.5, 2.5
      {RGB(0, 0, 0), RGB(1, 3, 7), 0.5, RGB(0, 2, 4)},         // 0.5, 1.5, 3.5
      {RGB(255, 128, 1), RGB(0, 0, 0), 0.4, RGB(102, 51, 0)},  // 102, 51.2, 0.4
      {RGB(255, 128, 1), RGB(0, 0, 0), 0.6, RGB(153, 77, 1)},  // 153, 76.8, 0.6
      {RGB(5, 0, 15), RGB(0, 5, 0), 0.3, RGB(2, 4, 4)},        // 1.5, 3.5, 4.5
      // Halves that doubles miss: 0.07 * 150 is 10.500000000000002 (10.5 -> 10), and
      // 0.05 * 13 + 0.95 * 3 is 3.4999999999999996 (3.5 -> 4).
      {RGB(150, 0, 0), RGB(0, 0, 0), 0.07, RGB(10, 0, 0)},
      {RGB(13, 0, 0), RGB(3, 0, 0), 0.05, RGB(4, 0, 0)},
      {RGB(9, 9, 9), RGB(1, 2, 3), 1.5, RGB(9, 9, 9)},  // x clamped
      {RGB(9, 9, 9), RGB(1, 2, 3), -1.0, RGB(1, 2, 3)},
      {RGB(9, 9, 9), RGB(1, 2, 3), std::nan(""), RGB(1, 2, 3)},
      // the fourth byte comes from a
      {0x12000000u | RGB(10, 20, 30), 0x34000000u | RGB(0, 0, 0), 0.5,
       0x12000000u | RGB(5, 10, 15)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MixColors(c.a, c.b, c.x), c.expected)
        << std::hex << c.a << " " << c.b << " x " << c.x;
  }
}

}  // namespace
}  // namespace tappomat
