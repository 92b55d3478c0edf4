// Keyboard routing: key and character messages to the focus window, system keys, key data
// bits, text from the input method, the key state, and disabled windows.
#include "input_fixture.h"
#include "platform/virtual_keys.h"

namespace tappomat::test {
namespace {

class KeyboardInput : public InputTest {
 protected:
  void SetUp() override {
    top = Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
    edit = Make("edit", WS_CHILD | WS_VISIBLE, {10, 10, 110, 40}, top);
    SetFocus(edit);
    Settle();
  }

  const std::vector<UINT> kKeyMessages = {WM_KEYDOWN,    WM_KEYUP,    WM_CHAR,
                                          WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR};
  HWND top, edit;
};

struct KeyStep {
  int key;
  bool down;
  const char* text = "";
};

TEST_F(KeyboardInput, KeysAndCharactersGoToTheFocusWindowInOrder) {
  struct Case {
    const char* name;
    std::vector<KeyStep> steps;
    std::vector<std::pair<UINT, WPARAM>> expected;  // message, key or character
  };
  const Case cases[] = {
      {"a letter",
       {{'A', true, "a"}, {'A', false}},
       {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}},
      {"Alt+F, Alt released last",
       {{VK_MENU, true}, {'F', true, "f"}, {'F', false}, {VK_MENU, false}},
       {{WM_SYSKEYDOWN, VK_MENU},
        {WM_SYSKEYDOWN, 'F'},
        {WM_SYSCHAR, 'f'},
        {WM_SYSKEYUP, 'F'},
        {WM_KEYUP, VK_MENU}}},
      {"Alt alone",
       {{VK_LMENU, true}, {VK_LMENU, false}},
       {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}},
      {"F10", {{VK_F10, true}, {VK_F10, false}}, {{WM_SYSKEYDOWN, VK_F10}, {WM_SYSKEYUP, VK_F10}}},
      {"Ctrl+Alt types characters",
       {{VK_CONTROL, true},
        {VK_MENU, true},
        {'Q', true, "@"},
        {'Q', false},
        {VK_MENU, false},
        {VK_CONTROL, false}},
       {{WM_KEYDOWN, VK_CONTROL},
        {WM_KEYDOWN, VK_MENU},
        {WM_KEYDOWN, 'Q'},
        {WM_CHAR, '@'},
        {WM_KEYUP, 'Q'},
        {WM_KEYUP, VK_MENU},
        {WM_KEYUP, VK_CONTROL}}},
      {"control keys become characters (the platform types only printable text)",
       {{VK_RETURN, true}, {VK_RETURN, false}, {VK_BACK, true}, {VK_BACK, false},
        {VK_ESCAPE, true}, {VK_ESCAPE, false}},
       {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'}, {WM_KEYUP, VK_RETURN},
        {WM_KEYDOWN, VK_BACK}, {WM_CHAR, '\b'}, {WM_KEYUP, VK_BACK},
        {WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 0x1B}, {WM_KEYUP, VK_ESCAPE}}},
      {"Ctrl+letter is a control code",
       {{VK_CONTROL, true}, {'C', true}, {'C', false}, {VK_CONTROL, false}},
       {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'C'}, {WM_CHAR, 3}, {WM_KEYUP, 'C'},
        {WM_KEYUP, VK_CONTROL}}},
      {"Russian text, one character per code point",
       {{'G', true, "При"}, {'G', false}},
       {{WM_KEYDOWN, 'G'},
        {WM_CHAR, 0x041F},
        {WM_CHAR, 0x0440},
        {WM_CHAR, 0x0438},
        {WM_KEYUP, 'G'}}},
      {"bytes that are not UTF-8 are dropped",
       {{'X', true,
         "a\xFF\xC3"
         "b\xEF\xBF\xBD\xE2\x82"}},
       {{WM_KEYDOWN, 'X'}, {WM_CHAR, 'a'}, {WM_CHAR, 'b'}, {WM_CHAR, 0xFFFD}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const KeyStep& s : c.steps) platform.UserKey(s.key, s.down, s.text);
    ProcessMessages();
    std::vector<std::pair<UINT, WPARAM>> seen;
    for (const SentMessage& m : TakeSent(kKeyMessages)) {
      EXPECT_EQ(m.window, "edit");
      seen.emplace_back(m.message, m.wParam);
    }
    EXPECT_EQ(seen, c.expected);
    for (int key : {int{'X'}, int{VK_SHIFT}, int{VK_CONTROL}, int{VK_MENU}})
      platform.UserKey(key, false);  // clean state
    ProcessMessages();
    TakeSent({});
  }
}

TEST_F(KeyboardInput, KeyDataCarriesRepeatCountAltPreviousStateAndTransition) {
  const NativeWindowId native = system.Find(top)->top.native;
  auto key = [&](int vk, bool down, bool autoRepeat = false) {
    NativeEvent e;
    e.type = down ? NativeEvent::Type::KeyDown : NativeEvent::Type::KeyUp;
    e.virtualKey = vk;
    e.autoRepeat = autoRepeat;
    e.modifiers = GetKeyState(VK_MENU) & 0x8000 ? kModAlt : 0u;
    if (vk == VK_MENU && down) e.modifiers |= kModAlt;
    platform.InjectEvent(native, e);
    ProcessMessages();
  };
  struct Case {
    const char* name;
    std::function<void()> act;
    UINT message;
    std::uint32_t keyData;
  };
  const Case cases[] = {
      {"first press", [&] { key('A', true); }, WM_KEYDOWN, 0x00000001},
      {"auto-repeat", [&] { key('A', true, true); }, WM_KEYDOWN, 0x40000001},
      {"release", [&] { key('A', false); }, WM_KEYUP, 0xC0000001},
      {"Alt down", [&] { key(VK_MENU, true); }, WM_SYSKEYDOWN, 0x20000001},
      {"a key with Alt", [&] { key('B', true); }, WM_SYSKEYDOWN, 0x20000001},
      {"its release with Alt", [&] { key('B', false); }, WM_SYSKEYUP, 0xE0000001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.act();
    const auto sent = TakeSent(kKeyMessages);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, c.message);
    EXPECT_EQ(static_cast<std::uint32_t>(sent[0].lParam), c.keyData);
  }
}

TEST_F(KeyboardInput, GetKeyStateIsTheStateOfTheMessageBeingProcessed) {
  std::vector<std::uint16_t> shiftSeen;
  OnMessage(edit, WM_KEYDOWN, [&](HWND, UINT, WPARAM w, LPARAM) -> LRESULT {
    if (w == 'A') shiftSeen.push_back(GetKeyState(VK_SHIFT) & 0x8000);
    return 0;
  });
  platform.UserKey(VK_LSHIFT, true);
  platform.UserKey('A', true, "A");
  platform.UserKey('A', false);
  platform.UserKey(VK_LSHIFT, false);
  platform.UserKey('A', true, "a");  // queued together: each message sees its own state
  ProcessMessages();
  EXPECT_EQ(shiftSeen, (std::vector<std::uint16_t>{0x8000, 0}));
  EXPECT_EQ(GetKeyState('A'), 0x8000);  // down; two presses toggled it on and off
  platform.UserKey(VK_CAPITAL, true);
  platform.UserKey(VK_CAPITAL, false);
  ProcessMessages();
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 0x0001);  // up, toggled on
  DestroyWindow(top);
}

TEST_F(KeyboardInput, WithoutAFocusWindowKeysGoToTheActiveWindowAsSystemKeys) {
  SetFocus(kNullWindow);
  Settle();
  platform.UserKey('A', true, "a");
  platform.UserKey('A', false);
  ProcessMessages();
  EXPECT_EQ(TakeLog(kKeyMessages),
            (Log{{"top", WM_SYSKEYDOWN}, {"top", WM_SYSCHAR}, {"top", WM_SYSKEYUP}}));
}

TEST_F(KeyboardInput, KeysForADisabledWindowAreDropped) {
  struct Case {
    const char* name;
    HWND disabled;
  };
  const Case cases[] = {{"the focus window", edit}, {"its parent", top}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Set directly: EnableWindow would take the focus away first.
    SetWindowStyle(c.disabled, GetWindowStyle(c.disabled) | WS_DISABLED);
    ASSERT_EQ(GetFocus(), edit);
    platform.UserKey('A', true, "a");
    platform.UserKey('A', false);
    ProcessMessages();
    EXPECT_TRUE(TakeLog(kKeyMessages).empty());
    SetWindowStyle(c.disabled, GetWindowStyle(c.disabled) & ~WS_DISABLED);
  }
  platform.UserKey('A', true, "a");
  ProcessMessages();
  EXPECT_EQ(TakeLog(kKeyMessages), (Log{{"edit", WM_KEYDOWN}, {"edit", WM_CHAR}}));
}

TEST_F(KeyboardInput, AltF4AsksTheTopLevelWindowToClose) {
  platform.UserKey(VK_MENU, true);
  platform.UserKey(VK_F4, true);
  ProcessMessages();
  EXPECT_FALSE(IsWindow(top));  // WM_SYSCOMMAND(SC_CLOSE), WM_CLOSE, DestroyWindow
  platform.UserKey(VK_F4, false);
  platform.UserKey(VK_MENU, false);
}

}  // namespace
}  // namespace tappomat::test
