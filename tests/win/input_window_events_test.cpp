// What the window manager does to top-level windows (moves, minimizes, close requests) and
// the stacking order WindowFromPoint goes by.
#include "input_fixture.h"

namespace tappomat::test {
namespace {

class WindowEvents : public InputTest {
 protected:
  NativeWindowId Native(HWND h) { return system.Find(h)->top.native; }

  void Inject(HWND h, NativeEvent::Type type, const Rect& rect = {}) {
    NativeEvent e;
    e.type = type;
    e.rect = rect;
    platform.InjectEvent(Native(h), e);
    ProcessMessages();
  }
};

TEST_F(WindowEvents, BoundsFromTheWindowManagerAreTakenButNotSentBack) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
  OnMessage(top, WM_WINDOWPOSCHANGING, [](HWND, UINT, WPARAM, LPARAM l) -> LRESULT {
    WINDOWPOS* pos = LParamToPtr<WINDOWPOS>(l);
    pos->cx = std::max(pos->cx, 150);  // a minimum width
    return 0;
  });
  Settle();
  // The headless platform does not move its record for an injected event: whatever
  // reaches it was sent back.
  Inject(top, NativeEvent::Type::Configured, {10, 20, 230, 180});
  EXPECT_EQ(GetWindowRect(top), (Rect{10, 20, 230, 180}));
  EXPECT_EQ(platform.Window(Native(top))->bounds, (Rect{0, 0, 200, 100}));
  EXPECT_EQ(TakeLog({WM_MOVE, WM_SIZE}), (Log{{"top", WM_MOVE}, {"top", WM_SIZE}}));

  // Bounds the window does not accept are corrected on the platform too.
  Inject(top, NativeEvent::Type::Configured, {10, 20, 110, 180});
  EXPECT_EQ(GetWindowRect(top), (Rect{10, 20, 160, 180}));
  EXPECT_EQ(platform.Window(Native(top))->bounds, (Rect{10, 20, 160, 180}));
  DestroyWindow(top);
}

TEST_F(WindowEvents, MinimizeAndRestoreByTheWindowManager) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
  Settle();
  struct Step {
    NativeEvent::Type type;
    bool iconic;
    std::vector<std::pair<WPARAM, LPARAM>> sizes;  // WM_SIZE parameters
  };
  const Step steps[] = {
      {NativeEvent::Type::Minimized, true, {{SIZE_MINIMIZED, 0}}},
      {NativeEvent::Type::Minimized, true, {}},  // the echo of our own minimize: nothing
      {NativeEvent::Type::Restored, false, {{SIZE_RESTORED, MAKELPARAM(200, 100)}}},
  };
  for (const Step& s : steps) {
    Inject(top, s.type);
    EXPECT_EQ(IsIconic(top), s.iconic);
    std::vector<std::pair<WPARAM, LPARAM>> sizes;
    for (const SentMessage& m : TakeSent({WM_SIZE})) sizes.emplace_back(m.wParam, m.lParam);
    EXPECT_EQ(sizes, s.sizes);
  }
}

// The window manager may show a minimized window again (and tell us that it is exposed)
// before it says that the window is restored: the restore paints the whole window, so
// nothing stays black.
TEST_F(WindowEvents, AWindowRestoredByTheWindowManagerIsPaintedWhole) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
  Settle();
  Inject(top, NativeEvent::Type::Minimized);
  Inject(top, NativeEvent::Type::Damaged, {0, 0, 200, 100});
  TakeLog();
  const int presents = platform.Window(Native(top))->presentCount;
  Inject(top, NativeEvent::Type::Restored);
  EXPECT_EQ(TakeLog({WM_PAINT}), (Log{{"top", WM_PAINT}}));
  EXPECT_GT(platform.Window(Native(top))->presentCount, presents);
}

TEST_F(WindowEvents, ACloseRequestBecomesSystemCommandCloseUnlessTheWindowIsDisabled) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
  EnableWindow(top, false);
  Settle();
  Inject(top, NativeEvent::Type::CloseRequest);
  EXPECT_TRUE(TakeLog({WM_SYSCOMMAND, WM_CLOSE}).empty());

  EnableWindow(top, true);
  Inject(top, NativeEvent::Type::CloseRequest);
  const auto sent = TakeSent({WM_SYSCOMMAND, WM_CLOSE});
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].wParam, WPARAM{SC_CLOSE});
  EXPECT_EQ(sent[1].message, UINT{WM_CLOSE});
  EXPECT_FALSE(IsWindow(top));  // DefWindowProc's WM_CLOSE destroys it
}

TEST_F(WindowEvents, WindowFromPointFollowsActivationOwnershipAndTopmost) {
  const HWND a = Make("A", WS_POPUP | WS_VISIBLE, {0, 0, 200, 200});
  const HWND dialog = Make("dialog", WS_POPUP | WS_VISIBLE, {20, 20, 80, 80}, a);
  const HWND b = Make("B", WS_POPUP | WS_VISIBLE, {10, 10, 300, 300});
  const HWND pinned =
      Make("pinned", WS_POPUP | WS_VISIBLE, {250, 250, 400, 400}, kNullWindow, WS_EX_TOPMOST);
  struct Step {
    const char* name;
    std::function<void()> act;
    Point point;
    HWND expected;
  };
  const Step steps[] = {
      {"newest on top", [] {}, {50, 50}, b},
      {"activation raises, owned windows stay above their owner",
       [&] { SetActiveWindow(a); },
       {50, 50},
       dialog},
      {"beside the owned window: the owner", [] {}, {100, 100}, a},
      {"a topmost window stays above an activated one",
       [&] { SetActiveWindow(b); },
       {260, 260},
       pinned},
      {"HWND_BOTTOM",
       [&] { SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); },
       {100, 100},
       a},
      {"a hidden window is not found", [&] { ShowWindow(a, SW_HIDE); }, {100, 100}, b},
      {"a minimized window is not found",
       [&] { ShowWindow(b, SW_MINIMIZE); },
       {100, 100},
       kNullWindow},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.act();
    EXPECT_EQ(WindowFromPoint(s.point), s.expected);
  }
}

}  // namespace
}  // namespace tappomat::test
