// End to end: the real program on a private X server (with and without a window manager),
// used as a user would through XTest, clicking into a target application of ours that
// records what it receives: Alt+F1 records clicks, Alt+F2 plays them back with the
// recorded delays, the repeat counter gives k + 1 passes, Alt+F2 stops an endless run,
// and a click on a black pixel of the red marker reaches the window below it. Settings and
// a saved script outlive the program: a second run finds them and plays the script. The
// program ends cleanly when asked to, also while a start-up box is open. Idle, it never
// wakes, and answers the chords at once afterwards.
#include <gtest/gtest.h>
// X11's headers define None and friends as macros: after gtest.
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "click_target_desktop.h"
#include "support/child_process.h"
#include "support/process_wakeups.h"
#include "support/temp_folder.h"
#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

namespace tappomat::test {
namespace {

using namespace std::chrono_literals;

class ClickerEndToEnd : public ::testing::TestWithParam<XvfbWindowManager> {
 protected:
  void Chord(X11TestClient& user, KeySym key) {
    user.FakeKey(XK_Alt_L, true);
    user.FakeKey(key, true);
    user.FakeKey(key, false);
    user.Sync();
    // Alt held until a poll has seen the release, with room for a loaded machine.
    std::this_thread::sleep_for(300ms);
    user.FakeKey(XK_Alt_L, false);
    user.Sync();
    std::this_thread::sleep_for(100ms);
  }
  void ClickAt(X11TestClient& user, Point screen, unsigned button) {
    user.FakeMotion(screen);
    user.FakeButton(button, true);
    user.FakeButton(button, false);
    user.Sync();
    // The pointer stays until a poll has seen the release where it happened, with room
    // for a loaded machine: two clicks within one poll would count as one.
    std::this_thread::sleep_for(350ms);
  }

