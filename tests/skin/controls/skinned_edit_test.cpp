// The skinned edit: the cached look (section colour, text on the skin in its rectangle, by
// Alignment) while the edit is not active, the edit's own painting inside the skin's frame
// ring while it is, the section's colours taken into Color and the font (hot ones with the
// focus), the disabled blend, and the standard look while the skin is removed.
#include "skin/controls/skinned_edit.h"

#include "gdi/text.h"
#include "skin/paint/skinned_text.h"
#include "skin/skin_fixture.h"
#include "ui/button.h"

namespace tappomat::test {
namespace {

constexpr ColorRef kNormal = RGB(255, 255, 255);
constexpr ColorRef kHot = RGB(255, 255, 0);
constexpr ColorRef kFont = RGB(0, 0, 128);
constexpr ColorRef kHotFont = RGB(128, 0, 0);

class SkinnedEditTest : public SkinnedControlsTest {
 protected:
  SkinnedEditTest() {
    sink = Create<TButton>(form);
    sink->SetParent(form);
    sink->SetBounds(150, 90, 40, 20);
  }
  // An EDIT section of two states in plain colours, no border.
  void UseTwoStateEdit() {
    UseSkinText("[GLOBALINFO]\r\nVERSION=7.20\r\n"
                "[EDIT]\r\nSTATES=2\r\nCOLOR=16777215\r\nHOTCOLOR=65535\r\n"
                "FONTCOLOR=8388608\r\nHOTFONTCOLOR=128\r\n");
  }
  TsEdit* AddEdit(const std::string& text) {
    auto* edit = Create<TsEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 100, 21);
    edit->SetText(text);
    form->Show();
    Pump();
    return edit;
  }
  // The cached look of a plain two-state section: the colour, and the text drawn in the
  // skin's text rectangle.
  Bitmap32 Expected(const TsEdit& edit, ColorRef fill, ColorRef font, unsigned align) {
    Bitmap32 picture(edit.Width(), edit.Height(), MakePixel(GetRValue(fill), GetGValue(fill), GetBValue(fill)));
    DeviceContext dc(picture);
    SkinnedTextLook look;
    look.text = font;
    DrawSkinnedText(dc, edit.Font().ToLogicalFont(), edit.Text(), edit.SkinTextRect(),
                    DT_SINGLELINE | DT_NOPREFIX | align, look);
    return picture;
  }
  TButton* sink;
};

TEST_F(SkinnedEditTest, TheSectionColoursBecomeTheEditsColours) {
  UseTwoStateEdit();
  TsEdit* edit = AddEdit("12");
  Pump();
  EXPECT_EQ(ColorToRGB(edit->Color()), kNormal);
  EXPECT_EQ(ColorToRGB(edit->Font().Color()), kFont);
  edit->SetFocus();
  Pump();
  EXPECT_EQ(ColorToRGB(edit->Color()), kHot);
  EXPECT_EQ(ColorToRGB(edit->Font().Color()), kHotFont);
  edit->SkinData()->SetCustomColor(true);
  edit->SetColor(RGB(1, 2, 3));
  manager->SetActive(false);
  manager->SetActive(true);
  EXPECT_EQ(ColorToRGB(edit->Color()), RGB(1, 2, 3)) << "a custom colour stays";
}

TEST_F(SkinnedEditTest, AnInactiveEditShowsItsCacheWithTheTextInItsRectangle) {
  UseTwoStateEdit();
  TsEdit* edit = AddEdit("1234");
  EXPECT_EQ(edit->SkinTextRect(), (Rect{3, 3, 98, 19}));
  struct Case {
    TAlignment alignment;
    unsigned flags;
  };
  for (const Case& c : {Case{TAlignment::taLeftJustify, DT_LEFT}, Case{TAlignment::taRightJustify, DT_RIGHT},
                        Case{TAlignment::taCenter, DT_CENTER}}) {
    SCOPED_TRACE(static_cast<int>(c.alignment));
    edit->SetAlignment(c.alignment);
    EXPECT_FALSE(edit->PaintsNatively());
    EXPECT_TRUE(SameColors(ShownOf(*edit), Expected(*edit, kNormal, kFont, c.flags)));
  }
  // A text written by code while the edit is inactive shows at once.
  edit->SetText("56");
  EXPECT_TRUE(SameColors(ShownOf(*edit), Expected(*edit, kNormal, kFont, DT_CENTER)));
}

TEST_F(SkinnedEditTest, AFocusedEditPaintsItselfInsideTheSkinsFrameRing) {
  UseTwoStateEdit();
  TsEdit* edit = AddEdit("");
  edit->SetFocus();
  Pump();
  ASSERT_TRUE(edit->PaintsNatively());
  const Bitmap32 shown = ShownOf(*edit);
  // The ring (two pixels) is the hot section; the inside is the edit's own fill, which is
  // the hot colour too now. The edit's own sunken frame shows nowhere.
  for (int x = 0; x < edit->Width(); ++x) {
    EXPECT_EQ(ColorFromPixel(shown.At(x, 0)), kHot) << x;
    EXPECT_EQ(ColorFromPixel(shown.At(x, 1)), kHot) << x;
    EXPECT_EQ(ColorFromPixel(shown.At(x, edit->Height() - 1)), kHot) << x;
  }
  // The caret is the edit's: a column in the font colour at the text start.
  edit->SetText("");
  int caretPixels = 0;
  const Bitmap32 withCaret = ShownOf(*edit);
  for (int y = 2; y < edit->Height() - 2; ++y)
    if (ColorFromPixel(withCaret.At(3, y)) != kHot) ++caretPixels;
  EXPECT_GT(caretPixels, 0) << "the edit's own caret shows";

  sink->SetFocus();
  Pump();
  EXPECT_FALSE(edit->PaintsNatively());
  EXPECT_TRUE(SameColors(ShownOf(*edit), Expected(*edit, kNormal, kFont, DT_LEFT)));
}

TEST_F(SkinnedEditTest, UnderThePointerTheEditPaintsItself) {
  UseTwoStateEdit();
  TsEdit* edit = AddEdit("7");
  Pump();
  MoveTo(edit->ClientToScreen({10, 10}));
  EXPECT_TRUE(edit->PaintsNatively());
  MoveTo(form->ClientToScreen({180, 10}));
  EXPECT_FALSE(edit->PaintsNatively());
  edit->SetEnabled(false);
  MoveTo(edit->ClientToScreen({10, 10}));
  EXPECT_FALSE(edit->PaintsNatively()) << "a disabled edit always shows its cache";
}

TEST_F(SkinnedEditTest, ADisabledEditIsBlendedWithWhatLiesBehind) {
  UseSkinText("[GLOBALINFO]\r\nVERSION=7.20\r\n[EDIT]\r\nSTATES=1\r\nCOLOR=8421504\r\nFONTCOLOR=0\r\n");
  TsEdit* edit = AddEdit("");
  edit->SetEnabled(false);
  // Half grey, half the form's white.
  const Pixel p = ShownOf(*edit).At(50, 10);
  EXPECT_EQ(ColorFromPixel(p), RGB(192, 192, 192));
}

TEST_F(SkinnedEditTest, WithoutTheSkinItIsTheStandardEditAndBackAtOnce) {
  UseTwoStateEdit();
  TsEdit* edit = AddEdit("42");
  auto* plain = Create<TEdit>(form);
  plain->SetParent(form);
  plain->SetBounds(20, 60, 100, 21);
  plain->SetText("42");
  const Bitmap32 skinned = ShownOf(*edit);
  EXPECT_TRUE(SameColors(skinned, Expected(*edit, kNormal, kFont, DT_LEFT)));

  manager->SetActive(false);
  EXPECT_EQ(ColorToRGB(edit->Color()), ColorToRGB(clWindow));
  EXPECT_TRUE(SameColors(ShownOf(*edit), ShownOf(*plain)));

  manager->SetActive(true);
  EXPECT_TRUE(SameColors(ShownOf(*edit), skinned));
}

}  // namespace
}  // namespace tappomat::test
