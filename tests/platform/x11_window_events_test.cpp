// Native events of our windows on a bare X server, produced by XTest as a user would:
// pointer, buttons and wheel, keys and text, focus, close requests, moves by others,
// damage, minimising, and the pointer grab of popups.
// gtest before the X headers: X.h defines None, which gtest uses as a name.
#include "support/x11_platform_fixture.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <thread>

#include "platform/virtual_keys.h"

namespace tappomat::test {
namespace {

using Type = NativeEvent::Type;

class X11WindowEventsTest : public X11BareTest {
 protected:
  NativeWindowId ShowAt(const Rect& bounds, NativeWindowKind kind = NativeWindowKind::Normal) {
    NativeWindowParams params;
    params.kind = kind;
    params.bounds = bounds;
    return ShowWindow(params);
  }

  // Presses and releases a key through XTest and waits until our window saw the release.
  void Tap(NativeWindowId window, KeySym keysym) {
    const std::size_t before = m_listener.Of(window, Type::KeyUp).size();
    Client().FakeKey(keysym, true);
    Client().FakeKey(keysym, false);
    ASSERT_TRUE(WaitFor([&] { return m_listener.Of(window, Type::KeyUp).size() > before; }));
  }
};

TEST_F(X11WindowEventsTest, PointerButtonsAndWheel) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  P().SetPointerPosition({150, 130});
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::PointerMove); }));
  EXPECT_TRUE(m_listener.Has(window, Type::PointerEnter));
  const NativeEvent move = m_listener.Of(window, Type::PointerMove).back();
  EXPECT_EQ(move.position, (Point{50, 30}));
  EXPECT_EQ(move.screenPosition, (Point{150, 130}));

  P().InjectButton(MouseButton::Right, true);
  P().InjectButton(MouseButton::Right, false);
  // Buttons 4 and 5 turn the wheel; 6 and 7 (sideways) are not passed on.
  for (const unsigned button : {4u, 5u, 6u, 7u}) {
    Client().FakeButton(button, true);
    Client().FakeButton(button, false);
  }
  P().InjectButton(MouseButton::Left, true);
  P().InjectButton(MouseButton::Left, false);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Of(window, Type::ButtonUp).size() == 2; }));
  const auto downs = m_listener.Of(window, Type::ButtonDown);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].button, MouseButton::Right);
  EXPECT_EQ(downs[1].button, MouseButton::Left);
  EXPECT_EQ(downs[1].position, (Point{50, 30}));
  const auto wheels = m_listener.Of(window, Type::Wheel);
  ASSERT_EQ(wheels.size(), 2u);
  EXPECT_EQ(wheels[0].wheelDelta, 120);
  EXPECT_EQ(wheels[1].wheelDelta, -120);

  P().SetPointerPosition({600, 600});
  EXPECT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::PointerLeave); }));
}

TEST_F(X11WindowEventsTest, KeysArriveAsVirtualKeysWithTypedText) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::FocusGained); }));
  struct Case {
    KeySym keysym;
    int virtualKey;
    const char* text;  // empty: no Text event
  };
  const Case cases[] = {
      {XK_a, 'A', "a"},           {XK_7, '7', "7"},
      {XK_F1, VK_F1, ""},         {XK_Escape, VK_ESCAPE, ""},
      {XK_Return, VK_RETURN, ""}, {XK_BackSpace, VK_BACK, ""},
      {XK_Left, VK_LEFT, ""},     {XK_Next, VK_NEXT, ""},
      {XK_comma, VK_OEM_COMMA, ","}, {XK_bracketleft, VK_OEM_4, "["},
      {XK_space, VK_SPACE, " "},  {XK_Delete, VK_DELETE, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.virtualKey);
    m_listener.Clear();
    Tap(window, c.keysym);
    const auto downs = m_listener.Of(window, Type::KeyDown);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].virtualKey, c.virtualKey);
    EXPECT_FALSE(downs[0].autoRepeat);
    EXPECT_EQ(m_listener.Of(window, Type::KeyUp).at(0).virtualKey, c.virtualKey);
    const auto texts = m_listener.Of(window, Type::Text);
    if (*c.text == '\0') {
      EXPECT_TRUE(texts.empty());
    } else {
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0].text, c.text);
    }
  }
}

