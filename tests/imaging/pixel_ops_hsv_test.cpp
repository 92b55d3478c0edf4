// Hue rotation, saturation and grey, on colours and on bitmaps.
#include "imaging/pixel_ops.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace tappomat {
namespace {

struct ColorCase {
  ColorRef in;
  int amount;
  ColorRef expected;
};

TEST(PixelOpsHsv, RotateHueTable) {
  const ColorCase cases[] = {
      {RGB(255, 0, 0), 120, RGB(0, 255, 0)},
      {RGB(255, 0, 0), 240, RGB(0, 0, 255)},
      {RGB(255, 0, 0), -120, RGB(0, 0, 255)},
      {RGB(255, 0, 0), 480, RGB(0, 255, 0)},
      {RGB(255, 0, 0), 60, RGB(255, 255, 0)},
      {RGB(255, 0, 0), 180, RGB(0, 255, 255)},
      {RGB(255, 0, 0), 30, RGB(255, 128, 0)},  // 127.5 rounds on, away from red
      {RGB(200, 100, 50), 120, RGB(50, 200, 100)},
      {RGB(200, 100, 50), 90, RGB(75, 200, 50)},  // hue 20 -> 110: 200 - 150 * 50 / 60
      {RGB(200, 100, 50), 360, RGB(200, 100, 50)},
      {RGB(200, 100, 50), -720, RGB(200, 100, 50)},
      {RGB(90, 90, 90), 77, RGB(90, 90, 90)},  // grey has no hue
      {RGB(0, 0, 0), 77, RGB(0, 0, 0)},
      {0x7F000000u | RGB(255, 0, 0), 120, 0x7F000000u | RGB(0, 255, 0)},  // fourth byte kept
  };
  for (const ColorCase& c : cases) {
    EXPECT_EQ(RotateHue(c.in, c.amount), c.expected)
        << std::hex << c.in << std::dec << " by " << c.amount;
  }
}

// A turn by a third of the circle moves each channel's value to the next channel, exactly,
// and any turn keeps the largest and smallest channel (value and saturation).
TEST(PixelOpsHsv, RotateHueKeepsValueAndSaturation) {
  for (int r = 0; r < 256; r += 15) {
    for (int g = 0; g < 256; g += 17) {
      for (int b = 0; b < 256; b += 51) {
        const auto c = RGB(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                           static_cast<std::uint8_t>(b));
        ASSERT_EQ(RotateHue(c, 120), RGB(GetBValue(c), GetRValue(c), GetGValue(c)))
            << r << " " << g << " " << b;
        ASSERT_EQ(RotateHue(c, 240), RGB(GetGValue(c), GetBValue(c), GetRValue(c)))
            << r << " " << g << " " << b;
        ASSERT_EQ(RotateHue(c, 360), c);
        for (int degrees : {1, 37, 200, -45}) {
          const ColorRef t = RotateHue(c, degrees);
          ASSERT_EQ(std::max({GetRValue(t), GetGValue(t), GetBValue(t)}), std::max({r, g, b}));
          ASSERT_EQ(std::min({GetRValue(t), GetGValue(t), GetBValue(t)}), std::min({r, g, b}));
        }
      }
    }
  }
}

TEST(PixelOpsHsv, ChangeSaturationTable) {
  const ColorCase cases[] = {
      // V 200, S 0.75
      {RGB(200, 100, 50), -100, RGB(200, 200, 200)},  // grey of the same value
      {RGB(200, 100, 50), -50, RGB(200, 150, 125)},   // S 0.375
      {RGB(200, 100, 50), 50, RGB(200, 83, 25)},      // S 0.875: 200 - 116.7, 200 - 175
      {RGB(200, 100, 50), 100, RGB(200, 67, 0)},      // S 1: 200 - 133.3
      {RGB(200, 100, 50), 0, RGB(200, 100, 50)},
      {RGB(200, 100, 50), 250, RGB(200, 67, 0)},  // clamped to 100
      {RGB(200, 100, 50), -250, RGB(200, 200, 200)},
      {RGB(0, 0, 255), -50, RGB(127, 127, 255)},  // 255 - 127.5: halves go down
      {RGB(128, 128, 128), 100, RGB(128, 128, 128)},
      {RGB(0, 0, 0), 100, RGB(0, 0, 0)},
      {0x7F000000u | RGB(200, 100, 50), -100, 0x7F000000u | RGB(200, 200, 200)},
  };
  for (const ColorCase& c : cases) {
    EXPECT_EQ(ChangeSaturation(c.in, c.amount), c.expected)
        << std::hex << c.in << std::dec << " by " << c.amount;
  }
}

// Bitmaps: channels in pixel order, alpha kept, fuchsia left alone. The first pixel's
// channels all differ, so a red/blue mix-up between pixels and colours shows.
class PixelOpsHsvBitmap : public ::testing::Test {
 protected:
  PixelOpsHsvBitmap() : m_bitmap(5, 1) {
    m_bitmap.At(0, 0) = MakePixel(200, 100, 50, 0x40);
    m_bitmap.At(1, 0) = MakePixel(255, 0, 255, 0x80);  // fuchsia
    m_bitmap.At(2, 0) = MakePixel(90, 90, 90, 0x10);
    m_bitmap.At(3, 0) = MakePixel(255, 0, 254, 0x20);   // not quite fuchsia
    m_bitmap.At(4, 0) = MakePixel(200, 100, 50, 0x40);  // outside the rectangle
  }
  static constexpr Rect kRect{0, 0, 4, 1};

  void ExpectRow(Pixel p0, Pixel p2, Pixel p3) {
    EXPECT_EQ(m_bitmap.At(0, 0), p0);
    EXPECT_EQ(m_bitmap.At(1, 0), MakePixel(255, 0, 255, 0x80));
    EXPECT_EQ(m_bitmap.At(2, 0), p2);
    EXPECT_EQ(m_bitmap.At(3, 0), p3);
    EXPECT_EQ(m_bitmap.At(4, 0), MakePixel(200, 100, 50, 0x40));
  }

  Bitmap32 m_bitmap;
};

TEST_F(PixelOpsHsvBitmap, RotateHue) {
  RotateHue(m_bitmap, kRect, 120);
  ExpectRow(MakePixel(50, 200, 100, 0x40), MakePixel(90, 90, 90, 0x10),
            MakePixel(254, 255, 0, 0x20));
}

TEST_F(PixelOpsHsvBitmap, ChangeSaturation) {
  ChangeSaturation(m_bitmap, kRect, -100);
  ExpectRow(MakePixel(200, 200, 200, 0x40), MakePixel(90, 90, 90, 0x10),
            MakePixel(255, 255, 255, 0x20));
}

TEST_F(PixelOpsHsvBitmap, Grayscale) {
  Grayscale(m_bitmap, kRect);
  // (200 * 77 + 100 * 151 + 50 * 28) >> 8 = 31900 >> 8 = 124; (255 * 77 + 254 * 28) >> 8 = 104
  ExpectRow(MakePixel(124, 124, 124, 0x40), MakePixel(90, 90, 90, 0x10),
            MakePixel(104, 104, 104, 0x20));
}

}  // namespace
}  // namespace tappomat
