// StretchCopy: the source pixel each destination pixel takes, in both modes, and the
// clipping rules that StretchBlt relies on.
#include "imaging/pixel_ops.h"

#include <climits>
#include <vector>

#include <gtest/gtest.h>

namespace tappomat {
namespace {

constexpr Pixel kBackground = MakePixel(1, 2, 3, 4);

// Each source pixel names its place: red = x, green = y.
Bitmap32 NumberedBitmap(int width, int height) {
  Bitmap32 bmp(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bmp.At(x, y) = MakePixel(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200);
    }
  }
  return bmp;
}

struct MappingCase {
  StretchMode mode;
  int srcLength;
  int dstLength;
  std::vector<int> sourceOf;  // source offset for each destination offset
};

// The same mapping on both axes; the rectangles sit away from the bitmap corners so that
// the offsets of srcRect and dstRect are part of the check.
TEST(PixelOpsStretch, MapsDestinationPixelsToSourcePixels) {
  const MappingCase cases[] = {
      {StretchMode::Nearest, 3, 6, {0, 0, 1, 1, 2, 2}},  // 2x enlarge
      {StretchMode::ColorOnColor, 3, 6, {0, 0, 1, 1, 2, 2}},
      {StretchMode::Nearest, 3, 2, {0, 2}},       // centres of 3 -> 2: 0.75 and 2.25
      {StretchMode::ColorOnColor, 3, 2, {0, 1}},  // deletes the last column
      {StretchMode::Nearest, 2, 3, {0, 1, 1}},
      {StretchMode::ColorOnColor, 2, 3, {0, 0, 1}},
      {StretchMode::Nearest, 5, 2, {1, 3}},
      {StretchMode::ColorOnColor, 5, 2, {0, 2}},
      {StretchMode::Nearest, 4, 4, {0, 1, 2, 3}},
  };
  const Bitmap32 src = NumberedBitmap(8, 8);
  for (const MappingCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << (c.mode == StretchMode::Nearest ? "Nearest " : "ColorOnColor ") << c.srcLength
                 << " -> " << c.dstLength);
    Bitmap32 dst(10, 10, kBackground);
    const Rect srcRect = Rect::FromSize(1, 2, c.srcLength, c.srcLength);
    const Rect dstRect = Rect::FromSize(2, 1, c.dstLength, c.dstLength);
    StretchCopy(dst, dstRect, dst.Bounds(), src, srcRect, c.mode);
    for (int y = 0; y < dst.Height(); ++y) {
      for (int x = 0; x < dst.Width(); ++x) {
        if (!dstRect.Contains(Point{x, y})) {
          EXPECT_EQ(dst.At(x, y), kBackground) << x << "," << y;
          continue;
        }
        const Pixel expected = src.At(srcRect.left + c.sourceOf[x - dstRect.left],
                                      srcRect.top + c.sourceOf[y - dstRect.top]);
        EXPECT_EQ(dst.At(x, y), expected) << x << "," << y;
      }
    }
  }
}