TEST_F(X11WindowEventsTest, ShiftedKeysAndAutoRepeat) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::FocusGained); }));
  Client().FakeKey(XK_Shift_L, true);
  Tap(window, XK_b);
  Client().FakeKey(XK_Shift_L, false);
  const auto downs = m_listener.Of(window, Type::KeyDown);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].virtualKey, VK_SHIFT);
  EXPECT_EQ(downs[1].virtualKey, 'B');
  EXPECT_EQ(downs[1].modifiers, kModShift);
  ASSERT_EQ(m_listener.Of(window, Type::Text).size(), 1u);
  EXPECT_EQ(m_listener.Of(window, Type::Text)[0].text, "B");

  // A key held down repeats as presses without releases in between. The server repeats
  // held keys itself; a short delay keeps the test quick.
  unsigned delay = 0, interval = 0;
  ASSERT_TRUE(XkbGetAutoRepeatRate(Client().Get(), XkbUseCoreKbd, &delay, &interval));
  XkbSetAutoRepeatRate(Client().Get(), XkbUseCoreKbd, 50, 20);
  m_listener.Clear();
  Client().FakeKey(XK_c, true);
  EXPECT_TRUE(WaitFor([&] { return m_listener.Of(window, Type::KeyDown).size() >= 3; }));
  Client().FakeKey(XK_c, false);
  XkbSetAutoRepeatRate(Client().Get(), XkbUseCoreKbd, delay, interval);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::KeyUp); }));
  const auto repeats = m_listener.Of(window, Type::KeyDown);
  ASSERT_GE(repeats.size(), 3u);
  EXPECT_FALSE(repeats[0].autoRepeat);
  EXPECT_TRUE(repeats[1].autoRepeat);
  EXPECT_TRUE(repeats.back().autoRepeat);
  // Every repeat typed the letter again; the only release came at the end.
  EXPECT_EQ(m_listener.Of(window, Type::Text).size(), repeats.size());
  const auto ups = m_listener.Of(window, Type::KeyUp);
  EXPECT_EQ(std::count_if(ups.begin(), ups.end(), [](const NativeEvent& e) { return e.virtualKey == 'C'; }), 1);
}

// The key of A typed on a Russian layout gives the Cyrillic letter as text but still the
// virtual key 'A', so shortcuts work on any layout.
TEST_F(X11WindowEventsTest, RussianLayoutTypesCyrillicWithLatinVirtualKeys) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::FocusGained); }));
  Display* display = Client().Get();
  const KeyCode keycode = XKeysymToKeycode(display, XK_a);
  int perKeycode = 0;
  KeySym* original = XGetKeyboardMapping(display, keycode, 1, &perKeycode);
  ASSERT_NE(original, nullptr);
  KeySym russian[] = {XK_Cyrillic_ef, XK_Cyrillic_EF};
  XChangeKeyboardMapping(display, keycode, 2, russian, 1);
  Client().Sync();

  Client().FakeKeycode(keycode, true);
  Client().FakeKeycode(keycode, false);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::KeyUp); }));
  EXPECT_EQ(m_listener.Of(window, Type::KeyDown).at(0).virtualKey, 'A');
  ASSERT_EQ(m_listener.Of(window, Type::Text).size(), 1u);
  EXPECT_EQ(m_listener.Of(window, Type::Text)[0].text, "\u0444");  // ф

  XChangeKeyboardMapping(display, keycode, perKeycode, original, 1);
  XFree(original);
  Client().Sync();
}

TEST_F(X11WindowEventsTest, FocusFollowsActivation) {
  const Window other = Client().CreateWindow(Rect::FromSize(600, 100, 100, 100));
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::FocusGained); }));
  EXPECT_TRUE(P().IsApplicationActive());
  Client().Focus(other);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::FocusLost); }));
  EXPECT_FALSE(P().IsApplicationActive());
  P().SetFocus(window);
  EXPECT_TRUE(WaitFor([&] { return m_listener.Of(window, Type::FocusGained).size() == 2; }));
}

TEST_F(X11WindowEventsTest, CloseRequestFromTheWindowManagerProtocol) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(Client().Get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(Client().Get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(Client().Get(), window, False, NoEventMask, &event);
  EXPECT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::CloseRequest); }));
}

// Another client destroys our window while our requests for it are on their way: the
// window is reported destroyed once, and the errors of the requests that found it gone
// are expected, so none reaches standard error.
TEST_F(X11WindowEventsTest, AWindowDestroyedByAnotherClientIsReportedWithoutErrors) {
  const Rect bounds = Rect::FromSize(100, 100, 200, 150);
  const NativeWindowId window = ShowAt(bounds);
  const Bitmap32 picture(bounds.Width(), bounds.Height(), MakePixel(200, 30, 30));
  ::testing::internal::CaptureStderr();
  XDestroyWindow(Client().Get(), window);
  Client().Sync();
  P().Present(window, picture, Region(Rect::FromSize(0, 0, bounds.Width(), bounds.Height())));
  P().SetTitle(window, "gone");
  P().SetBounds(window, Rect::FromSize(120, 120, 200, 150));
  const bool reported = WaitFor([&] { return m_listener.Has(window, Type::Destroyed); });
  for (int i = 0; i < 5; ++i) P().WaitAndDispatch(P().Now() + std::chrono::milliseconds(5));
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(reported);
  EXPECT_EQ(m_listener.Of(window, Type::Destroyed).size(), 1u);
  EXPECT_EQ(errors, "");
}

