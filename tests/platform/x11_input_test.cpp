// Global input on a bare X server: clicks injected into another client's window, the
// asynchronous key state seen through other clients' focus and grabs, and activation by a
// click without a window manager.
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <tuple>

#include "platform/virtual_keys.h"
#include "support/x11_platform_fixture.h"
// After gtest: the X headers define None.
#include "platform/x11/x11_platform.h"
#include "platform/x11/x11_xwayland.h"

namespace tappomat::test {
namespace {

class X11InputTest : public X11BareTest {};

TEST_F(X11InputTest, InjectedClicksLandInTheWindowUnderThePointer) {
  const Rect bounds = Rect::FromSize(200, 150, 300, 200);
  const Window target = Client().CreateWindow(bounds);
  struct Case {
    MouseButton button;
    unsigned xButton;
    Point screen;
  };
  const Case cases[] = {
      {MouseButton::Left, 1, {210, 160}},
      {MouseButton::Right, 3, {499, 349}},
      {MouseButton::Middle, 2, {350, 250}},
  };
  for (const Case& c : cases) {
    Client().ClearPresses();
    Click(c.screen, c.button);
    ASSERT_TRUE(WaitFor([&] { return !Client().Presses().empty(); })) << c.xButton;
    const X11TestClient::Press press = Client().Presses().front();
    EXPECT_EQ(press.window, target);
    EXPECT_EQ(press.button, c.xButton);
    EXPECT_EQ(press.position, (Point{c.screen.x - bounds.left, c.screen.y - bounds.top}));
    EXPECT_EQ(P().PointerPosition(), c.screen);
  }
}

TEST_F(X11InputTest, PointerPositionsBeyondTheProtocolRangeStopAtTheScreenEdge) {
  const Rect screen = P().ScreenRect();
  // The protocol carries 16-bit coordinates: unclamped, 66436 would wrap around to 900.
  const struct {
    Point asked;
    Point reached;
  } cases[] = {
      {{66436, 10}, {screen.right - 1, 10}},
      {{10, 65636}, {10, screen.bottom - 1}},
      {{-65436, 20}, {0, 20}},
      {{2147483647, -2147483647 - 1}, {screen.right - 1, 0}},
  };
  for (const auto& c : cases) {
    P().SetPointerPosition(c.asked);
    EXPECT_EQ(P().PointerPosition(), c.reached) << c.asked.x << "," << c.asked.y;
  }
}

struct KeyCase {
  KeySym keysym;
  int virtualKey;
};

const KeyCase kKeyCases[] = {
    {XK_F1, VK_F1},       {XK_F2, VK_F2},         {XK_Escape, VK_ESCAPE},
    {XK_Alt_L, VK_MENU},  {XK_Alt_L, VK_LMENU},   {XK_Alt_R, VK_MENU},
    {XK_Alt_R, VK_RMENU}, {XK_a, 'A'},            {XK_Shift_R, VK_SHIFT},
};

// A press and release that both happen between two polls are seen by the first poll
// (pressed since the last query, no longer down) and not by the second.
void ExpectPressBetweenPolls(Platform& platform, X11TestClient& client, const KeyCase& key) {
  SCOPED_TRACE(testing::Message() << "keysym 0x" << std::hex << key.keysym << std::dec
                                  << " vk " << key.virtualKey);
  platform.AsyncKeyState(key.virtualKey);  // clears what earlier cases left
  client.FakeKey(key.keysym, true);
  client.FakeKey(key.keysym, false);
  EXPECT_EQ(platform.AsyncKeyState(key.virtualKey), kKeyPressedSinceLastQuery);
  EXPECT_EQ(platform.AsyncKeyState(key.virtualKey), 0);
  client.FakeKey(key.keysym, true);
  EXPECT_EQ(platform.AsyncKeyState(key.virtualKey), kKeyDownNow | kKeyPressedSinceLastQuery);
  EXPECT_EQ(platform.AsyncKeyState(key.virtualKey), kKeyDownNow);
  client.FakeKey(key.keysym, false);
  EXPECT_EQ(platform.AsyncKeyState(key.virtualKey), 0);
}

TEST_F(X11InputTest, AsyncKeyStateSeesKeysWhileAnotherClientHasTheFocus) {
  const Window other = Client().CreateWindow(Rect::FromSize(100, 100, 200, 200));
  Client().Focus(other);
  for (const KeyCase& key : kKeyCases) ExpectPressBetweenPolls(P(), Client(), key);
}

TEST_F(X11InputTest, AsyncKeyStateSeesKeysWhileAnotherClientGrabsTheKeyboard) {
  const Window other = Client().CreateWindow(Rect::FromSize(100, 100, 200, 200));
  ASSERT_TRUE(Client().GrabKeyboard(other));
  for (const KeyCase& key : kKeyCases) ExpectPressBetweenPolls(P(), Client(), key);
  Client().UngrabKeyboard();
}

TEST_F(X11InputTest, AsyncKeyStateSeesMouseButtonsClickedInAnotherClient) {
  Client().CreateWindow(Rect::FromSize(100, 100, 200, 200));
  Client().FakeMotion({150, 150});
  struct Case {
    unsigned xButton;
    int virtualKey;
  };
  for (const Case c : {Case{1, VK_LBUTTON}, Case{3, VK_RBUTTON}, Case{2, VK_MBUTTON}}) {
    SCOPED_TRACE(c.virtualKey);
    P().AsyncKeyState(c.virtualKey);
    Client().FakeButton(c.xButton, true);
    Client().FakeButton(c.xButton, false);
    EXPECT_EQ(P().AsyncKeyState(c.virtualKey), kKeyPressedSinceLastQuery);
    EXPECT_EQ(P().AsyncKeyState(c.virtualKey), 0);
    Client().FakeButton(c.xButton, true);
    EXPECT_EQ(P().AsyncKeyState(c.virtualKey) & kKeyDownNow, kKeyDownNow);
    Client().FakeButton(c.xButton, false);
    EXPECT_EQ(P().AsyncKeyState(c.virtualKey), 0);
  }
}

TEST_F(X11InputTest, AsyncKeyStateSeesClicksWhileAnotherClientGrabsThePointer) {
  const Window other = Client().CreateWindow(Rect::FromSize(100, 100, 200, 200));
  ASSERT_EQ(XGrabPointer(Client().Get(), other, False, ButtonPressMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime),
            GrabSuccess);
  P().AsyncKeyState(VK_LBUTTON);
  Client().FakeButton(1, true);
  Client().FakeButton(1, false);
  EXPECT_EQ(P().AsyncKeyState(VK_LBUTTON), kKeyPressedSinceLastQuery);
  XUngrabPointer(Client().Get(), CurrentTime);
}

TEST_F(X11InputTest, ASnapshotReadsThePointerAndTheKeyboardOnce) {
  Client().FakeMotion({150, 150});
  Client().Sync();
  P().AsyncKeyState(VK_F3);  // clears what earlier tests left
  P().BeginInputSnapshot();
  EXPECT_EQ(P().PointerPosition(), (Point{150, 150}));
  EXPECT_EQ(P().AsyncKeyState(VK_F3), 0);
  Client().FakeMotion({160, 170});
  Client().FakeKey(XK_F3, true);
  Client().Sync();
  EXPECT_EQ(P().PointerPosition(), (Point{150, 150})) << "the snapshot's reading";
  EXPECT_EQ(P().AsyncKeyState(VK_F3), 0);
  P().EndInputSnapshot();
  EXPECT_EQ(P().PointerPosition(), (Point{160, 170}));
  EXPECT_EQ(P().AsyncKeyState(VK_F3), kKeyDownNow | kKeyPressedSinceLastQuery)
      << "the press is not lost";
  Client().FakeKey(XK_F3, false);
}

TEST_F(X11InputTest, AnIdleSnapshotAsksTheServerNothingYetSeesEveryChange) {
  auto& x11 = static_cast<X11Platform&>(P());
  const auto tick = [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // the raw events arrive
    P().BeginInputSnapshot();
    const Point pointer = P().PointerPosition();
    const std::uint16_t f3 = P().AsyncKeyState(VK_F3);
    const std::uint16_t left = P().AsyncKeyState(VK_LBUTTON);
    P().EndInputSnapshot();
    return std::tuple{pointer, f3, left};
  };
  Client().FakeMotion({200, 210});
  Client().Sync();
  tick();
  const std::uint64_t before = x11.InputServerReadings();
  EXPECT_EQ(tick(), std::tuple(Point{200, 210}, std::uint16_t{0}, std::uint16_t{0}));
  EXPECT_EQ(tick(), std::tuple(Point{200, 210}, std::uint16_t{0}, std::uint16_t{0}));
  EXPECT_EQ(x11.InputServerReadings(), before) << "idle ticks make no round trip";

  Client().FakeMotion({220, 230});  // another client moves the pointer
  Client().Sync();
  EXPECT_EQ(std::get<0>(tick()), (Point{220, 230}));
  Client().FakeKey(XK_F3, true);
  Client().Sync();
  EXPECT_EQ(std::get<1>(tick()), kKeyDownNow | kKeyPressedSinceLastQuery);
  Client().FakeKey(XK_F3, false);
  Client().Sync();
  EXPECT_EQ(std::get<1>(tick()), 0);
  Client().FakeButton(1, true);
  Client().Sync();
  EXPECT_EQ(std::get<2>(tick()), kKeyDownNow | kKeyPressedSinceLastQuery);
  Client().FakeButton(1, false);
  Client().Sync();
  EXPECT_EQ(std::get<2>(tick()), 0);
  P().SetPointerPosition({300, 310});  // our own move
  EXPECT_EQ(std::get<0>(tick()), (Point{300, 310}));
}

// Input anywhere is counted and wakes the activity handler; while nothing happens the count
// stays and the handler does not run, so a poller can pause.
TEST_F(X11InputTest, InputEventsAreCountedAndWakeTheActivityHandler) {
  int activity = 0;
  P().SetActivityHandler([&] { ++activity; });
  Client().FakeMotion({100, 110});
  Client().Sync();
  ASSERT_TRUE(WaitFor([&] { return activity > 0; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  P().WaitAndDispatch(P().Now());
  const std::optional<std::uint64_t> quiet = P().InputEventCount();
  ASSERT_TRUE(quiet) << "Xvfb has XInput 2.2";
  activity = 0;
  P().WaitAndDispatch(P().Now() + std::chrono::milliseconds(200));
  EXPECT_EQ(activity, 0);
  EXPECT_EQ(P().InputEventCount(), quiet);
  const struct {
    const char* what;
    std::function<void()> act;
  } inputs[] = {
      {"motion", [&] { Client().FakeMotion({120, 130}); }},
      {"key",
       [&] {
         Client().FakeKey(XK_F3, true);
         Client().FakeKey(XK_F3, false);
       }},
      {"button",
       [&] {
         Client().FakeButton(3, true);
         Client().FakeButton(3, false);
       }},
  };
  for (const auto& input : inputs) {
    const std::uint64_t before = *P().InputEventCount();
    activity = 0;
    input.act();
    Client().Sync();
    P().WaitAndDispatch(P().Now() + std::chrono::seconds(2));
    EXPECT_GT(activity, 0) << input.what;
    EXPECT_GT(*P().InputEventCount(), before) << input.what;
  }
  P().SetActivityHandler(nullptr);
}

TEST(XWaylandTest, TheServerSaysWhetherItIsXWayland) {
  const struct {
    bool extension;
    const char* vendor;
    bool expected;
  } cases[] = {
      {false, "The X.Org Foundation", false},
      {true, "The X.Org Foundation", true},
      {false, "XWayland", true},
      {false, "Some Xwayland build", true},
      {false, "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LooksLikeXWayland(c.extension, c.vendor), c.expected) << c.vendor;
  }
}

// A private X server is no XWayland, even when the environment names a Wayland session.
TEST_F(X11InputTest, AnXvfbStartedFromAWaylandSessionIsNoXWayland) {
  setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  setenv("XDG_SESSION_TYPE", "wayland", 1);
  EXPECT_FALSE(P().IsXWayland());
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("XDG_SESSION_TYPE");
}

// Without a window manager our windows take the focus themselves when clicked, unless
// they are no-activate windows.
TEST_F(X11InputTest, ClickActivatesUnlessNoActivate) {
  const Window other = Client().CreateWindow(Rect::FromSize(0, 0, 100, 100));
  for (const bool noActivate : {false, true}) {
    SCOPED_TRACE(noActivate ? "no-activate" : "normal");
    NativeWindowParams params;
    params.bounds = Rect::FromSize(300, 300, 120, 80);
    params.noActivate = noActivate;
    const NativeWindowId window = ShowWindow(params, MakePixel(200, 0, 0), false);
    Client().Focus(other);
    ASSERT_TRUE(WaitFor([&] { return !P().IsApplicationActive(); }));
    Click({350, 340});
    ASSERT_TRUE(WaitFor([&] { return m_listener.Has(window, NativeEvent::Type::ButtonUp); }));
    EXPECT_EQ(P().IsApplicationActive(), !noActivate);
    P().DestroyNativeWindow(window);
  }
}

}  // namespace
}  // namespace tappomat::test
