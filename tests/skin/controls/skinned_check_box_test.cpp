// The skinned check box: its 20 x 20 size and the box at (2, 1) with the built-in skin,
// the box frame for each look, its size with a caption and without a skin, toggling by
// click (once) and not by a press that leaves the box, Checked writes and their events,
// the disabled blend, and the standard look while the skin is removed.
#include "skin/controls/skinned_check_box.h"

#include "gdi/text.h"
#include "imaging/blend.h"
#include "platform/virtual_keys.h"
#include "skin/paint/mask_paint.h"
#include "skin/skin_fixture.h"
#include "ui/button.h"

namespace tappomat::test {
namespace {

class SkinnedCheckBoxTest : public SkinnedControlsTest {
 protected:
  // A button that holds the focus, so that the boxes show their look without it.
  SkinnedCheckBoxTest() {
    auto* sink = Create<TButton>(form);
    sink->SetParent(form);
    sink->SetBounds(150, 90, 40, 20);
  }
  TsCheckBox* AddBox(const std::string& caption = {}) {
    auto* box = Create<TsCheckBox>(form);
    box->SetParent(form);
    box->SetLeft(30);
    box->SetTop(20);
    box->SetCaption(caption);
    return box;
  }
  // The box of `image` of the skin's mask drawn at (2, 1) on white, as a 20 x 20 picture.
  Bitmap32 ExpectedBox(GlobalImage mask, int image) {
    Bitmap32 picture(20, 20, MakePixel(255, 255, 255));
    DrawImageMask(picture, {2, 1}, image, Tables(), Tables().indices.Of(mask));
    return picture;
  }
  Size TextSize(const TControl& control) {
    Bitmap32 scratch(1, 1);
    DeviceContext dc(scratch);
    dc.SetFont(control.Font().ToLogicalFont());
    Rect r{0, 0, 1 << 20, 0};
    DrawText(dc, control.Caption(), r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    return {r.Width(), r.Height()};
  }
};

TEST_F(SkinnedCheckBoxTest, WithTheSkinItIsTwentyByTwentyAndShowsItsBoxAtTwoOne) {
  UseNeutral2();
  TsCheckBox* box = AddBox();
  EXPECT_EQ(box->Width(), 20);
  EXPECT_EQ(box->Height(), 20);
  EXPECT_EQ(box->BoxSize(), (Size{16, 18}));
  EXPECT_EQ(box->BoxRect(), (Rect{2, 1, 18, 19}));
  EXPECT_TRUE(SameColors(ShownOf(*box), ExpectedBox(GlobalImage::BOXUNCHECKED, 0)));
  box->SetChecked(true);
  EXPECT_TRUE(SameColors(ShownOf(*box), ExpectedBox(GlobalImage::BOXCHECKED, 0)));
  EXPECT_FALSE(SameColors(ExpectedBox(GlobalImage::BOXCHECKED, 0),
                          ExpectedBox(GlobalImage::BOXUNCHECKED, 0)));
  box->SetState(TCheckBoxState::cbGrayed);
  EXPECT_TRUE(SameColors(ShownOf(*box), ExpectedBox(GlobalImage::BOXGRAYED, 0)));
}

TEST_F(SkinnedCheckBoxTest, ItsSizeFollowsBoxMarginsAndCaptionAndTheSkin) {
  UseNeutral2();
  TsCheckBox* box = AddBox("Repeat");
  const Size text = TextSize(*box);
  ASSERT_GT(text.width, 0);
  EXPECT_EQ(box->Width(), 16 + 4 + text.width + 8);
  EXPECT_EQ(box->Height(), std::max(18, text.height + 4) + 2);
  box->SetMargin(5);
  box->SetTextIndent(3);
  EXPECT_EQ(box->Width(), 16 + 10 + text.width + 3 + 8);
  // The caption sits after the box, a margin and the indent further, one pixel raised.
  EXPECT_EQ(box->TextRect().left, 5 + 16 + 5 + 3);
  EXPECT_EQ(box->TextRect().top, std::max((box->Height() - text.height) / 2, 5) - 1);

  manager->SetActive(false);
  EXPECT_EQ(box->Width(), text.width + 20) << "without a skin";
  EXPECT_EQ(box->Height(), std::max(text.height + 4, 20));
  manager->SetActive(true);
  EXPECT_EQ(box->Width(), 16 + 10 + text.width + 3 + 8) << "the skin is back";
}

TEST_F(SkinnedCheckBoxTest, TheBoxFrameFollowsPressHoverAndReadOnly) {
  UseNeutral2();
  TsCheckBox* box = AddBox();
  form->Show();
  Pump();
  EXPECT_EQ(box->BoxImage(), 0);
  MoveTo(ScreenPoint(box));
  EXPECT_EQ(box->BoxImage(), 1) << "under the pointer";
  EXPECT_TRUE(SameColors(ShownOf(*box), ExpectedBox(GlobalImage::BOXUNCHECKED, 1)));
  platform.UserButton(ScreenPoint(box), MouseButton::Left, true);
  Pump();
  EXPECT_EQ(box->BoxImage(), 2) << "pressed";
  EXPECT_TRUE(SameColors(ShownOf(*box), ExpectedBox(GlobalImage::BOXUNCHECKED, 2)));
  platform.UserButton(ScreenPoint(box), MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(SameColors(ShownOf(*box), ExpectedBox(GlobalImage::BOXCHECKED, 1)));

  box->SetReadOnly(true);
  EXPECT_EQ(box->BoxImage(), 0) << "a read-only box has no hot look";
  platform.UserButton(ScreenPoint(box), MouseButton::Left, true);
  Pump();
  EXPECT_EQ(box->BoxImage(), 0) << "nor a pressed one";
  platform.UserButton(ScreenPoint(box), MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(box->Checked()) << "and the user cannot change it";
}

TEST_F(SkinnedCheckBoxTest, AClickTogglesOnceAndAPressThatLeavesDoesNot) {
  UseNeutral2();
  TsCheckBox* box = AddBox();
  int clicks = 0;
  int changes = 0;
  box->OnClick = [&](TComponent*) { ++clicks; };
  box->OnValueChanged = [&](TComponent*) { ++changes; };
  form->Show();
  Pump();
  Click(box);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);

  const Point outside = ScreenPoint(box, {box->Width() + 30, box->Height() / 2});
  platform.UserMove(ScreenPoint(box));
  platform.UserButton(ScreenPoint(box), MouseButton::Left, true);
  Pump();
  platform.UserMove(outside);
  Pump();
  EXPECT_EQ(box->BoxImage(), 1) << "leaving drops the pressed look (the focus stays)";
  platform.UserButton(outside, MouseButton::Left, false);
  Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);

  box->SetFocus();
  Key(VK_SPACE);
  EXPECT_FALSE(box->Checked()) << "Space toggles too";
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, 0) << "the user's toggles are not writes of Checked";
}

TEST_F(SkinnedCheckBoxTest, WritingCheckedRaisesItsEventsOnlyForANewValue) {
  UseNeutral2();
  TsCheckBox* box = AddBox();
  std::vector<std::string> events;
  box->OnClick = [&](TComponent*) { events.push_back("click"); };
  box->OnValueChanged = [&](TComponent*) { events.push_back("changed"); };
  const struct {
    bool value;
    std::vector<std::string> expected;
  } writes[] = {
      {false, {}}, {true, {"click", "changed"}}, {true, {}}, {false, {"click", "changed"}}};
  for (const auto& write : writes) {
    events.clear();
    box->SetChecked(write.value);
    EXPECT_EQ(box->Checked(), write.value);
    EXPECT_EQ(events, write.expected) << write.value;
  }
}

TEST_F(SkinnedCheckBoxTest, ADisabledBoxFadesIntoItsParent) {
  UseNeutral2();
  TsCheckBox* box = AddBox();
  box->SetChecked(true);
  const Bitmap32 enabled = ShownOf(*box);
  box->SetEnabled(false);
  const Bitmap32 disabled = ShownOf(*box);
  bool someDiffer = false;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      // Behind it lies a plain colour: half the box, half the white.
      const ColorRef expected =
          MixColors(ColorFromPixel(enabled.At(x, y)), RGB(255, 255, 255), 0.5);
      ASSERT_EQ(PixelRGB(disabled.At(x, y)), PixelRGB(PixelFromColor(expected))) << x << "," << y;
      someDiffer = someDiffer || disabled.At(x, y) != enabled.At(x, y);
    }
  }
  EXPECT_TRUE(someDiffer);
}

