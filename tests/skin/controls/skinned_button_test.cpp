// Skinned buttons on a form with the built-in skin: which look each condition of the
// button shows, the caption in the skin's colours, the focus rectangle, the disabled look,
// the skin taken away and given back at run time, and the speed buttons' group and glyph.
#include "skin/controls/skinned_button.h"

#include <gtest/gtest.h>

#include "skin/controls/skinned_bit_btn.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/skin_fixture.h"
#include "gdi/text.h"
#include "ui/button.h"
#include "win/window_system.h"

namespace tappomat::test {
namespace {

// Row 7 of BUTTON's face (left of any caption): the normal gradient gives 222 there, the
// hot one (also used pressed and for the default button) 245.
constexpr Pixel kNormalRow7 = MakePixel(222, 222, 222);
constexpr Pixel kHotRow7 = MakePixel(245, 245, 245);

class SkinnedButtonTest : public SkinnedControlsTest {
 protected:
  SkinnedButtonTest() {
    form->SetBounds(40, 40, 300, 200);
    UseNeutral2();
    // A standard button takes the focus first, so that the skinned ones start unfocused.
    Place<TButton>({200, 150, 275, 175}, "Holder");
    button = Place<TsButton>({20, 20, 95, 45}, "OK");
    other = Place<TsButton>({20, 60, 95, 85}, "Other");
    form->Show();
    Pump();
  }
  template <class T>
  T* Place(Rect bounds, const std::string& caption = {}) {
    T* control = Create<T>(form);
    control->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    control->SetCaption(caption);
    control->SetParent(form);
    return control;
  }
  Bitmap32 OnScreen(const TControl* control) {
    Pump();
    return ShownOf(*control);
  }
  Pixel Face(const TControl* control) { return OnScreen(control).At(8, 7) | 0xFF000000u; }

