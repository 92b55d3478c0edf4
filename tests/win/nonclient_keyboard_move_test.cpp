// Moving a window with the keyboard (SC_MOVE as a window menu sends it), driven through the
// headless platform: arrow keys, the pointer, Enter, a click, Escape and what cancels.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/virtual_keys.h"
#include "win/input.h"
#include "win/nonclient.h"
#include "win_fixture.h"

namespace tappomat::test {
namespace {

using Log = std::vector<LoggedMessage>;

// 200x150 at (100, 100): the caption runs from (104, 104) to (296, 123), its middle is
// (200, 113).
const Rect kStart = Rect::FromSize(100, 100, 200, 150);
constexpr Point kGrab{200, 113};

class KeyboardMove : public WinTest {
 protected:
  HWND CreateMain() {
    const HWND h = Create("main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kStart);
    ProcessMessages();
    TakeLog();
    return h;
  }
  void Press(int virtualKey) {
    platform.UserKey(virtualKey, true);
    platform.UserKey(virtualKey, false);
  }
  void CtrlPress(int virtualKey) {
    platform.UserKey(VK_CONTROL, true);
    Press(virtualKey);
    platform.UserKey(VK_CONTROL, false);
  }
  // What a window menu's "Move" sends.
  void MoveCommand(HWND h) { SendMessage(h, WM_SYSCOMMAND, SC_MOVE, 0); }
  const HeadlessPlatform::WindowRecord& Native(HWND h) {
    return *platform.Window(system.Find(h)->top.native);
  }
  int Count(const Log& log, UINT message) {
    return static_cast<int>(
        std::count_if(log.begin(), log.end(),
                      [message](const LoggedMessage& m) { return m.message == message; }));
  }
};

TEST_F(KeyboardMove, ArrowKeysMoveTheWindowAndEnterOrEscapeEndsTheMove) {
  struct Key {
    int virtualKey;
    bool ctrl = false;
  };
  struct Case {
    const char* name;
    std::vector<Key> keys;
    Point offset;  // of the window after the keys
  };
  const Case cases[] = {
      {"one step right", {{VK_RIGHT}, {VK_RETURN}}, {8, 0}},
      {"steps add up", {{VK_LEFT}, {VK_LEFT}, {VK_UP}, {VK_RETURN}}, {-16, -8}},
      {"Ctrl moves by one pixel",
       {{VK_DOWN, true}, {VK_RIGHT, true}, {VK_DOWN}, {VK_RETURN}},
       {1, 9}},
      {"other keys do nothing", {{'A'}, {VK_TAB}, {VK_SPACE}, {VK_RETURN}}, {0, 0}},
      {"Escape puts it back", {{VK_RIGHT}, {VK_DOWN}, {VK_ESCAPE}}, {0, 0}},
  };
  const HWND h = CreateMain();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const Key& key : c.keys) key.ctrl ? CtrlPress(key.virtualKey) : Press(key.virtualKey);
    MoveCommand(h);
    EXPECT_EQ(GetWindowRect(h), kStart.Offset(c.offset.x, c.offset.y));
    EXPECT_EQ(Native(h).bounds, kStart.Offset(c.offset.x, c.offset.y));
    ProcessMessages();
    // The loop takes the keys: none reaches the window (the releases after the end do).
    EXPECT_TRUE(TakeLog({WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR}).empty());
    MoveWindow(h, kStart.left, kStart.top, kStart.Width(), kStart.Height());
  }
}

TEST_F(KeyboardMove, ThePointerHoldsTheCaptionWithTheMoveCursorBetweenEnterAndExit) {
  const HWND h = CreateMain();
  std::vector<PointerShape> cursors;
  std::vector<HWND> captures;
  OnMessage(h, WM_MOVING, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    cursors.push_back(Native(h).cursor);
    captures.push_back(GetCapture());
    return 0;
  });
  Press(VK_RIGHT);
  Press(VK_DOWN);
  Press(VK_RETURN);
  MoveCommand(h);
  EXPECT_EQ(TakeLog({WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE}),
            (Log{{"main", WM_SYSCOMMAND},
                 {"main", WM_ENTERSIZEMOVE},
                 {"main", WM_MOVING},
                 {"main", WM_MOVING},
                 {"main", WM_EXITSIZEMOVE}}));
  // The pointer was put on the caption, then went along with each step.
  std::vector<Point> placed;
  for (const HeadlessPlatform::InjectedInput& input : platform.InjectedInputs())
    placed.push_back(input.position);
  EXPECT_EQ(placed,
            (std::vector<Point>{kGrab, {kGrab.x + 8, kGrab.y}, {kGrab.x + 8, kGrab.y + 8}}));
  EXPECT_EQ(cursors, (std::vector<PointerShape>{PointerShape::SizeAll, PointerShape::SizeAll}));
  EXPECT_EQ(captures, (std::vector<HWND>{h, h}));
  // Afterwards the pointer shows what is under it (the caption) and nothing is captured.
  EXPECT_EQ(Native(h).cursor, PointerShape::Arrow);
  EXPECT_EQ(GetCapture(), kNullWindow);
  EXPECT_EQ(GetWindowRect(h), kStart.Offset(8, 8));
  DestroyWindow(h);  // before `cursors` and `captures`
}

