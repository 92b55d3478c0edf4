// Stacking on a bare X server, where nobody but us keeps topmost windows on top: they
// must stay above windows raised later (ours and other clients'), popups go above them,
// and windows can be placed directly below or above one another.
#include "support/x11_platform_fixture.h"

namespace tappomat::test {
namespace {

class X11StackingTest : public X11BareTest {
 protected:
  NativeWindowId ShowAt(const Rect& bounds, bool topmost = false,
                        NativeWindowKind kind = NativeWindowKind::Normal) {
    NativeWindowParams params;
    params.bounds = bounds;
    params.topmost = topmost;
    params.kind = kind;
    return ShowWindow(params);
  }

  // Position of a window in the root's stacking order, bottom 0.
  std::ptrdiff_t Level(Window window) {
    const std::vector<Window> order = Client().StackingOrder();
    return std::find(order.begin(), order.end(), window) - order.begin();
  }
};

TEST_F(X11StackingTest, TopmostStaysAboveWindowsRaisedLater) {
  const NativeWindowId topmost = ShowAt(Rect::FromSize(100, 100, 200, 200), true);
  const NativeWindowId normal = ShowAt(Rect::FromSize(150, 150, 200, 200));
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(topmost, normal); }));

  P().Raise(normal);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(topmost, normal); }));

  Click({340, 340});  // activates and raises the normal window
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(topmost, normal); }));

  // Another program's window raised over ours.
  const Window other = Client().CreateWindow(Rect::FromSize(120, 120, 150, 150));
  Client().Raise(other);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(topmost, other); }));

  // No longer topmost: raised windows go above it again.
  P().SetTopmost(topmost, false);
  P().Raise(normal);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(normal, topmost); }));
}

TEST_F(X11StackingTest, PopupsShowAboveTopmostWindows) {
  const NativeWindowId topmost = ShowAt(Rect::FromSize(100, 100, 200, 200), true);
  const NativeWindowId popup = ShowAt(Rect::FromSize(150, 150, 100, 100), false, NativeWindowKind::Popup);
  EXPECT_TRUE(WaitFor([&] { return Client().IsAbove(popup, topmost); }));
  const NativeWindowId normal = ShowAt(Rect::FromSize(120, 120, 200, 200));
  EXPECT_TRUE(WaitFor([&] {
    return Client().IsAbove(topmost, normal) && Client().IsAbove(popup, topmost);
  }));
}

TEST_F(X11StackingTest, PlaceDirectlyBelowOrAbove) {
  const NativeWindowId a = ShowAt(Rect::FromSize(100, 100, 100, 100));
  const NativeWindowId b = ShowAt(Rect::FromSize(150, 100, 100, 100));
  const NativeWindowId c = ShowAt(Rect::FromSize(200, 100, 100, 100));
  ASSERT_TRUE(WaitFor([&] { return Level(a) < Level(b) && Level(b) < Level(c); }));

  P().PlaceBelow(c, a);
  EXPECT_TRUE(WaitFor([&] { return Level(c) + 1 == Level(a) && Level(a) < Level(b); }));
  P().PlaceAbove(c, b);
  EXPECT_TRUE(WaitFor([&] { return Level(a) < Level(b) && Level(b) + 1 == Level(c); }));
  P().PlaceAbove(a, b);
  EXPECT_TRUE(WaitFor([&] { return Level(b) + 1 == Level(a) && Level(a) + 1 == Level(c); }));
}

}  // namespace
}  // namespace tappomat::test
