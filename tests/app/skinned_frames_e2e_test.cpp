// End to end: the frames the skin engine draws on the program's windows, used with the
// mouse on a private X server (with and without a window manager) as a user would. The
// close button ends the program, but only when released over it; under a window manager the
// minimize button minimizes and a taskbar's request restores; hovering a caption button
// repaints that button alone; dragging the caption moves the window; the system menu opens
// below the icon on a left press there and at the pointer on a right click on the caption,
// and its Close closes the window it belongs to.
#include <gtest/gtest.h>
// X11's headers define None and friends as macros: after gtest.
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

namespace tappomat::test {
namespace {

using namespace std::chrono_literals;

// The in-window frame of the built-in skin, in window coordinates (skin/window/
// frame_metrics.cpp with the skin's BILEFT=2, BIRIGHT=1, BISPACE=0 and its 18 x 18 button
// masks): a border of 3 on every side, the caption bar of 19 inside it, the buttons from the
// right edge centred on the bar, the 16 x 16 icon left on it.
struct FrameLayout {
  static constexpr int kBorder = 3;
  static constexpr int kCaption = 19;

  Rect Close() const { return {width - 22, 3, width - 4, 21}; }
  Rect Minimize() const { return {width - 40, 3, width - 22, 21}; }
  static constexpr Rect Icon() { return Rect::FromSize(5, 4, 16, 16); }
  // A point of the bar between the icon and the buttons.
  Point OnCaption() const { return {width / 2, kBorder + kCaption / 2}; }
  static constexpr Point ClientOrigin() { return {kBorder, kBorder + kCaption}; }

  int width = 0;
};

Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The main window's pointer readout (client 160,-1, left of the language buttons), which
// follows the pointer wherever it goes: the one place of the window that changes with it.
Rect PointerReadout() {
  const Point client = FrameLayout::ClientOrigin();
  return Rect{160, 0, 244, 16}.Offset(client.x, client.y);
}

bool Viewable(X11TestClient& user, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(user.Get(), window, &attributes) &&
         attributes.map_state == IsViewable;
}

// The window's rectangle on the screen.
Rect ScreenRect(X11TestClient& user, Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(user.Get(), window, &attributes)) return {};
  int x = 0, y = 0;
  Window child = None;
  XTranslateCoordinates(user.Get(), window, user.Root(), 0, 0, &x, &y, &child);
  return Rect::FromSize(x, y, attributes.width, attributes.height);
}

// The ICCCM state the window manager gave the window (1 normal, 3 iconic), 0 without one.
long WmState(X11TestClient& user, Window window) {
  const Atom property = XInternAtom(user.Get(), "WM_STATE", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long state = 0;
  if (XGetWindowProperty(user.Get(), window, property, 0, 2, False, property, &type, &format,
                         &count, &after, &data) == Success && data) {
    if (format == 32 && count >= 1) state = reinterpret_cast<long*>(data)[0];
    XFree(data);
  }
  return state;
}

// The pixels of a rectangle of the screen, row by row (0xRRGGBB; all ~0 when the server
// could not give them).
struct Screenshot {
  Rect area;
  std::vector<unsigned long> pixels;

  bool operator==(const Screenshot&) const = default;
  unsigned long At(Point screen) const {
    return pixels[static_cast<size_t>((screen.y - area.top) * area.Width() + screen.x - area.left)];
  }
};

Screenshot TakeScreenshot(X11TestClient& user, const Rect& area) {
  Screenshot shot{area, std::vector<unsigned long>(static_cast<size_t>(area.Width() * area.Height()), ~0UL)};
  XImage* image = XGetImage(user.Get(), user.Root(), area.left, area.top,
                            static_cast<unsigned>(area.Width()),
                            static_cast<unsigned>(area.Height()), AllPlanes, ZPixmap);
  if (image == nullptr) return shot;
  for (int y = 0; y < area.Height(); ++y) {
    for (int x = 0; x < area.Width(); ++x) {
      shot.pixels[static_cast<size_t>(y * area.Width() + x)] = XGetPixel(image, x, y) & 0xFFFFFF;
    }
  }
  XDestroyImage(image);
  return shot;
}

// The screen points where two screenshots of one area differ.
std::vector<Point> Differences(const Screenshot& a, const Screenshot& b) {
  std::vector<Point> points;
  for (int y = a.area.top; y < a.area.bottom; ++y) {
    for (int x = a.area.left; x < a.area.right; ++x) {
      if (a.At({x, y}) != b.At({x, y})) points.push_back({x, y});
    }
  }
  return points;
}

// Where two screenshots differ, for failure messages: the bounding box of the differing
// pixels relative to `origin`.
std::string DescribeDifferences(const Screenshot& a, const Screenshot& b, Point origin) {
  const std::vector<Point> points = Differences(a, b);
  if (points.empty()) return "no difference";
  Rect box{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
  for (const Point& p : points) {
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x + 1),
           std::max(box.bottom, p.y + 1)};
  }
  return std::to_string(points.size()) + " pixels differ within " +
         std::to_string(box.left - origin.x) + "," + std::to_string(box.top - origin.y) + " to " +
         std::to_string(box.right - origin.x) + "," + std::to_string(box.bottom - origin.y);
}

// The program on a private desktop, and the user's connection to it; stopped in the
// reverse order (the program, the connection, the server).
class SkinnedFrames : public ::testing::Test {
 protected:
  explicit SkinnedFrames(XvfbWindowManager manager)
      : session(manager), user(session.DisplayName()) {}

