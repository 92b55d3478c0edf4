// Pop-up menus: shortcut scope through TForm::IsShortCut, keyboard and mouse choice in
// the open menu, OnPopup and cancelling, and the control the menu was opened on.
#include "platform/virtual_keys.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/classic_menu_look.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/shortcut.h"
#include "ui/timer.h"
#include "ui_fixture.h"
#include "win/input.h"

namespace tappomat::test {
namespace {

class MenuTest : public UiTest {
 protected:
  MenuTest() {
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    menu = Create<TPopupMenu>(form);
    for (const char* caption : {"&Open", "-", "&Save", "Disabled", "E&xit"}) {
      auto* item = Create<TMenuItem>(form);
      item->SetCaption(caption);
      item->OnClick = [this, caption](TComponent*) { clicked.push_back(caption); };
      menu->Items()->Add(item);
    }
    menu->Items()->Items(3)->SetEnabled(false);
  }
  // Runs `input` once the menu is open (from inside its loop, where the pointer goes to
  // the menu window).
  void WhileOpen(std::function<void()> input) {
    auto* timer = Create<TTimer>(form);
    timer->SetInterval(1);
    timer->OnTimer = [timer, input](TComponent*) {
      timer->SetEnabled(false);
      input();
    };
  }
  TMenuItem* Item(int i) { return menu->Items()->Items(i); }

  TForm* form;
  TPopupMenu* menu;
  std::vector<std::string> clicked;
};

TEST_F(MenuTest, ShortcutActsOnlyWhileTheCarrierOrAChildHasTheFocus) {
  auto* carrier = Create<TPanel>(form);
  carrier->SetBounds(0, 0, 150, 100);
  carrier->SetParent(form);
  carrier->SetPopupMenu(menu);
  auto* inside = Create<TEdit>(form);
  inside->SetBounds(10, 10, 100, 21);
  inside->SetParent(carrier);
  auto* elsewhere = Create<TEdit>(form);
  elsewhere->SetBounds(160, 10, 100, 21);
  elsewhere->SetParent(form);
  Item(0)->SetShortCut(ShortCut(VK_F5, 0));
  Item(3)->SetShortCut(ShortCut(VK_F6, 0));
  form->SetKeyPreview(true);
  int previewed = 0, controlSaw = 0;
  form->OnKeyDown = [&](TComponent*, WORD& key, TShiftState) { previewed += key == VK_F5; };
  elsewhere->OnKeyDown = [&](TComponent*, WORD& key, TShiftState) { controlSaw += key == VK_F5; };
  form->Show();
  Pump();
  struct Case {
    const char* name;
    TWinControl* focus;
    int key;
    bool fires;
  };
  const Case cases[] = {
      {"carrier", carrier, VK_F5, true},
      {"child of carrier", inside, VK_F5, true},
      {"elsewhere", elsewhere, VK_F5, false},
      {"disabled item", inside, VK_F6, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clicked.clear();
    previewed = controlSaw = 0;
    c.focus->SetFocus();
    Pump();
    Key(c.key);
    EXPECT_EQ(clicked.size(), c.fires ? 1u : 0u);
    if (c.key == VK_F5) {
      EXPECT_EQ(previewed, c.fires ? 0 : 1);
    }
    if (c.focus == elsewhere) {
      EXPECT_EQ(controlSaw, 1);
    }
  }
}

TEST_F(MenuTest, KeyboardChoosesSkippingSeparatorsAndDisabledItems) {
  form->Show();
  Pump();
  bool checkedWhenShown = false;
  menu->OnPopup = [&](TComponent*) { Item(2)->SetChecked(true); };
  Item(2)->OnMeasureItem = [&](TComponent*, TCanvas*, int&, int&) {
    checkedWhenShown = Item(2)->Checked();
  };
  // Down, Down: Open, then Save (the separator is skipped); Enter chooses it.
  for (int key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    platform.UserKey(key, true);
    platform.UserKey(key, false);
  }
  menu->Popup(150, 150);
  EXPECT_EQ(clicked, std::vector<std::string>{"&Save"});
  EXPECT_TRUE(checkedWhenShown);
  EXPECT_EQ(menu->WindowHandle(), kNullWindow);
  // Down from Save skips the disabled item to Exit; Up wraps back.
  clicked.clear();
  for (int key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
    platform.UserKey(key, true);
    platform.UserKey(key, false);
  }
  menu->Popup(150, 150);
  EXPECT_EQ(clicked, std::vector<std::string>{"E&xit"});
}

TEST_F(MenuTest, EscapeAndAcceleratorLetters) {
  form->Show();
  Pump();
  platform.UserKey(VK_ESCAPE, true);
  platform.UserKey(VK_ESCAPE, false);
  menu->Popup(150, 150);
  EXPECT_TRUE(clicked.empty());
  platform.UserKey('X', true, "x");
  platform.UserKey('X', false);
  menu->Popup(150, 150);
  EXPECT_EQ(clicked, std::vector<std::string>{"E&xit"});
}

TEST_F(MenuTest, MouseClickOnAnItemChoosesItAndOutsideCancels) {
  form->Show();
  Pump();
  // Third row (Save): frame, Open, separator.
  const int saveY = 150 + kMenuFrameWidth + kMenuItemHeight + kMenuSeparatorHeight + 8;
  WhileOpen([&] {
    platform.UserMove({180, saveY});
    platform.UserClick({180, saveY});
  });
  menu->Popup(150, 150);
  EXPECT_EQ(clicked, std::vector<std::string>{"&Save"});
  clicked.clear();
  // The disabled row chooses nothing; the click outside then closes the menu.
  const int disabledY = saveY + kMenuItemHeight;
  WhileOpen([&] {
    platform.UserClick({180, disabledY});
    platform.UserClick({20, 20});
  });
  menu->Popup(150, 150);
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(menu->WindowHandle(), kNullWindow);
}

TEST_F(MenuTest, PopupComponentIsTheRightClickedControlBeforeOnPopupRuns) {
  auto* panel = Create<TPanel>(form);
  panel->SetBounds(0, 0, 150, 100);
  panel->SetParent(form);
  panel->SetPopupMenu(menu);
  auto* inPanel = Create<TLabel>(form);  // no menu of its own: the panel's opens
  inPanel->SetBounds(10, 10, 60, 20);
  inPanel->SetCaption("In panel");
  inPanel->SetParent(panel);
  auto* label = Create<TLabel>(form);
  label->SetBounds(170, 10, 60, 20);
  label->SetCaption("Label");
  label->SetParent(form);
  label->SetPopupMenu(menu);
  form->Show();
  Pump();
  std::vector<TComponent*> seen;
  menu->OnPopup = [&](TComponent*) { seen.push_back(menu->PopupComponent()); };
  for (TControl* target : std::vector<TControl*>{label, panel, inPanel}) {
    WhileOpen([&] {
      platform.UserKey(VK_ESCAPE, true);
      platform.UserKey(VK_ESCAPE, false);
    });
    platform.UserClick(ScreenPoint(target, {5, 5}), MouseButton::Right);
    Pump();
    EXPECT_EQ(menu->WindowHandle(), kNullWindow);
  }
  EXPECT_EQ(seen, (std::vector<TComponent*>{label, panel, panel}));
  EXPECT_TRUE(clicked.empty());

  menu->SetPopupComponent(label);
  label->Free();
  EXPECT_EQ(menu->PopupComponent(), nullptr);
}

}  // namespace
}  // namespace tappomat::test