  void Tap(X11TestClient& user, KeySym key) {
    user.FakeKey(key, true);
    user.FakeKey(key, false);
    user.Sync();
  }
  void TypeText(X11TestClient& user, const std::string& text) {
    for (char c : text) Tap(user, static_cast<KeySym>(c));  // digits and lower-case letters
    std::this_thread::sleep_for(100ms);
  }
  // Waits for the main window to show and returns the screen position of its client
  // area's top left corner (None when it did not show).
  Point WaitForMainWindow(X11TestClient& user) {
    Window main = None;
    if (!WaitUntil([&] {
          return (main = FindWindowNamed(user.Get(), user.Root(), "Tappomat v1.5")) != None;
        }, 20s)) {
      ADD_FAILURE() << "no main window";
      return {};
    }
    XWindowAttributes attributes{};
    EXPECT_TRUE(WaitUntil([&] {
      return XGetWindowAttributes(user.Get(), main, &attributes) &&
             attributes.map_state == IsViewable;
    }, 10s));
    std::this_thread::sleep_for(300ms);  // first paint
    int originX = 0, originY = 0;
    Window child = None;
    XTranslateCoordinates(user.Get(), main, user.Root(), 0, 0, &originX, &originY, &child);
    // Our own frame: equal borders left, right and bottom; the caption above.
    const int border = (attributes.width - 382) / 2;
    return {originX + border, originY + attributes.height - 335 - border};
  }
  // Closes the main window by Alt+F4 after a click on one of its labels (for the focus)
  // and waits for the program to end.
  void Quit(X11TestClient& user, ChildProcess& program, Point client) {
    ClickAt(user, {client.x + 150, client.y + 52}, 1);  // the pause label
    user.FakeKey(XK_Alt_L, true);
    Tap(user, XK_F4);
    user.FakeKey(XK_Alt_L, false);
    user.Sync();
    EXPECT_TRUE(WaitUntil([&] { return program.TryExitStatus() != -1; }, 10s));
  }
  TempFolder dataDir;  // the program's application folder and the target's log
};

TEST_P(ClickerEndToEnd, SettingsAndASavedScriptOutliveTheProgram) {
  // Started from a Wayland desktop, the program still runs on an ordinary X server here:
  // no XWayland box, and the settings file keeps exactly its four keys.
  setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  setenv("XDG_SESSION_TYPE", "wayland", 1);
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  XvfbSession& session = desktop.session;
  X11TestClient& user = desktop.user;
  const Point points[] = {{600, 200}, {760, 330}};
  {
    ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                         session.DisplayName());
    ASSERT_TRUE(program.Started());
    const Point client = WaitForMainWindow(user);
    ASSERT_FALSE(HasFailure());
    auto at = [&](int x, int y) { return Point{client.x + x, client.y + y}; };
    // F1 pressed while our window has the keyboard focus also opens the hot-key help: the
    // chords are pressed with the target application in front, as a user would.
    ClickAt(user, {1200, 950}, 1);
    Chord(user, XK_F1);
    for (const Point& p : points) ClickAt(user, p, 1);
    Chord(user, XK_F1);
    // F1 in our window opens the hot-key help, which stays above the (stay-on-top) main
    // window even when the disabled main window is clicked, until Esc closes it.
    ClickAt(user, at(150, 52), 1);
    Tap(user, XK_F1);
    Window help = None;
    ASSERT_TRUE(WaitUntil([&] {
      return (help = FindWindowNamed(user.Get(), user.Root(), "Горячие клавиши")) != None;
    }, 5s));
    XWindowAttributes attributes{};
    ASSERT_TRUE(WaitUntil([&] {
      return XGetWindowAttributes(user.Get(), help, &attributes) &&
             attributes.map_state == IsViewable;
    }));
    const Window main = FindWindowNamed(user.Get(), user.Root(), "Tappomat v1.5");
    ClickAt(user, at(150, 52), 1);
    EXPECT_TRUE(WaitUntil([&] { return user.IsAbove(help, main); }));
    Tap(user, XK_Escape);
    EXPECT_TRUE(WaitUntil([&] {
      return XGetWindowAttributes(user.Get(), help, &attributes) &&
             attributes.map_state != IsViewable;
    }));

    // The pause field: from 300 to 150 ms; it applies to the rows added from now on.
    ClickAt(user, at(220, 53), 1);
    Tap(user, XK_End);
    for (int i = 0; i < 8; ++i) Tap(user, XK_BackSpace);
    TypeText(user, "150");
    ClickAt(user, at(279, 8), 1);    // English
    ClickAt(user, at(87, 318), 1);   // endless repeat off
    ClickAt(user, at(308, 9), 1);    // stay-on-top off
    // Save under a typed name; the text-entry box has the focus.
    ClickAt(user, at(309, 80), 1);
    std::this_thread::sleep_for(500ms);
    TypeText(user, "clicks2");
    Tap(user, XK_Return);
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(dataDir / "clicks2.tps"); }, 5s));
    Quit(user, program, client);
  }
  EXPECT_EQ(dataDir.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=150\r\nLang=45\r\nRepeat=0\r\nOnTop=0\r\n");
  EXPECT_EQ(dataDir.Get("clicks2.tps"),
            "[Script]\r\ncount=2\r\nX1=600\r\nY1=200\r\nKey1=0\r\nDelay1=300\r\n"
            "X2=760\r\nY2=330\r\nKey2=0\r\nDelay2=300\r\n");

  // The second run starts from the saved state and plays the saved script once.
  {
    ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                         session.DisplayName());
    ASSERT_TRUE(program.Started());
    const Point client = WaitForMainWindow(user);
    ASSERT_FALSE(HasFailure());
    auto at = [&](int x, int y) { return Point{client.x + x, client.y + y}; };
    const size_t before = ReadEvents(clicksFile).size();
    ClickAt(user, at(300, 101), 1);  // the first item of the script list
    Tap(user, XK_F3);                // load
    std::this_thread::sleep_for(200ms);
    Chord(user, XK_F2);
    ASSERT_TRUE(WaitUntil([&] { return ReadEvents(clicksFile).size() >= before + 4; }, 10s));
    std::this_thread::sleep_for(800ms);  // one pass only: endless repeat stayed off
    const std::vector<TargetEvent> events = ReadEvents(clicksFile);
    ASSERT_EQ(events.size(), before + 4);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(events[before + 2 * i].kind, "press");
      EXPECT_EQ(events[before + 2 * i].position.x, points[i].x);
      EXPECT_EQ(events[before + 2 * i].position.y, points[i].y);
    }
    Quit(user, program, client);
  }
  EXPECT_EQ(dataDir.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=150\r\nLang=45\r\nRepeat=0\r\nOnTop=0\r\n")
      << "read back and written again unchanged";
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("XDG_SESSION_TYPE");
}