// StretchBlt draws once per clip rectangle: the pieces must fit together exactly.
TEST(PixelOpsStretch, ClippingDoesNotShiftThePicture) {
  const Rect dstRect{1, 1, 12, 9};
  const Rect clips[] = {{3, 2, 6, 5}, {0, 0, 4, 3}, {10, 7, 20, 20}, {5, 0, 6, 10}};
  for (const Bitmap32& src : {NumberedBitmap(7, 5), NumberedBitmap(17, 13)}) {  // up, down
    for (StretchMode mode : {StretchMode::Nearest, StretchMode::ColorOnColor}) {
      Bitmap32 whole(13, 10, kBackground);
      StretchCopy(whole, dstRect, whole.Bounds(), src, src.Bounds(), mode);
      for (const Rect& clip : clips) {
        SCOPED_TRACE(::testing::Message() << "source width " << src.Width() << " clip " << clip.left
                                          << "," << clip.top << " mode " << static_cast<int>(mode));
        Bitmap32 part(13, 10, kBackground);
        StretchCopy(part, dstRect, clip, src, src.Bounds(), mode);
        const Rect drawn = clip.Intersect(dstRect);
        for (int y = 0; y < part.Height(); ++y) {
          for (int x = 0; x < part.Width(); ++x) {
            const Pixel expected = drawn.Contains(Point{x, y}) ? whole.At(x, y) : kBackground;
            EXPECT_EQ(part.At(x, y), expected) << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(PixelOpsStretch, SourceOutsideTheSourceBitmapIsNotRead) {
  const Bitmap32 src = NumberedBitmap(4, 2);
  // srcRect starts 2 columns left of the bitmap and is drawn twice as wide: destination
  // columns 0-3 would read source columns -2 and -1 and stay as they are.
  Bitmap32 dst(8, 2, kBackground);
  StretchCopy(dst, dst.Bounds(), dst.Bounds(), src, {-2, 0, 2, 2}, StretchMode::Nearest);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.At(x, 0), kBackground) << x;
  EXPECT_EQ(dst.At(4, 0), src.At(0, 0));
  EXPECT_EQ(dst.At(5, 1), src.At(0, 1));
  EXPECT_EQ(dst.At(7, 1), src.At(1, 1));

  // Past the right and bottom edges, 1:1.
  Bitmap32 dst2(4, 4, kBackground);
  StretchCopy(dst2, dst2.Bounds(), dst2.Bounds(), src, {2, 1, 6, 5}, StretchMode::ColorOnColor);
  EXPECT_EQ(dst2.At(0, 0), src.At(2, 1));
  EXPECT_EQ(dst2.At(1, 0), src.At(3, 1));
  EXPECT_EQ(dst2.At(2, 0), kBackground);
  EXPECT_EQ(dst2.At(0, 1), kBackground);
}

TEST(PixelOpsStretch, DestinationRectPartlyOutsideTheBitmap) {
  const Bitmap32 src = NumberedBitmap(8, 8);
  Bitmap32 dst(4, 4, kBackground);
  StretchCopy(dst, {-3, -3, 5, 5}, dst.Bounds(), src, src.Bounds(), StretchMode::Nearest);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.At(x, y), src.At(x + 3, y + 3)) << x << "," << y;
  }
}

TEST(PixelOpsStretch, EmptyOrMirroredRectanglesDrawNothing) {
  const Bitmap32 src = NumberedBitmap(4, 4);
  const Bitmap32 untouched(4, 4, kBackground);
  const struct {
    Rect dstRect, clip, srcRect;
  } cases[] = {
      {{4, 0, 0, 4}, {0, 0, 4, 4}, {0, 0, 4, 4}},  // mirrored destination
      {{0, 0, 4, 4}, {0, 0, 4, 4}, {0, 4, 4, 0}},  // mirrored source
      {{0, 0, 4, 0}, {0, 0, 4, 4}, {0, 0, 4, 4}},
      {{0, 0, 4, 4}, {2, 2, 2, 2}, {0, 0, 4, 4}},  // empty clip
      {{0, 0, 4, 4}, {0, 0, 4, 4}, {1, 1, 1, 3}},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 0, 4, 4}, {0, 0, 4, 4}},  // beyond 2^30
  };
  for (const auto& c : cases) {
    Bitmap32 dst(4, 4, kBackground);
    StretchCopy(dst, c.dstRect, c.clip, src, c.srcRect, StretchMode::Nearest);
    EXPECT_EQ(dst, untouched) << c.dstRect.left << "," << c.dstRect.top << " src "
                              << c.srcRect.left;
  }
}

// Far-away rectangles must not overflow the mapping: the bitmap sees the centre pixel.
TEST(PixelOpsStretch, HugeDestinationRectangle) {
  const Bitmap32 src = NumberedBitmap(3, 3);
  Bitmap32 dst(4, 4, kBackground);
  const int half = 100'000'000;
  StretchCopy(dst, {-half, -half, half, half}, dst.Bounds(), src, src.Bounds(),
              StretchMode::Nearest);
  EXPECT_EQ(dst, Bitmap32(4, 4, src.At(1, 1)));
}

}  // namespace
}  // namespace tappomat
