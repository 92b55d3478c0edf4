// Mouse routing: activation by a click, hit-testing, double clicks, enter/leave, cursors,
// mouse activation answers and the wheel.
#include <chrono>

#include "input_fixture.h"

namespace tappomat::test {
namespace {

using std::chrono::milliseconds;

class MouseInput : public InputTest {};

TEST_F(MouseInput, ClickOnAChildOfAnInactiveWindowActivatesItThenDeliversThePress) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 300, 250});
  const HWND child = Make("child", WS_CHILD | WS_VISIBLE, {10, 20, 110, 70}, top);
  platform.SetOutsideActive();
  Settle();
  ASSERT_FALSE(IsApplicationActive());

  const Point press = At(child, {40, 30});
  platform.UserClick(press);
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_SETCURSOR, WM_MOUSEMOVE, WM_PARENTNOTIFY, WM_MOUSEACTIVATE, WM_ACTIVATEAPP,
                     WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_LBUTTONDOWN, WM_LBUTTONUP}),
            (Log{// the pointer arrives
                 {"child", WM_SETCURSOR},
                 {"top", WM_SETCURSOR},
                 {"child", WM_MOUSEMOVE},
                 // the press: the parent hears of it, then activation decided by the parent
                 {"top", WM_PARENTNOTIFY},
                 {"child", WM_MOUSEACTIVATE},
                 {"top", WM_MOUSEACTIVATE},
                 {"top", WM_ACTIVATEAPP},
                 {"top", WM_NCACTIVATE},
                 {"top", WM_ACTIVATE},
                 {"top", WM_SETFOCUS},
                 {"child", WM_SETCURSOR},
                 {"top", WM_SETCURSOR},
                 {"child", WM_LBUTTONDOWN},
                 // the release
                 {"child", WM_SETCURSOR},
                 {"top", WM_SETCURSOR},
                 {"child", WM_LBUTTONUP}}));

  const auto sent =
      TakeSent({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_PARENTNOTIFY});
  ASSERT_EQ(sent.size(), 6u);
  EXPECT_EQ(sent[0].lParam, MAKELPARAM(50, 50));  // WM_PARENTNOTIFY: the point in the parent
  EXPECT_EQ(sent[1].wParam, HandleToWParam(top));
  EXPECT_EQ(sent[1].lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(LOWORD(sent[3].wParam), WA_CLICKACTIVE);
  EXPECT_EQ(sent[4].lParam, MAKELPARAM(40, 30));
  EXPECT_EQ(sent[4].wParam, WPARAM{MK_LBUTTON});
  EXPECT_EQ(sent[5].lParam, MAKELPARAM(40, 30));
  EXPECT_EQ(sent[5].wParam, WPARAM{0});
  EXPECT_TRUE(IsApplicationActive());
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), top);
  EXPECT_EQ(GetCursorPos(), press);
}

TEST_F(MouseInput, HitTestingFindsTheDeepestEnabledWindowThatDoesNotLetThePointThrough) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {50, 40, 250, 240});
  std::map<std::string, HWND> windows{{"top", top}};
  windows["a"] = Make("a", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, top);
  windows["under"] = Make("under", WS_CHILD | WS_VISIBLE, {100, 10, 150, 60}, top);
  windows["glass"] = Make("glass", WS_CHILD | WS_VISIBLE, {100, 10, 150, 60}, top);
  windows["off"] = Make("off", WS_CHILD | WS_VISIBLE | WS_DISABLED, {10, 100, 60, 150}, top);
  windows["offspring"] = Make("offspring", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, windows["off"]);
  windows["round"] = Make("round", WS_CHILD | WS_VISIBLE, {100, 100, 150, 150}, top);
  windows["framed"] = Make("framed", WS_CHILD | WS_VISIBLE, {160, 100, 190, 150}, top);
  OnMessage(windows["glass"], WM_NCHITTEST,
            [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return HTTRANSPARENT; });
  OnMessage(windows["framed"], WM_NCHITTEST,
            [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return HTCAPTION; });
  // Only the routing is looked at here, not what the default does with a caption press.
  OnMessage(windows["framed"], WM_NCLBUTTONDOWN,
            [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  SetWindowRgn(windows["round"], Region(Rect{0, 0, 25, 25}));

  struct Case {
    const char* name;
    Point inTop;  // client point of the top-level window
    const char* window;
    UINT message;
    Point expected;  // client point of the target; screen point for WM_NC*
  };
  const Point captionPoint = At(top, {170, 110});
  const Case cases[] = {
      {"plain child", {20, 30}, "a", WM_LBUTTONDOWN, {10, 20}},
      {"transparent child: the sibling under it", {110, 20}, "under", WM_LBUTTONDOWN, {10, 10}},
      {"disabled child (and its children): the parent",
       {20, 110},
       "top",
       WM_LBUTTONDOWN,
       {20, 110}},
      {"inside the window region", {105, 105}, "round", WM_LBUTTONDOWN, {5, 5}},
      {"outside the window region: the parent", {140, 140}, "top", WM_LBUTTONDOWN, {140, 140}},
      {"non-client hit code", {170, 110}, "framed", WM_NCLBUTTONDOWN, captionPoint},
      {"the top-level window's own area", {195, 195}, "top", WM_LBUTTONDOWN, {195, 195}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settle();
    platform.AdvanceClock(milliseconds(1000));  // no double clicks between the cases
    const Point screen = At(top, c.inTop);
    EXPECT_EQ(WindowFromPoint(screen), windows[c.window]);
    platform.UserClick(screen);
    ProcessMessages();
    const auto presses = TakeSent({WM_LBUTTONDOWN, WM_NCLBUTTONDOWN});
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].window, c.window);
    EXPECT_EQ(presses[0].message, c.message);
    EXPECT_EQ(PointFromLParam(presses[0].lParam), c.expected);
    EXPECT_EQ(presses[0].wParam,
              c.message == WM_NCLBUTTONDOWN ? WPARAM{HTCAPTION} : WPARAM{MK_LBUTTON});
  }
  EXPECT_EQ(WindowFromPoint({10, 10}), kNullWindow);  // outside every window
}