TEST_F(X11WindowEventsTest, MovesByOthersAreReportedButOurOwnAreNot) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  const auto geometryIs = [&](const Rect& r) {
    Window child = None;
    int x = 0, y = 0;
    XWindowAttributes attributes{};
    XGetWindowAttributes(Client().Get(), window, &attributes);
    XTranslateCoordinates(Client().Get(), window, Client().Root(), 0, 0, &x, &y, &child);
    return Rect::FromSize(x, y, attributes.width, attributes.height) == r;
  };
  // Two requests in a row: neither comes back as a Configured event.
  P().SetBounds(window, Rect::FromSize(120, 110, 220, 160));
  P().SetBounds(window, Rect::FromSize(140, 130, 240, 170));
  ASSERT_TRUE(WaitFor([&] { return geometryIs(Rect::FromSize(140, 130, 240, 170)); }));
  for (int i = 0; i < 5; ++i) P().WaitAndDispatch(P().Now() + std::chrono::milliseconds(5));
  EXPECT_FALSE(m_listener.Has(window, Type::Configured));

  XMoveResizeWindow(Client().Get(), window, 300, 250, 180, 120);
  Client().Sync();
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::Configured); }));
  EXPECT_EQ(m_listener.Of(window, Type::Configured).back().rect, Rect::FromSize(300, 250, 180, 120));
}

TEST_F(X11WindowEventsTest, MappingDamagesTheWholeWindowOnce) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::Damaged); }));
  const auto damage = m_listener.Of(window, Type::Damaged);
  EXPECT_EQ(damage.size(), 1u);
  EXPECT_EQ(damage[0].rect, Rect::FromSize(0, 0, 200, 150));
}

TEST_F(X11WindowEventsTest, MinimizeAndRestoreWithoutWindowManager) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  const auto mapState = [&] {
    XWindowAttributes attributes{};
    XGetWindowAttributes(Client().Get(), window, &attributes);
    return attributes.map_state;
  };
  P().Minimize(window);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::Minimized); }));
  EXPECT_TRUE(WaitFor([&] { return mapState() == IsUnmapped; }));
  P().Restore(window);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::Restored); }));
  EXPECT_TRUE(WaitFor([&] { return mapState() == IsViewable; }));
  EXPECT_EQ(m_listener.Of(window, Type::Minimized).size(), 1u);
}

// A popup menu grabs the pointer: a click outside it comes to the popup (so it can close)
// instead of the window under the pointer, until the grab ends.
TEST_F(X11WindowEventsTest, PointerGrabBringsOutsideClicksToThePopup) {
  const Window other = Client().CreateWindow(Rect::FromSize(500, 500, 200, 200));
  const NativeWindowId popup = ShowAt(Rect::FromSize(100, 100, 120, 200), NativeWindowKind::Popup);
  ASSERT_TRUE(P().GrabPointer(popup));
  Click({550, 550});
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(popup, Type::ButtonUp); }));
  EXPECT_EQ(m_listener.Of(popup, Type::ButtonDown).at(0).position, (Point{450, 450}));
  EXPECT_TRUE(Client().Presses().empty());

  P().ReleasePointer();
  Click({560, 560});
  ASSERT_TRUE(WaitFor([&] { return !Client().Presses().empty(); }));
  EXPECT_EQ(Client().Presses()[0].window, other);
}

TEST_F(X11WindowEventsTest, WaitEndsAtTheDeadlineOrOnWake) {
  for (int i = 0; i < 5; ++i) P().WaitAndDispatch(P().Now());  // nothing left to deliver
  // With nothing to deliver, one wait lasts until the deadline, which is never cut short
  // to whole milliseconds.
  const auto deadline = P().Now() + std::chrono::microseconds(20'700);
  P().WaitAndDispatch(deadline);
  EXPECT_GE(P().Now(), deadline);

  // Without a deadline only Wake ends the wait.
  std::thread waker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    P().Wake();
  });
  P().WaitAndDispatch(std::nullopt);
  waker.join();
}

}  // namespace
}  // namespace tappomat::test