TEST_P(ClickerEndToEnd, RecordsPlaysRepeatsStopsAndLetsClicksThroughTheMarker) {
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  XvfbSession& session = desktop.session;
  X11TestClient& user = desktop.user;
  ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                       session.DisplayName());
  ASSERT_TRUE(program.Started());

  const Point client = WaitForMainWindow(user);
  ASSERT_FALSE(HasFailure());
  auto clientPoint = [&](int x, int y) { return Point{client.x + x, client.y + y}; };

  // Record three clicks with both buttons in the target, which has the focus (F1 in our
  // window would open the hot-key help as well).
  ClickAt(user, {1200, 950}, 1);
  Chord(user, XK_F1);
  const Point points[] = {{600, 200}, {700, 300}, {800, 420}};
  const unsigned buttons[] = {1, 3, 1};
  for (int i = 0; i < 3; ++i) ClickAt(user, points[i], buttons[i]);
  Chord(user, XK_F1);
  const size_t recorded = ReadEvents(clicksFile).size();
  ASSERT_EQ(recorded, 8u) << "the user's own clicks reached the target";

  // Repeat counter 1 (endless repeat off): exactly two passes.
  ClickAt(user, clientPoint(87, 318), 1);   // the endless-repeat box
  ClickAt(user, clientPoint(190, 318), 1);  // the repeat counter
  user.FakeKey(XK_Up, true);
  user.FakeKey(XK_Up, false);
  user.Sync();
  std::this_thread::sleep_for(100ms);
  Chord(user, XK_F2);
  ASSERT_TRUE(WaitUntil([&] { return ReadEvents(clicksFile).size() >= recorded + 12; }, 15s));
  std::this_thread::sleep_for(1s);  // nothing may follow the second pass
  std::vector<TargetEvent> events = ReadEvents(clicksFile);
  ASSERT_EQ(events.size(), recorded + 12);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 3; ++i) {
      const TargetEvent& press = events[recorded + pass * 6 + i * 2];
      const TargetEvent& release = events[recorded + pass * 6 + i * 2 + 1];
      EXPECT_EQ(press.kind, "press");
      EXPECT_EQ(release.kind, "release");
      EXPECT_EQ(press.button, buttons[i]);
      EXPECT_EQ(release.button, buttons[i]);
      EXPECT_EQ(press.position.x, points[i].x);
      EXPECT_EQ(press.position.y, points[i].y);
    }
  }
  // Each click after the first waits its row's recorded delay of 300 ms, counted from when
  // the click before it was due; the first may itself have come a little late.
  const unsigned long first = events[recorded].time;
  for (size_t k = 1; k < 6; ++k) {
    const long elapsed = static_cast<long>(events[recorded + 2 * k].time - first);
    EXPECT_GE(elapsed, static_cast<long>(300 * k) - 25) << "click " << k;
    EXPECT_LT(elapsed, static_cast<long>(300 * k) + 700) << "click " << k;
  }

  // Endless repeat: runs until Alt+F2 stops it.
  ClickAt(user, clientPoint(87, 318), 1);
  Chord(user, XK_F2);
  ASSERT_TRUE(WaitUntil([&] { return ReadEvents(clicksFile).size() >= events.size() + 8; }, 15s));
  Chord(user, XK_F2);
  std::this_thread::sleep_for(500ms);
  const size_t stopped = ReadEvents(clicksFile).size();
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(ReadEvents(clicksFile).size(), stopped) << "playback went on after Alt+F2";

  // The red marker sits on row 1's point; its black corner lets a click through.
  ClickAt(user, clientPoint(29, 319), 1);  // the marker button
  std::this_thread::sleep_for(300ms);
  const size_t before = ReadEvents(clicksFile).size();
  const Point corner{points[0].x - 20 + 1, points[0].y - 20 + 1};
  ClickAt(user, corner, 1);
  ASSERT_TRUE(WaitUntil([&] { return ReadEvents(clicksFile).size() >= before + 2; }));
  events = ReadEvents(clicksFile);
  EXPECT_EQ(events[before].position.x, corner.x);
  EXPECT_EQ(events[before].position.y, corner.y);
  // The ring itself belongs to the marker: the target hears nothing.
  ClickAt(user, {points[0].x, points[0].y - 18}, 1);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(ReadEvents(clicksFile).size(), before + 2);
}

