// TLabel: sizing to its text, and handing the focus to FocusControl on a click or on its
// Alt+letter accelerator.
#include "gdi/text.h"
#include "platform/virtual_keys.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui_fixture.h"

namespace tappomat::test {
namespace {

class LabelTest : public UiTest {
 protected:
  LabelTest() {
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    label = Create<TLabel>(form);
    label->SetBounds(10, 10, 65, 17);
    label->SetParent(form);
  }

  Size TextSize(const std::string& text) const {
    return GetTextExtent(label->Font().ToLogicalFont(), text);
  }

  TForm* form = nullptr;
  TLabel* label = nullptr;
};

TEST_F(LabelTest, AutoSizeFollowsTheTextWithoutItsAccelMark) {
  label->SetCaption("&Speed:");
  const Size plain = TextSize("Speed:");
  ASSERT_GT(plain.width, 0);
  EXPECT_EQ(label->Width(), plain.width);
  EXPECT_EQ(label->Height(), plain.height);

  label->SetShowAccelChar(false);  // the "&" is now text
  EXPECT_EQ(label->Width(), TextSize("&Speed:").width);

  label->SetCaption("");  // an empty label keeps one line's height
  EXPECT_EQ(label->Height(), plain.height);

  label->Font().SetSize(14);
  EXPECT_GT(label->Height(), plain.height);
}

TEST_F(LabelTest, RightJustifiedAutoSizeKeepsTheRightEdge) {
  label->SetAlignment(TAlignment::taRightJustify);
  label->SetCaption("Interval");
  const int right = label->Left() + label->Width();
  label->SetCaption("A much longer interval");
  EXPECT_EQ(label->Left() + label->Width(), right);
  EXPECT_EQ(label->Width(), TextSize("A much longer interval").width);
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsDown) {
  label->SetAutoSize(false);
  label->SetBounds(10, 10, TextSize("alpha beta").width + 2, 10);
  label->SetWordWrap(true);
  label->SetCaption("alpha beta alpha beta");
  label->SetAutoSize(true);
  const Size line = TextSize("alpha");
  EXPECT_LE(label->Width(), TextSize("alpha beta").width + 2);
  EXPECT_EQ(label->Height(), 2 * line.height);

  label->SetAutoSize(false);  // no longer follows the text
  label->SetCaption("x");
  EXPECT_EQ(label->Height(), 2 * line.height);
}

TEST_F(LabelTest, ClickAndAcceleratorFocusTheFocusControl) {
  auto* first = Create<TButton>(form);
  first->SetBounds(10, 100, 75, 25);
  first->SetParent(form);
  auto* target = Create<TButton>(form);
  target->SetBounds(100, 100, 75, 25);
  target->SetParent(form);
  label->SetCaption("&Target");
  label->SetFocusControl(target);
  int labelClicks = 0;
  label->OnClick = [&](TComponent*) { ++labelClicks; };
  form->Show();
  Pump();
  ASSERT_TRUE(first->Focused());

  Click(label);
  EXPECT_TRUE(target->Focused());
  EXPECT_EQ(labelClicks, 1);

  first->SetFocus();
  Pump();
  platform.UserKey(VK_MENU, true);
  platform.UserKey('T', true, "t");
  platform.UserKey('T', false);
  platform.UserKey(VK_MENU, false);
  Pump();
  EXPECT_TRUE(target->Focused());

  // Without the accelerator mark, or with the target gone, the key does nothing.
  first->SetFocus();
  label->SetShowAccelChar(false);
  platform.UserKey(VK_MENU, true);
  platform.UserKey('T', true, "t");
  platform.UserKey('T', false);
  platform.UserKey(VK_MENU, false);
  Pump();
  EXPECT_TRUE(first->Focused());
  target->Free();
  EXPECT_EQ(label->FocusControl(), nullptr);
  Click(label);
  EXPECT_EQ(labelClicks, 2);
}

}  // namespace
}  // namespace tappomat::test
