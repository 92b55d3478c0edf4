// TEdit: editing keys, selection by keyboard and mouse, clipboard, MaxLength in code
// points, ReadOnly, AutoSelect, the character filter, OnChange and the caret blink.
#include "platform/virtual_keys.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui_fixture.h"

namespace tappomat::test {
namespace {

// A key with modifiers held, and the text it types.
struct Stroke {
  int key;
  TShiftState mods = 0;
  std::string text = {};
};

class EditTest : public UiTest {
 protected:
  EditTest() {
    form = Create<TForm>(Application);
    form->SetBounds(100, 100, 300, 200);
    edit = Create<TEdit>(form);
    edit->SetBounds(10, 10, 200, 21);
    edit->SetParent(form);
    other = Create<TEdit>(form);
    other->SetBounds(10, 40, 200, 21);
    other->SetParent(form);
    form->Show();
    Pump();
    edit->SetFocus();
    Pump();
  }

  void Press(const Stroke& s) {
    if (s.mods & ssCtrl) platform.UserKey(VK_CONTROL, true);
    if (s.mods & ssShift) platform.UserKey(VK_SHIFT, true);
    Key(s.key, s.text);
    if (s.mods & ssShift) platform.UserKey(VK_SHIFT, false);
    if (s.mods & ssCtrl) platform.UserKey(VK_CONTROL, false);
    Pump();
  }
  void Type(const std::string& text) {
    for (char c : text) Press({VK_SPACE, 0, std::string(1, c)});
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TEdit* other = nullptr;
};

TEST_F(EditTest, EditingKeysChangeTextAndSelection) {
  struct Case {
    const char* name;
    std::string text;
    int selStart, selLength;
    std::vector<Stroke> keys;
    std::string wantText;
    int wantStart, wantLength;
  };
  const std::vector<Case> cases = {
      {"type at caret", "ac", 1, 0, {{VK_SPACE, 0, "b"}}, "abc", 2, 0},
      {"type replaces selection", "hello", 1, 3, {{VK_SPACE, 0, "X"}}, "hXo", 2, 0},
      {"backspace", "abc", 2, 0, {{VK_BACK}}, "ac", 1, 0},
      {"backspace at start", "abc", 0, 0, {{VK_BACK}}, "abc", 0, 0},
      {"delete", "abc", 1, 0, {{VK_DELETE}}, "ac", 1, 0},
      {"delete at end", "abc", 3, 0, {{VK_DELETE}}, "abc", 3, 0},
      {"delete selection", "abcdef", 1, 3, {{VK_DELETE}}, "aef", 1, 0},
      {"left right", "abc", 1, 0, {{VK_RIGHT}, {VK_RIGHT}, {VK_RIGHT}, {VK_LEFT}}, "abc", 2, 0},
      {"left collapses selection", "abcdef", 1, 3, {{VK_LEFT}}, "abcdef", 1, 0},
      {"right collapses selection", "abcdef", 1, 3, {{VK_RIGHT}}, "abcdef", 4, 0},
      {"home end", "abc", 1, 0, {{VK_END}}, "abc", 3, 0},
      {"shift right twice", "abcdef", 1, 0, {{VK_RIGHT, ssShift}, {VK_RIGHT, ssShift}}, "abcdef", 1, 2},
      {"shift left past anchor", "abcdef", 3, 0,
       {{VK_RIGHT, ssShift}, {VK_LEFT, ssShift}, {VK_LEFT, ssShift}}, "abcdef", 2, 1},
      {"shift home", "abcdef", 4, 0, {{VK_HOME, ssShift}}, "abcdef", 0, 4},
      {"shift end", "abcdef", 2, 0, {{VK_END, ssShift}}, "abcdef", 2, 4},
      {"ctrl right to next word", "one two three", 0, 0, {{VK_RIGHT, ssCtrl}}, "one two three", 4, 0},
      {"ctrl left to word start", "one two three", 9, 0, {{VK_LEFT, ssCtrl}}, "one two three", 8, 0},
      {"ctrl shift right selects word", "one two", 0, 0, {{VK_RIGHT, ssCtrl | ssShift}}, "one two", 0, 4},
      {"ctrl backspace deletes word", "one two", 7, 0, {{VK_BACK, ssCtrl}}, "one ", 4, 0},
      {"ctrl a", "abc", 1, 0, {{'A', ssCtrl}}, "abc", 0, 3},
      {"russian backspace", "привет", 6, 0, {{VK_BACK}, {VK_SPACE, 0, "д"}}, "привед", 6, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetText(c.text);
    edit->SetSelStart(c.selStart);
    edit->SetSelLength(c.selLength);
    for (const Stroke& s : c.keys) Press(s);
    EXPECT_EQ(edit->Text(), c.wantText);
    EXPECT_EQ(edit->SelStart(), c.wantStart);
    EXPECT_EQ(edit->SelLength(), c.wantLength);
  }
}

TEST_F(EditTest, ClipboardRoundTripThroughThePlatform) {
  edit->SetText("copy me");
  edit->SelectAll();
  Press({'C', ssCtrl});
  EXPECT_EQ(platform.ClipboardText(), "copy me");
  Press({VK_END});
  Press({'V', ssCtrl});
  EXPECT_EQ(edit->Text(), "copy mecopy me");

  edit->SetSelStart(0);
  edit->SetSelLength(5);
  Press({'X', ssCtrl});
  EXPECT_EQ(platform.ClipboardText(), "copy ");
  EXPECT_EQ(edit->Text(), "mecopy me");
  // The other key set and the messages do the same.
  Press({VK_END});
  Press({VK_INSERT, ssShift});
  EXPECT_EQ(edit->Text(), "mecopy mecopy ");
  edit->SetSelStart(0);
  edit->SetSelLength(2);
  Press({VK_INSERT, ssCtrl});
  EXPECT_EQ(platform.ClipboardText(), "me");
  Press({VK_DELETE, ssShift});
  EXPECT_EQ(edit->Text(), "copy mecopy ");
  platform.SetClipboardText("line one\r\nline two");
  edit->SelectAll();
  SendMessage(edit->Handle(), WM_PASTE);
  EXPECT_EQ(edit->Text(), "line one");  // a single line keeps the first line
  edit->SelectAll();
  SendMessage(edit->Handle(), WM_CLEAR);
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(EditTest, MaxLengthCountsCharactersNotBytes) {
  edit->SetMaxLength(5);
  Press({VK_SPACE, 0, "При"});
  EXPECT_EQ(edit->Text(), "При");
  platform.SetClipboardText("вет!!!");
  Press({'V', ssCtrl});
  EXPECT_EQ(edit->Text(), "Приве");  // cut at five characters (ten bytes)
  EXPECT_EQ(edit->SelStart(), 5);
  Press({VK_SPACE, 0, "x"});
  EXPECT_EQ(edit->Text(), "Приве");
  // Replacing a selection makes room.
  edit->SetSelStart(0);
  edit->SetSelLength(2);
  Press({VK_SPACE, 0, "Ю"});
  EXPECT_EQ(edit->Text(), "Юиве");
  EXPECT_EQ(edit->SelStart(), 1);
}

TEST_F(EditTest, ReadOnlyRefusesEditsButSelectsAndCopies) {
  edit->SetText("fixed");
  edit->SetReadOnly(true);
  int changes = 0;
  edit->OnChange = [&](TComponent*) { ++changes; };
  edit->SelectAll();
  for (const Stroke& s : std::vector<Stroke>{{VK_SPACE, 0, "x"}, {VK_BACK}, {VK_DELETE}, {'X', ssCtrl},
                                             {'V', ssCtrl}})
    Press(s);
  EXPECT_EQ(edit->Text(), "fixed");
  EXPECT_EQ(changes, 0);
  Press({'C', ssCtrl});
  EXPECT_EQ(platform.ClipboardText(), "fixed");
  Press({VK_HOME});
  Press({VK_RIGHT, ssShift});
  EXPECT_EQ(edit->SelText(), "f");
  // The background stays the window colour.
  const Bitmap32& pixels = platform.Window(system.Find(form->Handle())->top.native)->pixels;
  const Point inside = edit->ClientToScreen({edit->Width() - 5, 10});
  const Rect frame = GetWindowRect(form->Handle());
  EXPECT_EQ(PixelRGB(pixels.At(inside.x - frame.left, inside.y - frame.top)),
            PixelRGB(MakePixel(255, 255, 255)));
}

TEST_F(EditTest, AutoSelectOnTabFocusButNotOnClick) {
  other->SetText("all of it");
  Key(VK_TAB);
  ASSERT_TRUE(other->Focused());
  EXPECT_EQ(other->SelLength(), 9);

  Key(VK_TAB);
  ASSERT_TRUE(edit->Focused());
  ClickAt(other, {other->XOfPosition(3), 10});
  ASSERT_TRUE(other->Focused());
  EXPECT_EQ(other->SelLength(), 0);
  EXPECT_EQ(other->SelStart(), 3);

  edit->SetText("keep");
  edit->SetAutoSelect(false);
  edit->SetSelStart(2);
  Key(VK_TAB, {});
  ASSERT_TRUE(edit->Focused());
  EXPECT_EQ(edit->SelLength(), 0);
}

// A descendant that takes digits only and turns commas into points.
class TNumberEdit : public TEdit {
 public:
  using TEdit::TEdit;

 protected:
  bool AcceptChar(char32_t& c) override {
    if (c == U',') c = U'.';
    return (c >= U'0' && c <= U'9') || c == U'.';
  }
};

TEST_F(EditTest, AcceptCharFiltersTypedCharactersAndKeyPressCanDropThem) {
  auto* number = Create<TNumberEdit>(form);
  number->SetBounds(10, 70, 100, 21);
  number->SetParent(form);
  number->SetFocus();
  Pump();
  Type("1a2,5");
  EXPECT_EQ(number->Text(), "12.5");
  Press({VK_BACK});
  EXPECT_EQ(number->Text(), "12.");

  edit->SetFocus();
  Pump();
  edit->OnKeyPress = [](TComponent*, char32_t& key) {
    if (key == U'q') key = 0;
  };
  Type("aqb");
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(EditTest, OnChangeOnEveryChangeOnly) {
  int changes = 0;
  edit->OnChange = [&](TComponent*) { ++changes; };
  edit->SetText("one");
  EXPECT_EQ(changes, 1);
  edit->SetText("one");  // no change
  EXPECT_EQ(changes, 1);
  Press({VK_END});
  Press({VK_LEFT, ssShift});
  EXPECT_EQ(changes, 1);  // caret and selection are no text change
  Type("s");
  Press({VK_BACK});
  Press({VK_DELETE});  // at the end: nothing
  EXPECT_EQ(changes, 3);
  edit->SetSelText("!");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(edit->Text(), "on!");
}

TEST_F(EditTest, MouseDragSelectsAndDoubleClickSelectsAWord) {
  edit->SetText("alpha beta gamma");
  const int y = 10;
  platform.UserButton(ScreenPoint(edit, {edit->XOfPosition(6), y}), MouseButton::Left, true);
  Pump();
  platform.UserMove(ScreenPoint(edit, {edit->XOfPosition(8), y}));
  Pump();
  platform.UserMove(ScreenPoint(edit, {edit->XOfPosition(10), y}));
  Pump();
  platform.UserButton(ScreenPoint(edit, {edit->XOfPosition(10), y}), MouseButton::Left, false);
  Pump();
  EXPECT_EQ(edit->SelText(), "beta");

  // A double click well after the drag (no triple-click confusion).
  Wait(1000);
  const Point word = ScreenPoint(edit, {(edit->XOfPosition(12) + edit->XOfPosition(13)) / 2, y});
  platform.UserClick(word);
  platform.UserClick(word);
  Pump();
  EXPECT_EQ(edit->SelText(), "gamma");
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretInView) {
  edit->SetText(std::string(80, 'w'));
  EXPECT_EQ(edit->ScrollOffset(), 0);
  Press({VK_END});
  EXPECT_GT(edit->ScrollOffset(), 0);
  const int x = edit->XOfPosition(edit->CaretPos());
  EXPECT_GE(x, 2);
  EXPECT_LT(x, edit->Width() - 2);
  Press({VK_HOME});
  EXPECT_EQ(edit->ScrollOffset(), 0);
}

TEST_F(EditTest, CaretBlinksEveryHalfSecondAndShowsAfterAnEdit) {
  ASSERT_TRUE(edit->CaretShowing());
  Wait(500);
  EXPECT_FALSE(edit->CaretShowing());
  Wait(500);
  EXPECT_TRUE(edit->CaretShowing());
  Wait(500);
  ASSERT_FALSE(edit->CaretShowing());
  Type("x");
  EXPECT_TRUE(edit->CaretShowing());
  other->SetFocus();
  Pump();
  EXPECT_FALSE(edit->CaretShowing());
}

// Ten seconds after the last input the caret stops blinking, shown, so that an idle program
// does not wake for it; the next key starts it again.
TEST_F(EditTest, CaretStopsBlinkingTenSecondsAfterTheLastInput) {
  Key(VK_END);
  Wait(9500);
  EXPECT_FALSE(edit->CaretShowing()) << "still blinking: 19 changes so far";
  Wait(500);
  EXPECT_TRUE(edit->CaretShowing());
  EXPECT_FALSE(WindowSystem::Current().NextTimerDue()) << "no timer left running";
  for (int i = 0; i < 4; ++i) {
    Wait(500);
    EXPECT_TRUE(edit->CaretShowing());
  }
  Key(VK_SHIFT);
  Wait(500);
  EXPECT_FALSE(edit->CaretShowing()) << "blinking again";
}

TEST_F(EditTest, DisabledEditTakesNoInput) {
  edit->SetText("off");
  edit->SetEnabled(false);
  Pump();
  EXPECT_FALSE(edit->Focused());
  Click(edit);
  Type("x");
  EXPECT_EQ(edit->Text(), "off");
}

}  // namespace
}  // namespace tappomat::test

namespace tappomat::test {
namespace {

TEST_F(EditTest, ClickFocusesAnEditThatTabPassesBy) {
  other->SetTabStop(false);
  edit->SetFocus();
  Click(other);
  EXPECT_TRUE(other->Focused());
}

}  // namespace
}  // namespace tappomat::test