  TsButton* button;
  TsButton* other;
};

TEST_F(SkinnedButtonTest, EachConditionShowsItsLook) {
  ASSERT_TRUE(button->SkinData()->Skinned(true));
  EXPECT_EQ(button->PaintState(), 0);
  EXPECT_EQ(Face(button), kNormalRow7);

  MoveTo(ScreenPoint(button));
  EXPECT_EQ(button->PaintState(), 1) << "under the pointer";
  EXPECT_EQ(Face(button), kHotRow7);
  EXPECT_EQ(Face(other), kNormalRow7) << "only the hovered button changes";

  platform.UserButton(ScreenPoint(button), MouseButton::Left, true);
  Pump();
  EXPECT_EQ(button->PaintState(), 2) << "held down";
  const Bitmap32 pressed = OnScreen(button);
  platform.UserButton(ScreenPoint(button), MouseButton::Left, false);
  Pump();
  EXPECT_EQ(button->PaintState(), 1) << "focused and under the pointer again";
  EXPECT_NE(OnScreen(button), pressed) << "the pressed frame of the border differs from the hot one";

  MoveTo({0, 0});
  EXPECT_EQ(button->PaintState(), 1) << "the click gave it the focus";
  other->SetFocus();
  Pump();
  EXPECT_EQ(button->PaintState(), 0);
  EXPECT_EQ(Face(button), kNormalRow7);

  button->SetDefault(true);
  Pump();
  EXPECT_EQ(button->PaintState(), 3);
  EXPECT_EQ(Face(button), kHotRow7) << "a three-state section paints the default button hot";
}

TEST_F(SkinnedButtonTest, ALatchedButtonKeepsItsPressedLookAndStillClicks) {
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  button->SetDown(true);
  Pump();
  const Bitmap32 down = OnScreen(button);
  EXPECT_EQ(button->PaintState(), 2);
  MoveTo(ScreenPoint(button));
  EXPECT_EQ(OnScreen(button), down);
  Click(button);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->PaintState(), 2);
  // The click gave it the focus: the pressed look with the focus rectangle.
  MoveTo({0, 0});
  EXPECT_EQ(Face(button), down.At(8, 7));
  EXPECT_EQ(OnScreen(button).At(2, 2), down.At(2, 2)) << "the pressed border stays";
}

TEST_F(SkinnedButtonTest, TheCaptionTakesTheSkinsColourAndHonoursBoldAndSize) {
  button->Font().SetColor(clRed);
  button->Font().SetStyle(fsBold);
  Pump();
  const Bitmap32 picture = OnScreen(button);
  bool red = false;
  bool ink = false;
  for (const Pixel p : picture.Pixels()) {
    red = red || (PixelR(p) > 150 && PixelG(p) < 80);
    ink = ink || PixelRGB(p) == 0;
  }
  EXPECT_FALSE(red) << "the section's font colour, not the control's";
  EXPECT_TRUE(ink) << "BUTTON's font colour is black";
  button->Font().SetStyle(0);
  Pump();
  EXPECT_NE(OnScreen(button), picture) << "bold shows";
}

TEST_F(SkinnedButtonTest, TheFocusRectangleIsDottedAroundTheCaptionOnlyWithACaption) {
  button->SetFocus();
  Pump();
  const Bitmap32 focused = OnScreen(button);
  // "OK" measured tw x th: the caption rectangle is ((75 - tw) / 2 - 1, (25 - th) / 2) to
  // (left + tw + 2, 25 - top); the focus rectangle lies 2 left and right, 1 above and below.
  Bitmap32 scratch(1, 1);
  DeviceContext dc(scratch);
  dc.SetFont(button->Font().ToLogicalFont());
  const Size text = GetTextExtent(dc, "OK");
  const int left = (75 - text.width) / 2 - 1 - 2;
  const int top = std::max((25 - text.height) / 2 - 1, 3);
  const Pixel ink = focused.At(left + 1, top);
  EXPECT_EQ(PixelRGB(ink), 0u) << "dotted in the hot font colour (black)";
  EXPECT_NE(focused.At(left + 2, top), ink) << "every other pixel";

  other->SetCaption("");
  other->SetFocus();
  Pump();
  const Bitmap32 empty = OnScreen(other);
  for (const Pixel p : empty.Pixels()) ASSERT_NE(PixelRGB(p), 0u) << "no caption, no focus rectangle";
}

TEST_F(SkinnedButtonTest, ADisabledButtonIsBlendedHalfWithItsParent) {
  const Pixel behind = PixelFromColor(ColorToRGB(form->Color()));
  button->SetEnabled(false);
  Pump();
  const auto half = [](int a, int b) {
    // halves to even, as every mix of skinned painting
    const int twice = a + b;
    return twice % 2 == 0 ? twice / 2 : (twice / 2) % 2 == 0 ? twice / 2 : twice / 2 + 1;
  };
  const Pixel face = Face(button);
  EXPECT_EQ(PixelR(face), half(222, PixelR(behind)));
  EXPECT_EQ(PixelB(face), half(222, PixelB(behind)));
}

TEST_F(SkinnedButtonTest, TheSkinComesAndGoesAtRunTime) {
  auto* plain = Place<TButton>({120, 20, 195, 45}, "OK");
  Pump();
  manager->SetActive(false);
  Pump();
  EXPECT_FALSE(button->SkinData()->Skinned(true));
  Bitmap32 classic = OnScreen(plain);
  EXPECT_EQ(OnScreen(button), classic) << "the standard look, at once";
  manager->SetActive(true);
  Pump();
  EXPECT_EQ(Face(button), kNormalRow7);
}

TEST_F(SkinnedButtonTest, ALoneGlyphSitsInTheMiddleAndMovesWhenPressed) {
  Bitmap32 pin(16, 16, MakePixel(0, 0, 200));  // opaque: drawn with its own alpha
  auto* onTop = Place<TsBitBtn>({120, 60, 146, 76});
  onTop->SetGlyph(pin);
  Bitmap32 flag(16, 11, 0);  // alpha 0 everywhere: the top-left colour is transparent
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 16; ++x) flag.At(x, y) = y < 4 ? MakePixel(255, 255, 255, 0) : MakePixel(200, 0, 0, 0);
  auto* rus = Place<TsSpeedButton>({150, 60, 173, 77});
  auto* eng = Place<TsSpeedButton>({173, 60, 196, 77});
  for (TsSpeedButton* b : {rus, eng}) {
    b->SetGroupIndex(1);
    b->SetGlyph(flag);
  }
  rus->SetDown(true);
  Pump();
  const Bitmap32 pinned = OnScreen(onTop);
  EXPECT_EQ(pinned.At(5, 0), MakePixel(0, 0, 200));
  EXPECT_EQ(pinned.At(20, 15), MakePixel(0, 0, 200));
  EXPECT_NE(pinned.At(4, 8), MakePixel(0, 0, 200));
  EXPECT_NE(pinned.At(21, 8), MakePixel(0, 0, 200));

