// TComboBox: ItemIndex and text, keyboard selection, the drop-down list (opening,
// choosing by mouse and keys, closing) with its events, and the classic look of edits and
// combo boxes against a golden image.
#include "platform/virtual_keys.h"
#include "ui/button.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui_fixture.h"
#include "support/golden.h"
#include "win/input.h"
#include "win/scroll_bar.h"

namespace tappomat::test {
namespace {

class ComboBoxTest : public UiTest {
 protected:
  ComboBoxTest() {
    form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(100, 100, 300, 260);
    combo = Create<TComboBox>(form);
    combo->SetBounds(10, 10, 150, 21);
    combo->SetParent(form);
    for (const char* s : {"Left", "Right", "Middle", "Двойной"}) combo->Items().Add(s);
    other = Create<TEdit>(form);
    other->SetBounds(10, 200, 150, 21);
    other->SetParent(form);
    form->Show();
    Pump();
    combo->OnChange = [this](TComponent*) { events.push_back("change"); };
    combo->OnSelect = [this](TComponent*) { events.push_back("select"); };
    combo->OnDropDown = [this](TComponent*) { events.push_back("dropdown"); };
    combo->OnCloseUp = [this](TComponent*) { events.push_back("closeup"); };
  }

  void AltDown() {
    platform.UserKey(VK_MENU, true);
    Key(VK_DOWN);
    platform.UserKey(VK_MENU, false);
    Pump();
  }
  // The centre of item `index` of the open list, on the screen.
  Point ListItemPoint(int index) const {
    const Rect r = GetWindowRect(combo->ListHandle());
    const int itemHeight = (r.Height() - 2) / std::min(combo->Items().Count(), combo->DropDownCount());
    return {r.left + 20, r.top + 1 + index * itemHeight + itemHeight / 2};
  }

  TForm* form = nullptr;
  TComboBox* combo = nullptr;
  TEdit* other = nullptr;
  std::vector<std::string> events;
};

TEST_F(ComboBoxTest, ItemIndexFollowsTheText) {
  EXPECT_EQ(combo->ClassName(), "TComboBox");
  EXPECT_EQ(combo->DropDownCount(), 8);
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "Right");
  EXPECT_EQ(combo->EditControl()->Text(), "Right");
  combo->SetText("free text");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetText("MIDDLE");  // equal ignoring case, as CB_FINDSTRINGEXACT
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_TRUE(events.empty());  // changes from code make no events

