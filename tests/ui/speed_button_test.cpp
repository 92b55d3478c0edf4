// TSpeedButton: groups (click sequences and Down set in code, with and without
// AllowAllUp), plain buttons, press tracking, and the hot look of flat buttons.
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"
#include "ui_fixture.h"

namespace tappomat::test {
namespace {

class SpeedButtonTest : public UiTest {
 protected:
  SpeedButtonTest() {
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    for (int i = 0; i < 3; ++i) buttons[i] = MakeButton(form, 10 + 30 * i, 1);
    outsider = MakeButton(form, 110, 2);  // same parent, other group
    panel = Create<TPanel>(form);
    panel->SetBounds(10, 100, 200, 40);
    panel->SetParent(form);
    elsewhere = MakeButton(panel, 10, 1);  // same group index, other parent
    form->Show();
    Pump();
  }

  TSpeedButton* MakeButton(TWinControl* parent, int left, int group) {
    auto* b = Create<TSpeedButton>(form);
    b->SetBounds(left, 10, 23, 22);
    b->SetGroupIndex(group);
    b->SetParent(parent);
    b->OnClick = [this](TComponent*) { ++clicks; };
    return b;
  }

  std::string Downs() const {
    std::string s;
    for (const TSpeedButton* b : buttons) s += b->Down() ? '1' : '0';
    return s;
  }

  TForm* form = nullptr;
  TSpeedButton* buttons[3] = {};
  TSpeedButton* outsider = nullptr;
  TPanel* panel = nullptr;
  TSpeedButton* elsewhere = nullptr;
  int clicks = 0;
};

TEST_F(SpeedButtonTest, GroupSequences) {
  // Each step: click button N (0-2), or set Down in code ("dN" true, "uN" false); then
  // the Down states of the three buttons of group 1.
  struct Step {
    std::string action;
    std::string downs;
  };
  struct Case {
    const char* what;
    bool allowAllUp;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"radio group",
       false,
       {{"c0", "100"}, {"c1", "010"}, {"c1", "010"}, {"c2", "001"}, {"u2", "001"},
        {"d0", "100"}, {"u1", "100"}}},
      {"all up allowed",
       true,
       {{"c0", "100"}, {"c0", "000"}, {"c1", "010"}, {"c2", "001"}, {"u2", "000"},
        {"d1", "010"}, {"d2", "001"}}},
  };
  for (const Case& c : cases) {
    for (TSpeedButton* b : buttons) b->SetAllowAllUp(true), b->SetDown(false);
    buttons[0]->SetAllowAllUp(c.allowAllUp);
    clicks = 0;
    int expectedClicks = 0;
    for (const Step& s : c.steps) {
      TSpeedButton* b = buttons[s.action[1] - '0'];
      if (s.action[0] == 'c') {
        Click(b);
        ++expectedClicks;
      } else {
        b->SetDown(s.action[0] == 'd');
      }
      EXPECT_EQ(Downs(), s.downs) << c.what << " after " << s.action;
    }
    EXPECT_EQ(clicks, expectedClicks) << c.what;  // every click, even those that change nothing
  }
}

TEST_F(SpeedButtonTest, AllowAllUpIsSharedByTheGroupOnly) {
  buttons[1]->SetAllowAllUp(true);
  for (TSpeedButton* b : buttons) EXPECT_TRUE(b->AllowAllUp());
  EXPECT_FALSE(outsider->AllowAllUp());
  EXPECT_FALSE(elsewhere->AllowAllUp());
}

TEST_F(SpeedButtonTest, OtherGroupsAndParentsAreLeftAlone) {
  outsider->SetDown(true);
  elsewhere->SetDown(true);
  Click(buttons[0]);
  EXPECT_TRUE(buttons[0]->Down());
  EXPECT_TRUE(outsider->Down());
  EXPECT_TRUE(elsewhere->Down());
}

TEST_F(SpeedButtonTest, GroupIndexZeroIsAPlainButton) {
  auto* plain = MakeButton(form, 200, 0);
  plain->SetAllowAllUp(true);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  Click(plain);
  Click(plain);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(clicks, 2);
}

TEST_F(SpeedButtonTest, ClickOnlyWhenReleasedOverTheButton) {
  TSpeedButton* b = buttons[0];
  const Point inside = b->ClientToScreen({5, 5});
  const Point outside = b->ClientToScreen({5, 100});
  platform.UserButton(inside, MouseButton::Left, true);
  platform.UserMove(outside);
  platform.UserButton(outside, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(b->Down());
  platform.UserButton(inside, MouseButton::Left, true);
  platform.UserMove(outside);
  platform.UserMove(inside);
  platform.UserButton(inside, MouseButton::Left, false);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(b->Down());
}

TEST_F(SpeedButtonTest, FlatButtonRaisesUnderThePointer) {
  // The form's presented pixels: a flat button shows its border only while hot.
  TSpeedButton* b = buttons[0];
  b->SetFlat(true);
  b->SetGroupIndex(0);
  auto topLeft = [&] {
    Pump();
    const auto* record =
        platform.Window(WindowSystem::Current().Find(form->Handle())->top.native);
    const Point p = b->ClientToScreen({0, 0});
    return record->pixels.At(p.x - form->Left(), p.y - form->Top());
  };
  const Pixel flat = topLeft();
  MoveTo(b->ClientToScreen({5, 5}));
  const Pixel hot = topLeft();
  EXPECT_NE(PixelRGB(hot), PixelRGB(flat));
  MoveTo(b->ClientToScreen({5, 100}));
  EXPECT_EQ(PixelRGB(topLeft()), PixelRGB(flat));
}

}  // namespace
}  // namespace tappomat::test