  // Down: the glyph at (4, 4) instead of (3, 3); the white rows (the top-left colour) are
  // left out, the red ones copied.
  const Bitmap32 down = OnScreen(rus);
  EXPECT_EQ(down.At(4, 8), MakePixel(200, 0, 0));
  EXPECT_EQ(down.At(19, 14), MakePixel(200, 0, 0));
  EXPECT_NE(PixelRGB(down.At(6, 5)), PixelRGB(MakePixel(255, 255, 255)));
  const Bitmap32 up = OnScreen(eng);
  EXPECT_EQ(up.At(3, 7), MakePixel(200, 0, 0));
  EXPECT_EQ(up.At(18, 13), MakePixel(200, 0, 0));

  int rusClicks = 0;
  rus->OnClick = [&](TComponent*) { ++rusClicks; };
  Click(rus);
  EXPECT_TRUE(rus->Down()) << "the down button of a group stays down";
  EXPECT_EQ(rusClicks, 1);
  Click(eng);
  EXPECT_TRUE(eng->Down());
  EXPECT_FALSE(rus->Down());
  MoveTo({0, 0});
  EXPECT_EQ(OnScreen(eng).At(4, 8), MakePixel(200, 0, 0));
  EXPECT_EQ(OnScreen(rus).At(3, 7), MakePixel(200, 0, 0));
}

TEST_F(SkinnedButtonTest, ADefaultBitButtonLooksDefaultOnlyWhileNoSkinnedButtonHasTheFocus) {
  auto* bit = Place<TsBitBtn>({120, 20, 195, 45}, "Bit");
  bit->SetDefault(true);
  button->SetDefault(true);
  auto* plain = FindControl<TButton>(*form, "Holder");
  ASSERT_NE(plain, nullptr);
  plain->SetFocus();
  Pump();
  EXPECT_EQ(bit->PaintState(), 3);
  EXPECT_EQ(button->PaintState(), 3);
  other->SetFocus();
  Pump();
  EXPECT_EQ(bit->PaintState(), 0) << "a skinned button holds the focus";
  EXPECT_EQ(button->PaintState(), 3) << "a plain skinned button keeps its default look";
}

TEST_F(SkinnedButtonTest, ABigButtonTakesItsMasksRoundedOutlineAsItsShape) {
  auto* big = Place<TsButton>({100, 100, 220, 160}, "Big");
  big->SkinData()->SetSkinSection("BUTTON_HUGE");
  Pump();
  ASSERT_TRUE(big->SkinData()->Skinned(true));
  const std::optional<Region> shape = GetWindowRgn(big->Handle());
  ASSERT_TRUE(shape.has_value()) << "the huge button's mask cuts its corners";
  EXPECT_FALSE(shape->Contains({0, 0}));
  EXPECT_FALSE(shape->Contains({119, 59}));
  EXPECT_TRUE(shape->Contains({60, 30}));
  EXPECT_TRUE(shape->Contains({60, 0})) << "the top edge stays";
  EXPECT_FALSE(GetWindowRgn(button->Handle()).has_value()) << "plain buttons stay rectangles";

  manager->SetActive(false);
  Pump();
  EXPECT_FALSE(GetWindowRgn(big->Handle()).has_value()) << "without the skin the button is square again";
}

}  // namespace
}  // namespace tappomat::test
