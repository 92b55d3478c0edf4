// Mouse capture: every mouse message goes to the capture window as a client message,
// wherever the pointer is, until the capture is released, taken or its window goes.
#include "input_fixture.h"

namespace tappomat::test {
namespace {

class Capture : public InputTest {
 protected:
  void SetUp() override {
    top = Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
    child = Make("child", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, top);
    other = Make("other", WS_CHILD | WS_VISIBLE, {100, 100, 150, 150}, top);
    Settle();
  }

  HWND top, child, other;
};

TEST_F(Capture, MovesOutsideTheWindowStillArriveInItsClientCoordinates) {
  OnMessage(child, WM_LBUTTONDOWN, [](HWND h, UINT, WPARAM, LPARAM) -> LRESULT {
    SetCapture(h);
    return 0;
  });
  platform.UserButton(At(child, {5, 5}), MouseButton::Left, true);
  ProcessMessages();
  ASSERT_EQ(GetCapture(), child);
  TakeSent({});

  struct Step {
    const char* name;
    Point screen;
    Point client;       // in the capture window
    const char* hover;  // the window really under the pointer
  };
  const Step steps[] = {
      {"over another child", {205, 205}, {95, 95}, "other"},
      {"outside every window", {50, 60}, {-60, -50}, nullptr},
      {"back over the capture window", {111, 112}, {1, 2}, "child"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    platform.UserMove(s.screen);
    ProcessMessages();
    const auto moves = TakeSent({WM_MOUSEMOVE, WM_SETCURSOR, CM_MOUSEENTER});
    ASSERT_FALSE(moves.empty());
    const SentMessage& move = moves.back();
    EXPECT_EQ(move.window, "child");
    EXPECT_EQ(move.message, UINT{WM_MOUSEMOVE});
    EXPECT_EQ(PointFromLParam(move.lParam), s.client);
    EXPECT_EQ(move.wParam, WPARAM{MK_LBUTTON});
    for (const SentMessage& m : moves)
      EXPECT_NE(m.message, UINT{WM_SETCURSOR});  // not under capture
    if (s.hover) {
      EXPECT_EQ(moves.front().message, UINT{CM_MOUSEENTER});
      EXPECT_EQ(moves.front().window, s.hover);
    }
  }

  platform.UserButton({50, 60}, MouseButton::Left, false);
  ProcessMessages();
  const auto ups = TakeSent({WM_LBUTTONUP});
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0].window, "child");
  EXPECT_EQ(PointFromLParam(ups[0].lParam), (Point{-60, -50}));

  EXPECT_TRUE(ReleaseCapture());
  const auto changed = TakeSent({WM_CAPTURECHANGED});
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].window, "child");
  EXPECT_EQ(changed[0].lParam, 0);
  EXPECT_EQ(GetCapture(), kNullWindow);

  // Without capture the press outside is nobody's.
  Settle();
  platform.UserClick({50, 60});
  ProcessMessages();
  EXPECT_TRUE(TakeLog({WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
}

TEST_F(Capture, TakingTheCaptureTellsTheWindowThatLosesIt) {
  EXPECT_EQ(SetCapture(child), kNullWindow);
  EXPECT_TRUE(TakeLog({WM_CAPTURECHANGED}).empty());
  EXPECT_EQ(SetCapture(child), child);  // no change, no message
  EXPECT_TRUE(TakeLog({WM_CAPTURECHANGED}).empty());
  EXPECT_EQ(SetCapture(other), child);
  const auto changed = TakeSent({WM_CAPTURECHANGED});
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].window, "child");
  EXPECT_EQ(changed[0].lParam, static_cast<LPARAM>(HandleToWParam(other)));
  EXPECT_EQ(GetCapture(), other);
}

TEST_F(Capture, TheCaptureEndsWithItsWindow) {
  struct Case {
    const char* name;
    std::function<void(HWND)> end;
  };
  const Case cases[] = {
      {"destroyed", [](HWND h) { DestroyWindow(h); }},
      {"hidden", [](HWND h) { ShowWindow(h, SW_HIDE); }},
      {"disabled", [](HWND h) { EnableWindow(h, false); }},
      {"its parent hidden", [this](HWND) { ShowWindow(top, SW_HIDE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND h = Make("captor", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, top);
    ShowWindow(top, SW_SHOW);
    SetCapture(h);
    TakeSent({});
    c.end(h);
    EXPECT_EQ(GetCapture(), kNullWindow);
    const auto changed = TakeSent({WM_CAPTURECHANGED, WM_NCDESTROY});
    ASSERT_FALSE(changed.empty());
    EXPECT_EQ(changed[0].window, "captor");
    EXPECT_EQ(changed[0].message, UINT{WM_CAPTURECHANGED});  // before its destruction ends
    DestroyWindow(h);
  }
}

}  // namespace
}  // namespace tappomat::test
