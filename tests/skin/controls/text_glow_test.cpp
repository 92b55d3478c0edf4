// The glow behind captions: a button of a small skin whose BUTTON section has a glow size
// shows its caption on a halo of the glow colour that fades out a few pixels from the
// glyphs; without a glow size the same button shows only the text's own colours.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/controls/skinned_button.h"
#include "skin/common/caption_look.h"
#include "skin/skin_fixture.h"
#include "support/image_files.h"

namespace tappomat::test {
namespace {

// A black button face with white text; `glow` adds the keys of a red glow.
std::string SkinWithGlow(const std::string& glow) {
  return "[GLOBALINFO]\r\nVERSION=7.20\r\nCOLOR=8421504\r\n"
         "[BUTTON]\r\nSTATES=1\r\nCOLOR=0\r\nFONTCOLOR=16777215\r\n" +
         glow;
}

class TextGlowTest : public SkinnedControlsTest {
 protected:
  Bitmap32 ButtonShown(const std::string& skin) {
    UseSkinText(skin);
    auto* button = Create<TsButton>(form);
    button->SetBounds(20, 20, 80, 40);
    button->SetCaption("HW");
    button->Font().SetSize(14);
    button->SetParent(form);
    form->Show();
    Pump();
    return ShownOf(*button);
  }
};

bool IsText(Pixel p) { return PixelR(p) > 128 && PixelG(p) > 128; }
bool Tinted(Pixel p) { return PixelR(p) > PixelG(p) + 20; }

// The distance (in the larger of x and y) from (x, y) to the nearest text pixel; 99: none.
int DistanceToText(const Bitmap32& b, int x, int y) {
  int best = 99;
  for (int ty = 0; ty < b.Height(); ++ty)
    for (int tx = 0; tx < b.Width(); ++tx)
      if (IsText(b.At(tx, ty))) best = std::min(best, std::max(std::abs(tx - x), std::abs(ty - y)));
  return best;
}

TEST_F(TextGlowTest, TheGlowTintsPixelsNextToTheTextAndLeavesTheRestOfTheFace) {
  const Bitmap32 shown = ButtonShown(SkinWithGlow("GSIZE=4\r\nGCOL=255\r\n"));
  // For a look by eye: the button enlarged eight times, written where the variable says.
  if (const char* path = std::getenv("TAPPOMAT_GLOW_PNG")) {
    Bitmap32 big(shown.Width() * 8, shown.Height() * 8);
    for (int y = 0; y < big.Height(); ++y)
      for (int x = 0; x < big.Width(); ++x) big.At(x, y) = shown.At(x / 8, y / 8) | 0xFF000000u;
    WriteFile(path, EncodePng(big));
  }
  int near = 0, nearTinted = 0;
  for (int y = 0; y < shown.Height(); ++y) {
    for (int x = 0; x < shown.Width(); ++x) {
      const Pixel p = shown.At(x, y);
      if (IsText(p)) continue;
      const int d = DistanceToText(shown, x, y);
      if (d == 1) {
        ++near;
        if (Tinted(p)) ++nearTinted;
      }
      if (d >= 6 && d < 99) {
        EXPECT_EQ(PixelRGB(p), 0u) << "far from the text at " << x << "," << y;
      }
    }
  }
  ASSERT_GT(near, 0) << "the caption is drawn";
  EXPECT_EQ(nearTinted, near) << "every pixel beside a glyph takes the glow's red";
}

TEST_F(TextGlowTest, WithoutAGlowSizeOnlyTheTextColoursShow) {
  const Bitmap32 shown = ButtonShown(SkinWithGlow("GCOL=255\r\n"));
  int text = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) {
      const Pixel p = shown.At(x, y);
      if (IsText(p)) ++text;
      EXPECT_FALSE(Tinted(p)) << x << "," << y;
    }
  EXPECT_GT(text, 0);
}

TEST_F(TextGlowTest, OnlyControlsWithACacheTakeTheGlow) {
  UseSkinText(SkinWithGlow("GSIZE=3\r\nGCOL=255\r\n"));
  auto* button = Create<TsButton>(form);
  button->SetParent(form);
  TsCommonData cached(button, true, 93), direct(button, false, 93);
  cached.UpdateIndexes();
  direct.UpdateIndexes();
  const SkinnedTextLook withCache = SkinnedTextLookOf(cached, true, false, 0);
  EXPECT_EQ(withCache.glowSize, 3);
  EXPECT_EQ(withCache.glowColor, 255u);
  EXPECT_EQ(SkinnedTextLookOf(direct, true, false, 0).glowSize, 0);
}

}  // namespace
}  // namespace tappomat::test
