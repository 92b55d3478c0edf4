#include <gtest/gtest.h>

#include "win/input.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

using Log = std::vector<LoggedMessage>;

class WindowCore : public WinTest {};

TEST_F(WindowCore, CreationSendsItsMessagesInOrderAndNotifiesTheParent) {
  const HWND top = Create("top", WS_POPUP, {10, 10, 110, 60});
  const HWND child = Create("child", WS_CHILD, {5, 5, 25, 15}, top);
  ASSERT_TRUE(top);
  ASSERT_TRUE(child);
  EXPECT_EQ(TakeLog({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY}),
            (Log{{"top", WM_NCCREATE}, {"top", WM_NCCALCSIZE}, {"top", WM_CREATE},
                 {"top", WM_SIZE}, {"top", WM_MOVE},
                 {"child", WM_NCCREATE}, {"child", WM_NCCALCSIZE}, {"child", WM_CREATE},
                 {"child", WM_SIZE}, {"child", WM_MOVE}, {"top", WM_PARENTNOTIFY}}));
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetAncestor(child, GA_ROOT), top);
  EXPECT_EQ(GetWindowRect(child), (Rect{15, 15, 35, 25}));
  EXPECT_EQ(ClientToScreen(child, {1, 2}), (Point{16, 17}));
}

TEST_F(WindowCore, RefusingNcCreateOrCreateFailsTheCreation) {
  int destroyed = 0;
  const HHOOK hook = SetWindowsHookEx(WH_CBT, [&](int code, WPARAM, LPARAM) -> LRESULT {
    if (code == HCBT_DESTROYWND) ++destroyed;
    return 0;
  });
  WindowClass cls{"Refuser", [](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
                    return msg == WM_CREATE ? -1 : DefWindowProc(h, msg, w, l);
                  }};
  RegisterClass(cls);
  EXPECT_FALSE(CreateWindowEx(0, "Refuser", "", WS_POPUP, 0, 0, 10, 10, kNullWindow));
  EXPECT_EQ(destroyed, 1);
  EXPECT_TRUE(system.TopLevelWindows().empty());
  EXPECT_TRUE(platform.ZOrder().empty());  // its native window is gone too
  UnhookWindowsHookEx(hook);
}

TEST_F(WindowCore, ShowMoveAndSizeSendTheUsualNotifications) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 100, 50});
  TakeLog();
  ShowWindow(top, SW_SHOW);
  const std::vector<UINT> geometry = {WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED,
                                      WM_MOVE, WM_SIZE, WM_NCCALCSIZE};
  EXPECT_EQ(TakeLog(geometry), (Log{{"top", WM_SHOWWINDOW}, {"top", WM_WINDOWPOSCHANGING},
                                    {"top", WM_WINDOWPOSCHANGED}}));
  EXPECT_TRUE(IsWindowVisible(top));
  EXPECT_TRUE(platform.Window(system.Find(top)->top.native)->visible);

  MoveWindow(top, 5, 6, 120, 50);
  EXPECT_EQ(TakeLog(geometry),
            (Log{{"top", WM_WINDOWPOSCHANGING}, {"top", WM_NCCALCSIZE},
                 {"top", WM_WINDOWPOSCHANGED}, {"top", WM_MOVE}, {"top", WM_SIZE}}));
  EXPECT_EQ(platform.Window(system.Find(top)->top.native)->bounds, (Rect{5, 6, 125, 56}));

  // Same place and size: nothing moves, nothing is sized.
  MoveWindow(top, 5, 6, 120, 50);
  EXPECT_EQ(TakeLog(geometry), (Log{{"top", WM_WINDOWPOSCHANGING}, {"top", WM_WINDOWPOSCHANGED}}));

  ShowWindow(top, SW_HIDE);
  EXPECT_EQ(TakeLog(geometry), (Log{{"top", WM_SHOWWINDOW}, {"top", WM_WINDOWPOSCHANGING},
                                    {"top", WM_WINDOWPOSCHANGED}}));
  EXPECT_FALSE(IsWindowVisible(top));
}

TEST_F(WindowCore, WindowPosChangingCanAlterTheNewPosition) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 100, 50});
  OnMessage(top, WM_WINDOWPOSCHANGING, [](HWND, UINT, WPARAM, LPARAM l) -> LRESULT {
    LParamToPtr<WINDOWPOS>(l)->cx = 77;  // e.g. a minimum width
    return 0;
  });
  MoveWindow(top, 0, 0, 10, 10);
  EXPECT_EQ(GetWindowRect(top), (Rect{0, 0, 77, 10}));
}

