// Glow windows round controls: shown under the pointer only where a compositing manager
// runs, just above the control's window, never taking the pointer, gone when the pointer
// leaves or the control goes. Tried with a small section of the tests' own (the program's
// skin has no glow).
#include <gtest/gtest.h>

#include "skin/controls/skinned_button.h"
#include "skin/skin_fixture.h"
#include "skin/window/form_skinning.h"
#include "skin/window/glow_effect.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

// A button section that glows with a ring cut from the master bitmap, 4 pixels wide.
constexpr const char* kGlowingButton =
    "[GLOWBUTTON]\r\nPARENTCLASS=BUTTON\r\nGLOW=1\r\nGLOWMARGIN=1\r\n"
    "GLOW0=^0192^0156^0216^0168^0004^0004^0004^0004^1^0^1^0\r\n";

class GlowTest : public SkinnedControlsTest {
 protected:
  GlowTest() {
    SkinEveryForm(*manager);
    UseNeutral2With(kGlowingButton);
    button = Create<TsButton>(form);
    button->SkinData()->SetSkinSection("GLOWBUTTON");
    button->SetBounds(20, 20, 75, 25);
    button->SetParent(form);
    Shown();
  }
  TacGlowWindows& Glows() { return *dynamic_cast<TacGlowWindows*>(CurrentGlowWindows()); }
  Rect ButtonOnScreen() const {
    const Point at = button->ClientToScreen({0, 0});
    return Rect::FromSize(at.x, at.y, button->Width(), button->Height());
  }
  TsButton* button;
};

TEST_F(GlowTest, NoGlowWithoutACompositingManager) {
  MoveTo(ScreenPoint(button));
  Pump();
  EXPECT_EQ(Glows().Count(), 0u);
  EXPECT_EQ(button->SkinData()->Glow(), -1);
}

TEST_F(GlowTest, GlowLiesRoundTheControlJustAboveItsWindowAndLetsThePointerThrough) {
  platform.SetCompositorRunning(true);
  MoveTo(ScreenPoint(button));
  Pump();
  ASSERT_EQ(Glows().Count(), 1u);
  const TacGlowEffect* glow = Glows().Find(button->SkinData()->Glow());
  ASSERT_NE(glow, nullptr);
  const HWND h = glow->Window();
  // Grown by the image's 4-pixel borders, less the 1-pixel margin.
  EXPECT_EQ(GetWindowRect(h), ButtonOnScreen().Inflate(3, 3));
  EXPECT_EQ(GetWindow(h, GW_HWNDNEXT), form->Handle());
  EXPECT_TRUE(GetWindowExStyle(h) & WS_EX_TRANSPARENT);
  EXPECT_TRUE(GetWindowExStyle(h) & WS_EX_NOACTIVATE);
  // The glow's ring over the form: the pointer there reaches the form, not the glow.
  const Point ring{ButtonOnScreen().left - 2, ButtonOnScreen().top - 2};
  EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, LParamFromPoint(ring)), HTTRANSPARENT);
  EXPECT_EQ(WindowFromPoint(ring), form->Handle());
  // Nor does the desktop send it there: the native window takes no input anywhere.
  const auto& record = *platform.Window(WindowSystem::Current().Find(h)->top.native);
  ASSERT_TRUE(record.inputShape.has_value());
  EXPECT_TRUE(record.inputShape->IsEmpty());

  MoveTo({form->Left() + 150, form->Top() + 100});
  Pump();
  EXPECT_EQ(Glows().Count(), 0u);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(GlowTest, AGlowGoesWithItsControlAndWithTheSkin) {
  platform.SetCompositorRunning(true);
  MoveTo(ScreenPoint(button));
  Pump();
  ASSERT_EQ(Glows().Count(), 1u);
  button->Free();
  EXPECT_EQ(Glows().Count(), 0u);

  auto* again = Create<TsButton>(form);
  again->SkinData()->SetSkinSection("GLOWBUTTON");
  again->SetBounds(20, 20, 75, 25);
  again->SetParent(form);
  Shown();
  MoveTo({form->Left() + 150, form->Top() + 100});
  MoveTo(ScreenPoint(again));
  Pump();
  ASSERT_EQ(Glows().Count(), 1u);
  manager->SetActive(false);
  EXPECT_EQ(Glows().Count(), 0u);
}

}  // namespace
}  // namespace tappomat::test