TEST_F(MouseInput, DoubleClicksNeedTheSameButtonWindowTimeAndPlace) {
  WindowClass plainClass{"NoDoubleClicks", [](HWND h, UINT m, WPARAM w, LPARAM l) {
                           return DefWindowProc(h, m, w, l);
                         }};
  RegisterClass(plainClass);
  struct Press {
    int dx = 0;         // from the first press
    int delayMs = 100;  // since the previous press
  };
  struct Case {
    const char* name;
    bool classDoubleClicks;
    LRESULT hit;
    std::vector<Press> presses;
    std::vector<UINT> expected;
  };
  const Case cases[] = {
      {"in time and place", true, HTCLIENT, {{}, {1, 100}}, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
      {"too late", true, HTCLIENT, {{}, {0, 501}}, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
      {"too far", true, HTCLIENT, {{}, {5, 100}}, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
      {"class without CS_DBLCLKS",
       false,
       HTCLIENT,
       {{}, {0, 100}},
       {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
      {"a third press starts over",
       true,
       HTCLIENT,
       {{}, {0, 100}, {0, 100}, {0, 100}},
       {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
      {"non-client area, whatever the class",
       false,
       HTCAPTION,
       {{}, {0, 100}},
       {WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND top = c.classDoubleClicks
                         ? Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 200, 200})
                         : CreateWindowEx(0, "NoDoubleClicks", "", WS_POPUP | WS_VISIBLE, 100, 100,
                                          100, 100, kNullWindow);
    Name(top, "top");
    if (c.hit != HTCLIENT) {
      SetWindowProc(
          top, [hit = c.hit, previous = GetWindowProc(top)](HWND h, UINT m, WPARAM w, LPARAM l) {
            if (m == WM_NCHITTEST) return hit;
            if (m == WM_NCLBUTTONDOWN || m == WM_NCLBUTTONDBLCLK)
              return LRESULT{0};  // routing only
            return CallWindowProc(previous, h, m, w, l);
          });
    }
    Settle();
    platform.AdvanceClock(milliseconds(1000));
    for (const Press& p : c.presses) {
      platform.AdvanceClock(milliseconds(p.delayMs));
      platform.UserClick({150 + p.dx, 150});
      ProcessMessages();
    }
    std::vector<UINT> seen;
    for (const SentMessage& m :
         TakeSent({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK})) {
      seen.push_back(m.message);
    }
    EXPECT_EQ(seen, c.expected);
    DestroyWindow(top);
  }
}

TEST_F(MouseInput, EnterAndLeaveFollowTheWindowUnderThePointer) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 300, 200});
  const HWND a = Make("a", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, top);
  Make("b", WS_CHILD | WS_VISIBLE, {100, 10, 150, 60}, top);
  Settle();
  struct Step {
    const char* name;
    Point screen;
    Log expected;
  };
  const Step steps[] = {
      {"into a", At(a, {5, 5}), {{"a", CM_MOUSEENTER}}},
      {"within a", At(a, {6, 5}), {}},
      {"from a to b",
       At(top, {110, 20}),
       {{"a", CM_MOUSELEAVE}, {"a", WM_MOUSELEAVE}, {"b", CM_MOUSEENTER}}},
      {"from b to the parent",
       At(top, {80, 80}),
       {{"b", CM_MOUSELEAVE}, {"b", WM_MOUSELEAVE}, {"top", CM_MOUSEENTER}}},
      {"out of the window", {20, 20}, {{"top", CM_MOUSELEAVE}, {"top", WM_MOUSELEAVE}}},
      {"back in", At(a, {1, 1}), {{"a", CM_MOUSEENTER}}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    platform.UserMove(s.screen);
    ProcessMessages();
    EXPECT_EQ(TakeLog({CM_MOUSEENTER, CM_MOUSELEAVE, WM_MOUSELEAVE}), s.expected);
  }
  ShowWindow(a, SW_HIDE);  // a hidden window is left
  EXPECT_EQ(TakeLog({CM_MOUSEENTER, CM_MOUSELEAVE, WM_MOUSELEAVE}),
            (Log{{"a", CM_MOUSELEAVE}, {"a", WM_MOUSELEAVE}}));
}

TEST_F(MouseInput, TheCursorIsTheClassCursorInTheClientAreaAndASizeArrowOnTheBorders) {
  WindowClass beamClass{
      "Beam", [](HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }};
  beamClass.cursor = PointerShape::IBeam;
  RegisterClass(beamClass);
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
  const HWND edit = CreateWindowEx(0, "Beam", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, top);
  LRESULT topHit = HTCLIENT;
  OnMessage(top, WM_NCHITTEST, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return topHit; });
  const NativeWindowId native = system.Find(top)->top.native;

  platform.UserMove(At(edit, {5, 5}));
  ProcessMessages();
  EXPECT_EQ(platform.Window(native)->cursor, PointerShape::IBeam);

  struct Case {
    LRESULT hit;
    PointerShape shape;
  };
  const Case cases[] = {
      {HTCLIENT, PointerShape::Arrow},      {HTLEFT, PointerShape::SizeWE},
      {HTBOTTOM, PointerShape::SizeNS},     {HTBOTTOMRIGHT, PointerShape::SizeNWSE},
      {HTTOPRIGHT, PointerShape::SizeNESW}, {HTCAPTION, PointerShape::Arrow}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hit);
    topHit = c.hit;
    platform.UserMove(At(top, {150, 150 + static_cast<int>(c.hit)}));
    ProcessMessages();
    EXPECT_EQ(platform.Window(native)->cursor, c.shape);
  }

  // A parent that sets the cursor itself decides for its children.
  OnMessage(top, WM_SETCURSOR, [&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    platform.SetCursor(native, PointerShape::Wait);
    return 1;
  });
  platform.UserMove(At(edit, {6, 6}));
  ProcessMessages();
  EXPECT_EQ(platform.Window(native)->cursor, PointerShape::Wait);
  DestroyWindow(top);
}

TEST_F(MouseInput, MouseActivateAnswersDecideActivationAndWhetherThePressIsEaten) {
  struct Case {
    const char* name;
    std::optional<LRESULT> answer;  // none: DefWindowProc's
    std::uint32_t exStyle;
    bool activated;
    bool delivered;
  };
  const Case cases[] = {
      {"default", std::nullopt, 0, true, true},
      {"default for WS_EX_NOACTIVATE", std::nullopt, WS_EX_NOACTIVATE, false, true},
      {"MA_ACTIVATEANDEAT", MA_ACTIVATEANDEAT, 0, true, false},
      {"MA_NOACTIVATE", MA_NOACTIVATE, 0, false, true},
      {"MA_NOACTIVATEANDEAT", MA_NOACTIVATEANDEAT, 0, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND top =
        Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 200, 200}, kNullWindow, c.exStyle);
    if (c.answer) {
      OnMessage(top, WM_MOUSEACTIVATE,
                [answer = *c.answer](HWND, UINT, WPARAM, LPARAM) { return answer; });
    }
    platform.SetOutsideActive();
    Settle();
    platform.AdvanceClock(milliseconds(1000));
    platform.UserClick({150, 150});
    ProcessMessages();
    EXPECT_EQ(GetActiveWindow() == top, c.activated);
    EXPECT_EQ(TakeLog({WM_LBUTTONDOWN}).size(), c.delivered ? 1u : 0u);
    DestroyWindow(top);
  }
}

TEST_F(MouseInput, TheWheelGoesToTheFocusWindowAndUpToItsParent) {
  const HWND top = Make("top", WS_POPUP | WS_VISIBLE, {100, 100, 300, 300});
  const HWND child = Make("child", WS_CHILD | WS_VISIBLE, {10, 10, 60, 60}, top);
  SetFocus(child);
  Settle();
  NativeEvent wheel;
  wheel.type = NativeEvent::Type::Wheel;
  wheel.screenPosition = {250, 250};  // not over the focus window
  wheel.position = {150, 150};
  wheel.wheelDelta = -WHEEL_DELTA;
  platform.InjectEvent(system.Find(top)->top.native, wheel);
  ProcessMessages();
  EXPECT_EQ(TakeLog({WM_MOUSEWHEEL}), (Log{{"child", WM_MOUSEWHEEL}, {"top", WM_MOUSEWHEEL}}));
  const auto sent = TakeSent({WM_MOUSEWHEEL});
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(static_cast<std::int16_t>(HIWORD(sent[0].wParam)), -WHEEL_DELTA);
  EXPECT_EQ(PointFromLParam(sent[0].lParam), (Point{250, 250}));
}

}  // namespace
}  // namespace tappomat::test