TEST_F(WindowCore, DestructionGoesParentFirstForDestroyAndChildrenFirstForNcDestroy) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 100, 50});
  const HWND child = Create("child", WS_CHILD, {0, 0, 10, 10}, top);
  const HWND grandchild = Create("grandchild", WS_CHILD, {0, 0, 5, 5}, child);
  const HWND owned = Create("owned", WS_POPUP, {0, 0, 10, 10}, top);
  TakeLog();
  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_EQ(TakeLog({WM_DESTROY, WM_NCDESTROY}),
            (Log{{"owned", WM_DESTROY}, {"owned", WM_NCDESTROY},
                 {"top", WM_DESTROY}, {"child", WM_DESTROY}, {"grandchild", WM_DESTROY},
                 {"grandchild", WM_NCDESTROY}, {"child", WM_NCDESTROY}, {"top", WM_NCDESTROY}}));
  for (HWND h : {top, child, grandchild, owned}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(SendMessage(child, WM_USER), 0);  // a message to a destroyed window is a no-op
  EXPECT_FALSE(PostMessage(child, WM_USER));

  // A new window may reuse the slot, but never the handle.
  const HWND again = Create("again", WS_POPUP, {0, 0, 1, 1});
  EXPECT_NE(again, top);
  EXPECT_NE(again, child);
  EXPECT_TRUE(IsWindow(again));
}

TEST_F(WindowCore, SubclassingChainsToThePreviousProcedure) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 10, 10});
  std::vector<std::string> calls;
  WNDPROC first;
  first = SetWindowProc(top, [&](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
    if (msg == WM_USER) calls.push_back("first");
    return CallWindowProc(first, h, msg, w, l);
  });
  WNDPROC second;
  second = SetWindowProc(top, [&](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
    if (msg == WM_USER) calls.push_back("second");
    return msg == WM_USER + 1 ? 42 : CallWindowProc(second, h, msg, w, l);
  });
  TakeLog();
  SendMessage(top, WM_USER);
  EXPECT_EQ(calls, (std::vector<std::string>{"second", "first"}));
  EXPECT_EQ(TakeLog({WM_USER}), (Log{{"top", WM_USER}}));  // the class procedure comes last
  EXPECT_EQ(SendMessage(top, WM_USER + 1), 42);
  DestroyWindow(top);  // before the procedures' captured locals go
}

TEST_F(WindowCore, PostedMessagesComeInOrderAndSentMessagesAtOnce) {
  const HWND a = Create("a", WS_POPUP, {0, 0, 10, 10});
  const HWND b = Create("b", WS_POPUP, {0, 0, 10, 10});
  TakeLog();
  PostMessage(a, WM_USER + 1);
  PostMessage(b, WM_USER + 2);
  SendMessage(b, WM_USER + 3);
  EXPECT_EQ(TakeLog({WM_USER + 1, WM_USER + 2, WM_USER + 3}), (Log{{"b", WM_USER + 3}}));
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_USER + 1, WM_USER + 2}), (Log{{"a", WM_USER + 1}, {"b", WM_USER + 2}}));
}

TEST_F(WindowCore, TimersFireWhenDueAndALateTimerFiresOnce) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 10, 10});
  SetTimer(top, 7, 50);
  TakeLog();
  platform.AdvanceClock(std::chrono::milliseconds(49));
  ProcessMessages();
  EXPECT_TRUE(TakeLog({WM_TIMER}).empty());
  platform.AdvanceClock(std::chrono::milliseconds(1));
  ProcessMessages();
  const Log fired = TakeLog({WM_TIMER});
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0].wParam, 7u);

  platform.AdvanceClock(std::chrono::milliseconds(500));  // ten periods late
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_TIMER}).size(), 1u);
  platform.AdvanceClock(std::chrono::milliseconds(49));  // counted from the late firing
  ProcessMessages();
  EXPECT_TRUE(TakeLog({WM_TIMER}).empty());

  EXPECT_TRUE(KillTimer(top, 7));
  platform.AdvanceClock(std::chrono::milliseconds(100));
  ProcessMessages();
  EXPECT_TRUE(TakeLog({WM_TIMER}).empty());

  SetTimer(top, 8, 10);
  DestroyWindow(top);
  EXPECT_FALSE(system.NextTimerDue().has_value());  // destroyed with the window
}

TEST_F(WindowCore, GetMessageSleepsUntilTheNextTimerAndServesTimersInDueOrder) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 10, 10});
  SetTimer(top, 1, 30);
  SetTimer(top, 2, 10);
  const auto start = platform.Now();
  MSG msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.message, UINT{WM_TIMER});
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_EQ(platform.Now() - start, std::chrono::milliseconds(10));
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.wParam, 2u);  // 20 ms
  // At 30 ms both are due; they come one after the other, in either order.
  ASSERT_TRUE(GetMessage(msg));
  const WPARAM first = msg.wParam;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(first + msg.wParam, 3u);
  EXPECT_EQ(platform.Now() - start, std::chrono::milliseconds(30));
  PostQuitMessage(3);
  EXPECT_FALSE(GetMessage(msg));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(WindowCore, NestedLoopKeepsServingTimersAndPassesQuitOutwards) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 10, 10});
  int ticks = 0;
  OnMessage(top, WM_TIMER, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    ++ticks;
    return 0;
  });
  SetTimer(top, 1, 50);
  EXPECT_TRUE(RunMessageLoopUntil([&] { return ticks == 3; }));
  EXPECT_EQ(ticks, 3);

  PostQuitMessage(0);
  EXPECT_FALSE(RunMessageLoopUntil([] { return false; }));
  MSG msg;
  EXPECT_FALSE(GetMessage(msg));  // the outer loop sees the quit too
}

