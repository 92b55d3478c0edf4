// TCheckBox: the state cycle with and without AllowGrayed, OnClick for every change (by
// the user or the program), Space, and clicks only for a release over the box.
#include "platform/virtual_keys.h"
#include "ui/check_box.h"
#include "ui/form.h"
#include "ui_fixture.h"

namespace tappomat::test {
namespace {

class CheckBoxTest : public UiTest {
 protected:
  CheckBoxTest() {
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    box = Create<TCheckBox>(form);
    box->SetCaption("&Repeat");
    box->SetBounds(10, 10, 120, 17);
    box->SetParent(form);
    box->OnClick = [this](TComponent*) { ++clicks; };
    form->Show();
    Pump();
  }

  TForm* form = nullptr;
  TCheckBox* box = nullptr;
  int clicks = 0;
};

using S = TCheckBoxState;

TEST_F(CheckBoxTest, UserTogglingCycles) {
  struct Case {
    const char* what;
    bool allowGrayed;
    bool bySpace;
    std::vector<S> states;  // after each toggle, starting unchecked
  };
  const std::vector<S> twoState = {S::cbChecked, S::cbUnchecked, S::cbChecked};
  const std::vector<S> threeState = {S::cbGrayed, S::cbChecked, S::cbUnchecked, S::cbGrayed};
  const Case cases[] = {
      {"mouse, two states", false, false, twoState},
      {"mouse, three states", true, false, threeState},
      {"space, two states", false, true, twoState},
      {"space, three states", true, true, threeState},
  };
  for (const Case& c : cases) {
    box->SetState(S::cbUnchecked);
    box->SetAllowGrayed(c.allowGrayed);
    box->SetFocus();
    Pump();
    clicks = 0;
    for (S expected : c.states) {
      if (c.bySpace) Key(VK_SPACE, " ");
      else Click(box);
      EXPECT_EQ(box->State(), expected) << c.what;
      EXPECT_EQ(box->Checked(), expected == S::cbChecked) << c.what;
    }
    EXPECT_EQ(clicks, static_cast<int>(c.states.size())) << c.what;
  }
}

TEST_F(CheckBoxTest, SettingTheStateInCodeClicksOnlyOnAChange) {
  box->SetChecked(true);
  box->SetChecked(true);
  box->SetState(S::cbGrayed);  // allowed from code without AllowGrayed: it limits clicks only
  box->SetChecked(false);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(box->State(), S::cbUnchecked);
}

TEST_F(CheckBoxTest, SpaceShowsPressedUntilReleased) {
  box->SetFocus();
  Pump();
  platform.UserKey(VK_SPACE, true, " ");
  Pump();
  EXPECT_TRUE(box->Pressed());
  EXPECT_FALSE(box->Checked());
  platform.UserKey(VK_SPACE, false);
  Pump();
  EXPECT_FALSE(box->Pressed());
  EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxTest, ReleaseOutsideDoesNotToggle) {
  const Point inside = box->ClientToScreen({5, 5});
  const Point outside = box->ClientToScreen({5, 60});
  platform.UserButton(inside, MouseButton::Left, true);
  Pump();
  EXPECT_TRUE(box->Pressed());
  EXPECT_TRUE(box->Focused());
  platform.UserMove(outside);
  Pump();
  EXPECT_FALSE(box->Pressed());
  platform.UserButton(outside, MouseButton::Left, false);
  Pump();
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBoxTest, AltAcceleratorToggles) {
  platform.UserKey(VK_MENU, true);
  platform.UserKey('R', true, "r");
  platform.UserKey('R', false);
  platform.UserKey(VK_MENU, false);
  Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(box->Focused());
}

}  // namespace
}  // namespace tappomat::test