TEST_P(ClickerEndToEnd, SettingsThatCannotBeWrittenAtExitAreReportedBeforeTheProgramEnds) {
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  X11TestClient& user = desktop.user;
  std::filesystem::create_directory(dataDir / "Tappomat.ini");  // cannot be replaced
  ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                       desktop.session.DisplayName());
  ASSERT_TRUE(program.Started());
  const Point client = WaitForMainWindow(user);
  ASSERT_FALSE(HasFailure());
  ClickAt(user, {client.x + 150, client.y + 52}, 1);  // the pause label, for the focus
  user.FakeKey(XK_Alt_L, true);
  Tap(user, XK_F4);
  user.FakeKey(XK_Alt_L, false);
  user.Sync();
  // The error box shows and waits; the program ends only once it is answered.
  Window box = None;
  ASSERT_TRUE(WaitUntil([&] {
    box = FindWindowNamed(user.Get(), user.Root(), "Tappomat");
    XWindowAttributes attributes{};
    return box != None && XGetWindowAttributes(user.Get(), box, &attributes) &&
           attributes.map_state == IsViewable;
  }, 10s));
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(program.TryExitStatus(), -1) << "still waiting for the answer";
  Tap(user, XK_Return);
  int status = -1;
  EXPECT_TRUE(WaitUntil([&] { return (status = program.TryExitStatus()) != -1; }, 10s));
  EXPECT_EQ(status, 1) << "whoever started it learns that the settings were lost";
}

// A viewable window of the markers' height (40) among the top-level windows.
Window FindShownMarker(X11TestClient& user) {
  for (const Window top : user.StackingOrder()) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(user.Get(), top, &attributes) &&
        attributes.map_state == IsViewable && attributes.height == 40) {
      return top;
    }
  }
  return None;
}