TEST_F(WindowCore, HooksSeeCreationAndSentMessagesAndCanRefuseCreation) {
  std::vector<UINT> seen;
  const HHOOK callHook = SetWindowsHookEx(WH_CALLWNDPROC, [&](int, WPARAM, LPARAM l) -> LRESULT {
    seen.push_back(LParamToPtr<CWPSTRUCT>(l)->message);
    return 0;
  });
  const HHOOK refuse = SetWindowsHookEx(WH_CBT, [](int code, WPARAM, LPARAM l) -> LRESULT {
    return code == HCBT_CREATEWND && std::string(LParamToPtr<CREATESTRUCT>(l)->lpszName) == "no";
  });
  EXPECT_FALSE(CreateWindowEx(0, "TestWindow", "no", WS_POPUP, 0, 0, 1, 1, kNullWindow));
  const HWND yes = CreateWindowEx(0, "TestWindow", "yes", WS_POPUP, 0, 0, 1, 1, kNullWindow);
  EXPECT_TRUE(yes);
  EXPECT_NE(std::find(seen.begin(), seen.end(), UINT{WM_CREATE}), seen.end());
  UnhookWindowsHookEx(callHook);
  UnhookWindowsHookEx(refuse);
  seen.clear();
  SendMessage(yes, WM_USER);
  EXPECT_TRUE(seen.empty());
}

TEST_F(WindowCore, PropertiesStylesAndText) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 10, 10});
  EXPECT_EQ(GetProp(top, "x"), 0);
  SetProp(top, "x", 5);
  EXPECT_EQ(GetProp(top, "x"), 5);
  EXPECT_EQ(RemoveProp(top, "x"), 5);
  EXPECT_EQ(GetProp(top, "x"), 0);

  TakeLog();
  SetWindowStyle(top, GetWindowStyle(top) | WS_VSCROLL);
  EXPECT_EQ(TakeLog({WM_STYLECHANGING, WM_STYLECHANGED}),
            (Log{{"top", WM_STYLECHANGING}, {"top", WM_STYLECHANGED}}));
  EXPECT_TRUE(GetWindowStyle(top) & WS_VSCROLL);

  SetWindowText(top, "Скрипт");
  EXPECT_EQ(GetWindowText(top), "Скрипт");
  EXPECT_EQ(platform.Window(system.Find(top)->top.native)->title, "Скрипт");
  char buffer[5];
  EXPECT_EQ(SendMessage(top, WM_GETTEXT, sizeof buffer, PtrToLParam(buffer)), 4);
  EXPECT_EQ(GetClassName(top), "TestWindow");
}

TEST_F(WindowCore, ChildZOrderFollowsSetWindowPos) {
  const HWND top = Create("top", WS_POPUP, {0, 0, 100, 100});
  const HWND a = Create("a", WS_CHILD, {0, 0, 10, 10}, top);
  const HWND b = Create("b", WS_CHILD, {0, 0, 10, 10}, top);
  EXPECT_EQ(GetChildren(top), (std::vector<HWND>{b, a}));  // newest on top
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetChildren(top), (std::vector<HWND>{a, b}));
  SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top, GW_CHILD), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
}

}  // namespace
}  // namespace tappomat::test

namespace tappomat::test {
namespace {

TEST_F(WindowCore, ShowMaximizedFillsTheWorkAreaAndRestoreReturns) {
  platform.SetScreen({0, 0, 800, 600}, {0, 0, 800, 570});
  const HWND top = Create("top", WS_OVERLAPPEDWINDOW, {10, 20, 210, 120});
  TakeLog();
  ShowWindow(top, SW_SHOWMAXIMIZED);
  EXPECT_EQ(GetWindowRect(top), (Rect{0, 0, 800, 570}));
  const Log sizes = TakeLog({WM_SIZE});
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back().wParam, WPARAM{SIZE_MAXIMIZED});
  ShowWindow(top, SW_RESTORE);
  EXPECT_EQ(GetWindowRect(top), (Rect{10, 20, 210, 120}));
  EXPECT_EQ(TakeLog({WM_SIZE}).back().wParam, WPARAM{SIZE_RESTORED});
}

}  // namespace
}  // namespace tappomat::test
