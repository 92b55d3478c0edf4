// See-through corners refreshed on their own: a button of the built-in skin (rounded
// corners cut by its border mask) built its picture on a white form; the form turns green
// and only the corners named in the set take the new colour, outside the mask's outline.
#include "skin/common/transparent_corners.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin/paint/mask_paint.h"
#include "skin/controls/push_button_skin.h"
#include "skin/controls/skinned_button.h"
#include "skin/skin_fixture.h"

namespace tappomat::test {
namespace {

constexpr Pixel kWhite = MakePixel(255, 255, 255);
constexpr Pixel kGreen = MakePixel(0, 128, 0);

class TransparentCornersTest : public SkinnedControlsTest {
 protected:
  TransparentCornersTest() {
    UseNeutral2();
    button = Create<TsButton>(form);
    button->SetBounds(20, 20, 75, 25);
    button->SetCaption("OK");
    button->SetParent(form);
    form->Show();
    Pump();
  }
  const TsGeneralData& Section() {
    return Tables().sections[static_cast<std::size_t>(button->SkinData()->SkinIndex())];
  }
  int SectionState() { return ButtonSectionState(Section(), button->PaintState()); }
  // The pixels of one corner (bit of the corner set) outside the mask's outline.
  std::vector<Point> CutPixels(unsigned corner) {
    const int w = button->Width(), h = button->Height();
    const Region inside = BorderShape(Tables(), Section().borderIndex, SectionState(), {w, h});
    const TsMaskData& mask = *MaskAt(Tables(), Section().borderIndex);
    const bool right = corner == kCornerTopRight || corner == kCornerBottomRight;
    const bool lower = corner == kCornerBottomLeft || corner == kCornerBottomRight;
    const Rect area =
        Rect::FromSize(right ? w - mask.MarginRight() : 0, lower ? h - mask.MarginBottom() : 0,
                       right ? mask.MarginRight() : mask.MarginLeft(),
                       lower ? mask.MarginBottom() : mask.MarginTop());
    std::vector<Point> cut;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (!inside.Contains({x, y})) cut.push_back({x, y});
    return cut;
  }
  Pixel CacheAt(Point p) { return button->SkinData()->Cache()->At(p.x, p.y) | 0xFF000000u; }

  TsButton* button;
};

TEST_F(TransparentCornersTest, CornersInTheSetShowTheParentsNewColourAndNothingElseChanges) {
  ASSERT_TRUE(button->CacheUpToDate());
  ASSERT_NE(MaskAt(Tables(), Section().borderIndex), nullptr);
  for (unsigned corner : {kCornerTopLeft, kCornerBottomLeft, kCornerTopRight, kCornerBottomRight})
    ASSERT_FALSE(CutPixels(corner).empty()) << "corner " << corner << " is rounded";
  for (const Point p : CutPixels(kCornerTopLeft))
    EXPECT_EQ(CacheAt(p), kWhite) << "built on the white form";
  const Bitmap32 before = *button->SkinData()->Cache();

  form->SetColor(RGB(0, 128, 0));  // no pump: the cache is not rebuilt
  RefreshTransparentCorners(*button->SkinData(), SectionState(),
                            kCornerTopLeft | kCornerBottomRight);

  for (unsigned corner : {kCornerTopLeft, kCornerBottomRight})
    for (const Point p : CutPixels(corner)) EXPECT_EQ(CacheAt(p), kGreen) << p.x << "," << p.y;
  for (unsigned corner : {kCornerBottomLeft, kCornerTopRight})
    for (const Point p : CutPixels(corner))
      EXPECT_EQ(CacheAt(p), kWhite) << "left alone: " << p.x << "," << p.y;
  const Region inside = BorderShape(Tables(), Section().borderIndex, SectionState(),
                                    {button->Width(), button->Height()});
  int changedInside = 0;
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x)
      if (inside.Contains({x, y}) && PixelRGB(before.At(x, y)) != PixelRGB(CacheAt({x, y})))
        ++changedInside;
  EXPECT_EQ(changedInside, 0) << "face and border keep their pixels";
}

TEST_F(TransparentCornersTest, AnEmptySetOrNoCacheChangesNothing) {
  const Bitmap32 before = *button->SkinData()->Cache();
  form->SetColor(RGB(0, 128, 0));
  RefreshTransparentCorners(*button->SkinData(), SectionState(), 0);
  EXPECT_TRUE(SameColors(before, *button->SkinData()->Cache()));

  TsCommonData uncached(button, false, 93);
  uncached.UpdateIndexes();
  RefreshTransparentCorners(uncached, SectionState(), kAllCorners);  // must not crash
}

}  // namespace
}  // namespace tappomat::test
