// End to end: the standard-controls demo on a private X server, driven through XTest as a
// user would — typing into the edit, choosing from a drop-down combo box with the mouse
// and from a drop-down list with the keys, opening the list's pop-up menu, and closing the
// window by its close button — checked by the lines the demo prints for its events.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

namespace tappomat::test {
namespace {

bool XvfbInstalled() {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "");
  std::string dir;
  while (std::getline(dirs, dir, ':'))
    if (!dir.empty() && access((std::filesystem::path(dir) / "Xvfb").c_str(), X_OK) == 0)
      return true;
  return false;
}

// The demo, with its standard output written to a file and read back line by line.
class DemoProcess {
 public:
  explicit DemoProcess(const std::string& display)
      : m_output(OutputPath()),
        // A limit, so that a test that goes wrong never leaves the demo running.
        m_process(TAPPOMAT_UI_DEMO, {"--exit-after", "60000"}, display, m_output) {}
  ~DemoProcess() { std::filesystem::remove(m_output); }
  bool Started() const { return m_process.Started(); }
  // The exit status once the process has ended by itself, or -1.
  int TryExitStatus() { return m_process.TryExitStatus(); }
  // Every complete line printed so far.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::ifstream in(m_output);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }
  bool HasLine(const std::string& line) const {
    for (const std::string& l : Lines())
      if (l == line) return true;
    return false;
  }
  // Waits until the demo has printed `line`.
  bool WaitForLine(const std::string& line,
                   std::chrono::milliseconds timeout = std::chrono::seconds(5)) const {
    return WaitUntil([&] { return HasLine(line); }, timeout);
  }

 private:
  static std::string OutputPath() {
    return (std::filesystem::temp_directory_path() /
            ("tappomat-ui-demo-" + std::to_string(getpid()) + ".txt"))
        .string();
  }

  std::string m_output;
  ChildProcess m_process;
};

// "place <name> x y w h" lines.
std::map<std::string, Rect> Places(const std::vector<std::string>& lines) {
  std::map<std::string, Rect> places;
  for (const std::string& line : lines) {
    std::istringstream in(line);
    std::string word, name;
    int x, y, w, h;
    if (in >> word >> name >> x >> y >> w >> h && word == "place")
      places[name] = Rect::FromSize(x, y, w, h);
  }
  return places;
}

Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class UiDemoEndToEnd : public ::testing::Test {
 protected:
  void Click(Point at) {
    user->FakeMotion(at);
    user->FakeButton(1, true);
    user->FakeButton(1, false);
  }
  void Type(KeySym key) {
    user->FakeKey(key, true);
    user->FakeKey(key, false);
  }
  // The top-level window above the demo's form while a drop-down list or menu is open.
  bool OpenPopupBounds(Rect& bounds) {
    const std::vector<Window> order = user->StackingOrder();
    if (order.empty()) return false;
    XWindowAttributes a{};
    if (!XGetWindowAttributes(user->Get(), order.back(), &a) || a.map_state != IsViewable ||
        !a.override_redirect)
      return false;
    bounds = Rect::FromSize(a.x, a.y, a.width, a.height);
    return true;
  }

  // In this order, so that the connection closes before the server stops.
  std::unique_ptr<XvfbSession> session;
  std::unique_ptr<X11TestClient> user;
};

TEST_F(UiDemoEndToEnd, TypesChoosesOpensTheMenuAndCloses) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  session = std::make_unique<XvfbSession>();
  ASSERT_TRUE(session->Ok()) << session->Error();
  user = std::make_unique<X11TestClient>(session->DisplayName());
  ASSERT_TRUE(user->Ok());
  {
    DemoProcess demo(session->DisplayName());
    ASSERT_TRUE(demo.Started());
    ASSERT_TRUE(demo.WaitForLine("ready", std::chrono::seconds(20)));
    std::map<std::string, Rect> places;
    ASSERT_TRUE(WaitUntil([&] { return (places = Places(demo.Lines())).count("close") != 0; },
                          std::chrono::seconds(10)));
    for (const char* name : {"edit", "dropdown", "combo", "list", "close"})
      ASSERT_TRUE(places.count(name)) << name;
    // Shown: the edit's white inside is on the screen.
    const Point edit = Centre(places["edit"]);
    ASSERT_TRUE(WaitUntil(
        [&] { return (user->PixelAt(user->Root(), edit.x, edit.y) & 0xFFFFFF) == 0xFFFFFF; },
        std::chrono::seconds(10)));

    // Click into the edit and type.
    Click(edit);
    ASSERT_TRUE(demo.WaitForLine("focus: edit"));
    for (KeySym key : {XK_t, XK_a, XK_p, XK_1}) Type(key);
    EXPECT_TRUE(demo.WaitForLine("edit: tap1"));

    // The drop-down combo box: its arrow opens the list, a click on "Right" chooses it.
    const Rect dropDown = places["dropdown"];
    Click({dropDown.right - 8, dropDown.top + dropDown.Height() / 2});
    Rect list;
    ASSERT_TRUE(WaitUntil([&] { return OpenPopupBounds(list); }));
    EXPECT_EQ(list.left, dropDown.left);
    EXPECT_EQ(list.top, dropDown.bottom);
    const int itemHeight = (list.Height() - 2) / 3;  // three items inside a one-pixel border
    const Point right{list.left + 20, list.top + 1 + itemHeight + itemHeight / 2};
    user->FakeMotion({right.x, right.y - 2});
    Click(right);
    EXPECT_TRUE(demo.WaitForLine("dropdown: 1 Right"));
    EXPECT_TRUE(WaitUntil([&] { return !OpenPopupBounds(list); }));

    // The drop-down list by the keys: a click opens it, Down twice and Enter choose.
    Click(Centre(places["combo"]));
    ASSERT_TRUE(WaitUntil([&] { return OpenPopupBounds(list); }));
    for (KeySym key : {XK_Down, XK_Down, XK_Return}) Type(key);
    EXPECT_TRUE(demo.WaitForLine("combo: 2 Ten times"));
    EXPECT_TRUE(WaitUntil([&] { return !OpenPopupBounds(list); }));

    // A right click on the list opens its menu on the list; Escape closes it.
    user->FakeMotion(Centre(places["list"]));
    user->FakeButton(3, true);
    user->FakeButton(3, false);
    EXPECT_TRUE(demo.WaitForLine("popup: TListBox"));
    Rect menu;
    ASSERT_TRUE(WaitUntil([&] { return OpenPopupBounds(menu); }));
    Type(XK_Escape);
    EXPECT_TRUE(WaitUntil([&] { return !OpenPopupBounds(menu); }));

    // The close button ends the program.
    Click(Centre(places["close"]));
    int status = -1;
    EXPECT_TRUE(
        WaitUntil([&] { return (status = demo.TryExitStatus()) != -1; }, std::chrono::seconds(10)));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(demo.HasLine("closed"));

    // Nothing but what the user did happened, in this order.
    std::vector<std::string> events;
    for (const std::string& line : demo.Lines())
      if (line.rfind("place ", 0) != 0) events.push_back(line);
    const std::vector<std::string> expected = {
        "ready",           "focus: edit", "edit: t",           "edit: ta",
        "edit: tap",       "edit: tap1",  "dropdown: 1 Right", "combo: 2 Ten times",
        "popup: TListBox", "closed",
    };
    EXPECT_EQ(events, expected);
  }
}

}  // namespace
}  // namespace tappomat::test
