// Captions on a skin: the contour passes of the hot BUTTON (left and top in its colours),
// the mixed colour of disabled skinned text, the sunken look without a skin, and the
// text drawn only inside its rectangle.
#include "skin/common/caption_look.h"

#include <gtest/gtest.h>

#include "gdi/system_colors.h"
#include "gdi/text.h"
#include "imaging/blend.h"
#include "skin/data/skin_package.h"
#include "ui/panel.h"
#include "ui/ui_fixture.h"

namespace tappomat::test {
namespace {

class SkinnedTextTest : public UiTest {
 protected:
  SkinnedTextTest() {
    form = Create<TForm>(Application);
    manager = Create<TsSkinManager>(form);
    const std::string text =
        "[GLOBALINFO]\r\nVERSION=7.20\r\nCOLOR=12632256\r\n"
        "[BUTTON]\r\nFONTCOLOR=255\r\nHOTFONTCOLOR=65280\r\nHOTTCLEFT=15724527\r\n"
        "HOTTCTOP=16777215\r\n";
    const std::vector<SkinPackageFile> files = {
        {"Options.dat", std::vector<std::uint8_t>(text.begin(), text.end())}};
    TsStoredSkin& skin = manager->InternalSkins().Add();
    skin.SetName("T");
    skin.SetData(WriteSkinPackage(files));
    manager->SetSkinName("T");
    panel = Create<TPanel>(form);
    panel->SetParent(form);
  }
  TForm* form;
  TsSkinManager* manager;
  TPanel* panel;
};

TEST_F(SkinnedTextTest, LooksFollowTheStateRecordsAndTheirContours) {
  TsCommonData data(panel, false, 93);
  data.UpdateIndexes();
  ASSERT_TRUE(data.Skinned());
  const SkinnedTextLook normal = SkinnedTextLookOf(data, true, false, 0);
  EXPECT_EQ(normal.text, 255u);
  EXPECT_EQ(normal.contour, (std::array<std::int32_t, 4>{-1, -1, -1, -1}));
  const SkinnedTextLook hot = SkinnedTextLookOf(data, true, true, 0);
  EXPECT_EQ(hot.text, 65280u);
  EXPECT_EQ(hot.contour, (std::array<std::int32_t, 4>{15724527, 16777215, -1, -1}));
  const SkinnedTextLook disabled = SkinnedTextLookOf(data, false, false, 0);
  EXPECT_EQ(disabled.text, MixColors(255, 12632256, 0.4));
  EXPECT_FALSE(disabled.sunken);

  data.SetCustomFont(true);
  const SkinnedTextLook own = SkinnedTextLookOf(data, false, false, 77);
  EXPECT_TRUE(own.sunken);
  EXPECT_EQ(own.text, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(SkinnedTextLookOf(data, true, false, 77).text, 77u);
}

TEST_F(SkinnedTextTest, ContoursAreDrawnAroundTheTextAndNothingLeavesTheRectangle) {
  Bitmap32 bitmap(40, 20, MakePixel(0, 0, 0));
  DeviceContext dc(bitmap);
  LogicalFont font;
  font.height = -11;
  SkinnedTextLook look;
  look.text = RGB(255, 0, 0);
  look.contour = {static_cast<std::int32_t>(RGB(0, 0, 255)), -1, -1, -1};
  DrawSkinnedText(dc, font, "I", Rect{10, 0, 30, 20}, DT_CENTER | DT_VCENTER | DT_SINGLELINE, look);
  int red = 0, blue = 0, outside = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) {
      const Pixel p = bitmap.At(x, y);
      if (PixelRGB(p) == 0) continue;
      if (x < 10 || x >= 30) ++outside;
      if (PixelR(p) > PixelB(p)) ++red; else ++blue;
    }
  }
  EXPECT_GT(red, 0);
  EXPECT_GT(blue, 0) << "the left contour shows beside the stem";
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace tappomat::test
