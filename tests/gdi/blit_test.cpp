#include "gdi/blit.h"

#include <gtest/gtest.h>

#include <vector>

namespace tappomat {
namespace {

constexpr Pixel kOpaque = 0xFF000000;

Bitmap32 Numbered(int width, int height, std::uint8_t alpha = 255) {
  Bitmap32 bmp(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bmp.At(x, y) = MakePixel(static_cast<std::uint8_t>(x * 20 + 1),
                               static_cast<std::uint8_t>(y * 20 + 2), 77, alpha);
    }
  }
  return bmp;
}

TEST(BitBlt, RasterOperations) {
  const Pixel s = 0x80CCAA0F;  // alpha 0x80: only SRCCOPY may keep it
  const Pixel d = 0x40A055F0;
  const ColorRef brush = RGB(0x12, 0x34, 0x56);
  const Pixel p = PixelFromColor(brush);
  const auto rgb = [](Pixel v) { return (v & 0x00FFFFFF) | kOpaque; };
  struct Case {
    RasterOp rop;
    Pixel expected;
  };
  const Case cases[] = {
      {SRCCOPY, s},
      {SRCPAINT, rgb(s | d)},
      {SRCAND, rgb(s & d)},
      {SRCINVERT, rgb(s ^ d)},
      {SRCERASE, rgb(s & ~d)},
      {NOTSRCCOPY, rgb(~s)},
      {NOTSRCERASE, rgb(~(s | d))},
      {MERGECOPY, rgb(s & p)},
      {MERGEPAINT, rgb(~s | d)},
      {PATCOPY, p},
      {PATPAINT, rgb(p | ~s | d)},
      {PATINVERT, rgb(p ^ d)},
      {DSTINVERT, rgb(~d)},
      {BLACKNESS, MakePixel(0, 0, 0)},
      {WHITENESS, MakePixel(255, 255, 255)},
      {static_cast<RasterOp>(0x00E20746), rgb((s & p) | (d & ~s))},  // DSPDxax: mask through source
  };
  const Bitmap32 src(1, 1, s);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.rop);
    Bitmap32 bmp(3, 1, d);
    DeviceContext dc(bmp);
    dc.SetBrushColor(brush);
    BitBlt(dc, 1, 0, 1, 1, src, 0, 0, c.rop);
    EXPECT_EQ(bmp.At(1, 0), c.expected);
    EXPECT_EQ(bmp.At(0, 0), d);
    EXPECT_EQ(bmp.At(2, 0), d);
  }
}

TEST(BitBlt, SourceRectangleIsCutToTheSourceBitmap) {
  const Bitmap32 src = Numbered(4, 4);
  const Pixel bg = MakePixel(1, 1, 1);
  Bitmap32 bmp(10, 10, bg);
  DeviceContext dc(bmp);
  // Asks for source (-1,-1)..(3,3): its first row and column are not there, so the copy
  // starts one pixel further in at both ends.
  BitBlt(dc, 2, 2, 4, 4, src, -1, -1, SRCCOPY);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool copied = x >= 3 && x < 6 && y >= 3 && y < 6;
      EXPECT_EQ(bmp.At(x, y), copied ? src.At(x - 3, y - 3) : bg) << x << "," << y;
    }
  }

  // Entirely outside the source: nothing.
  const Bitmap32 before = bmp;
  BitBlt(dc, 0, 0, 3, 3, src, 4, 0, SRCCOPY);
  BitBlt(dc, 0, 0, 0, 3, src, 0, 0, SRCCOPY);
  EXPECT_EQ(bmp, before);
}

TEST(BitBlt, CopyKeepsAlphaOtherOperationsMakeItOpaque) {
  const Bitmap32 src = Numbered(3, 3, 0x30);
  Bitmap32 bmp(3, 3, 0);
  DeviceContext dc(bmp);
  BitBlt(dc, 0, 0, 3, 3, src, 0, 0, SRCCOPY);
  EXPECT_EQ(bmp, src);
  BitBlt(dc, 0, 0, 3, 3, src, 0, 0, SRCPAINT);
  for (Pixel v : bmp.Pixels()) EXPECT_EQ(PixelA(v), 255);
}

