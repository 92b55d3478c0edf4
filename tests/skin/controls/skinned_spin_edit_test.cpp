// The skinned spin edit: the value rules are the standard spin edit's (a key table run on
// the skinned class), the skinned button pair in the standard pair's place with its
// arrows at their exact pixels in the section's font colours, the auto-repeat on the
// driven clock, the text rectangle that leaves the buttons free, the pair shown only while
// the edit is enabled, and the standard look while the skin is removed.
#include "skin/controls/skinned_spin_edit.h"

#include <functional>

#include "platform/virtual_keys.h"
#include "skin/skin_fixture.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

constexpr ColorRef kArrow = RGB(0, 0, 255);
constexpr ColorRef kHotArrow = RGB(255, 0, 0);

class SkinnedSpinEditTest : public SkinnedControlsTest {
 protected:
  SkinnedSpinEditTest() {
    spin = Create<TsSpinEdit>(form);
    spin->SetParent(form);
    spin->SetBounds(20, 20, 120, 21);
    other = Create<TEdit>(form);
    other->SetParent(form);
    other->SetBounds(20, 60, 120, 21);
    form->Show();
    Pump();
  }
  // Plain sections: a white edit, light grey buttons with blue arrows (red when hot).
  void UseSpinSkin() {
    UseSkinText("[GLOBALINFO]\r\nVERSION=7.20\r\n"
                "[EDIT]\r\nSTATES=1\r\nCOLOR=16777215\r\nFONTCOLOR=0\r\n"
                "[SPEEDBUTTON_SMALL]\r\nSTATES=2\r\nCOLOR=14737632\r\nHOTCOLOR=14737632\r\n"
                "FONTCOLOR=16711680\r\nHOTFONTCOLOR=255\r\n");
    Pump();
  }
  Point Centre(const TControl& c) { return c.ClientToScreen({c.Width() / 2, c.Height() / 2}); }
  void Press(Point screen) {
    platform.UserButton(screen, MouseButton::Left, true);
    Pump();
  }
  void Release(Point screen) {
    platform.UserButton(screen, MouseButton::Left, false);
    Pump();
  }
  void WithCtrl(int key) {
    platform.UserKey(VK_CONTROL, true);
    Key(key);
    platform.UserKey(VK_CONTROL, false);
    Pump();
  }
  // The colours of a button as the form shows it.
  Bitmap32 ShownButton(const TControl& button) { return ShownOf(button); }

  TsSpinEdit* spin;
  TEdit* other;
};

TEST_F(SkinnedSpinEditTest, TheValueRulesAreTheStandardOnes) {
  struct Case {
    const char* name;
    std::function<void(TsSpinEdit*)> setup;
    std::string text;  // put in with the caret at its end
    std::function<void()> action;
    std::string want;
    int beeps;
  };
  const auto type = [this](const std::string& s) { return [this, s] { Type(s); }; };
  const auto leave = [this] {
    other->SetFocus();
    Pump();
  };
  const std::vector<Case> cases = {
      {"a fifth digit is refused by the length", [](TsSpinEdit* s) { s->SetMaxValue(9999); s->SetMaxLength(4); },
       "", type("99999"), "9999", 0},
      {"Up at the maximum keeps it", [](TsSpinEdit* s) { s->SetMaxValue(9999); }, "9999",
       [this] { Key(VK_UP); }, "9999", 0},
      {"Down steps", [](TsSpinEdit*) {}, "5", [this] { Key(VK_DOWN); }, "4", 0},
      {"eight nines clamp on leaving", [](TsSpinEdit* s) { s->SetMaxValue(86400000); }, "99999999", leave,
       "86400000", 0},
      {"minus typed last lands in front, leaving clamps", [](TsSpinEdit* s) { s->SetMaxValue(9999); }, "5",
       [&] { Type("-"); EXPECT_EQ(spin->Text(), "-5"); leave(); }, "0", 0},
      {"no limits keep a negative number", [](TsSpinEdit*) {}, "12", [&] { Type("-"); leave(); }, "-12", 0},
      {"a minus sign alone becomes 0", [](TsSpinEdit*) {}, "-", leave, "0", 0},
      {"letters beep", [](TsSpinEdit*) {}, "1", type("ab"), "1", 2},
      {"Enter beeps and changes nothing", [](TsSpinEdit*) {}, "12", [this] { Key(VK_RETURN); }, "12", 1},
      {"a pasted number goes in", [](TsSpinEdit*) {}, "12",
       [&] { platform.SetClipboardText("3"); WithCtrl('V'); }, "123", 0},
      {"a paste that is no number is undone", [](TsSpinEdit*) {}, "12",
       [&] { platform.SetClipboardText("x"); WithCtrl('V'); }, "12", 0},
      {"read-only beeps on a step", [](TsSpinEdit* s) { s->SetReadOnly(true); }, "3", [this] { Key(VK_UP); },
       "3", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetMaxLength(0);
    spin->SetReadOnly(false);
    c.setup(spin);
    spin->SetFocus();
    Pump();
    spin->SetText(c.text);
    spin->SetSelStart(static_cast<int>(c.text.size()));
    const int beeps = platform.BeepCount();
    c.action();
    EXPECT_EQ(spin->Text(), c.want);
    EXPECT_EQ(platform.BeepCount() - beeps, c.beeps);
  }
  spin->SetText("1.5");
  spin->SetMinValue(7);
  EXPECT_EQ(spin->Value(), 7) << "a decimal separator reads as MinValue";
}

TEST_F(SkinnedSpinEditTest, TheSkinnedPairTakesTheStandardPairsPlace) {
  EXPECT_EQ(spin->Button(), nullptr);
  TsSpinButton* pair = spin->SpinButton();
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair->Parent(), spin);
  // 120 x 21: x = 120 - 18 - 4 inside the two-pixel border, 18 wide, 21 - 4 high; the up
  // button the upper half (17 div 2).
  EXPECT_EQ(pair->BoundsRect(), Rect::FromSize(100, 2, 18, 17));
  EXPECT_EQ(pair->UpButton()->BoundsRect(), Rect::FromSize(0, 0, 18, 8));
  EXPECT_EQ(pair->DownButton()->BoundsRect(), Rect::FromSize(0, 8, 18, 9));
  spin->SetBounds(20, 20, 80, 25);
  Pump();
  EXPECT_EQ(pair->BoundsRect(), Rect::FromSize(60, 2, 18, 21));
  EXPECT_EQ(pair->UpButton()->BoundsRect(), Rect::FromSize(0, 0, 18, 10));
  spin->SetShowSpinButtons(false);
  EXPECT_FALSE(pair->Visible());
}