// Puts another client's window on top as a pager would, leaving the keyboard focus where
// it is: through the window manager when there is one.
void RaiseOther(X11TestClient& user, Window window, XvfbWindowManager manager) {
  if (manager == XvfbWindowManager::NoManager) {
    XRaiseWindow(user.Get(), window);
  } else {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(user.Get(), "_NET_RESTACK_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;  // from a pager
    event.xclient.data.l[1] = None;
    event.xclient.data.l[2] = Above;
    XSendEvent(user.Get(), user.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
  }
  user.Sync();
}

// Windows that stay on top do so every time they show, not only the first: the hot-key
// help over the stay-on-top main window, the red marker over the application it marks
// after a click there, and the green marker of the coordinate pick over a window raised
// meanwhile.
TEST_P(ClickerEndToEnd, StayOnTopWindowsStayOnTopEachTimeTheyShow) {
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  X11TestClient& user = desktop.user;
  ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                       desktop.session.DisplayName());
  ASSERT_TRUE(program.Started());
  const Point client = WaitForMainWindow(user);
  ASSERT_FALSE(HasFailure());
  auto at = [&](int x, int y) { return Point{client.x + x, client.y + y}; };
  const Window main = FindWindowNamed(user.Get(), user.Root(), "Tappomat v1.5");
  const Window target = FindWindowNamed(user.Get(), user.Root(), "click target");
  ASSERT_NE(target, None);
  // One point in the target application, where the markers show.
  ClickAt(user, {1200, 950}, 1);
  Chord(user, XK_F1);
  ClickAt(user, {600, 200}, 1);
  Chord(user, XK_F1);
  const auto viewable = [&](Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(user.Get(), window, &attributes) &&
           attributes.map_state == IsViewable;
  };

  for (int time = 1; time <= 3; ++time) {
    SCOPED_TRACE("time " + std::to_string(time));
    ClickAt(user, at(150, 52), 1);  // the pause label, for the focus
    Tap(user, XK_F1);
    Window help = None;
    ASSERT_TRUE(WaitUntil([&] {
      help = FindWindowNamed(user.Get(), user.Root(), "Горячие клавиши");
      return help != None && viewable(help);
    }, 5s));
    EXPECT_TRUE(WaitUntil([&] { return user.IsAbove(help, main); }));
    Tap(user, XK_Escape);
    ASSERT_TRUE(WaitUntil([&] { return !viewable(help); }));

    ClickAt(user, at(28, 319), 1);  // the marker button: the red marker shows
    Window marker = None;
    ASSERT_TRUE(WaitUntil([&] { return (marker = FindShownMarker(user)) != None; }, 5s));
    ClickAt(user, {1000, 600}, 1);  // the application below is clicked and comes up
    EXPECT_TRUE(WaitUntil([&] { return user.IsAbove(marker, target); }));
    ClickAt(user, at(28, 319), 1);
    ASSERT_TRUE(WaitUntil([&] { return FindShownMarker(user) == None; }, 5s));

    ClickAt(user, at(100, 93), 1);  // the first row of the table, whose menu has F5
    Tap(user, XK_F5);               // the coordinate pick: the green marker shows
    ASSERT_TRUE(WaitUntil([&] { return (marker = FindShownMarker(user)) != None; }, 5s));
    RaiseOther(user, user.TopLevelOf(target), GetParam());
    EXPECT_TRUE(WaitUntil([&] { return user.IsAbove(marker, target); }));
    Tap(user, XK_Escape);  // the green marker has the focus: Esc ends the pick
    ASSERT_TRUE(WaitUntil([&] { return FindShownMarker(user) == None; }, 5s));
  }
  Quit(user, program, client);
}

// The skinned buttons follow the pointer and the mouse on a real display: the hot look
// under the pointer, the pressed look while the button is held, the hot look of the focus
// once the pointer left it before the release; the language buttons keep one of them down.
TEST_P(ClickerEndToEnd, SkinnedButtonsShowHotAndPressedLooksAndTheLanguageGroup) {
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  X11TestClient& user = desktop.user;
  ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                       desktop.session.DisplayName());
  ASSERT_TRUE(program.Started());
  const Point client = WaitForMainWindow(user);
  ASSERT_FALSE(HasFailure());
  auto at = [&](int x, int y) { return Point{client.x + x, client.y + y}; };
  const auto pixel = [&](Point screen) { return user.PixelAt(user.Root(), screen.x, screen.y) & 0xFFFFFF; };
  const auto settle = [&] {
    user.Sync();
    std::this_thread::sleep_for(200ms);
  };

  // The pause-change button at (266, 43), 114 x 22: a point of its face left of the
  // caption, and one of its border.
  const Point face = at(266 + 8, 43 + 6);
  const Point border = at(266 + 1, 43 + 11);
  ClickAt(user, at(150, 52), 1);  // the pause label: the focus stays off the buttons
  const unsigned long normalFace = pixel(face);
  const unsigned long normalBorder = pixel(border);
  user.FakeMotion(at(266 + 57, 43 + 11));
  settle();
  const unsigned long hotFace = pixel(face);
  EXPECT_NE(hotFace, normalFace) << "hovering shows the hot look";
  const unsigned long hotBorder = pixel(border);
  user.FakeButton(1, true);
  settle();
  const unsigned long pressedBorder = pixel(border);
  EXPECT_NE(pressedBorder, normalBorder) << "held down: the pressed border";
  EXPECT_NE(pressedBorder, hotBorder);
  user.FakeMotion(at(150, 52));  // off the button before the release: no click
  settle();
  user.FakeButton(1, false);
  settle();
  EXPECT_EQ(pixel(face), hotFace) << "the press gave it the focus, which shows hot";
  EXPECT_EQ(pixel(border), hotBorder) << "no longer pressed";

  // The language buttons (23 x 17 at 244 and 268): Russian starts down.
  const Point rusEdge = at(244 + 1, 8);
  const Point engEdge = at(268 + 1, 8);
  const unsigned long downEdge = pixel(rusEdge);
  const unsigned long upEdge = pixel(engEdge);
  ASSERT_NE(downEdge, upEdge) << "the down look differs from the up one";
  ClickAt(user, at(268 + 11, 8), 1);
  ClickAt(user, at(150, 52), 1);
  settle();
  EXPECT_EQ(pixel(engEdge), downEdge) << "English went down";
  EXPECT_EQ(pixel(rusEdge), upEdge) << "Russian came up";
  ClickAt(user, at(268 + 11, 8), 1);
  ClickAt(user, at(150, 52), 1);
  settle();
  EXPECT_EQ(pixel(engEdge), downEdge) << "clicking the down button keeps it down";
  Quit(user, program, client);
}