TEST(BitBlt, ScrollingWithinTheSameBitmap) {
  const Bitmap32 original = Numbered(5, 6);
  Bitmap32 bmp = original;
  DeviceContext dc(bmp);
  dc.ExcludeClipRect({0, 0, 1, 6});            // two clip rectangles, to catch order effects
  BitBlt(dc, 0, 1, 5, 5, bmp, 0, 0, SRCCOPY);  // down by one row
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 5; ++x) {
      const Pixel expected = (x == 0 || y == 0) ? original.At(x, y) : original.At(x, y - 1);
      EXPECT_EQ(bmp.At(x, y), expected) << x << "," << y;
    }
  }
  const Bitmap32 shifted = bmp;
  BitBlt(dc, 0, 0, 4, 6, bmp, 1, 0, SRCINVERT);  // left by one column, XOR
  for (int y = 0; y < 6; ++y) {
    for (int x = 1; x < 4; ++x) {
      const Pixel expected = ((shifted.At(x + 1, y) ^ shifted.At(x, y)) & 0x00FFFFFF) | kOpaque;
      EXPECT_EQ(bmp.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST(StretchBlt, ThroughAClip) {
  // 2x2 source onto 4x4: each source pixel becomes a 2x2 block; the clip lets only the
  // centre 2x2 through, one pixel from each block.
  const Bitmap32 src = Numbered(2, 2, 0x90);
  const Pixel bg = MakePixel(5, 5, 5);
  for (StretchMode mode : {StretchMode::Nearest, StretchMode::ColorOnColor}) {
    Bitmap32 bmp(8, 8, bg);
    DeviceContext dc(bmp);
    dc.SetOrigin({2, 3});
    dc.IntersectClipRect({1, 1, 3, 3});
    StretchBlt(dc, {0, 0, 4, 4}, src, {0, 0, 2, 2}, SRCCOPY, mode);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const int lx = x - 2, ly = y - 3;
        const bool inClip = lx >= 1 && lx < 3 && ly >= 1 && ly < 3;
        EXPECT_EQ(bmp.At(x, y), inClip ? src.At(lx / 2, ly / 2) : bg) << x << "," << y;
      }
    }
  }
}

TEST(StretchBlt, OtherOperationsCombineTheStretchedSource) {
  const Bitmap32 src = Numbered(2, 1, 0x10);
  const Bitmap32 original = Numbered(6, 2);
  Bitmap32 bmp = original;
  DeviceContext dc(bmp);
  dc.ExcludeClipRect({0, 0, 1, 1});
  StretchBlt(dc, {0, 0, 4, 2}, src, {0, 0, 2, 1}, SRCINVERT, StretchMode::Nearest);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 6; ++x) {
      Pixel expected = original.At(x, y);
      if (x < 4 && !(x == 0 && y == 0))
        expected = ((src.At(x / 2, 0) ^ expected) & 0x00FFFFFF) | kOpaque;
      EXPECT_EQ(bmp.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST(StretchBlt, FromItsOwnBitmap) {
  const Bitmap32 original = Numbered(4, 4);
  Bitmap32 bmp = original;
  DeviceContext dc(bmp);
  // The top-left 2x2 enlarged over the whole bitmap, reading it as it was.
  StretchBlt(dc, {0, 0, 4, 4}, bmp, {0, 0, 2, 2}, SRCCOPY, StretchMode::ColorOnColor);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(bmp.At(x, y), original.At(x / 2, y / 2)) << x << "," << y;
  }
}

TEST(AlphaBlend, ClippedAndMovedByTheOrigin) {
  const Bitmap32 src = Numbered(4, 4);
  const Bitmap32 original(8, 8, MakePixel(200, 100, 0));
  Bitmap32 reference = original;
  AlphaBlend(reference, {3, 2}, src, {0, 0, 4, 4}, 128, AlphaMode::Constant);

  Bitmap32 bmp = original;
  DeviceContext dc(bmp);
  dc.SetOrigin({1, 1});
  dc.ExcludeClipRect({3, 2, 4, 3});
  AlphaBlend(dc, {2, 1}, src, {0, 0, 4, 4}, 128, AlphaMode::Constant);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool excluded = x == 4 && y == 3;
      EXPECT_EQ(bmp.At(x, y), excluded ? original.At(x, y) : reference.At(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace tappomat
