// What every skinned control does with its messages before its own handling: an edit-type
// control takes its section's hot colours under the pointer and with the focus and gives
// them back after, and a speed button left looking hot hears that the pointer went to its
// neighbour.
#include <gtest/gtest.h>

#include "skin/common/common_data.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/data/skin_message.h"
#include "skin/skin_fixture.h"
#include "ui/win_control.h"

namespace tappomat::test {
namespace {

// A bare windowed control of an edit kind that routes its messages as skinned controls do.
class EditLike : public TWinControl {
 public:
  explicit EditLike(TComponent* owner) : TWinControl(owner), data(this, false, 8) { SetTabStop(true); }
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKIN && data.HandleSkinMessage(message)) return;
    if (message.Msg != WM_SKIN && data.Skinned() && data.CommonMessage(message)) return;
    TWinControl::WndProc(message);
  }
  TsCommonData data;
};

class CommonHandlingTest : public SkinnedControlsTest {
 protected:
  CommonHandlingTest() {
    UseSkinText(
        "[GLOBALINFO]\r\nVERSION=7.20\r\n"
        "[EDIT]\r\nSTATES=2\r\nCOLOR=16777215\r\nFONTCOLOR=0\r\nHOTCOLOR=65535\r\nHOTFONTCOLOR=255\r\n"
        "[SPEEDBUTTON]\r\nCOLOR=12632256\r\n");
  }
};

TEST_F(CommonHandlingTest, AnEditTakesItsHotColoursUnderThePointerAndWithTheFocus) {
  auto* edit = Create<EditLike>(form);
  edit->SetBounds(10, 10, 80, 20);
  edit->SetParent(form);
  form->Show();
  edit->data.UpdateIndexes();
  edit->data.UpdateColors(false);
  Pump();
  ASSERT_TRUE(edit->data.Skinned());
  EXPECT_EQ(edit->Color(), RGB(255, 255, 255));
  EXPECT_EQ(edit->Font().Color(), RGB(0, 0, 0));

  MoveTo(ScreenPoint(edit));
  EXPECT_EQ(edit->Color(), RGB(255, 255, 0)) << "HOTCOLOR under the pointer";
  EXPECT_EQ(edit->Font().Color(), RGB(255, 0, 0));
  edit->SetFocus();
  Pump();
  MoveTo({0, 0});
  EXPECT_EQ(edit->Color(), RGB(255, 255, 0)) << "still focused: still hot";
  form->SetFocus();
  Pump();
  EXPECT_EQ(edit->Color(), RGB(255, 255, 255)) << "neither focused nor under the pointer";
  EXPECT_EQ(edit->Font().Color(), RGB(0, 0, 0));

  edit->data.SetCustomColor(true);
  MoveTo(ScreenPoint(edit));
  EXPECT_EQ(edit->Color(), RGB(255, 255, 255)) << "a custom colour stays";
  EXPECT_EQ(edit->Font().Color(), RGB(255, 0, 0));
}

TEST_F(CommonHandlingTest, ASpeedButtonLeftLookingHotHearsThatThePointerWent) {
  auto* first = Create<TsSpeedButton>(form);
  first->SetBounds(10, 10, 23, 22);
  first->SetParent(form);
  auto* second = Create<TsSpeedButton>(form);
  second->SetBounds(33, 10, 23, 22);
  second->SetParent(form);
  form->Show();
  Pump();
  first->Perform(CM_MOUSEENTER);
  ASSERT_TRUE(first->SkinData()->MouseAbove());
  second->Perform(CM_MOUSEENTER);
  EXPECT_FALSE(first->SkinData()->MouseAbove());
  EXPECT_TRUE(second->SkinData()->MouseAbove());
}

}  // namespace
}  // namespace tappomat::test
