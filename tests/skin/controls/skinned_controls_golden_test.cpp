// One sheet of the built-in skin's button in every look it has (normal, hot, pressed,
// latched down, default, disabled, focused) and of the check box in its three states,
// compared with tests/golden/skin_button_states.png.
#include <gtest/gtest.h>

#include "skin/controls/skinned_button.h"
#include "skin/controls/skinned_check_box.h"
#include "skin/skin_fixture.h"
#include "support/golden.h"

namespace tappomat::test {
namespace {

class SkinnedControlsGolden : public SkinnedControlsTest {
 protected:
  SkinnedControlsGolden() {
    form->SetBounds(40, 40, 120, 80);
    form->SetColor(clBtnFace);
    UseNeutral2();
    // A standard button keeps the focus off the skinned ones until a look asks for it.
    auto* holder = Create<TButton>(form);
    holder->SetBounds(0, 60, 10, 10);
    holder->SetParent(form);
  }
  // Pastes what the form shows of `control` into the sheet at `at`.
  void Paste(Bitmap32& sheet, const TControl& control, Point at) {
    const Bitmap32 part = ShownOf(control);
    for (int y = 0; y < part.Height(); ++y)
      for (int x = 0; x < part.Width(); ++x) sheet.At(at.x + x, at.y + y) = part.At(x, y) | 0xFF000000u;
  }
};

TEST_F(SkinnedControlsGolden, ButtonAndCheckBoxStates) {
  constexpr int kCell = 85;
  Bitmap32 sheet(kCell * 7 + 5, 60, PixelFromColor(ColorToRGB(clBtnFace)));
  const auto fresh = [&] {
    auto* button = Create<TsButton>(form);
    button->SetBounds(10, 10, 75, 25);
    button->SetCaption("Cancel");
    button->SetParent(form);
    return button;
  };
  const std::function<void(TsButton*)> looks[] = {
      [](TsButton*) {},                                                       // normal
      [&](TsButton* b) { MoveTo(ScreenPoint(b)); },                           // hot
      [&](TsButton* b) {                                                      // pressed
        MoveTo(ScreenPoint(b));
        platform.UserButton(ScreenPoint(b), MouseButton::Left, true);
        Pump();
      },
      [](TsButton* b) { b->SetDown(true); },                                  // down
      [](TsButton* b) { b->SetDefault(true); },                               // default
      [](TsButton* b) { b->SetEnabled(false); },                              // disabled
      [&](TsButton* b) { b->SetFocus(); },                                    // focused
  };
  int column = 0;
  for (const auto& look : looks) {
    TsButton* button = fresh();
    Pump();
    look(button);
    Paste(sheet, *button, {5 + kCell * column, 5});
    platform.UserButton(ScreenPoint(button), MouseButton::Left, false);
    MoveTo({0, 0});
    button->Free();
    ++column;
  }
  const TCheckBoxState states[] = {TCheckBoxState::cbUnchecked, TCheckBoxState::cbChecked,
                                   TCheckBoxState::cbGrayed};
  for (int i = 0; i < 3; ++i) {
    auto* box = Create<TsCheckBox>(form);
    box->SetBounds(10, 10, 20, 20);
    box->SetParent(form);
    box->SetState(states[i]);
    Paste(sheet, *box, {5 + 30 * i, 35});
    box->Free();
  }
  EXPECT_TRUE(MatchesGolden(sheet, "skin_button_states"));
}

}  // namespace
}  // namespace tappomat::test
