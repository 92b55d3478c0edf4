// Services of the X11 platform: the clipboard between our own connections and with
// another client, and starting programs without a shell, without waiting and without
// leaving zombies.
// gtest before the X headers: X.h defines None, which gtest uses as a name.
#include "support/x11_platform_fixture.h"

#include <X11/Xatom.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

namespace tappomat::test {
namespace {

const std::string kRussian = "\u041b\u041a\u041c \u043a\u043b\u0438\u043a \u2014 \u0451\u0436";  // ЛКМ клик — ёж

class X11ServicesTest : public X11BareTest {
 protected:
  void SetUp() override {
    X11BareTest::SetUp();
    char pattern[] = "/tmp/tappomat-x11-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
  }
  void TearDown() override {
    std::filesystem::remove_all(m_dir);
    X11BareTest::TearDown();
  }

  // An executable shell script in the temporary folder.
  std::string WriteScript(const std::string& name, const std::string& body) {
    const std::string path = m_dir + "/" + name;
    std::ofstream(path) << body;
    chmod(path.c_str(), 0755);
    return path;
  }

  // The lines of a file once it is complete (the script writes "end" last).
  std::vector<std::string> WaitForLines(const std::string& path) {
    std::vector<std::string> lines;
    WaitUntil([&] {
      lines.clear();
      std::ifstream in(path);
      for (std::string line; std::getline(in, line);) lines.push_back(line);
      return !lines.empty() && lines.back() == "end";
    });
    if (!lines.empty()) lines.pop_back();
    return lines;
  }

  std::string m_dir;
};

// Children of this process that have exited but were not reaped.
int ZombieChildren() {
  int zombies = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // pid (comm) state ppid …; comm may hold spaces, so parse after the last ')'.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 1));
    char state = 0;
    long parent = 0;
    rest >> state >> parent;
    if (parent == getpid() && state == 'Z') ++zombies;
  }
  return zombies;
}

TEST_F(X11ServicesTest, ClipboardRoundTripsUtf8InOneProcess) {
  P().SetClipboardText(kRussian);
  EXPECT_EQ(P().ClipboardText(), kRussian);
}

// Another connection reads what we own, and we read what it owns, each answering while
// the other waits.
TEST_F(X11ServicesTest, ClipboardRoundTripsUtf8BetweenConnections) {
  std::unique_ptr<Platform> other = CreateX11Platform(DisplayName().c_str());
  ASSERT_NE(other, nullptr);

  P().SetClipboardText(kRussian);
  auto read = std::async(std::launch::async, [&] { return other->ClipboardText(); });
  while (read.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
    P().WaitAndDispatch(P().Now() + std::chrono::milliseconds(5));
  }
  EXPECT_EQ(read.get(), kRussian);

  const std::string text = "copied \u00e9\u00e8 \u0444";
  std::atomic<bool> serving{true};
  std::promise<void> owned;
  std::thread owner([&] {
    other->SetClipboardText(text);
    owned.set_value();
    while (serving) other->WaitAndDispatch(other->Now() + std::chrono::milliseconds(5));
  });
  owned.get_future().wait();
  EXPECT_EQ(P().ClipboardText(), text);
  serving = false;
  owner.join();
}

// What a plain X client asks for: the list of targets, and Latin-1 text for STRING.
TEST_F(X11ServicesTest, ClipboardAnswersTargetsAndLatin1) {
  P().SetClipboardText("caf\u00e9 \u0444");
  Display* display = Client().Get();
  const Window requestor = XCreateSimpleWindow(display, Client().Root(), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom property = XInternAtom(display, "TEST_SELECTION", False);
  const auto convert = [&](Atom target) {
    XConvertSelection(display, clipboard, target, property, requestor, CurrentTime);
    XEvent event{};
    EXPECT_TRUE(WaitUntil([&] {
      P().WaitAndDispatch(P().Now() + std::chrono::milliseconds(5));
      return XCheckTypedWindowEvent(display, requestor, SelectionNotify, &event) == True;
    }));
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, requestor, property, 0, 1024, True, AnyPropertyType, &type,
                       &format, &count, &after, &data);
    std::vector<unsigned char> bytes;
    if (data != nullptr) {
      const std::size_t size = format == 32 ? count * sizeof(long) : count;
      bytes.assign(data, data + size);
      XFree(data);
    }
    return std::make_pair(type, bytes);
  };

  const auto [targetsType, targets] = convert(XInternAtom(display, "TARGETS", False));
  EXPECT_EQ(targetsType, XA_ATOM);
  const auto* atoms = reinterpret_cast<const long*>(targets.data());
  const std::vector<long> listed(atoms, atoms + targets.size() / sizeof(long));
  for (const char* name : {"UTF8_STRING", "STRING", "TEXT"}) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), static_cast<long>(XInternAtom(display, name, False))),
              listed.end())
        << name;
  }
  const auto [stringType, latin1] = convert(XA_STRING);
  EXPECT_EQ(stringType, XA_STRING);
  EXPECT_EQ(latin1, (std::vector<unsigned char>{'c', 'a', 'f', 0xE9, ' ', '?'}));
  XDestroyWindow(display, requestor);
}

TEST_F(X11ServicesTest, StartProgramReportsWhetherTheProgramRuns) {
  const std::string textFile = m_dir + "/not-a-program.txt";
  std::ofstream(textFile) << "plain text\n";
  const std::string badFormat = WriteScript("bad-format", "no interpreter line, no ELF header\n");
  struct Case {
    std::string program;
    bool starts;
  };
  const Case cases[] = {
      {"true", true},                             // found on PATH
      {"/bin/true", true},                        // a path
      {"tappomat-no-such-program", false},        // not on PATH
      {m_dir + "/missing", false},                // no such file
      {textFile, false},                          // not executable
      {badFormat, false},                         // executable bit, but exec fails in the child
  };
  for (const Case& c : cases) {
    EXPECT_EQ(P().StartProgram(c.program, {}), c.starts) << c.program;
  }
  EXPECT_EQ(ZombieChildren(), 0);
}

TEST_F(X11ServicesTest, ArgumentsReachTheProgramUntouchedByAShell) {
  const std::string out = m_dir + "/args.txt";
  const std::string script =
      WriteScript("print-args", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.out\"\n"
                                "echo end >> \"$0.out\"\n");
  const std::vector<std::string> args{"two words", "$(touch " + m_dir + "/pwned)", "*", "a;b|c", ""};
  ASSERT_TRUE(P().StartProgram(script, args));
  EXPECT_EQ(WaitForLines(script + ".out"), args);
  EXPECT_FALSE(std::filesystem::exists(m_dir + "/pwned"));
  EXPECT_EQ(ZombieChildren(), 0);
}

TEST_F(X11ServicesTest, OpenWithDesktopPassesTheTargetAsOneArgument) {
  WriteScript("xdg-open", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.out\"\n"
                          "echo end >> \"$0.out\"\n");
  const char* oldPath = std::getenv("PATH");
  const std::string savedPath = oldPath != nullptr ? oldPath : "";
  setenv("PATH", (m_dir + ":" + savedPath).c_str(), 1);
  const std::string target = "https://example.org/a b?x=1&y='2'";
  const bool started = P().OpenWithDesktop(target);
  setenv("PATH", savedPath.c_str(), 1);
  ASSERT_TRUE(started);
  EXPECT_EQ(WaitForLines(m_dir + "/xdg-open.out"), std::vector<std::string>{target});
}

}  // namespace
}  // namespace tappomat::test
