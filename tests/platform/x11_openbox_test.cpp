// The main cases again under a real window manager (openbox), which reparents our windows
// into frames, decides about focus and keeps the stacking layers: clicks, activation,
// stay-on-top, placement, moves and minimising.
// gtest before the X headers: X.h defines None, which gtest uses as a name.
#include "support/x11_platform_fixture.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

#include "platform/x11/x11_platform.h"

namespace tappomat::test {
namespace {

using Type = NativeEvent::Type;

class X11OpenboxSuite : public X11OpenboxTest {
 protected:
  NativeWindowId ShowAt(const Rect& bounds, bool topmost = false, bool activate = true) {
    NativeWindowParams params;
    params.bounds = bounds;
    params.topmost = topmost;
    return ShowWindow(params, MakePixel(40, 120, 200), activate);
  }

  Rect ScreenBoundsOf(Window window) {
    Window child = None;
    int x = 0, y = 0;
    XWindowAttributes attributes{};
    XGetWindowAttributes(Client().Get(), window, &attributes);
    XTranslateCoordinates(Client().Get(), window, Client().Root(), 0, 0, &x, &y, &child);
    return Rect::FromSize(x, y, attributes.width, attributes.height);
  }

  // Asks the window manager to activate another client's window, as a task bar would.
  void ActivateOther(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(Client().Get(), "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // from a pager
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(Client().Get(), Client().Root(), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    Client().Sync();
  }
};

TEST_F(X11OpenboxSuite, WindowManagerIsSeen) {
  EXPECT_TRUE(static_cast<X11Platform&>(P()).HasWindowManager());
  const Rect screen = P().ScreenRect();
  EXPECT_EQ(screen, Rect::FromSize(0, 0, 1280, 1024));
  EXPECT_TRUE(screen.Contains(P().WorkArea()));
  EXPECT_FALSE(P().WorkArea().IsEmpty());
}

TEST_F(X11OpenboxSuite, WindowsStayWhereAskedWithoutFrames) {
  const Rect bounds = Rect::FromSize(123, 77, 210, 140);
  const NativeWindowId window = ShowAt(bounds);
  EXPECT_TRUE(WaitFor([&] { return ScreenBoundsOf(window) == bounds; }));
  // The frame the manager put around it has no decorations: it is the window's size.
  EXPECT_TRUE(WaitFor([&] { return ScreenBoundsOf(Client().TopLevelOf(window)) == bounds; }));
}

TEST_F(X11OpenboxSuite, InjectedClicksLandInManagedWindows) {
  const Rect bounds = Rect::FromSize(400, 300, 200, 200);
  const Window target = Client().CreateWindow(bounds);
  ASSERT_TRUE(WaitFor([&] { return ScreenBoundsOf(target).TopLeft() != Point{}; }));
  const Point origin = ScreenBoundsOf(target).TopLeft();
  Click({origin.x + 20, origin.y + 30}, MouseButton::Right);
  ASSERT_TRUE(WaitFor([&] { return !Client().Presses().empty(); }));
  EXPECT_EQ(Client().Presses()[0].window, target);
  EXPECT_EQ(Client().Presses()[0].button, 3u);
  EXPECT_EQ(Client().Presses()[0].position, (Point{20, 30}));
}

TEST_F(X11OpenboxSuite, ActivationAndActiveApplication) {
  const Window other = Client().CreateWindow(Rect::FromSize(700, 100, 200, 200));
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 200));
  EXPECT_TRUE(WaitFor([&] { return P().IsApplicationActive(); }));
  EXPECT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::FocusGained); }));

  ActivateOther(other);
  EXPECT_TRUE(WaitFor([&] { return !P().IsApplicationActive(); }));

  // A click on our window makes us active again, through the window manager.
  Click({150, 150});
  EXPECT_TRUE(WaitFor([&] { return P().IsApplicationActive(); }));

  // A no-activate window is never activated by a click.
  ActivateOther(other);
  ASSERT_TRUE(WaitFor([&] { return !P().IsApplicationActive(); }));
  NativeWindowParams params;
  params.kind = NativeWindowKind::Tool;
  params.noActivate = true;
  params.bounds = Rect::FromSize(400, 500, 100, 100);
  const NativeWindowId marker = ShowWindow(params, MakePixel(255, 0, 0), false);
  Click({450, 550});
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(marker, Type::ButtonUp); }));
  EXPECT_FALSE(P().IsApplicationActive());
}

TEST_F(X11OpenboxSuite, TopmostStaysAboveOtherWindows) {
  const NativeWindowId topmost = ShowAt(Rect::FromSize(100, 100, 300, 300), true);
  const Window other = Client().CreateWindow(Rect::FromSize(150, 150, 300, 300));
  ActivateOther(other);
  Client().Raise(other);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(topmost, other); }));

  // Made topmost after it was shown, through the window manager.
  const NativeWindowId later = ShowAt(Rect::FromSize(500, 100, 200, 200));
  const Window cover = Client().CreateWindow(Rect::FromSize(550, 150, 200, 200));
  ActivateOther(cover);
  ASSERT_TRUE(WaitFor([&] { return Client().IsAbove(cover, later); }));
  P().SetTopmost(later, true);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(later, cover); }));

  P().SetTopmost(topmost, false);
  ActivateOther(other);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(other, topmost); }));
}

