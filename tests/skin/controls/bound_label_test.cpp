// The caption an edit-type control carries beside itself: where each layout puts it, how
// it follows its control (moves, hiding, disabling, EnabledAlways), its width limit, and
// that it exists only while Active and while its control lives.
#include "skin/controls/bound_label.h"

#include <gtest/gtest.h>

#include "skin/skin_fixture.h"
#include "ui/panel.h"

namespace tappomat::test {
namespace {

struct PlaceCase {
  TsCaptionLayout layout;
  Point at;
};

// A control at (100, 50) of 80 × 22, a label of 40 × 13, 4 pixels apart.
TEST(BoundLabelPlaceTest, EachLayoutPutsTheLabelBesideTheControl) {
  const Rect control = Rect::FromSize(100, 50, 80, 22);
  const PlaceCase cases[] = {
      {TsCaptionLayout::sclLeft, {56, 54}},          {TsCaptionLayout::sclLeftTop, {56, 50}},
      {TsCaptionLayout::sclTopLeft, {100, 33}},      {TsCaptionLayout::sclTopCenter, {120, 33}},
      {TsCaptionLayout::sclTopRight, {140, 33}},     {TsCaptionLayout::sclBottomLeft, {100, 76}},
      {TsCaptionLayout::sclBottomCenter, {120, 76}}, {TsCaptionLayout::sclBottomRight, {140, 76}},
  };
  for (const PlaceCase& c : cases) {
    const Point at = BoundLabelPlace(c.layout, control, {40, 13}, 4);
    EXPECT_EQ(at.x, c.at.x) << static_cast<int>(c.layout);
    EXPECT_EQ(at.y, c.at.y) << static_cast<int>(c.layout);
  }
}

class BoundLabelTest : public SkinnedControlsTest {
 protected:
  BoundLabelTest() {
    form->SetBounds(40, 40, 300, 200);
    control = Create<TPanel>(form);
    control->SetBounds(120, 80, 80, 22);
    control->SetParent(form);
    bound = TsBoundLabel::CreateFor(control);
    bound->SetCaption("Name");
    bound->SetIndent(3);
  }
  // The control tells its label after each change, as an owning control does.
  void MoveControl(int left, int top) {
    control->SetBounds(left, top, control->Width(), control->Height());
    bound->Follow();
  }

  TPanel* control;
  TsBoundLabel* bound;
};

TEST_F(BoundLabelTest, ALabelExistsOnlyWhileActive) {
  EXPECT_EQ(bound->Label(), nullptr) << "inactive by default";
  const int before = form->ControlCount();
  bound->SetActive(true);
  ASSERT_NE(bound->Label(), nullptr);
  EXPECT_EQ(bound->Label()->Parent(), form) << "on the control's parent";
  EXPECT_EQ(bound->Label()->Caption(), "Name");
  EXPECT_EQ(form->ControlCount(), before + 1);
  bound->SetActive(false);
  EXPECT_EQ(bound->Label(), nullptr);
  EXPECT_EQ(form->ControlCount(), before) << "the label is gone from the form";
}

TEST_F(BoundLabelTest, TheLabelGoesWithItsControl) {
  const int before = form->ControlCount();
  bound->SetActive(true);
  control->Free();
  EXPECT_EQ(form->ControlCount(), before - 1) << "neither the control nor its label is left";
}

TEST_F(BoundLabelTest, TheLabelSitsByTheLayoutAndFollowsMoves) {
  bound->SetActive(true);
  const TsEditLabel* label = bound->Label();
  ASSERT_GT(label->Width(), 0);
  // Left of the control, centred on its height.
  EXPECT_EQ(label->Left() + label->Width() + 3, 120);
  EXPECT_EQ(label->Top(), 80 + (22 - label->Height()) / 2);

  bound->SetLayout(TsCaptionLayout::sclBottomRight);
  EXPECT_EQ(label->Left() + label->Width(), 200);
  EXPECT_EQ(label->Top(), 80 + 22 + 3);

  MoveControl(150, 40);
  EXPECT_EQ(label->Left() + label->Width(), 230);
  EXPECT_EQ(label->Top(), 40 + 22 + 3);

  // A larger font makes a larger label, placed again by its new size.
  const int height = label->Height();
  bound->Font().SetSize(20);
  EXPECT_GT(label->Height(), height);
  EXPECT_EQ(label->Left() + label->Width(), 230);
}

TEST_F(BoundLabelTest, TheLabelHidesAndIsDisabledWithItsControlUnlessEnabledAlways) {
  bound->SetActive(true);
  TsEditLabel* label = bound->Label();
  EXPECT_TRUE(label->Visible());
  control->Hide();
  bound->Follow();
  EXPECT_FALSE(label->Visible());
  control->Show();
  control->SetEnabled(false);
  bound->Follow();
  EXPECT_TRUE(label->Visible());
  EXPECT_FALSE(label->Enabled());

  bound->SetEnabledAlways(true);
  EXPECT_TRUE(label->Enabled()) << "stays enabled beside a disabled control";
  control->SetEnabled(true);
  control->SetEnabled(false);
  bound->Follow();
  EXPECT_TRUE(label->Enabled());
}

TEST_F(BoundLabelTest, MaxWidthWrapsALongCaption) {
  bound->SetActive(true);
  const int oneLine = bound->Label()->Height();
  bound->SetCaption("A caption of several words");
  const int wide = bound->Label()->Width();
  ASSERT_GT(wide, 60);
  bound->SetMaxWidth(60);
  EXPECT_LE(bound->Label()->Width(), 60);
  EXPECT_GT(bound->Label()->Height(), oneLine) << "wrapped onto more lines";
  EXPECT_EQ(bound->Label()->Left() + bound->Label()->Width() + 3, 120)
      << "still placed by its new size";
  bound->SetMaxWidth(0);
  EXPECT_EQ(bound->Label()->Width(), wide);
}

}  // namespace
}  // namespace tappomat::test