// The skinned fields, the button-choice box and the table's skinned scroll bar on a real
// display: typed and stepped values, a button chosen from the drop-down list by mouse and
// by keys, reach the script as before; the table scrolls by the bar's arrows, its track,
// its thumb and the wheel.
TEST_P(ClickerEndToEnd, SkinnedFieldsChoicesAndTheTablesScrollBarWork) {
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  X11TestClient& user = desktop.user;
  ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                       desktop.session.DisplayName());
  ASSERT_TRUE(program.Started());
  const Point client = WaitForMainWindow(user);
  ASSERT_FALSE(HasFailure());
  auto at = [&](int x, int y) { return Point{client.x + x, client.y + y}; };
  const auto retype = [&](Point field, const std::string& text) {
    ClickAt(user, field, 1);
    Tap(user, XK_End);
    for (int i = 0; i < 8; ++i) Tap(user, XK_BackSpace);
    TypeText(user, text);
  };

  retype(at(40, 29), "123");  // X
  retype(at(106, 29), "45");  // Y
  ClickAt(user, at(254, 48), 1);  // the pause's up button: 300 -> 301
  ClickAt(user, at(219, 29), 1);  // the button box's arrow: the list opens below it
  ClickAt(user, at(200, 40 + 13 + 6), 1);  // its second line: the right button
  ClickAt(user, at(268, 29), 1);  // add the row
  ClickAt(user, at(200, 29), 1);  // the box again, by keys this time: Up chooses the left button
  Tap(user, XK_Up);
  std::this_thread::sleep_for(100ms);
  ClickAt(user, at(268, 29), 1);
  for (int i = 0; i < 28; ++i) ClickAt(user, at(268, 29), 1);

  // Save the script and read its first two rows.
  ClickAt(user, at(309, 80), 1);
  std::this_thread::sleep_for(500ms);
  TypeText(user, "fields");
  Tap(user, XK_Return);
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(dataDir / "fields.tps"); }, 5s));
  const std::string saved = dataDir.Get("fields.tps");
  EXPECT_NE(saved.find("count=30\r\nX1=123\r\nY1=45\r\nKey1=1\r\nDelay1=301\r\n"
                       "X2=123\r\nY2=45\r\nKey2=0\r\nDelay2=301\r\n"),
            std::string::npos)
      << saved.substr(0, 200);

  // The table: its first visible row, as pixels of the number column.
  const auto firstRow = [&] {
    std::string pixels;
    for (int x = 18; x < 40; ++x) pixels += std::to_string(user.PixelAt(user.Root(), client.x + x, client.y + 68 + 2 + 16 + 8)) + ",";
    return pixels;
  };
  const auto settle = [] { std::this_thread::sleep_for(250ms); };

  ClickAt(user, at(150, 52), 1);  // away from the table
  const std::string top = firstRow();
  ClickAt(user, at(227, 292), 1);  // the down arrow
  settle();
  const std::string second = firstRow();
  EXPECT_NE(second, top) << "one row down";
  ClickAt(user, at(227, 78), 1);  // the up arrow
  settle();
  EXPECT_EQ(firstRow(), top) << "back up";
  ClickAt(user, at(227, 270), 1);  // the track above the down arrow: a page down
  settle();
  const std::string paged = firstRow();
  EXPECT_NE(paged, top);
  EXPECT_NE(paged, second);
  ClickAt(user, at(100, 200), 1);  // a row of the table: the table takes the wheel
  for (int i = 0; i < 20; ++i) {  // the wheel over the table, back to the top
    user.FakeButton(4, true);
    user.FakeButton(4, false);
  }
  user.Sync();
  settle();
  EXPECT_EQ(firstRow(), top) << "the wheel scrolls back up";
  // The thumb, just below the up arrow, dragged to the bottom.
  user.FakeMotion(at(227, 68 + 2 + 16 + 6));
  user.FakeButton(1, true);
  user.Sync();
  settle();
  for (int y = 100; y <= 300; y += 20) user.FakeMotion(at(227, y));
  user.Sync();
  settle();
  user.FakeButton(1, false);
  user.Sync();
  settle();
  const std::string bottom = firstRow();
  EXPECT_NE(bottom, top) << "the thumb took the table down";
  EXPECT_NE(bottom, second);
  Quit(user, program, client);
}