TEST_F(SkinnedCheckBoxTest, WithoutTheSkinItLooksLikeTheStandardBoxAndTheSkinComesBack) {
  UseNeutral2();
  TsCheckBox* box = AddBox();
  auto* plain = Create<TCheckBox>(form);
  plain->SetParent(form);
  plain->SetBounds(120, 20, 20, 20);
  box->SetChecked(true);
  plain->SetChecked(true);
  const Bitmap32 skinned = ShownOf(*box);
  manager->SetActive(false);
  EXPECT_TRUE(SameColors(ShownOf(*box), ShownOf(*plain)));
  EXPECT_FALSE(SameColors(skinned, ShownOf(*plain)));
  manager->SetActive(true);
  EXPECT_TRUE(SameColors(ShownOf(*box), ExpectedBox(GlobalImage::BOXCHECKED, 0)));
}

TEST_F(SkinnedCheckBoxTest, TheFocusedCaptionIsFramedByDots) {
  UseNeutral2();
  TsCheckBox* box = AddBox("Go");
  form->Show();
  Pump();
  box->SetFocus();
  const Rect focus = box->TextRect().Inflate(2, 1);
  const TsGeneralData& section =
      Tables().sections[static_cast<std::size_t>(box->SkinData()->SkinIndex())];
  const Pixel dot = PixelFromColor(static_cast<ColorRef>(section.props[1].fontColor[0]) & 0xFFFFFF);
  const Bitmap32 shown = ShownOf(*box);
  EXPECT_EQ(PixelRGB(shown.At(focus.left + 1, focus.top)), PixelRGB(dot));
  EXPECT_EQ(PixelRGB(shown.At(focus.left + 2, focus.top)), PixelRGB(MakePixel(255, 255, 255)));
  EXPECT_EQ(PixelRGB(shown.At(focus.left, focus.top + 1)), PixelRGB(dot));
  box->SetShowFocus(false);
  EXPECT_EQ(PixelRGB(ShownOf(*box).At(focus.left + 1, focus.top)),
            PixelRGB(MakePixel(255, 255, 255)));
}

}  // namespace
}  // namespace tappomat::test