  void SetUp() override {
    ASSERT_TRUE(session.Ok()) << session.Error();
    ASSERT_TRUE(user.Ok());
    program.emplace(TAPPOMAT_PROGRAM, std::vector<std::string>{"--data-dir", dataDir.Path().string()},
                    session.DisplayName(), std::string{}, (dataDir / "stderr").string());
    ASSERT_TRUE(program->Started());
    main = WaitForShownWindow("Tappomat v1.5", 20s);
    ASSERT_NE(main, None) << "no main window";
    frame = ScreenRect(user, main);
    layout.width = frame.Width();
    ASSERT_TRUE(frame.Intersect(ScreenArea()) == frame) << "the main window lies on the screen";
    ASSERT_FALSE(frame.Contains(AwayFromTheWindows()));
  }

  // Waits for the window named `name` to show and to finish painting.
  Window WaitForShownWindow(const std::string& name, std::chrono::milliseconds timeout = 5s) {
    Window window = None;
    if (!WaitUntil([&] {
          window = FindWindowNamed(user.Get(), user.Root(), name);
          return window != None && Viewable(user, window);
        }, timeout)) {
      return None;
    }
    SteadyScreenshot(ScreenRect(user, window));
    return window;
  }

  Rect ScreenArea() {
    return {0, 0, DisplayWidth(user.Get(), DefaultScreen(user.Get())),
            DisplayHeight(user.Get(), DefaultScreen(user.Get()))};
  }
  // Window coordinates of the main window on the screen.
  Point OnMain(Point p) const { return {frame.left + p.x, frame.top + p.y}; }
  Rect OnMain(const Rect& r) const { return r.Offset(frame.left, frame.top); }
  Point OnMainClient(int x, int y) const {
    return OnMain(Point{FrameLayout::ClientOrigin().x + x, FrameLayout::ClientOrigin().y + y});
  }
  Rect OnMainClient(const Rect& r) const {
    return OnMain(r.Offset(FrameLayout::ClientOrigin().x, FrameLayout::ClientOrigin().y));
  }
  // A point of the empty desktop, off every window of the program.
  Point AwayFromTheWindows() const { return {1200, 1000}; }

  // A screenshot once two taken a little apart agree: the program has painted.
  Screenshot SteadyScreenshot(const Rect& area) {
    Screenshot last = TakeScreenshot(user, area);
    WaitUntil([&] {
      std::this_thread::sleep_for(100ms);
      Screenshot next = TakeScreenshot(user, area);
      const bool same = next == last;
      last = std::move(next);
      return same;
    }, 5s);
    return last;
  }
  // Waits until the pixels of `area` differ from `before`.
  bool WaitForChange(const Screenshot& before) {
    return WaitUntil([&] {
      std::this_thread::sleep_for(20ms);
      return TakeScreenshot(user, before.area) != before;
    }, 5s);
  }