  // Typing: each keystroke is a change; the item the text equals is selected.
  combo->SetText("");
  combo->SetFocus();
  Pump();
  ASSERT_TRUE(combo->EditControl()->Focused());
  for (const char* ch : {"д", "в", "о", "й", "н", "о", "Й"}) Key(VK_SPACE, ch);
  EXPECT_EQ(combo->Text(), "двойноЙ");
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(events.size(), 7u);
  Key(VK_BACK);
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(7);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(ComboBoxTest, DropDownListSelectsByKeysAndFirstLetter) {
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  EXPECT_EQ(combo->EditControl(), nullptr);
  combo->SetItemIndex(0);
  combo->SetFocus();
  Pump();
  struct Case {
    int key;
    std::string text;
    int want;
  };
  const std::vector<Case> cases = {
      {VK_DOWN, "", 1}, {VK_DOWN, "", 2}, {VK_UP, "", 1},     {VK_END, "", 3},  {VK_DOWN, "", 3},
      {VK_HOME, "", 0}, {VK_UP, "", 0},   {VK_SPACE, "m", 2}, {VK_SPACE, "Д", 3}, {VK_SPACE, "l", 0},
      {VK_SPACE, "z", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Key(c.key, c.text);
    EXPECT_EQ(combo->ItemIndex(), c.want);
    EXPECT_EQ(combo->Text(), combo->Items()[c.want]);
  }
  combo->SetText("not an item");  // a drop-down list shows items only
  EXPECT_EQ(combo->Text(), "Left");

  // The program drops typed keys through OnKeyPress.
  combo->OnKeyPress = [](TComponent*, char32_t& key) { key = 0; };
  Key(VK_SPACE, "r");
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboBoxTest, ClickOnTheArrowOpensAndAClickOnAnItemChoosesIt) {
  ClickAt(combo, {combo->ButtonRect().left + 5, 10});
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(combo->EditControl()->Focused());
  const Rect list = GetWindowRect(combo->ListHandle());
  EXPECT_EQ(list.top, combo->ClientToScreen({0, combo->Height()}).y);
  EXPECT_EQ(list.Width(), combo->Width());
  EXPECT_TRUE(GetWindowExStyle(combo->ListHandle()) & WS_EX_NOACTIVATE);

  MoveTo(ListItemPoint(2));
  platform.UserClick(ListItemPoint(2));
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Middle");
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown", "select", "change", "closeup"}));
  EXPECT_TRUE(combo->EditControl()->Focused());
}

TEST_F(ComboBoxTest, AltDownOpensArrowsMoveEnterChoosesEscapeCancels) {
  combo->SetItemIndex(0);
  combo->SetFocus();
  Pump();
  AltDown();
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(combo->ItemIndex(), 0);  // the list moves, the selection waits
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown", "closeup"}));

  events.clear();
  Key(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"dropdown", "select", "change", "closeup"}));
}

TEST_F(ComboBoxTest, EnterAndEscapeCloseTheOpenListBeforeTheFormsButtonsSeeThem) {
  int defaults = 0, cancels = 0;
  auto* ok = Create<TButton>(form);
  ok->SetBounds(200, 200, 75, 25);
  ok->SetDefault(true);
  ok->OnClick = [&](TComponent*) { ++defaults; };
  ok->SetParent(form);
  auto* cancel = Create<TButton>(form);
  cancel->SetBounds(200, 230, 75, 25);
  cancel->SetCancel(true);
  cancel->OnClick = [&](TComponent*) { ++cancels; };
  cancel->SetParent(form);
  for (auto style : {TComboBoxStyle::csDropDown, TComboBoxStyle::csDropDownList}) {
    SCOPED_TRACE(static_cast<int>(style));
    combo->SetStyle(style);
    combo->SetItemIndex(0);
    combo->SetFocus();
    Pump();
    Key(VK_F4);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    Key(VK_F4);
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(defaults + cancels, 0);
    Key(VK_RETURN);  // closed: the form's again
    EXPECT_EQ(defaults, 1);
    defaults = 0;
  }
}

TEST_F(ComboBoxTest, AClickOutsideOrLosingTheFocusCloses) {
  combo->SetItemIndex(1);
  combo->SetFocus();
  Pump();
  AltDown();
  ASSERT_TRUE(combo->DroppedDown());
  ClickAt(form, {250, 100});  // the form, away from the list
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 1);

  AltDown();
  ASSERT_TRUE(combo->DroppedDown());
  platform.UserClick({5, 5});  // outside every window of ours
  Pump();
  EXPECT_FALSE(combo->DroppedDown());

  combo->SetFocus();
  Pump();
  AltDown();
  ASSERT_TRUE(combo->DroppedDown());
  other->SetFocus();
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, LongListsScrollAndOpenAboveWhenBelowIsFull) {
  for (int i = 0; i < 20; ++i) combo->Items().Add("Item " + std::to_string(i));
  combo->SetFocus();
  Pump();
  AltDown();
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(GetWindowStyle(combo->ListHandle()) & WS_VSCROLL);
  for (int i = 0; i < 12; ++i) Key(VK_DOWN);  // hot item 11: scrolled to keep it in view
  EXPECT_GT(GetScrollPos(combo->ListHandle(), SB_VERT), 0);
  SendMessage(combo->ListHandle(), WM_VSCROLL, SB_TOP);
  EXPECT_EQ(GetScrollPos(combo->ListHandle(), SB_VERT), 0);
  Key(VK_ESCAPE);

  const Rect work = platform.WorkArea();
  form->SetTop(work.bottom - 60);
  Pump();
  AltDown();
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(GetWindowRect(combo->ListHandle()).bottom, combo->ClientToScreen({0, 0}).y);
}

