// End to end: the standard-controls demo on a private X server, driven through XTest as a
// user would — typing into the edit, choosing from a drop-down combo box with the mouse
// and from a drop-down list with the keys, opening the list's pop-up menu, and closing the
// window by its close button — checked by the lines the demo prints for its events.
#include <X11/keysym.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/x11_test_client.h"
#include "support/xvfb_session.h"

extern char** environ;

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

// The demo, with its standard output read through a pipe line by line.
class DemoProcess {
 public:
  explicit DemoProcess(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
      if (std::string(*e).rfind("DISPLAY=", 0) != 0) env.emplace_back(*e);
    env.push_back("DISPLAY=" + display);
    std::vector<char*> envp;
    for (std::string& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    // A limit, so that a test that goes wrong never leaves the demo running.
    const char* argv[] = {TAPPOMAT_UI_DEMO, "--exit-after", "60000", nullptr};
    if (posix_spawn(&m_pid, TAPPOMAT_UI_DEMO, &actions, nullptr, const_cast<char**>(argv),
                    envp.data()) != 0)
      m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    m_output = fds[0];
    fcntl(m_output, F_SETFL, fcntl(m_output, F_GETFL) | O_NONBLOCK);
  }
  ~DemoProcess() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
    if (m_output >= 0) close(m_output);
  }
  bool Started() const { return m_pid > 0; }
  // The exit status once the process has ended by itself, or -1.
  int TryExitStatus() {
    int status = 0;
    if (m_pid <= 0 || waitpid(m_pid, &status, WNOHANG) != m_pid) return -1;
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  }
  // Every complete line printed so far.
  const std::vector<std::string>& Lines() {
    char buffer[4096];
    ssize_t n;
    while ((n = read(m_output, buffer, sizeof buffer)) > 0)
      m_partial.append(buffer, static_cast<size_t>(n));
    for (size_t end; (end = m_partial.find('\n')) != std::string::npos;) {
      m_lines.push_back(m_partial.substr(0, end));
      m_partial.erase(0, end + 1);
    }
    return m_lines;
  }
  bool HasLine(const std::string& line) {
    for (const std::string& l : Lines())
      if (l == line) return true;
    return false;
  }
  // Waits until the demo has printed `line`.
  bool WaitForLine(const std::string& line,
                   std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    return WaitUntil([&] { return HasLine(line); }, timeout);
  }

 private:
  pid_t m_pid = -1;
  int m_output = -1;
  std::string m_partial;
  std::vector<std::string> m_lines;
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