TEST_F(X11OpenboxSuite, TopmostSurvivesBeingHiddenAndShownAgain) {
  // The window manager forgets the state of a withdrawn window: each showing must give it
  // back, for a normal window and for a tool window (the markers) alike.
  for (const NativeWindowKind kind : {NativeWindowKind::Normal, NativeWindowKind::Tool}) {
    NativeWindowParams params;
    params.kind = kind;
    params.bounds = Rect::FromSize(100, 100, 200, 200);
    params.topmost = true;
    const NativeWindowId topmost = ShowWindow(params, MakePixel(40, 120, 200), false);
    const Window other = Client().CreateWindow(Rect::FromSize(150, 150, 300, 300));
    for (int round = 0; round < 3; ++round) {
      SCOPED_TRACE(round);
      P().Hide(topmost);
      Client().Sync();
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      P().Show(topmost, false);
      ActivateOther(other);
      Client().Raise(other);
      EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(topmost, other); }));
    }
    P().DestroyNativeWindow(topmost);
  }
}

TEST_F(X11OpenboxSuite, WindowsWithoutASizingFrameHaveAFixedSize) {
  for (const bool fixed : {true, false}) {
    NativeWindowParams params;
    params.bounds = Rect::FromSize(100, 100, 210, 140);
    params.fixedSize = fixed;
    const NativeWindowId window = ShowWindow(params, MakePixel(40, 120, 200), false);
    P().SetBounds(window, Rect::FromSize(100, 100, 250, 160));
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(WaitFor([&] {
      return XGetWMNormalHints(Client().Get(), window, &hints, &supplied) && hints.width == 250;
    }));
    EXPECT_EQ((hints.flags & (PMinSize | PMaxSize)) == (PMinSize | PMaxSize), fixed);
    if (fixed) {
      EXPECT_EQ(hints.min_width, 250);
      EXPECT_EQ(hints.max_width, 250);
      EXPECT_EQ(hints.min_height, 160);
      EXPECT_EQ(hints.max_height, 160);
    }
    P().DestroyNativeWindow(window);
  }
}

// A window at a default position is placed by the window manager (here beside a window
// that already takes the corner), until the program moves it somewhere itself.
TEST_F(X11OpenboxSuite, WindowsAtADefaultPositionArePlacedByTheWindowManager) {
  const Rect corner = Rect::FromSize(0, 0, 600, 400);
  ShowAt(corner);
  NativeWindowParams params;
  params.bounds = Rect::FromSize(0, 0, 300, 200);
  params.defaultPosition = true;
  const NativeWindowId placed = ShowWindow(params, MakePixel(200, 120, 40), false);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(Client().Get(), placed, &hints, &supplied));
  EXPECT_EQ(hints.flags & (USPosition | PPosition), 0);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(placed, Type::Configured); }));
  const Rect where = ScreenBoundsOf(placed);
  EXPECT_FALSE(where.Intersects(corner)) << where.left << "," << where.top;
  EXPECT_EQ(m_listener.Of(placed, Type::Configured).back().rect, where);

  const Rect chosen = Rect::FromSize(50, 60, 300, 200);
  P().SetBounds(placed, chosen);
  EXPECT_TRUE(WaitFor([&] { return ScreenBoundsOf(placed) == chosen; }));
  ASSERT_TRUE(XGetWMNormalHints(Client().Get(), placed, &hints, &supplied));
  EXPECT_EQ(hints.flags & (USPosition | PPosition), USPosition | PPosition);
}

TEST_F(X11OpenboxSuite, PlaceBelowAndAboveThroughTheWindowManager) {
  const NativeWindowId a = ShowAt(Rect::FromSize(100, 100, 100, 100));
  const NativeWindowId b = ShowAt(Rect::FromSize(150, 100, 100, 100));
  ASSERT_TRUE(WaitFor([&] { return Client().IsAbove(b, a); }));
  P().PlaceAbove(a, b);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(a, b); }));
  P().PlaceBelow(a, b);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(b, a); }));
}

TEST_F(X11OpenboxSuite, MovesByOthersAreReportedInScreenCoordinates) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  ASSERT_TRUE(WaitFor([&] { return ScreenBoundsOf(window) == Rect::FromSize(100, 100, 200, 150); }));
  P().SetBounds(window, Rect::FromSize(110, 120, 200, 150));
  ASSERT_TRUE(WaitFor([&] { return ScreenBoundsOf(window) == Rect::FromSize(110, 120, 200, 150); }));
  for (int i = 0; i < 5; ++i) P().WaitAndDispatch(P().Now() + std::chrono::milliseconds(5));
  EXPECT_FALSE(m_listener.Has(window, Type::Configured));

  // Another client asks the window manager to move and resize our window.
  XMoveResizeWindow(Client().Get(), window, 400, 300, 260, 180);
  Client().Sync();
  ASSERT_TRUE(WaitFor([&] {
    return m_listener.Has(window, Type::Configured) &&
           m_listener.Of(window, Type::Configured).back().rect == Rect::FromSize(400, 300, 260, 180);
  }));
}

TEST_F(X11OpenboxSuite, MinimizeAndRestore) {
  const NativeWindowId window = ShowAt(Rect::FromSize(100, 100, 200, 150));
  P().Minimize(window);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::Minimized); }));
  P().Restore(window);
  ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, Type::Restored); }));
  XWindowAttributes attributes{};
  EXPECT_TRUE(WaitFor([&] {
    return XGetWindowAttributes(Client().Get(), window, &attributes) &&
           attributes.map_state == IsViewable;
  }));
}

}  // namespace
}  // namespace tappomat::test