TEST_F(SkinnedSpinEditTest, TheTextRectangleLeavesTheButtonsFree) {
  UseSpinSkin();
  other->SetFocus();
  Pump();
  // (b + 1, b + 1, width - b - 18, height - b) with b = 2.
  EXPECT_EQ(spin->SkinTextRect(), (Rect{3, 3, 100, 19}));
  spin->SetShowSpinButtons(false);
  EXPECT_EQ(spin->SkinTextRect(), (Rect{3, 3, 118, 19}));
  spin->SetShowSpinButtons(true);
  // Right-aligned text ends left of the buttons in the cached look.
  spin->SetAlignment(TAlignment::taRightJustify);
  spin->SetText("8888");
  const Bitmap32 shown = ShownOf(*spin);
  int rightmost = -1;
  for (int y = 3; y < 19; ++y)
    for (int x = 3; x < 100; ++x)
      if (PixelR(shown.At(x, y)) < 128) rightmost = std::max(rightmost, x);
  EXPECT_GE(rightmost, 95);
  EXPECT_LT(rightmost, 100);
}

TEST_F(SkinnedSpinEditTest, ArrowsAreFilledTrianglesAtTheirCorners) {
  UseSpinSkin();
  TsTimerSpeedButton* up = spin->SpinButton()->UpButton();
  TsTimerSpeedButton* down = spin->SpinButton()->DownButton();
  // Up 18 x 8: x0 = 4, y0 = 1: corners (5, 5), (11, 5), tip (8, 2).
  EXPECT_EQ(TsTimerSpeedButton::ArrowCorners(TsSpinArrow::Up, 18, 8),
            (std::array<Point, 3>{Point{5, 5}, Point{11, 5}, Point{8, 2}}));
  // Down 18 x 9: x0 = 4, y0 = 2: corners (5, 3), (11, 3), tip (8, 6).
  EXPECT_EQ(TsTimerSpeedButton::ArrowCorners(TsSpinArrow::Down, 18, 9),
            (std::array<Point, 3>{Point{5, 3}, Point{11, 3}, Point{8, 6}}));
  struct Pix {
    TsTimerSpeedButton* button;
    int x, y;
    bool arrow;
  };
  const std::vector<Pix> pixels = {
      {up, 8, 2, true},   {up, 7, 2, false},  {up, 9, 2, false}, {up, 8, 1, false},
      {up, 5, 5, true},   {up, 11, 5, true},  {up, 4, 5, false}, {up, 12, 5, false},
      {up, 6, 4, true},   {up, 5, 4, false},  {up, 8, 6, false},
      {down, 5, 3, true}, {down, 11, 3, true}, {down, 4, 3, false}, {down, 12, 3, false},
      {down, 8, 6, true}, {down, 7, 6, false}, {down, 8, 7, false}, {down, 8, 2, false},
  };
  for (const Pix& p : pixels) {
    SCOPED_TRACE(::testing::Message() << (p.button == up ? "up " : "down ") << p.x << "," << p.y);
    const Bitmap32 shown = ShownButton(*p.button);
    EXPECT_EQ(ColorFromPixel(shown.At(p.x, p.y)) == kArrow, p.arrow);
  }
  // Under the pointer the arrow takes the hot font colour.
  MoveTo(Centre(*up));
  EXPECT_EQ(ColorFromPixel(ShownButton(*up).At(8, 2)), kHotArrow);
  EXPECT_EQ(ColorFromPixel(ShownButton(*down).At(8, 6)), kArrow);
}

