// TButton and TBitBtn: Enter and Esc on a modal form, ModalResult, Space, and clicks only
// for a release over the button.
#include "platform/virtual_keys.h"
#include "ui/bit_btn.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/timer.h"
#include "ui_fixture.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

// A control that wants every key, as a multi-line edit does.
class TKeyEater : public TCustomControl {
 public:
  explicit TKeyEater(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  std::string ClassName() const override { return "TKeyEater"; }
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = DLGC_WANTALLKEYS;
      return;
    }
    TCustomControl::WndProc(m);
  }
};

class ButtonTest : public UiTest {
 protected:
  ButtonTest() {
    main = Create<TForm>(Application);
    main->SetBounds(0, 0, 200, 100);
    dialog = Create<TForm>(Application);
    dialog->SetBounds(300, 100, 300, 150);
    other = Create<TKeyEater>(dialog);
    other->SetBounds(10, 10, 80, 30);
    other->SetParent(dialog);
    ok = Create<TButton>(dialog);
    ok->SetCaption("OK");
    ok->SetBounds(10, 100, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->SetParent(dialog);
    cancel = Create<TButton>(dialog);
    cancel->SetCaption("Cancel");
    cancel->SetBounds(100, 100, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetParent(dialog);
    plain = Create<TBitBtn>(dialog);
    plain->SetCaption("&Retry");
    plain->SetBounds(190, 100, 75, 25);
    plain->SetModalResult(mrRetry);
    plain->SetParent(dialog);
    ok->OnClick = [this](TComponent*) { clicks.push_back("OK"); };
    cancel->OnClick = [this](TComponent*) { clicks.push_back("Cancel"); };
    plain->OnClick = [this](TComponent*) { clicks.push_back("Retry"); };
    main->Show();
    Pump();
  }

  // Shows the dialog modally; `script` runs from a timer inside the modal loop, with the
  // focus first on `focus`.
  TModalResult RunModal(TWinControl* focus, std::function<void()> script) {
    auto* timer = Create<TTimer>(dialog);
    timer->SetInterval(10);
    timer->OnTimer = [timer, focus, script](TComponent*) {
      timer->SetEnabled(false);
      focus->SetFocus();
      script();
    };
    const TModalResult result = dialog->ShowModal();
    timer->Free();
    return result;
  }

  void Press(int key) {
    platform.UserKey(key, true);
    platform.UserKey(key, false);
  }

  TForm* main = nullptr;
  TForm* dialog = nullptr;
  TKeyEater* other = nullptr;
  TButton* ok = nullptr;
  TButton* cancel = nullptr;
  TBitBtn* plain = nullptr;
  std::vector<std::string> clicks;
};

TEST_F(ButtonTest, ClassNames) {
  EXPECT_EQ(ok->ClassName(), "TButton");
  EXPECT_EQ(plain->ClassName(), "TBitBtn");
}

TEST_F(ButtonTest, EnterAndEscInAModalForm) {
  // A focusable control that is not a button and wants no keys.
  auto* box = Create<TCustomControl>(dialog);
  box->SetBounds(10, 50, 20, 20);
  box->SetTabStop(true);
  box->SetParent(dialog);
  struct Case {
    const char* what;
    TWinControl* focus;
    int key;
    TModalResult result;
    std::vector<std::string> clicks;
  };
  const Case cases[] = {
      {"Enter on a non-button clicks the default", box, VK_RETURN, mrOk, {"OK"}},
      {"Esc clicks the cancel button", box, VK_ESCAPE, mrCancel, {"Cancel"}},
      {"Esc on the default button clicks cancel", ok, VK_ESCAPE, mrCancel, {"Cancel"}},
      {"Enter on a focused button clicks that one", plain, VK_RETURN, mrRetry, {"Retry"}},
      {"Enter on the cancel button clicks it", cancel, VK_RETURN, mrCancel, {"Cancel"}},
  };
  for (const Case& c : cases) {
    clicks.clear();
    EXPECT_EQ(RunModal(c.focus, [&] { Press(c.key); }), c.result) << c.what;
    EXPECT_EQ(clicks, c.clicks) << c.what;
  }
}

TEST_F(ButtonTest, FocusedControlThatWantsEnterKeepsIt) {
  int keyDowns = 0;
  other->OnKeyDown = [&](TComponent*, WORD& key, TShiftState) { keyDowns += key == VK_RETURN; };
  const TModalResult result = RunModal(other, [&] {
    Press(VK_RETURN);
    Application->ProcessMessages();
    // Still modal here; end it with a click on the cancel button.
    platform.UserClick(cancel->ClientToScreen({5, 5}));
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(keyDowns, 1);
  EXPECT_EQ(clicks, std::vector<std::string>{"Cancel"});
}

TEST_F(ButtonTest, AltAcceleratorClicksTheButton) {
  EXPECT_EQ(RunModal(other, [&] {
              platform.UserKey(VK_MENU, true);
              platform.UserKey('R', true, "r");
              platform.UserKey('R', false);
              platform.UserKey(VK_MENU, false);
            }),
            mrRetry);
}

TEST_F(ButtonTest, DefaultFrameGoesToTheFocusedButton) {
  dialog->Show();
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_EQ(SendMessage(ok->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
  cancel->SetFocus();
  Pump();
  EXPECT_EQ(SendMessage(ok->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
  EXPECT_EQ(SendMessage(cancel->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, SpaceShowsPressedWhileHeldAndClicksOnRelease) {
  dialog->Show();
  Pump();
  ok->SetFocus();
  Pump();
  platform.UserKey(VK_SPACE, true, " ");
  Pump();
  EXPECT_TRUE(ok->Pressed());
  EXPECT_TRUE(clicks.empty());
  platform.UserKey(VK_SPACE, false);
  Pump();
  EXPECT_FALSE(ok->Pressed());
  EXPECT_EQ(clicks, std::vector<std::string>{"OK"});
  EXPECT_EQ(dialog->ModalResult(), mrOk);

  // Focus leaving while Space is held drops the press: no click on release.
  platform.UserKey(VK_SPACE, true, " ");
  Pump();
  cancel->SetFocus();
  Pump();
  EXPECT_FALSE(ok->Pressed());
  platform.UserKey(VK_SPACE, false);
  Pump();
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ButtonTest, MouseClicksOnlyWhenReleasedOverTheButton) {
  dialog->Show();
  Pump();
  const Point inside = ok->ClientToScreen({10, 10});
  const Point outside = ok->ClientToScreen({10, 60});
  struct Case {
    const char* what;
    std::vector<Point> moves;  // while held
    Point release;
    bool clicked;
  };
  const Case cases[] = {
      {"press and release", {}, inside, true},
      {"dragged off and released outside", {outside}, outside, false},
      {"dragged off and back", {outside, inside}, inside, true},
  };
  for (const Case& c : cases) {
    clicks.clear();
    platform.UserButton(inside, MouseButton::Left, true);
    Pump();
    EXPECT_TRUE(ok->Pressed()) << c.what;
    for (Point p : c.moves) {
      platform.UserMove(p);
      Pump();
      EXPECT_EQ(ok->Pressed(), p == inside) << c.what;
    }
    platform.UserButton(c.release, MouseButton::Left, false);
    Pump();
    EXPECT_FALSE(ok->Pressed()) << c.what;
    EXPECT_EQ(clicks.size(), c.clicked ? 1u : 0u) << c.what;
  }
  ok->SetEnabled(false);
  clicks.clear();
  Click(ok);
  EXPECT_TRUE(clicks.empty());
}

}  // namespace
}  // namespace tappomat::test