TEST_F(KeyboardMove, ThePointerMovesTheWindowAndAClickEndsTheMoveWhereItIs) {
  const HWND h = CreateMain();
  Press(VK_RIGHT);
  platform.UserMove({kGrab.x + 30, kGrab.y + 20});
  platform.UserClick({kGrab.x - 40, kGrab.y + 25});
  MoveCommand(h);
  EXPECT_EQ(GetWindowRect(h), kStart.Offset(-40, 25));
  // The press ended the move and went no further; its release comes after the loop.
  ProcessMessages();
  const Log log = TakeLog({WM_MOVING, WM_LBUTTONDOWN, WM_NCLBUTTONDOWN, WM_EXITSIZEMOVE});
  EXPECT_EQ(Count(log, WM_MOVING), 3);
  EXPECT_EQ(Count(log, WM_LBUTTONDOWN) + Count(log, WM_NCLBUTTONDOWN), 0);
  EXPECT_EQ(Count(log, WM_EXITSIZEMOVE), 1);
}

TEST_F(KeyboardMove, TimersKeepFiringDuringTheMove) {
  const HWND h = CreateMain();
  int ticks = 0;
  OnMessage(h, WM_TIMER, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    if (++ticks == 3) Press(VK_RETURN);
    return 0;
  });
  SetTimer(h, 7, 100);
  const auto before = platform.Now();
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  MoveCommand(h);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(platform.Now() - before, std::chrono::milliseconds(300));
  EXPECT_EQ(GetWindowRect(h), kStart.Offset(16, 0));
  // The platform reported the pointer where the loop had put it while the loop waited;
  // those reports did not move the window again.
  EXPECT_EQ(Count(TakeLog({WM_MOVING}), WM_MOVING), 2);
  KillTimer(h, 7);
  DestroyWindow(h);  // before `ticks`
}

TEST_F(KeyboardMove, AMaximisedWindowDoesNotMove) {
  const HWND h = CreateMain();
  SendMessage(h, WM_SYSCOMMAND, SC_MAXIMIZE);
  const Rect maximised = GetWindowRect(h);
  Press(VK_RIGHT);
  Press(VK_RETURN);
  MoveCommand(h);
  EXPECT_EQ(GetWindowRect(h), maximised);
  EXPECT_TRUE(TakeLog({WM_ENTERSIZEMOVE, WM_MOVING}).empty());
}

// What ends the move while the window is one step on, and puts it back; `other` is a
// hidden window that may take the capture.
struct Cancel {
  const char* name;
  std::function<void(HeadlessPlatform& platform, HWND moving, HWND other)> act;
};

class KeyboardMoveCancel : public KeyboardMove, public ::testing::WithParamInterface<Cancel> {};

TEST_P(KeyboardMoveCancel, PutsTheWindowBack) {
  const HWND other = Create("other", WS_POPUP, Rect::FromSize(400, 400, 50, 50));
  const HWND h = CreateMain();
  bool acted = false;
  OnMessage(h, WM_MOVING, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    if (!std::exchange(acted, true)) GetParam().act(platform, h, other);
    return 0;
  });
  Press(VK_RIGHT);
  MoveCommand(h);
  EXPECT_TRUE(acted);
  EXPECT_EQ(GetWindowRect(h), kStart);
  EXPECT_EQ(TakeLog({WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}),
            (Log{{"main", WM_ENTERSIZEMOVE}, {"main", WM_EXITSIZEMOVE}}));
  EXPECT_NE(GetCapture(), h);
  DestroyWindow(h);  // before `acted`
}

INSTANTIATE_TEST_SUITE_P(
    Cancels, KeyboardMoveCancel,
    ::testing::Values(Cancel{"Escape",
                             [](HeadlessPlatform& p, HWND, HWND) { p.UserKey(VK_ESCAPE, true); }},
                      Cancel{"AnotherApplicationBecomesActive",
                             [](HeadlessPlatform& p, HWND, HWND) { p.SetOutsideActive(); }},
                      Cancel{"WmCancelMode", [](HeadlessPlatform&, HWND h,
                                                HWND) { SendMessage(h, WM_CANCELMODE); }},
                      Cancel{"CaptureTakenElsewhere",
                             [](HeadlessPlatform&, HWND, HWND other) { SetCapture(other); }}),
    [](const ::testing::TestParamInfo<Cancel>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tappomat::test