  void MoveTo(Point screen) {
    user.FakeMotion(screen);
    user.Sync();
  }
  void Button(unsigned button, bool down) {
    user.FakeButton(button, down);
    user.Sync();
  }
  void ClickAt(Point screen, unsigned button = 1) {
    MoveTo(screen);
    Button(button, true);
    Button(button, false);
  }
  void Tap(KeySym key) {
    user.FakeKey(key, true);
    user.FakeKey(key, false);
    user.Sync();
  }

  // Top-level windows on the screen now.
  std::set<Window> ShownTopLevels() {
    std::set<Window> shown;
    for (const Window top : user.StackingOrder()) {
      if (Viewable(user, top)) shown.insert(top);
    }
    return shown;
  }
  // Waits for a popup window (override-redirect: one no window manager places) that was
  // not among `before` and returns it, None when none came.
  Window WaitForNewPopup(const std::set<Window>& before) {
    Window popup = None;
    WaitUntil([&] {
      for (const Window top : user.StackingOrder()) {
        XWindowAttributes attributes{};
        if (!before.contains(top) && XGetWindowAttributes(user.Get(), top, &attributes) &&
            attributes.map_state == IsViewable && attributes.override_redirect) {
          popup = top;
          return true;
        }
      }
      std::this_thread::sleep_for(10ms);
      return false;
    }, 5s);
    return popup;
  }

