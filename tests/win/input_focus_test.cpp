// Focus, activation and enabling: the message sequences of SetFocus and SetActiveWindow,
// another application becoming active, refusals, and what disabling and hiding do.
#include "input_fixture.h"

namespace tappomat::test {
namespace {

class Focus : public InputTest {
 protected:
  void SetUp() override {
    a = Make("A", WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
    a1 = Make("a1", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, a);
    b = Make("B", WS_POPUP | WS_VISIBLE, {300, 0, 500, 200});
    b1 = Make("b1", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, b);
    Settle();
  }

  NativeWindowId Native(HWND h) { return system.Find(h)->top.native; }

  const std::vector<UINT> kFocusMessages = {WM_MOUSEACTIVATE, WM_ACTIVATEAPP, WM_NCACTIVATE,
                                            WM_ACTIVATE,      WM_KILLFOCUS,   WM_SETFOCUS};
  HWND a, a1, b, b1;
};

TEST_F(Focus, TheLastWindowShownIsActiveAndFocused) {
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_TRUE(IsApplicationActive());
  EXPECT_EQ(platform.FocusedWindow(), Native(b));
}

TEST_F(Focus, SetFocusInAnotherTopLevelWindowActivatesItFirst) {
  SetFocus(a1);
  EXPECT_EQ(TakeLog(kFocusMessages),
            (Log{{"B", WM_NCACTIVATE},
                 {"B", WM_ACTIVATE},
                 {"A", WM_NCACTIVATE},
                 {"A", WM_ACTIVATE},
                 // DefWindowProc's WM_ACTIVATE focuses the window itself, then SetFocus goes on
                 {"B", WM_KILLFOCUS},
                 {"A", WM_SETFOCUS},
                 {"A", WM_KILLFOCUS},
                 {"a1", WM_SETFOCUS}}));
  const auto sent = TakeSent({WM_ACTIVATE, WM_NCACTIVATE, WM_SETFOCUS});
  ASSERT_EQ(sent.size(), 6u);
  EXPECT_EQ(sent[0].wParam, WPARAM{0});  // B: WM_NCACTIVATE(0)
  EXPECT_EQ(sent[1].wParam, WPARAM{WA_INACTIVE});
  EXPECT_EQ(sent[1].lParam, static_cast<LPARAM>(HandleToWParam(a)));
  EXPECT_EQ(sent[2].wParam, WPARAM{1});  // A: WM_NCACTIVATE(1)
  EXPECT_EQ(sent[3].wParam, WPARAM{WA_ACTIVE});
  EXPECT_EQ(sent[3].lParam, static_cast<LPARAM>(HandleToWParam(b)));
  EXPECT_EQ(sent[5].wParam, HandleToWParam(a));  // a1's WM_SETFOCUS names the window before
  EXPECT_EQ(GetFocus(), a1);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(platform.FocusedWindow(), Native(a));
  EXPECT_EQ(platform.ZOrder().back(), Native(a));  // raised

  // Within the active window only the focus moves.
  EXPECT_EQ(SetFocus(a), a1);
  EXPECT_EQ(TakeLog(kFocusMessages), (Log{{"a1", WM_KILLFOCUS}, {"A", WM_SETFOCUS}}));
}

TEST_F(Focus, SetActiveWindowActivatesTheTopLevelWindowOfAChild) {
  EXPECT_EQ(SetActiveWindow(a1), b);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  EXPECT_EQ(TakeLog(kFocusMessages), (Log{{"B", WM_NCACTIVATE},
                                          {"B", WM_ACTIVATE},
                                          {"A", WM_NCACTIVATE},
                                          {"A", WM_ACTIVATE},
                                          {"B", WM_KILLFOCUS},
                                          {"A", WM_SETFOCUS}}));
  EXPECT_EQ(SetActiveWindow(a), a);  // already active: nothing happens
  EXPECT_TRUE(TakeLog(kFocusMessages).empty());
}

TEST_F(Focus, AnotherApplicationBecomingActiveDeactivatesAndAClickComesBack) {
  SetFocus(b1);
  Settle();
  platform.SetOutsideActive();
  ProcessMessages();
  EXPECT_EQ(TakeLog(kFocusMessages), (Log{{"B", WM_NCACTIVATE},
                                          {"B", WM_ACTIVATE},
                                          {"A", WM_ACTIVATEAPP},
                                          {"B", WM_ACTIVATEAPP},
                                          {"b1", WM_KILLFOCUS}}));
  for (const SentMessage& m : TakeSent({WM_ACTIVATEAPP, WM_NCACTIVATE}))
    EXPECT_EQ(m.wParam, WPARAM{0});
  EXPECT_FALSE(IsApplicationActive());
  EXPECT_EQ(GetActiveWindow(), kNullWindow);
  EXPECT_EQ(GetFocus(), kNullWindow);

  platform.UserClick(At(a1, {5, 5}));
  ProcessMessages();
  EXPECT_EQ(TakeLog(kFocusMessages), (Log{{"a1", WM_MOUSEACTIVATE},
                                          {"A", WM_MOUSEACTIVATE},
                                          {"A", WM_ACTIVATEAPP},
                                          {"B", WM_ACTIVATEAPP},
                                          {"A", WM_NCACTIVATE},
                                          {"A", WM_ACTIVATE},
                                          {"A", WM_SETFOCUS}}));
  EXPECT_TRUE(IsApplicationActive());
  EXPECT_EQ(GetActiveWindow(), a);
}

TEST_F(Focus, TheWindowManagerFocusingAWindowActivatesIt) {
  struct Case {
    const char* name;
    std::function<void()> act;
    Log expected;
  };
  const Case cases[] = {
      // Focus moves from B to A: no WM_ACTIVATEAPP, the application stays active.
      {"from another of our windows",
       [this] { platform.SetFocus(Native(a)); },
       {{"B", WM_NCACTIVATE},
        {"B", WM_ACTIVATE},
        {"A", WM_NCACTIVATE},
        {"A", WM_ACTIVATE},
        {"B", WM_KILLFOCUS},
        {"A", WM_SETFOCUS}}},
      {"from another application",
       [this] {
         platform.SetOutsideActive();
         ProcessMessages();
         TakeLog();
         platform.SetFocus(Native(b));
       },
       {{"A", WM_ACTIVATEAPP},
        {"B", WM_ACTIVATEAPP},
        {"B", WM_NCACTIVATE},
        {"B", WM_ACTIVATE},
        {"B", WM_SETFOCUS}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.act();
    ProcessMessages();
    EXPECT_EQ(TakeLog(kFocusMessages), c.expected);
    EXPECT_TRUE(IsApplicationActive());
    for (const SentMessage& m : TakeSent({WM_ACTIVATE})) {
      if (LOWORD(m.wParam) != WA_INACTIVE) {
        EXPECT_EQ(LOWORD(m.wParam), WA_ACTIVE);
      }
    }
  }
}

TEST_F(Focus, RefusedFocusAndActivationLeaveEverythingAsItWas) {
  const HWND off = Make("off", WS_CHILD | WS_VISIBLE | WS_DISABLED, {0, 0, 5, 5}, a);
  const HWND inOff = Make("inOff", WS_CHILD | WS_VISIBLE, {0, 0, 5, 5}, off);
  const HWND gone = Make("gone", WS_CHILD, {0, 0, 5, 5}, a);
  DestroyWindow(gone);
  const HWND minimized = Make("min", WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  ShowWindow(minimized, SW_MINIMIZE);
  const HWND offTop = Make("offTop", WS_POPUP | WS_VISIBLE, {0, 0, 50, 50});
  SetFocus(b1);
  EnableWindow(offTop, false);
  Settle();

  bool refuse = false;
  const HHOOK hook = SetWindowsHookEx(WH_CBT, [&](int code, WPARAM, LPARAM) -> LRESULT {
    return refuse && (code == HCBT_SETFOCUS || code == HCBT_ACTIVATE);
  });
  struct Case {
    const char* name;
    std::function<HWND()> act;
  };
  const Case cases[] = {
      {"SetFocus on a disabled window", [&] { return SetFocus(off); }},
      {"SetFocus on a child of a disabled window", [&] { return SetFocus(inOff); }},
      {"SetFocus on a destroyed window", [&] { return SetFocus(gone); }},
      {"SetFocus on a minimized window", [&] { return SetFocus(minimized); }},
      {"SetActiveWindow on a disabled window", [&] { return SetActiveWindow(offTop); }},
      {"SetFocus refused by a hook",
       [&] {
         refuse = true;
         return SetFocus(a1);
       }},
      {"SetActiveWindow refused by a hook",
       [&] {
         refuse = true;
         return SetActiveWindow(a);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.act(), kNullWindow);
    refuse = false;
    EXPECT_EQ(GetFocus(), b1);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_TRUE(TakeLog(kFocusMessages).empty());
  }
  UnhookWindowsHookEx(hook);
}

TEST_F(Focus, HidingTheActiveWindowActivatesItsOwnerOrTheWindowBelow) {
  const HWND dialog = Make("dialog", WS_POPUP | WS_VISIBLE, {50, 50, 150, 150}, a);
  ASSERT_EQ(GetActiveWindow(), dialog);
  Settle();
  ShowWindow(dialog, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), a);  // its owner, although B is above A
  EXPECT_EQ(GetFocus(), a);
  EXPECT_EQ(TakeLog({WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS}), (Log{{"dialog", WM_ACTIVATE},
                                                                    {"A", WM_ACTIVATE},
                                                                    {"dialog", WM_KILLFOCUS},
                                                                    {"A", WM_SETFOCUS}}));

  SetActiveWindow(b);
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), a);  // no owner: the window below

  DestroyWindow(a);  // nothing left to activate
  EXPECT_EQ(GetActiveWindow(), kNullWindow);
  EXPECT_EQ(GetFocus(), kNullWindow);
}

TEST_F(Focus, DisablingTakesTheFocusFromTheWindowAndItsChildren) {
  SetFocus(a1);
  Settle();
  EXPECT_FALSE(EnableWindow(a, false));  // was enabled
  EXPECT_EQ(TakeLog({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
            (Log{{"A", WM_CANCELMODE}, {"a1", WM_KILLFOCUS}, {"A", WM_ENABLE}}));
  EXPECT_EQ(GetFocus(), kNullWindow);
  EXPECT_FALSE(IsWindowEnabled(a));
  EXPECT_TRUE(EnableWindow(a, false));  // already disabled: no messages
  EXPECT_TRUE(TakeLog({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}).empty());
  EXPECT_TRUE(EnableWindow(a, true));
  EXPECT_EQ(TakeLog({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}), (Log{{"A", WM_ENABLE}}));
  EXPECT_EQ(TakeSent({WM_ENABLE}).back().wParam, WPARAM{1});
  EXPECT_TRUE(IsWindowEnabled(a));
}

}  // namespace
}  // namespace tappomat::test
