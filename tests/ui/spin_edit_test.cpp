// TSpinEdit: how the text reads as Value, clamping on write and on leaving the field, the
// character filter (sign placement, beeps), pasting, stepping by keys, wheel and the spin
// buttons (with auto-repeat on the driven clock), Tab targets, and the button pair's place
// and arrows.
#include "platform/virtual_keys.h"
#include "ui/form.h"
#include "ui/spin_edit.h"
#include "ui_fixture.h"
#include "win/input.h"
#include "win/window_data.h"

namespace tappomat::test {
namespace {

class SpinEditTest : public UiTest {
 protected:
  SpinEditTest() {
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    spin = Create<TSpinEdit>(form);
    spin->SetBounds(10, 10, 120, 21);
    spin->SetParent(form);
    other = Create<TEdit>(form);
    other->SetBounds(10, 40, 120, 21);
    other->SetParent(form);
    third = Create<TEdit>(form);
    third->SetBounds(10, 70, 120, 21);
    third->SetParent(form);
    form->Show();
    Pump();
    spin->SetFocus();
    Pump();
  }

  void WithMods(TShiftState mods, int key, const std::string& text = {}) {
    if (mods & ssCtrl) platform.UserKey(VK_CONTROL, true);
    if (mods & ssShift) platform.UserKey(VK_SHIFT, true);
    Key(key, text);
    if (mods & ssShift) platform.UserKey(VK_SHIFT, false);
    if (mods & ssCtrl) platform.UserKey(VK_CONTROL, false);
    Pump();
  }
  void Type(const std::string& text) {
    for (char c : text) Key(VK_SPACE, std::string(1, c));
  }
  // Puts a text in the field with the caret at its end, without the value rules.
  void Enter(const std::string& text) {
    spin->SetText(text);
    spin->SetSelStart(static_cast<int>(text.size()));
  }
  void Wheel(int delta) { SendMessage(spin->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); }
  Point ButtonCentre(TSpinButton::Half half) {
    const Rect r = spin->Button()->HalfRect(half);
    return spin->Button()->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  void Press(Point screen) {
    platform.UserButton(screen, MouseButton::Left, true);
    Pump();
  }
  void Release(Point screen) {
    platform.UserButton(screen, MouseButton::Left, false);
    Pump();
  }
  const Bitmap32& FormPicture() {
    return platform.Window(WindowSystem::Current().Find(form->Handle())->top.native)->pixels;
  }

  TForm* form = nullptr;
  TSpinEdit* spin = nullptr;
  TEdit* other = nullptr;
  TEdit* third = nullptr;
};

TEST_F(SpinEditTest, ReadingValueNeverClamps) {
  struct Case {
    std::string text;
    int min, max;
    int want;
  };
  const std::vector<Case> cases = {
      {"", 5, 10, 0},          // empty reads 0, not MinValue
      {"42", 0, 0, 42},
      {"+12", 0, 0, 12},
      {"-5", 0, 10, -5},       // out of range while typing
      {"99999999", 0, 9999, 99999999},
      {"abc", 7, 0, 7},        // not a number: MinValue
      {"1.5", 3, 9, 3},        // a decimal separator makes it no integer
      {"-", 2, 0, 2},
      {" 12", 4, 0, 4},        // decimal only: no blanks,
      {"$10", 4, 0, 4},        // no hexadecimal
      {"0x10", 4, 0, 4},
      {"2147483648", -1, 0, -1},  // does not fit an int
      {"-2147483648", 0, 0, -2147483647 - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    spin->SetMinValue(c.min);
    spin->SetMaxValue(c.max);
    spin->SetText(c.text);
    EXPECT_EQ(spin->Value(), c.want);
  }
}

TEST_F(SpinEditTest, CheckValueComparesTheGivenValue) {
  struct Case {
    int min, max;
    bool allowNegative;
    int value, want;
  };
  const std::vector<Case> cases = {
      {0, 0, true, -50, -50},     // both 0: no limits
      {0, 0, true, 1000000, 1000000},
      {0, 10, true, 15, 10},
      {0, 10, true, -3, 0},
      {5, 0, true, 1000, 1000},   // MaxValue 0 alone: no upper limit
      {5, 0, true, 2, 5},
      {0, 0, false, -7, 0},       // no negatives: max(0, MinValue)
      {3, 9, false, -7, 3},
      {-10, 10, false, -5, 0},    // within the limits, the sign rule decides
      {-10, 10, false, -20, -10},  // below MinValue: MinValue, even a negative one
      {-10, 10, false, 20, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.min << ".." << c.max << " neg " << c.allowNegative
                                      << " v " << c.value);
    spin->SetMinValue(c.min);
    spin->SetMaxValue(c.max);
    spin->SetAllowNegative(c.allowNegative);
    EXPECT_EQ(spin->CheckValue(c.value), c.want);
  }
}

TEST_F(SpinEditTest, WritingValueClampsAndReplacesTheText) {
  struct Case {
    int min, max;
    bool allowNegative;
    int value;
    std::string want;
  };
  const std::vector<Case> cases = {
      {0, 0, true, -50, "-50"},
      {0, 10, true, 15, "10"},
      {5, 0, true, 1000, "1000"},
      {5, 0, true, 2, "5"},
      {0, 0, false, -7, "0"},
      {3, 9, false, -7, "3"},
      // The writer replaces a negative value first, so -20 becomes 0, not MinValue.
      {-10, 10, false, -20, "0"},
  };
  int changes = 0;
  spin->OnChange = [&](TComponent*) { ++changes; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want);
    spin->SetText("x");
    spin->SetMinValue(c.min);
    spin->SetMaxValue(c.max);
    spin->SetAllowNegative(c.allowNegative);
    changes = 0;
    spin->SetValue(c.value);
    EXPECT_EQ(spin->Text(), c.want);
    EXPECT_EQ(changes, 1);
  }
}

TEST_F(SpinEditTest, ValueWrittenWhileLoadingWaitsForTheLimits) {
  auto* loading = Create<TSpinEdit>(form);
  loading->BeginLoad();
  loading->SetValue(50);
  EXPECT_EQ(loading->Text(), "");
  loading->SetMaxValue(20);
  loading->EndLoad();
  EXPECT_EQ(loading->Text(), "20");
}

TEST_F(SpinEditTest, LeavingTheFieldNormalisesTheText) {
  struct Case {
    std::string typed;
    int min, max;
    std::string want;
  };
  const std::vector<Case> cases = {
      {"-0", 0, 0, "0"},
      {"-", 0, 0, "0"},
      {"+0", 0, 0, "0"},
      {"+", 0, 0, "0"},
      {"99999999", 0, 86400000, "86400000"},
      {"-5", 0, 9999, "0"},
      {"-5", 0, 0, "-5"},    // no limits: kept
      {"+7", 0, 10, "+7"},   // in range: the text stays as typed
      {"1.5", 2, 9, "1.5"},  // reads as MinValue, which needs no clamping
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    spin->SetFocus();
    Pump();
    spin->SetMinValue(c.min);
    spin->SetMaxValue(c.max);
    spin->SetText("");
    Type(c.typed);
    ASSERT_EQ(spin->Text(), c.typed);
    other->SetFocus();
    Pump();
    EXPECT_EQ(spin->Text(), c.want);
  }
}

TEST_F(SpinEditTest, TypedCharacters) {
  struct Case {
    const char* name;
    std::string text;
    int selStart, selLength;
    std::string typed;
    std::string want;
    int beeps;
    std::function<void(TSpinEdit*)> setup = nullptr;
  };
  const std::vector<Case> cases = {
      {"digits", "", 0, 0, "120", "120", 0},
      {"letters beep", "5", 1, 0, "ax ", "5", 3},
      {"decimal separator", "1", 1, 0, ".5", "1.5", 0},
      {"other separator", "1", 1, 0, ".,", "1,", 1,
       [](TSpinEdit* s) { s->SetDecimalSeparator(U','); }},
      {"minus into empty", "", 0, 0, "-3", "-3", 0},
      {"plus into empty", "", 0, 0, "+3", "+3", 0},
      {"minus lands in front", "12", 2, 0, "-", "-12", 0},
      {"the caret stays behind the sign", "123", 1, 0, "-4", "-4123", 0},
      {"plus replaces minus", "-12", 3, 0, "+", "+12", 0},
      {"minus replaces plus", "+12", 1, 0, "-", "-12", 0},
      {"second minus refused", "-12", 3, 0, "-", "-12", 1},
      {"second plus refused", "+12", 2, 0, "+", "+12", 1},
      {"minus over a selection at the front", "123", 0, 2, "-", "-3", 0},
      {"minus over a selection inside", "123", 1, 2, "-", "123", 1},
      {"plus over a selection inside", "123", 1, 1, "+", "123", 1},
      {"minus not allowed", "12", 2, 0, "-", "12", 1,
       [](TSpinEdit* s) { s->SetAllowNegative(false); }},
      {"minus with a positive MinValue", "12", 2, 0, "-", "12", 1,
       [](TSpinEdit* s) { s->SetMinValue(1); }},
      {"minus with a negative MinValue", "12", 2, 0, "-", "-12", 0,
       [](TSpinEdit* s) { s->SetMinValue(-100); }},
      {"editor disabled", "12", 2, 0, "3-+", "12", 3,
       [](TSpinEdit* s) { s->SetEditorEnabled(false); }},
      {"MaxLength", "", 0, 0, "12345", "123", 0, [](TSpinEdit* s) { s->SetMaxLength(3); }},
      {"read-only", "12", 2, 0, "3", "12", 0, [](TSpinEdit* s) { s->SetReadOnly(true); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spin->SetAllowNegative(true);
    spin->SetMinValue(0);
    spin->SetEditorEnabled(true);
    spin->SetMaxLength(0);
    spin->SetReadOnly(false);
    spin->SetDecimalSeparator(U'.');
    if (c.setup) c.setup(spin);
    spin->SetText(c.text);
    spin->SetSelStart(c.selStart);
    spin->SetSelLength(c.selLength);
    const int beeps = platform.BeepCount();
    Type(c.typed);
    EXPECT_EQ(spin->Text(), c.want);
    EXPECT_EQ(platform.BeepCount() - beeps, c.beeps);
  }
}

TEST_F(SpinEditTest, ControlKeysPassEvenWithTheEditorDisabled) {
  spin->SetEditorEnabled(false);
  Enter("123");
  const int beeps = platform.BeepCount();
  Key(VK_BACK);
  EXPECT_EQ(spin->Text(), "12");
  Key(VK_TAB);  // no Tab target: the form moves on, nothing is typed
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(spin->Text(), "12");
  EXPECT_EQ(platform.BeepCount(), beeps);
}

TEST_F(SpinEditTest, ReturnBeepsWithoutATarget) {
  Enter("12");
  const int beeps = platform.BeepCount();
  Key(VK_RETURN);
  EXPECT_EQ(spin->Text(), "12");
  EXPECT_EQ(platform.BeepCount(), beeps + 1);
  EXPECT_TRUE(spin->Focused());
}

TEST_F(SpinEditTest, PastingANonIntegerPutsTheValueBack) {
  struct Case {
    const char* name;
    std::string text;
    int selStart, selLength;
    std::string clipboard;
    std::string want;
  };
  const std::vector<Case> cases = {
      {"digits at the caret", "12", 2, 0, "34", "1234"},
      {"letters", "12", 2, 0, "ab", "12"},
      {"digits and letters", "12", 1, 0, "3x", "12"},
      {"a sign inside", "12", 1, 0, "-", "12"},
      {"a text that read as MinValue", "1.5", 3, 0, "x", "0"},
      {"over everything", "12", 0, 2, "-7", "-7"},
      {"an empty result", "12", 0, 2, "", "12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spin->SetText(c.text);
    spin->SetSelStart(c.selStart);
    spin->SetSelLength(c.selLength);
    platform.SetClipboardText(c.clipboard);
    WithMods(ssCtrl, 'V');
    EXPECT_EQ(spin->Text(), c.want);
  }
}

TEST_F(SpinEditTest, CutAndPasteIgnoredWhenTheEditorIsDisabledOrReadOnly) {
  for (bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "editor disabled");
    spin->SetEditorEnabled(readOnly);
    spin->SetReadOnly(readOnly);
    spin->SetText("123");
    spin->SelectAll();
    platform.SetClipboardText("9");
    WithMods(ssCtrl, 'V');
    WithMods(ssShift, VK_INSERT);
    spin->Perform(WM_PASTE);
    EXPECT_EQ(spin->Text(), "123");
    WithMods(ssCtrl, 'X');
    WithMods(ssShift, VK_DELETE);
    spin->Perform(WM_CUT);
    EXPECT_EQ(spin->Text(), "123");
    EXPECT_EQ(platform.ClipboardText(), "9");
  }
}

TEST_F(SpinEditTest, ArrowKeysAndWheelStepByIncrement) {
  spin->SetMinValue(0);
  spin->SetMaxValue(10);
  spin->SetIncrement(2);
  spin->SetValue(5);
  struct Step {
    std::function<void()> action;
    std::string want;
  };
  const std::vector<Step> steps = {
      {[&] { Key(VK_UP); }, "7"},
      {[&] { Key(VK_UP); }, "9"},
      {[&] { Key(VK_UP); }, "10"},  // clamped
      {[&] { Key(VK_DOWN); }, "8"},
      {[&] { Wheel(-2 * WHEEL_DELTA); }, "4"},
      {[&] { Wheel(WHEEL_DELTA); }, "6"},
      {[&] { Wheel(WHEEL_DELTA / 2); }, "6"},  // less than a notch
      {[&] { Wheel(-10 * WHEEL_DELTA); }, "0"},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(i);
    steps[i].action();
    EXPECT_EQ(spin->Text(), steps[i].want);
  }
}

TEST_F(SpinEditTest, SteppingFromTheExtremesDoesNotOverflow) {
  spin->SetIncrement(1000);
  spin->SetValue(2147483647 - 10);
  Key(VK_UP);
  EXPECT_EQ(spin->Value(), 2147483647);
  spin->SetValue(-2147483647);
  Key(VK_DOWN);
  EXPECT_EQ(spin->Value(), -2147483647 - 1);
}

TEST_F(SpinEditTest, ReadOnlyBeepsOnStepsAndIgnoresTheWheel) {
  spin->SetValue(5);
  spin->SetReadOnly(true);
  const int beeps = platform.BeepCount();
  Key(VK_UP);
  Key(VK_DOWN);
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(spin->Text(), "5");
  EXPECT_EQ(platform.BeepCount(), beeps + 2);
}

TEST_F(SpinEditTest, ClickHandlersReplaceTheDefaultSteps) {
  spin->SetValue(5);
  std::vector<std::string> calls;
  spin->OnUpClick = [&](TComponent* sender) {
    EXPECT_EQ(sender, spin);
    calls.push_back("up");
  };
  spin->OnDownClick = [&](TComponent*) { calls.push_back("down"); };
  Key(VK_UP);
  Key(VK_DOWN);
  Wheel(WHEEL_DELTA);  // the wheel steps by itself
  EXPECT_EQ(calls, (std::vector<std::string>{"up", "down"}));
  EXPECT_EQ(spin->Text(), "6");
}

TEST_F(SpinEditTest, ButtonStepsOnReleaseAndRepeatsWhileHeld) {
  other->SetFocus();
  Pump();
  spin->SetValue(0);
  const Point up = ButtonCentre(TSpinButton::Half::Up);

  Press(up);
  EXPECT_TRUE(spin->Focused());  // the edit takes the focus first
  EXPECT_EQ(spin->Button()->PressedHalf(), TSpinButton::Half::Up);
  EXPECT_EQ(spin->Text(), "0");  // nothing until release or the first repeat
  Wait(399);
  EXPECT_EQ(spin->Text(), "0");
  Wait(1);
  EXPECT_EQ(spin->Text(), "1");
  Wait(99);
  EXPECT_EQ(spin->Text(), "1");
  Wait(1);
  EXPECT_EQ(spin->Text(), "2");
  Wait(100);
  EXPECT_EQ(spin->Text(), "3");
  Release(up);
  EXPECT_EQ(spin->Text(), "4");  // the release over the button is a step too
  EXPECT_EQ(spin->Button()->PressedHalf(), TSpinButton::Half::None);
  Wait(1000);
  EXPECT_EQ(spin->Text(), "4");  // released: no more repeats

  const Point down = ButtonCentre(TSpinButton::Half::Down);
  Press(down);
  Release(down);
  EXPECT_EQ(spin->Text(), "3");
}

TEST_F(SpinEditTest, ButtonHeldOutsideNeitherRepeatsNorSteps) {
  spin->SetValue(0);
  const Point up = ButtonCentre(TSpinButton::Half::Up);
  const Point outside = spin->ClientToScreen({10, 10});
  Press(up);
  MoveTo(outside);
  EXPECT_EQ(spin->Button()->PressedHalf(), TSpinButton::Half::None);
  Wait(1000);
  EXPECT_EQ(spin->Text(), "0");
  MoveTo(up);  // back over it: pressed again and repeating
  EXPECT_EQ(spin->Button()->PressedHalf(), TSpinButton::Half::Up);
  Wait(100);
  EXPECT_EQ(spin->Text(), "1");
  MoveTo(outside);
  Release(outside);
  EXPECT_EQ(spin->Text(), "1");
}

TEST_F(SpinEditTest, ButtonRepeatsStopWhenTheCaptureIsLost) {
  spin->SetValue(0);
  const Point up = ButtonCentre(TSpinButton::Half::Up);
  Press(up);
  ReleaseCapture();
  Pump();
  Wait(1000);
  Release(up);
  EXPECT_EQ(spin->Text(), "0");
}

TEST_F(SpinEditTest, TabAndEnterGoToTheTargets) {
  spin->SetNextTabControl(third);
  spin->SetPrevTabControl(other);
  struct Case {
    int key;
    TShiftState mods;
    TEdit* want;
  };
  const std::vector<Case> cases = {
      {VK_TAB, 0, third},
      {VK_TAB, ssShift, other},
      {VK_RETURN, 0, third},
      {VK_RETURN, ssShift, other},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.key << " " << c.mods);
    spin->SetFocus();
    Pump();
    Enter("12");
    const int beeps = platform.BeepCount();
    WithMods(c.mods, c.key);
    EXPECT_TRUE(c.want->Focused());
    EXPECT_EQ(spin->Text(), "12");
    EXPECT_EQ(c.want->Text(), "");  // the key types nothing anywhere
    EXPECT_EQ(platform.BeepCount(), beeps);
  }
}

TEST_F(SpinEditTest, TabWithoutTargetsFollowsTheTabOrder) {
  spin->SetNextTabControl(nullptr);
  Key(VK_TAB);
  EXPECT_TRUE(other->Focused());
  spin->SetFocus();
  Pump();
  WithMods(ssShift, VK_TAB);
  EXPECT_TRUE(third->Focused());  // backwards, wrapping round
}

TEST_F(SpinEditTest, DestroyedTabTargetIsForgotten) {
  spin->SetNextTabControl(third);
  third->Free();
  third = nullptr;
  EXPECT_EQ(spin->NextTabControl(), nullptr);
}

TEST_F(SpinEditTest, ButtonPairSitsAtTheRightInsideTheBorder) {
  // 120 x 21: x = 2 + 120 - 18 - 4, y = 2, height 21 - 4; the upper half 17 div 2.
  TSpinButton* button = spin->Button();
  EXPECT_EQ(button->Parent(), spin);
  EXPECT_EQ(button->BoundsRect(), Rect::FromSize(100, 2, 18, 17));
  EXPECT_EQ(button->HalfRect(TSpinButton::Half::Up), (Rect{0, 0, 18, 8}));
  EXPECT_EQ(button->HalfRect(TSpinButton::Half::Down), (Rect{0, 8, 18, 17}));

  spin->SetBounds(10, 10, 80, 25);
  Pump();
  EXPECT_EQ(button->BoundsRect(), Rect::FromSize(60, 2, 18, 21));

  // The text scrolls before it would run under the buttons (text area ends at 80 - 21).
  spin->SetText("1234567890123456789");
  spin->SetSelStart(19);
  EXPECT_LE(spin->XOfPosition(19), 80 - 18 - 3);
  spin->SetShowSpinButtons(false);
  Pump();
  EXPECT_FALSE(button->Visible());
}

TEST_F(SpinEditTest, EnablingReachesTheButtons) {
  spin->SetEnabled(false);
  EXPECT_FALSE(spin->Button()->Enabled());
  spin->SetValue(3);
  Press(ButtonCentre(TSpinButton::Half::Up));
  Release(ButtonCentre(TSpinButton::Half::Up));
  EXPECT_EQ(spin->Text(), "3");
  spin->SetEnabled(true);
  EXPECT_TRUE(spin->Button()->Enabled());
}

TEST_F(SpinEditTest, ArrowsAreSmallBlackTriangles) {
  Pump();
  const Bitmap32& picture = FormPicture();
  // Pixels of the button pair, from the form window's picture.
  const Point origin = spin->Button()->ClientToScreen({0, 0});
  auto black = [&](int x, int y) {
    const Pixel p = picture.At(origin.x - form->Left() + x, origin.y - form->Top() + y);
    return (p & 0xFFFFFF) == 0;
  };
  // Up half 18 x 8: x0 = 4, y0 = 1; tip (8, 2), base from (5, 5) to (11, 5).
  EXPECT_TRUE(black(8, 2));
  EXPECT_FALSE(black(7, 2));
  EXPECT_FALSE(black(8, 1));
  for (int x = 5; x <= 11; ++x) EXPECT_TRUE(black(x, 5)) << x;
  EXPECT_FALSE(black(4, 5));
  EXPECT_FALSE(black(12, 5));
  // Down half 18 x 9 at y 8: x0 = 4, y0 = 2; base from (5, 3) to (11, 3), tip (8, 6).
  for (int x = 5; x <= 11; ++x) EXPECT_TRUE(black(x, 8 + 3)) << x;
  EXPECT_TRUE(black(8, 8 + 6));
  EXPECT_FALSE(black(7, 8 + 6));
  EXPECT_FALSE(black(8, 8 + 7));
}

}  // namespace
}  // namespace tappomat::test