TEST_F(ComboBoxTest, SimpleStyleShowsItsListUnderTheEditAlways) {
  combo->SetStyle(TComboBoxStyle::csSimple);
  combo->SetBounds(10, 10, 150, 100);
  combo->SetItemIndex(0);
  Pump();
  TListBox* list = combo->SimpleList();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_TRUE(combo->ButtonRect().IsEmpty());
  // The edit part on top, the list filling the rest of the control's height.
  const TEdit* edit = combo->EditControl();
  EXPECT_GE(list->Top(), edit->Top() + edit->Height());
  EXPECT_LT(list->Top(), 30);
  EXPECT_EQ(list->BoundsRect(), (Rect{0, list->Top(), 150, 100}));
  EXPECT_EQ(list->Items().Count(), 4);
  EXPECT_EQ(list->ItemIndex(), 0);
  combo->SetHeight(140);
  EXPECT_EQ(list->BoundsRect().bottom, 140);

  // A click on an item chooses it; the edit keeps the focus.
  combo->SetFocus();
  Pump();
  ClickAt(list, {20, list->ItemRect(2).top + list->ItemHeight() / 2});
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Middle");
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(events, (std::vector<std::string>{"select", "change"}));

  // The arrows in the edit move through the list; nothing drops down.
  events.clear();
  for (int key : {VK_DOWN, VK_DOWN, VK_UP, VK_F4}) Key(key);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ListHandle(), kNullWindow);
  EXPECT_EQ(events, (std::vector<std::string>{"select", "change", "select", "change"}));

  // Typing an item's text selects it in the list; new items show in it.
  combo->SetText("");
  for (const char* ch : {"r", "i", "g", "h", "t"}) Key(VK_SPACE, ch);
  EXPECT_EQ(list->ItemIndex(), 1);
  combo->Items().Add("Extra");
  EXPECT_EQ(list->Items().Count(), 5);

  combo->SetStyle(TComboBoxStyle::csDropDown);
  EXPECT_EQ(combo->SimpleList(), nullptr);
}

// Edits and combo boxes as the classic look draws them.
TEST_F(ComboBoxTest, GoldenEditAndComboLooks) {
  form->SetColor(clBtnFace);
  form->SetBounds(100, 100, 300, 110);
  auto* edit = Create<TEdit>(form);
  edit->SetBounds(170, 40, 120, 21);
  edit->SetText("Hello, мир");
  edit->SetParent(form);
  auto* disabled = Create<TEdit>(form);
  disabled->SetBounds(170, 70, 120, 21);
  disabled->SetText("Disabled");
  disabled->SetEnabled(false);
  disabled->SetParent(form);
  auto* listCombo = Create<TComboBox>(form);
  listCombo->SetStyle(TComboBoxStyle::csDropDownList);
  listCombo->SetBounds(170, 10, 120, 21);
  listCombo->Items().SetCommaText("One,Two,Three");
  listCombo->SetItemIndex(1);
  listCombo->SetParent(form);
  combo->SetItemIndex(0);
  Pump();

  edit->SetFocus();
  Pump();
  edit->SetSelStart(7);
  edit->SetSelLength(3);  // "мир" selected, the caret after it
  // Opened from code, so that the edit keeps the focus and shows its selection and caret.
  combo->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(combo->DroppedDown());

  // The form with the open list laid over it where it shows on the screen.
  const HeadlessPlatform::WindowRecord* formWindow =
      platform.Window(system.Find(form->Handle())->top.native);
  const HeadlessPlatform::WindowRecord* listWindow =
      platform.Window(system.Find(combo->ListHandle())->top.native);
  ASSERT_TRUE(formWindow && listWindow);
  Bitmap32 shot = formWindow->pixels;
  const Point at{listWindow->bounds.left - formWindow->bounds.left,
                 listWindow->bounds.top - formWindow->bounds.top};
  for (int y = 0; y < listWindow->pixels.Height(); ++y)
    for (int x = 0; x < listWindow->pixels.Width(); ++x)
      if (at.x + x < shot.Width() && at.y + y < shot.Height())
        shot.At(at.x + x, at.y + y) = listWindow->pixels.At(x, y);
  EXPECT_TRUE(MatchesGolden(shot, "ui_edit_combo"));
}

}  // namespace
}  // namespace tappomat::test