  TempFolder dataDir;  // the program's application folder
  XvfbSession session;
  X11TestClient user;
  std::optional<ChildProcess> program;
  Window main = None;
  Rect frame;  // the main window on the screen
  FrameLayout layout;
};

class SkinnedFramesEndToEnd : public SkinnedFrames,
                              public ::testing::WithParamInterface<XvfbWindowManager> {
 protected:
  SkinnedFramesEndToEnd() : SkinnedFrames(GetParam()) {}
};

// Without a window manager nothing could give a minimized window back, so minimizing is
// tried under one only.
class SkinnedFramesUnderOpenbox : public SkinnedFrames {
 protected:
  SkinnedFramesUnderOpenbox() : SkinnedFrames(XvfbWindowManager::Openbox) {}
};

// The close button held down looks pressed; released off it, it does nothing and looks as
// before; a click on it ends the program as its other ways out do, settings written.
TEST_P(SkinnedFramesEndToEnd, TheCloseButtonEndsTheProgramWhenReleasedOverIt) {
  const Rect close = OnMain(layout.Close());
  MoveTo(AwayFromTheWindows());
  const Screenshot normal = SteadyScreenshot(close);

  MoveTo(Centre(close));
  ASSERT_TRUE(WaitForChange(normal)) << "under the pointer, the hot look";
  const Screenshot hot = SteadyScreenshot(close);
  Button(1, true);
  ASSERT_TRUE(WaitForChange(hot)) << "held down, the pressed look";
  MoveTo(AwayFromTheWindows());
  Button(1, false);
  EXPECT_TRUE(WaitUntil([&] { return TakeScreenshot(user, close) == normal; }, 5s))
      << "released elsewhere: back to normal; "
      << DescribeDifferences(normal, TakeScreenshot(user, close), frame.TopLeft());
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(program->TryExitStatus(), -1) << "released elsewhere: the program runs on";
  EXPECT_TRUE(Viewable(user, main));

  ClickAt(Centre(close));
  int status = -1;
  EXPECT_TRUE(WaitUntil([&] { return (status = program->TryExitStatus()) != -1; }, 10s));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(dataDir.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
  EXPECT_EQ(dataDir.Get("stderr").find("X error"), std::string::npos) << dataDir.Get("stderr");
}

// The pointer over a caption button gives that button its hot look and leaves every other
// pixel of the window as it was (the neighbouring button included); leaving it brings the
// normal look back.
TEST_P(SkinnedFramesEndToEnd, HoveringACaptionButtonRepaintsThatButtonAlone) {
  MoveTo(AwayFromTheWindows());
  const Screenshot normal = SteadyScreenshot(frame);
  const Rect readout = OnMain(PointerReadout());
  const struct {
    const char* name;
    Rect button;
  } cases[] = {{"close", OnMain(layout.Close())}, {"minimize", OnMain(layout.Minimize())}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MoveTo(Centre(c.button));
    ASSERT_TRUE(WaitUntil([&] {
      std::this_thread::sleep_for(20ms);
      for (const Point& p : Differences(normal, TakeScreenshot(user, frame))) {
        if (c.button.Contains(p)) return true;
      }
      return false;
    }, 5s)) << "no hot look";
    const Screenshot hot = SteadyScreenshot(frame);
    int inButton = 0;
    for (const Point& p : Differences(normal, hot)) {
      if (c.button.Contains(p)) {
        ++inButton;
      } else if (!readout.Contains(p)) {
        ADD_FAILURE() << "changed outside the button at window " << p.x - frame.left << ","
                      << p.y - frame.top;
        break;
      }
    }
    EXPECT_GT(inButton, 0);
  }
  MoveTo(AwayFromTheWindows());
  EXPECT_TRUE(WaitUntil([&] {
    std::this_thread::sleep_for(20ms);
    return TakeScreenshot(user, frame) == normal;
  }, 5s)) << "the normal look is back; "
           << DescribeDifferences(normal, TakeScreenshot(user, frame), frame.TopLeft());
}

TEST_P(SkinnedFramesEndToEnd, DraggingTheCaptionMovesTheWindow) {
  const Point start = OnMain(layout.OnCaption());
  MoveTo(start);
  Button(1, true);
  constexpr Point kShift{90, 60};
  for (int step = 1; step <= 6; ++step) {
    MoveTo({start.x + kShift.x * step / 6, start.y + kShift.y * step / 6});
    std::this_thread::sleep_for(30ms);
  }
  Button(1, false);
  Rect moved;
  EXPECT_TRUE(WaitUntil([&] {
    moved = ScreenRect(user, main);
    return moved == frame.Offset(kShift.x, kShift.y);
  }, 5s)) << "at " << moved.left << "," << moved.top << " from " << frame.left << ","
          << frame.top;
  EXPECT_EQ(program->TryExitStatus(), -1);
}

// The system menu opens below the caption's icon on a left press there (and stays open
// after the release), at the pointer on a right click on the caption; Esc closes it. In
// the row editor (opened by F4 on a row of the table), its Close closes the editor and
// only the editor.
TEST_P(SkinnedFramesEndToEnd, TheSystemMenuOpensFromTheIconAndTheCaptionAndClosesTheWindow) {
  const auto shownPopup = [&](Window popup) { return popup != None && Viewable(user, popup); };
  {
    SCOPED_TRACE("Close in the row editor's menu");
    // Add: the table's first row fills.
    const Screenshot emptyRow = TakeScreenshot(user, OnMainClient(Rect::FromSize(20, 90, 200, 16)));
    ClickAt(OnMainClient(268, 29));
    ASSERT_TRUE(WaitForChange(emptyRow)) << "no row added";
    ClickAt(OnMainClient(100, 93));  // that row
    // The key goes where the keyboard focus is: the main window, once the click gave it.
    EXPECT_TRUE(WaitUntil([&] { return user.FocusWindow() == main; }, 5s))
        << "the keyboard focus is on " << user.FocusWindow() << ", not " << main;
    // FIXME: under openbox an F4 pressed within a few milliseconds of the click is now and
    // then not acted on (the grid shows the focus, the editor never maps); a user's pause.
    std::this_thread::sleep_for(350ms);
    Tap(XK_F4);
    const Window editor = WaitForShownWindow("Tappomat v1.3");
    ASSERT_NE(editor, None) << "no row editor";
    const Rect editorFrame = ScreenRect(user, editor);
    const std::set<Window> before = ShownTopLevels();
    // The editor's caption has no icon: the right click opens its menu.
    const Point onCaption = FrameLayout{editorFrame.Width()}.OnCaption();
    ClickAt({editorFrame.left + onCaption.x, editorFrame.top + onCaption.y}, 3);
    const Window menu = WaitForNewPopup(before);
    ASSERT_NE(menu, None);
    // Close is the menu's last item (17 high), inside the menu's frame of 3.
    const Rect items = ScreenRect(user, menu);
    ClickAt({items.left + items.Width() / 2, items.bottom - 3 - 8});
    EXPECT_TRUE(WaitUntil([&] { return !Viewable(user, editor); }, 5s)) << "the editor closed";
    EXPECT_FALSE(shownPopup(menu));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(program->TryExitStatus(), -1) << "the program runs on";
    EXPECT_TRUE(Viewable(user, main));
  }
  {
    SCOPED_TRACE("left press on the icon");
    const std::set<Window> before = ShownTopLevels();
    MoveTo(Centre(OnMain(FrameLayout::Icon())));
    Button(1, true);
    const Window menu = WaitForNewPopup(before);
    ASSERT_NE(menu, None);
    Button(1, false);
    const Rect place = ScreenRect(user, menu);
    EXPECT_EQ(place.TopLeft(), OnMain(Point{FrameLayout::kBorder, FrameLayout::kBorder +
                                                                      FrameLayout::kCaption}))
        << "below the caption, at the left border";
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(shownPopup(menu)) << "the release leaves it open";
    Tap(XK_Escape);
    EXPECT_TRUE(WaitUntil([&] { return !shownPopup(menu); }, 5s));
  }
  {
    SCOPED_TRACE("right click on the caption");
    const std::set<Window> before = ShownTopLevels();
    const Point pointer = OnMain(layout.OnCaption());
    ClickAt(pointer, 3);
    const Window menu = WaitForNewPopup(before);
    ASSERT_NE(menu, None);
    EXPECT_EQ(ScreenRect(user, menu).TopLeft(), pointer) << "at the pointer";
    Tap(XK_Escape);
    EXPECT_TRUE(WaitUntil([&] { return !shownPopup(menu); }, 5s));
  }
}

INSTANTIATE_TEST_SUITE_P(Desktops, SkinnedFramesEndToEnd,
                         ::testing::Values(XvfbWindowManager::NoManager,
                                           XvfbWindowManager::Openbox),
                         [](const auto& info) {
                           return info.param == XvfbWindowManager::Openbox ? "Openbox"
                                                                           : "NoManager";
                         });

// The minimize button minimizes the main window (the window manager keeps it iconic); a
// taskbar's request brings it back where it was, looking as before.
TEST_F(SkinnedFramesUnderOpenbox, TheMinimizeButtonMinimizesAndATaskbarRestores) {
  MoveTo(AwayFromTheWindows());
  const Screenshot before = SteadyScreenshot(frame);
  ClickAt(Centre(OnMain(layout.Minimize())));
  ASSERT_TRUE(WaitUntil([&] { return !Viewable(user, main) && WmState(user, main) == IconicState; },
                        5s))
      << "not minimized";

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = main;
  event.xclient.message_type = XInternAtom(user.Get(), "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // from a pager or taskbar
  XSendEvent(user.Get(), user.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
  user.Sync();
  ASSERT_TRUE(WaitUntil([&] { return Viewable(user, main) && WmState(user, main) == NormalState; },
                        5s))
      << "not restored";
  EXPECT_EQ(ScreenRect(user, main), frame);
  MoveTo(AwayFromTheWindows());
  EXPECT_TRUE(WaitUntil([&] {
    std::this_thread::sleep_for(20ms);
    return TakeScreenshot(user, frame) == before;
  }, 5s)) << "repainted as before; "
           << DescribeDifferences(before, TakeScreenshot(user, frame), frame.TopLeft());
  EXPECT_EQ(program->TryExitStatus(), -1);
}

}  // namespace
}  // namespace tappomat::test
