// Fill, colour-keyed copy and the alpha set-up of loaded images, plus the clipping rule that
// every pixel operation shares.
#include "imaging/pixel_ops.h"

#include <iterator>

#include <gtest/gtest.h>

namespace tappomat {
namespace {

// A colour whose channels all differ, so swapped channels show.
constexpr Pixel kBackground = MakePixel(200, 100, 50, 128);

// Source pixels that tell where they came from: red = x, green = y.
Bitmap32 NumberedBitmap(int width, int height) {
  Bitmap32 bmp(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bmp.At(x, y) = MakePixel(10 + x, 20 + y, 30);
  }
  return bmp;
}

// Runs `op` on an 8x6 bitmap and checks that it changed exactly the pixels of `written`.
// Every operation below changes each pixel it touches, so the written area can be seen:
// changed inside, untouched outside. A write that wraps past a row end shows as well.
template <typename Op>
void ExpectWritesOnly(const char* name, const Rect& written, Op op) {
  SCOPED_TRACE(name);
  Bitmap32 dst(8, 6, kBackground);
  op(dst);
  for (int y = 0; y < dst.Height(); ++y) {
    for (int x = 0; x < dst.Width(); ++x) {
      if (written.Contains(Point{x, y})) {
        EXPECT_NE(dst.At(x, y), kBackground) << "not written at " << x << "," << y;
      } else {
        EXPECT_EQ(dst.At(x, y), kBackground) << "written at " << x << "," << y;
      }
    }
  }
}

TEST(PixelOps, EveryOperationWritesOnlyTheClippedArea) {
  const Bitmap32 src = NumberedBitmap(10, 10);
  const Bitmap32 mask(10, 10, MakePixel(128, 128, 128));
  const Pixel absentKey = MakePixel(1, 2, 3);
  ExpectWritesOnly("FillRectAlpha", {0, 2, 5, 6}, [](Bitmap32& b) {
    FillRectAlpha(b, {-3, 2, 5, 20}, RGB(1, 2, 3), 9);
  });
  ExpectWritesOnly("FillRectAlpha inverted rect", {}, [](Bitmap32& b) {
    FillRectAlpha(b, {5, 5, 2, 2}, 0, 0);
  });
  ExpectWritesOnly("MixRectWithColor", {6, 0, 8, 3}, [](Bitmap32& b) {
    MixRectWithColor(b, {6, -5, 30, 3}, RGB(0, 0, 0), 50);
  });
  ExpectWritesOnly("RotateHue", {5, 4, 8, 6}, [](Bitmap32& b) { RotateHue(b, {5, 4, 9, 7}, 120); });
  ExpectWritesOnly("ChangeSaturation", {0, 0, 2, 2}, [](Bitmap32& b) {
    ChangeSaturation(b, {-2, -2, 2, 2}, 50);
  });
  ExpectWritesOnly("Grayscale", {2, 3, 8, 4}, [](Bitmap32& b) { Grayscale(b, {2, 3, 100, 4}); });
  ExpectWritesOnly("CopyWithColorKey past right and top", {5, 0, 8, 6}, [&](Bitmap32& b) {
    CopyWithColorKey(b, {5, -2}, src, {0, 0, 10, 10}, absentKey);
  });
  ExpectWritesOnly("CopyWithColorKey source rect outside source", {4, 4, 8, 6}, [&](Bitmap32& b) {
    CopyWithColorKey(b, {1, 1}, src, {-3, -3, 4, 4}, absentKey);
  });
  ExpectWritesOnly("AlphaBlend per pixel past left edge", {0, 2, 3, 5}, [&](Bitmap32& b) {
    AlphaBlend(b, {-7, 2}, src, {0, 0, 10, 3}, 200, AlphaMode::PerPixel);
  });
  ExpectWritesOnly("AlphaBlend constant source rect past source", {0, 0, 3, 2}, [&](Bitmap32& b) {
    AlphaBlend(b, {0, 0}, src, {7, 8, 20, 20}, 100, AlphaMode::Constant);
  });
  ExpectWritesOnly("AlphaBlend empty source rect", {}, [&](Bitmap32& b) {
    AlphaBlend(b, {0, 0}, src, {3, 3, 3, 8}, 255, AlphaMode::Constant);
  });
  ExpectWritesOnly("BlendWithWeight", {6, 4, 8, 6}, [&](Bitmap32& b) {
    BlendWithWeight(b, {6, 4}, src, {0, 0, 10, 10}, 128);
  });
  ExpectWritesOnly("BlendWithMask limited by mask rect", {1, 0, 6, 5}, [&](Bitmap32& b) {
    BlendWithMask(b, {1, 0}, src, {0, 0, 10, 10}, mask, {5, 5, 10, 10});
  });
  ExpectWritesOnly("BlendWithMask mask rect outside mask", {2, 0, 8, 6}, [&](Bitmap32& b) {
    BlendWithMask(b, {0, 0}, src, {0, 0, 10, 10}, mask, {-2, 0, 8, 10});
  });
  ExpectWritesOnly("StretchCopy past edges", {3, 0, 8, 4}, [&](Bitmap32& b) {
    StretchCopy(b, {3, -3, 12, 4}, {-100, -100, 100, 100}, src, {0, 0, 10, 10},
                StretchMode::Nearest);
  });
  ExpectWritesOnly("StretchCopy clip rect", {4, 1, 6, 3}, [&](Bitmap32& b) {
    StretchCopy(b, {-5, -5, 20, 20}, {4, 1, 6, 3}, src, {0, 0, 10, 10}, StretchMode::ColorOnColor);
  });
  ExpectWritesOnly("StretchCopy mirrored rect", {}, [&](Bitmap32& b) {
    StretchCopy(b, {6, 0, 2, 4}, b.Bounds(), src, {0, 0, 10, 10}, StretchMode::Nearest);
  });
}

TEST(PixelOps, FillRectAlphaStoresTheSkinColourAsAPixel) {
  Bitmap32 bmp(3, 2);
  FillRectAlpha(bmp, {1, 0, 3, 2}, RGB(0x11, 0x22, 0x33), 0x44);
  EXPECT_EQ(bmp.At(1, 0), 0x44112233u);  // A R G B
  EXPECT_EQ(bmp.At(2, 1), 0x44112233u);
  EXPECT_EQ(bmp.At(0, 1), 0u);
}

TEST(PixelOps, CopyWithColorKeyComparesColourOnly) {
  const Pixel key = MakePixel(255, 0, 255, 77);
  Bitmap32 src(5, 1);
  src.At(0, 0) = MakePixel(255, 0, 255, 0x80);  // key colour, other alpha: left out
  src.At(1, 0) = MakePixel(255, 0, 255, 255);   // left out
  src.At(2, 0) = MakePixel(255, 0, 254, 255);   // one step off: copied
  src.At(3, 0) = MakePixel(254, 0, 255, 0);     // copied with its alpha
  src.At(4, 0) = MakePixel(0, 0, 0, 0);
  Bitmap32 dst(5, 1, kBackground);
  CopyWithColorKey(dst, {0, 0}, src, src.Bounds(), key);
  EXPECT_EQ(dst.At(0, 0), kBackground);
  EXPECT_EQ(dst.At(1, 0), kBackground);
  EXPECT_EQ(dst.At(2, 0), src.At(2, 0));
  EXPECT_EQ(dst.At(3, 0), src.At(3, 0));
  EXPECT_EQ(dst.At(4, 0), src.At(4, 0));
}

TEST(PixelOps, ClippedCopyKeepsPixelsInPlace) {
  const Bitmap32 src = NumberedBitmap(10, 10);
  // The source rectangle starts 3 pixels before the source bitmap: its first readable
  // pixel, (0, 0), belongs 3 pixels right of and below dstPos.
  Bitmap32 dst(8, 6, kBackground);
  CopyWithColorKey(dst, {1, 1}, src, {-3, -3, 4, 4}, MakePixel(1, 2, 3));
  EXPECT_EQ(dst.At(4, 4), src.At(0, 0));
  EXPECT_EQ(dst.At(7, 5), src.At(3, 1));

  // Destination left of the bitmap: the first columns of the source are dropped.
  Bitmap32 dst2(8, 6, kBackground);
  CopyWithColorKey(dst2, {-2, -1}, src, {1, 1, 5, 5}, MakePixel(1, 2, 3));
  EXPECT_EQ(dst2.At(0, 0), src.At(3, 2));
  EXPECT_EQ(dst2.At(1, 2), src.At(4, 4));
  EXPECT_EQ(dst2.At(2, 0), kBackground);
}

TEST(PixelOps, Make32From24MakesFuchsiaTransparentAndTheRestOpaque) {
  struct Case {
    Pixel in, out;
  } cases[] = {
      {MakePixel(255, 0, 255, 0x12), MakePixel(255, 0, 255, 0)},
      {MakePixel(255, 0, 255, 0xFF), MakePixel(255, 0, 255, 0)},
      {MakePixel(0, 0, 0, 0), MakePixel(0, 0, 0, 255)},
      {MakePixel(255, 0, 254, 0), MakePixel(255, 0, 254, 255)},
      {MakePixel(255, 255, 255, 0x80), MakePixel(255, 255, 255, 255)},
  };
  Bitmap32 bmp(static_cast<int>(std::size(cases)), 1);
  for (int i = 0; i < bmp.Width(); ++i) bmp.At(i, 0) = cases[i].in;
  Make32From24(bmp);
  for (int i = 0; i < bmp.Width(); ++i) EXPECT_EQ(bmp.At(i, 0), cases[i].out) << "case " << i;
}

TEST(PixelOps, PremultiplyAlphaRoundsDown) {
  struct Case {
    Pixel in, out;
  } cases[] = {
      {MakePixel(255, 128, 1, 255), MakePixel(254, 127, 0, 255)},  // >> 8, so 255 -> 254
      {MakePixel(200, 100, 50, 128), MakePixel(100, 50, 25, 128)},
      {MakePixel(255, 0, 100, 200), MakePixel(199, 0, 78, 200)},  // 199.2, 78.1
      {MakePixel(255, 255, 255, 0), MakePixel(0, 0, 0, 0)},
      {MakePixel(17, 34, 51, 1), MakePixel(0, 0, 0, 1)},
  };
  Bitmap32 bmp(static_cast<int>(std::size(cases)), 1);
  for (int i = 0; i < bmp.Width(); ++i) bmp.At(i, 0) = cases[i].in;
  PremultiplyAlpha(bmp);
  for (int i = 0; i < bmp.Width(); ++i) EXPECT_EQ(bmp.At(i, 0), cases[i].out) << "case " << i;
}

}  // namespace
}  // namespace tappomat
