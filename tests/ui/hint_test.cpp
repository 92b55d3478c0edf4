// Hints: the hint window appears once the pointer has rested on a control for HintPause
// on the driven clock, shows the control's Hint under the pointer, and goes when the
// pointer leaves, on a click or after HintHidePause; which controls show one follows
// ShowHint, ParentShowHint and the application's ShowHint.
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui_fixture.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

class HintTest : public UiTest {
 protected:
  HintTest() {
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 400, 200);
    button = Create<TButton>(form);
    button->SetBounds(10, 10, 80, 25);
    button->SetHint("Starts the clicking");
    button->SetShowHint(true);
    button->SetParent(form);
    panel = Create<TPanel>(form);
    panel->SetBounds(10, 60, 200, 100);
    panel->SetHint("Not shown: ShowHint is off");
    panel->SetParent(form);
    label = Create<TLabel>(form);  // window-less, ShowHint from its parent
    label->SetCaption("Interval");
    label->SetBounds(10, 10, 60, 20);
    label->SetHint("Milliseconds between clicks");
    label->SetParent(panel);
    form->Show();
    Pump();
  }
  std::string HintText() const {
    const HWND hint = Application->HintWindow();
    return hint ? GetWindowText(hint) : std::string("(none)");
  }

  TForm* form = nullptr;
  TButton* button = nullptr;
  TPanel* panel = nullptr;
  TLabel* label = nullptr;
};

TEST_F(HintTest, AppearsAfterThePauseAndGoesOnLeaveClickOrTimeOut) {
  const int pause = Application->HintPause();
  const Point over = ScreenPoint(button);
  MoveTo(over);
  Wait(pause - 1);
  EXPECT_EQ(HintText(), "(none)");
  Wait(1);
  EXPECT_EQ(HintText(), "Starts the clicking");
  const Rect hint = GetWindowRect(Application->HintWindow());
  EXPECT_GT(hint.top, over.y);  // below the pointer, not over the control's caption
  EXPECT_NEAR(hint.left, over.x, 1);
  EXPECT_GT(hint.Width(), 20);

  MoveTo(ScreenPoint(form, {300, 20}));  // off the button: gone at once
  EXPECT_EQ(HintText(), "(none)");
  Wait(pause);
  EXPECT_EQ(HintText(), "(none)");  // the form has no hint

  MoveTo(over);
  Wait(pause);
  ASSERT_EQ(HintText(), "Starts the clicking");
  Click(button);
  EXPECT_EQ(HintText(), "(none)");

  MoveTo(ScreenPoint(form, {300, 20}));
  MoveTo(over);
  Wait(pause);
  ASSERT_EQ(HintText(), "Starts the clicking");
  Wait(Application->HintHidePause());
  EXPECT_EQ(HintText(), "(none)");
}

TEST_F(HintTest, WhichControlsShowOne) {
  struct Case {
    const char* what;
    bool appShowHint;
    bool formShowHint;
    TControl* control;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"own ShowHint", true, false, button, "Starts the clicking"},
      {"ShowHint off", true, false, panel, "(none)"},
      {"from the form through the panel", true, true, label, "Milliseconds between clicks"},
      {"the parent's setting off", true, false, label, "(none)"},
      {"application ShowHint off", false, true, button, "(none)"},
      {"application ShowHint off, window-less", false, true, label, "(none)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Application->SetShowHint(c.appShowHint);
    form->SetShowHint(c.formShowHint);
    MoveTo(ScreenPoint(form, {300, 20}));
    MoveTo(ScreenPoint(c.control));
    Wait(Application->HintPause());
    EXPECT_EQ(HintText(), c.expected);
  }
}

TEST_F(HintTest, TurningApplicationShowHintOffHidesTheShowingHint) {
  MoveTo(ScreenPoint(button));
  Wait(Application->HintPause());
  ASSERT_EQ(HintText(), "Starts the clicking");
  Application->SetShowHint(false);
  EXPECT_EQ(HintText(), "(none)");
}

}  // namespace
}  // namespace tappomat::test