TEST_F(SkinnedSpinEditTest, HoldingTheUpButtonRepeatsAndTheReleaseStepsOnce) {
  UseSpinSkin();
  spin->SetValue(0);
  const Point up = Centre(*spin->SpinButton()->UpButton());
  Press(up);
  EXPECT_TRUE(spin->Focused()) << "the edit takes the focus first";
  Wait(399);
  EXPECT_EQ(spin->Text(), "0");
  Wait(1);
  EXPECT_EQ(spin->Text(), "1");
  Wait(99);
  EXPECT_EQ(spin->Text(), "1");
  Wait(1);
  EXPECT_EQ(spin->Text(), "2");
  // 1050 ms after the press: repeats at 400, 500, ... 1000.
  for (int i = 0; i < 5; ++i) Wait(100);
  Wait(50);
  EXPECT_EQ(spin->Text(), "7");
  Release(up);
  EXPECT_EQ(spin->Text(), "8");
  Wait(1000);
  EXPECT_EQ(spin->Text(), "8");
  const Point down = Centre(*spin->SpinButton()->DownButton());
  Press(down);
  Release(down);
  EXPECT_EQ(spin->Text(), "7");
}

TEST_F(SkinnedSpinEditTest, RepeatsStopWhenTheCaptureIsLost) {
  UseSpinSkin();
  spin->SetValue(0);
  const Point up = Centre(*spin->SpinButton()->UpButton());
  Press(up);
  ReleaseCapture();
  Pump();
  Wait(1000);
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_FALSE(spin->SpinButton()->UpButton()->Repeating());
}

TEST_F(SkinnedSpinEditTest, WithASkinThePairShowsOnlyWhileTheEditIsEnabled) {
  TsSpinButton* pair = spin->SpinButton();
  spin->SetEnabled(false);
  EXPECT_FALSE(pair->Enabled());
  EXPECT_TRUE(pair->Visible()) << "the standard look keeps disabled buttons";
  UseSpinSkin();
  EXPECT_FALSE(pair->Visible());
  spin->SetEnabled(true);
  EXPECT_TRUE(pair->Enabled());
  EXPECT_TRUE(pair->Visible());
  spin->SetEnabled(false);
  EXPECT_FALSE(pair->Visible());
  manager->SetActive(false);
  EXPECT_TRUE(pair->Visible());
}

TEST_F(SkinnedSpinEditTest, ThePointerEnteringOrLeavingTheEditResetsTheButtonsHotLook) {
  UseSpinSkin();
  TsTimerSpeedButton* up = spin->SpinButton()->UpButton();
  for (UINT message : {CM_MOUSEENTER, CM_MOUSELEAVE}) {
    up->SkinData()->SetMouseAbove(true);
    spin->Perform(message);
    EXPECT_FALSE(up->SkinData()->MouseAbove()) << message;
  }
}

TEST_F(SkinnedSpinEditTest, WithoutTheSkinItIsTheStandardSpinEditAndBackAtOnce) {
  UseSpinSkin();
  other->SetFocus();
  spin->SetValue(12);
  const Bitmap32 skinned = ShownOf(*spin);
  auto* plain = Create<TSpinEdit>(form);
  plain->SetParent(form);
  plain->SetBounds(20, 90, 120, 21);
  plain->SetValue(12);
  manager->SetActive(false);
  const Bitmap32 standard = ShownOf(*plain);
  EXPECT_FALSE(SameColors(skinned, standard));
  EXPECT_TRUE(SameColors(ShownOf(*spin), standard));
  manager->SetActive(true);
  EXPECT_TRUE(SameColors(ShownOf(*spin), skinned));
}

}  // namespace
}  // namespace tappomat::test