// Asked to end by a signal, or with its main window destroyed by another program, the
// program closes as by its close button: the settings are written and it exits with 0,
// without X errors.
TEST_P(ClickerEndToEnd, EndsCleanlyOnSignalsAndWhenItsWindowIsDestroyed) {
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  X11TestClient& user = desktop.user;
  const struct {
    const char* name;
    int signal;  // 0: the main window is destroyed instead
  } cases[] = {{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}, {"windowclose", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFolder folder;
    ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", folder.Path().string()},
                         desktop.session.DisplayName(), {}, (folder / "stderr").string());
    ASSERT_TRUE(program.Started());
    WaitForMainWindow(user);
    ASSERT_FALSE(HasFailure());
    if (c.signal != 0) {
      ::kill(program.Pid(), c.signal);
    } else {
      XDestroyWindow(user.Get(), FindWindowNamed(user.Get(), user.Root(), "Tappomat v1.5"));
      user.Sync();
    }
    int status = -1;
    EXPECT_TRUE(WaitUntil([&] { return (status = program.TryExitStatus()) != -1; }, 10s));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(folder.Get("Tappomat.ini"),
              "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
    EXPECT_EQ(folder.Get("stderr").find("X error"), std::string::npos) << folder.Get("stderr");
  }
}

// A damaged skin in the Skins folder beside the settings shows its "Error" box while the
// main window is being built, before the message loop runs. Asked to end then, the program
// ends as at any other time: the box closes, the settings are written, and it exits.
TEST_P(ClickerEndToEnd, EndsOnSignalsWhileTheStartUpErrorBoxShows) {
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  X11TestClient& user = desktop.user;
  const struct {
    const char* name;
    int signal;
  } cases[] = {{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFolder folder;
    folder.Put("Tappomat.ini", "[Global]\r\nSDelay=70\r\n");
    // A copy of the built-in skin's name whose definition cannot be loaded.
    const std::filesystem::path skin = folder / "Skins" / "Neutral2 (internal)";
    std::filesystem::create_directories(skin);
    std::ofstream(skin / "Options.dat") << "[GLOBALINFO]\r\nVERSION=x\r\n";
    ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", folder.Path().string()},
                         desktop.session.DisplayName(), {}, (folder / "stderr").string());
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(WaitUntil([&] {
      const Window box = FindWindowNamed(user.Get(), user.Root(), "Error");
      XWindowAttributes attributes{};
      return box != None && XGetWindowAttributes(user.Get(), box, &attributes) &&
             attributes.map_state == IsViewable;
    }, 20s)) << "no Error box";
    ::kill(program.Pid(), c.signal);
    int status = -1;
    EXPECT_TRUE(WaitUntil([&] { return (status = program.TryExitStatus()) != -1; }, 10s))
        << "still running";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(folder.Get("Tappomat.ini"),
              "[Global]\r\nSDelay=70\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
    EXPECT_EQ(folder.Get("stderr").find("X error"), std::string::npos) << folder.Get("stderr");
  }
}

// The program idle (the pointer outside its windows, no input) sleeps without waking:
// its threads are switched out no more (the kernel's counts of context switches stay), and
// the chords work at once when input comes again.
TEST_P(ClickerEndToEnd, AnIdleProgramNeverWakesYetAnswersTheChordsAtOnce) {
  if (GetParam() != XvfbWindowManager::Openbox) GTEST_SKIP() << "measured under openbox";
  const auto clicksFile = dataDir / "clicks.txt";
  Desktop desktop(GetParam(), clicksFile);
  ASSERT_NO_FATAL_FAILURE(desktop.WaitUntilReady());
  X11TestClient& user = desktop.user;
  ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", dataDir.Path().string()},
                       desktop.session.DisplayName());
  ASSERT_TRUE(program.Started());
  WaitForMainWindow(user);
  ASSERT_FALSE(HasFailure());
  ClickAt(user, {1200, 950}, 1);  // the target takes the focus; the pointer stays there
  std::this_thread::sleep_for(12s);  // the caret, too, has stopped blinking by now
  const std::optional<std::uint64_t> before = ContextSwitches(program.Pid());
  ASSERT_TRUE(before);
  std::this_thread::sleep_for(10s);
  EXPECT_EQ(ContextSwitches(program.Pid()), before) << "the idle program woke";

  // Record one point and play it (endless repeat is on at the first start), then stop.
  Chord(user, XK_F1);
  ClickAt(user, {600, 200}, 1);
  Chord(user, XK_F1);
  const size_t recorded = ReadEvents(clicksFile).size();
  Chord(user, XK_F2);
  EXPECT_TRUE(WaitUntil([&] { return ReadEvents(clicksFile).size() >= recorded + 4; }, 5s))
      << "no playback after the idle time";
  Chord(user, XK_F2);
  const std::vector<TargetEvent> events = ReadEvents(clicksFile);
  ASSERT_GE(events.size(), recorded + 2);
  EXPECT_EQ(events[recorded].position.x, 600);
  EXPECT_EQ(events[recorded].position.y, 200);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ClickerEndToEnd,
                         ::testing::Values(XvfbWindowManager::NoManager,
                                           XvfbWindowManager::Openbox),
                         [](const auto& info) {
                           return info.param == XvfbWindowManager::Openbox ? "Openbox"
                                                                           : "NoManager";
                         });

// The X server goes away under the running program: it cannot show anything any more,
// but it writes its settings and says so before it ends. The server is one of this test's
// own, with no other connection left open when it is killed.
TEST(ClickerWithoutItsDisplay, WritesItsSettingsWhenTheDisplayGoesAway) {
  int number = 5000 + ::getpid() % 1000;
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) ++number;
  const std::string display = ":" + std::to_string(number);
  ChildProcess server("/usr/bin/Xvfb", {display, "-nolisten", "tcp", "-screen", "0", "1280x1024x24"},
                      display);
  ASSERT_TRUE(server.Started());
  ASSERT_TRUE(WaitUntil([&] {
    return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number));
  }, 10s));
  const TempFolder folder;
  ChildProcess program(TAPPOMAT_PROGRAM, {"--data-dir", folder.Path().string()}, display, {},
                       (folder / "stderr").string());
  ASSERT_TRUE(program.Started());
  {
    X11TestClient user(display);
    ASSERT_TRUE(user.Ok());
    ASSERT_TRUE(WaitUntil([&] {
      return FindWindowNamed(user.Get(), user.Root(), "Tappomat v1.5") != None;
    }, 20s));
  }
  std::this_thread::sleep_for(300ms);
  ::kill(server.Pid(), SIGKILL);
  int status = -1;
  EXPECT_TRUE(WaitUntil([&] { return (status = program.TryExitStatus()) != -1; }, 10s));
  EXPECT_NE(status, 0);
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
  EXPECT_NE(folder.Get("stderr").find("tappomat: lost the connection to the display; settings "
                                      "saved to " + (folder / "Tappomat.ini").string() + "\n"),
            std::string::npos)
      << folder.Get("stderr");
}

}  // namespace
}  // namespace tappomat::test
