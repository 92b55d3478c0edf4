// What a skinned panel answers a child that asks for its background: a plain field gives
// its colour, and, when its border is drawn in every look, also its picture and the
// border's widths, so that a see-through child lying over the border shows it.
#include "skin/common/background_query.h"

#include <gtest/gtest.h>

#include "skin/paint/mask_paint.h"
#include "skin/controls/skinned_check_box.h"
#include "skin/controls/skinned_panel.h"
#include "skin/data/skin_message.h"
#include "skin/skin_fixture.h"

namespace tappomat::test {
namespace {

class BackgroundQueryTest : public SkinnedControlsTest {
 protected:
  BackgroundQueryTest() {
    // The border is the built-in PANEL's (6 x 6 in the master bitmap, one pixel wide),
    // drawn in every look (draw mode 1) or only in the hot one (draw mode 3).
    UseNeutral2With(
        "[ALWAYSFRAMED]\r\nCOLOR=255\r\nBORDERSMASK=^0243^0156^0249^0162^0000^0000^0000^0000^1^0^1^"
        "1\r\n"
        "[HALFFRAMED]\r\nCOLOR=255\r\nTRANSPARENCY=50\r\n"
        "BORDERSMASK=^0243^0156^0249^0162^0000^0000^0000^0000^1^0^1^1\r\n"
        "[HOTFRAMED]\r\nCOLOR=255\r\nBORDERSMASK=^0243^0156^0249^0162^0000^0000^0000^0000^1^0^3^"
        "1\r\n"
        "[UNFRAMED]\r\nCOLOR=255\r\n");
    panel = Create<TsPanel>(form);
    panel->SetBounds(10, 10, 80, 60);
    panel->SetParent(form);
    form->Show();
    Pump();
  }
  TacBGInfo Ask(Point offset) {
    TacBGInfo info;
    info.offset = offset;
    EXPECT_NE(panel->Perform(WM_SKIN, SkinWParam(SkinCode::QueryBackground),
                             reinterpret_cast<LPARAM>(&info)),
              0);
    return info;
  }
  TsPanel* panel;
};

TEST_F(BackgroundQueryTest, APlainFieldGivesItsPictureAndBorderWidthsWhenTheBorderIsAlwaysDrawn) {
  const struct {
    const char* section;
    ColorRef color;
    bool withBorder;
  } cases[] = {
      {"PANEL", 14737632, true},  // the built-in skin's dialog panels
      {"ALWAYSFRAMED", 255, true},
      {"HALFFRAMED", RGB(255, 128, 128), true},  // half the white form, half red
      {"HOTFRAMED", 255, false},
      {"UNFRAMED", 255, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section);
    panel->SkinData()->SetSkinSection(c.section);
    Pump();
    const TacBGInfo info = Ask({5, 5});
    EXPECT_EQ(info.kind, BackgroundKind::Color);
    EXPECT_EQ(info.color, c.color);
    if (c.withBorder) {
      const TsMaskData& border = *MaskAt(Tables(), panel->SkinData()->BorderIndex());
      EXPECT_EQ(info.image, panel->SkinData()->Cache());
      EXPECT_EQ(info.margins, (std::array<int, 4>{border.MarginLeft(), border.MarginTop(),
                                                  border.MarginRight(), border.MarginBottom()}));
      EXPECT_EQ(info.margins, (std::array<int, 4>{1, 1, 1, 1}));
    } else {
      EXPECT_EQ(info.image, nullptr);
      EXPECT_EQ(info.margins, (std::array<int, 4>{}));
    }
  }
}

TEST_F(BackgroundQueryTest, ASeeThroughChildOverThePanelsBorderShowsTheBorder) {
  panel->SkinData()->SetSkinSection("ALWAYSFRAMED");
  auto* box = Create<TsCheckBox>(form);
  box->SetParent(panel);
  box->SetBounds(0, 20, 60, 20);  // its left column lies on the panel's left border
  Pump();
  Shown();
  const Bitmap32& panelPicture = *panel->SkinData()->Cache();
  const Bitmap32& boxPicture = *box->SkinData()->Cache();
  ASSERT_FALSE(boxPicture.IsEmpty());
  const Pixel border = panelPicture.At(0, 30);
  const Pixel field = panelPicture.At(40, 30);
  ASSERT_NE(PixelRGB(border), PixelRGB(field)) << "the border differs from the field";
  for (int y = 0; y < box->Height(); ++y) {
    EXPECT_EQ(PixelRGB(boxPicture.At(0, y)), PixelRGB(panelPicture.At(0, 20 + y))) << "row " << y;
  }
  EXPECT_EQ(PixelRGB(boxPicture.At(box->Width() - 1, 0)), PixelRGB(field))
      << "inside, the field's colour";
}

}  // namespace
}  // namespace tappomat::test
