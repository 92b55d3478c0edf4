// Choosing and starting the user's text editor: $TAPPOMAT_EDITOR words, desktop-entry Exec
// lines, the mimeapps.list lookup over temporary XDG folders, and real starts of small
// scripts standing in for editors. None of it needs a display.
// gtest before the X headers (WaitUntil's header includes Xlib): X.h defines None.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "platform/posix/text_editor.h"
#include "support/x11_test_client.h"

namespace tappomat::test {
namespace {

using posix::EditorCommand;
using posix::EditorEnvironment;

// Blanks and a percent sign: the path must reach the editor whole and unexpanded.
const std::string kPath = "/home/u/My Scripts/100% fast.tps";

TEST(TextEditorCommandTest, DesktopExecLines) {
  struct Case {
    const char* exec;
    std::optional<EditorCommand> expected;
  };
  const Case cases[] = {
      {"gedit %U", EditorCommand{"gedit", {kPath}}},
      {"kate -b %u", EditorCommand{"kate", {"-b", kPath}}},
      {"mousepad %F", EditorCommand{"mousepad", {kPath}}},
      {"  geany\t--new-instance   %f  ", EditorCommand{"geany", {"--new-instance", kPath}}},
      // Without a file code the path goes last.
      {"xedit", EditorCommand{"xedit", {kPath}}},
      {"leafpad --tab-width=4", EditorCommand{"leafpad", {"--tab-width=4", kPath}}},
      // A code inside a word; %% is a percent sign.
      {"ed --file=%f --zoom=100%%", EditorCommand{"ed", {"--file=" + kPath, "--zoom=100%"}}},
      // Codes we drop vanish with their word; a quoted empty word stays.
      {"ed %i %c %k %f", EditorCommand{"ed", {kPath}}},
      {"ed %d %D %n %N %v %m %F", EditorCommand{"ed", {kPath}}},
      {"ed \"\" %f", EditorCommand{"ed", {"", kPath}}},
      // Quoting: blanks kept, \" \` \$ \\ inside quotes, a quoted stretch joins its word.
      {R"("/opt/My Editor/bin/edit" --new-window %f)",
       EditorCommand{"/opt/My Editor/bin/edit", {"--new-window", kPath}}},
      {R"(ed "say \"hi\" \`x\` \$HOME" %f)", EditorCommand{"ed", {"say \"hi\" `x` $HOME", kPath}}},
      {R"(ed --title="a b"c %f)", EditorCommand{"ed", {"--title=a bc", kPath}}},
      // String escapes come first: \\\\ in the file is one backslash after both steps,
      // \s is a blank (splitting words outside quotes), \t a tab.
      {R"(ed "back\\\\slash" %f)", EditorCommand{"ed", {"back\\slash", kPath}}},
      {R"(ed "a\sb" a\sb "tab\there")", EditorCommand{"ed", {"a b", "a", "b", "tab\there", kPath}}},
      // Outside quotes nothing but blanks is special: no shell ever sees the line.
      {"ed $HOME '*' %f", EditorCommand{"ed", {"$HOME", "'*'", kPath}}},
      // Rejected.
      {"ed \"unterminated %f", std::nullopt},
      {"ed \"", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"%i", std::nullopt},           // no program left
      {"\"\" %f", std::nullopt},      // empty program
      {"ed %z", std::nullopt},        // unknown field code
      {"ed %", std::nullopt},         // incomplete field code
      {"%f", std::nullopt},           // the file itself as the program
  };
  for (const Case& c : cases) {
    EXPECT_EQ(posix::CommandFromDesktopExec(c.exec, kPath), c.expected) << c.exec;
  }
}

TEST(TextEditorCommandTest, EditorVariableWords) {
  struct Case {
    const char* value;
    std::optional<EditorCommand> expected;
  };
  const Case cases[] = {
      {"mousepad", EditorCommand{"mousepad", {kPath}}},
      {"  code\t-n  --wait ", EditorCommand{"code", {"-n", "--wait", kPath}}},
      {R"("/opt/My Editor/edit" --new)", EditorCommand{"/opt/My Editor/edit", {"--new", kPath}}},
      {R"(ed --title="two words"x)", EditorCommand{"ed", {"--title=two wordsx", kPath}}},
      {R"(ed "")", EditorCommand{"ed", {"", kPath}}},
      // No expansion of any kind, and no escapes: the path is always appended.
      {"ed %f $HOME ~ *", EditorCommand{"ed", {"%f", "$HOME", "~", "*", kPath}}},
      {R"(ed "C:\dir\")", EditorCommand{"ed", {"C:\\dir\\", kPath}}},
      {"", std::nullopt},
      {" \t ", std::nullopt},
      {"\"/opt/unterminated --new", std::nullopt},
      {"\"\" --new", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(posix::CommandFromEditorVariable(c.value, kPath), c.expected) << c.value;
  }
}

TEST(TextEditorCommandTest, MimeAppsListFilesFollowTheBaseDirectoryDefaults) {
  struct Case {
    const char* name;
    EditorEnvironment env;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"only HOME set",
       {.home = "/h"},
       {"/h/.config/mimeapps.list", "/etc/xdg/mimeapps.list", "/h/.local/share/applications/mimeapps.list",
        "/usr/local/share/applications/mimeapps.list", "/usr/share/applications/mimeapps.list"}},
      {"no HOME: system folders only",
       {},
       {"/etc/xdg/mimeapps.list", "/usr/local/share/applications/mimeapps.list",
        "/usr/share/applications/mimeapps.list"}},
      {"variables set; relative entries ignored; desktop lists first in each folder",
       {.home = "/h", .configHome = "/c/", .configDirs = "/x:relative:/y", .dataHome = "relative",
        .dataDirs = "/d", .currentDesktops = "ubuntu:GNOME"},
       {"/c/ubuntu-mimeapps.list", "/c/gnome-mimeapps.list", "/c/mimeapps.list",
        "/x/ubuntu-mimeapps.list", "/x/gnome-mimeapps.list", "/x/mimeapps.list",
        "/y/ubuntu-mimeapps.list", "/y/gnome-mimeapps.list", "/y/mimeapps.list",
        "/h/.local/share/applications/ubuntu-mimeapps.list",
        "/h/.local/share/applications/gnome-mimeapps.list", "/h/.local/share/applications/mimeapps.list",
        "/d/applications/ubuntu-mimeapps.list", "/d/applications/gnome-mimeapps.list",
        "/d/applications/mimeapps.list"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(posix::MimeAppsListFiles(c.env), c.expected) << c.name;
  }
}

// A temporary folder, removed afterwards, with helpers to fill it.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "tappomat-editor-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_root = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(m_root); }

  // Writes `text` to a path below the root, creating the folders on the way.
  std::string Write(const std::string& relative, const std::string& text) {
    const std::filesystem::path path = m_root + "/" + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  // XDG folders below `base` (a folder below the root), never the real ones.
  EditorEnvironment EnvBelow(const std::string& base, const std::string& desktops = {}) const {
    const std::string dir = m_root + "/" + base;
    return {.home = dir + "/home",
            .configDirs = dir + "/etc/xdg",
            .dataDirs = dir + "/usr/local/share:" + dir + "/usr/share",
            .currentDesktops = desktops};
  }

  std::string m_root;
};

std::string DefaultList(const std::string& ids) {
  return "[Default Applications]\ntext/plain=" + ids + "\n";
}

std::string AddedList(const std::string& ids) {
  return "[Added Associations]\ntext/plain=" + ids + "\n";
}

std::string Entry(const std::string& exec, const std::string& more = {}) {
  return "[Desktop Entry]\nType=Application\nName=Editor\nExec=" + exec + "\n" + more;
}

using DesktopEditorTest = TempFolderTest;

TEST_F(DesktopEditorTest, DefaultForPlainTextFromMimeAppsLists) {
  const std::string kUserList = "home/.config/mimeapps.list";
  const std::string kSystemList = "etc/xdg/mimeapps.list";
  const std::string kUserApps = "home/.local/share/applications/";
  const std::string kSystemApps = "usr/share/applications/";
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::optional<std::string> program;  // nullopt: no desktop default
    const char* desktops = "";
  };
  const Case cases[] = {
      {"the user's list beats the system's",
       {{kUserList, DefaultList("user.desktop")}, {kSystemList, DefaultList("system.desktop")},
        {kSystemApps + "user.desktop", Entry("user-editor %f")},
        {kSystemApps + "system.desktop", Entry("system-editor %f")}},
       "user-editor"},
      {"the system's list when the user has none",
       {{kSystemList, DefaultList("system.desktop")}, {kSystemApps + "system.desktop", Entry("system-editor")}},
       "system-editor"},
      {"the first listed id that is installed",
       {{kUserList, DefaultList("missing.desktop;second.desktop;third.desktop;")},
        {kSystemApps + "second.desktop", Entry("second-editor")},
        {kSystemApps + "third.desktop", Entry("third-editor")}},
       "second-editor"},
      {"a default in a later list beats an added association in an earlier one",
       {{kUserList, AddedList("added.desktop")}, {kSystemList, DefaultList("default.desktop")},
        {kSystemApps + "added.desktop", Entry("added-editor")},
        {kSystemApps + "default.desktop", Entry("default-editor")}},
       "default-editor"},
      {"an added association when no default is installed",
       {{kUserList, DefaultList("missing.desktop") + AddedList("added.desktop")},
        {kSystemApps + "added.desktop", Entry("added-editor")}},
       "added-editor"},
      {"the older list in an applications folder",
       {{kSystemApps + "mimeapps.list", DefaultList("old.desktop")}, {kSystemApps + "old.desktop", Entry("old-editor")}},
       "old-editor"},
      {"the current desktop's list before the common one",
       {{"home/.config/gnome-mimeapps.list", DefaultList("gnome.desktop")},
        {kUserList, DefaultList("common.desktop")},
        {kSystemApps + "gnome.desktop", Entry("gnome-editor")},
        {kSystemApps + "common.desktop", Entry("common-editor")}},
       "gnome-editor", "X-Test:GNOME"},
      {"the user's copy of an entry beats the system's",
       {{kSystemList, DefaultList("editor.desktop")}, {kUserApps + "editor.desktop", Entry("user-copy")},
        {kSystemApps + "editor.desktop", Entry("system-copy")}},
       "user-copy"},
      {"a hidden user copy hides the entry",
       {{kSystemList, DefaultList("editor.desktop;other.desktop")},
        {kUserApps + "editor.desktop", Entry("user-copy", "Hidden=true\n")},
        {kSystemApps + "editor.desktop", Entry("system-copy")}, {kSystemApps + "other.desktop", Entry("other")}},
       "other"},
      {"terminal, missing TryExec, broken Exec and non-applications are passed over",
       {{kUserList, DefaultList("vim.desktop;gone.desktop;broken.desktop;link.desktop;gui.desktop")},
        {kSystemApps + "vim.desktop", Entry("vim %F", "Terminal=true\n")},
        {kSystemApps + "gone.desktop", Entry("gone", "TryExec=/nonexistent/tappomat-editor\n")},
        {kSystemApps + "broken.desktop", Entry("\"unterminated %f")},
        {kSystemApps + "link.desktop", "[Desktop Entry]\nType=Link\nURL=file:///\nExec=link\n"},
        {kSystemApps + "gui.desktop", Entry("gui-editor")}},
       "gui-editor"},
      {"only the [Desktop Entry] group counts",
       {{kUserList, DefaultList("actions.desktop;gui.desktop")},
        {kSystemApps + "actions.desktop", "[Desktop Entry]\nType=Application\n[Desktop Action new]\nExec=action\n"},
        {kSystemApps + "gui.desktop", Entry("gui-editor")}},
       "gui-editor"},
      {"an id with a dash may live in a vendor subfolder",
       {{kUserList, DefaultList("vendor-editor.desktop")}, {kSystemApps + "vendor/editor.desktop", Entry("vendor-editor")}},
       "vendor-editor"},
      {"ids that are paths are refused",
       {{kUserList, DefaultList("../escape.desktop;/abs.desktop;applications/x.desktop")},
        {"usr/share/escape.desktop", Entry("escape")}, {kSystemApps + "x.desktop", Entry("x")}},
       std::nullopt},
      {"untidy lines: blanks, comments, CR LF, other groups and keys",
       {{kUserList,
         "# comment\r\ngarbage line\r\n[Removed Associations]\r\ntext/plain=removed.desktop\r\n"
         "[Default Applications\r\ntext/plain=unclosed.desktop\r\n[Default Applications]\r\n"
         "text/html=html.desktop\r\n  text/plain =  ; tidy.desktop ;\r\n"},
        {kSystemApps + "removed.desktop", Entry("removed")}, {kSystemApps + "unclosed.desktop", Entry("unclosed")},
        {kSystemApps + "html.desktop", Entry("html")}, {kSystemApps + "tidy.desktop", Entry("tidy-editor")}},
       "tidy-editor"},
      {"an oversized list is ignored",
       {{kUserList, DefaultList("big.desktop") + std::string(300 * 1024, '#')},
        {kSystemList, DefaultList("small.desktop")},
        {kSystemApps + "big.desktop", Entry("big")}, {kSystemApps + "small.desktop", Entry("small")}},
       "small"},
      {"no text/plain entry", {{kUserList, "[Default Applications]\ntext/html=a.desktop\n"}}, std::nullopt},
      {"no lists at all", {}, std::nullopt},
  };
  int index = 0;
  for (const Case& c : cases) {
    const std::string base = "case" + std::to_string(index++);
    for (const auto& [relative, text] : c.files) Write(base + "/" + relative, text);
    const std::optional<EditorCommand> command = posix::DesktopTextEditor(EnvBelow(base, c.desktops), kPath);
    EXPECT_EQ(command ? std::optional<std::string>(command->program) : std::nullopt, c.program) << c.name;
  }
}

// Opening a FIFO for reading would wait for a writer; the lookup must pass it over.
TEST_F(DesktopEditorTest, AFifoInPlaceOfAListIsPassedOver) {
  std::filesystem::create_directories(m_root + "/home/.config");
  const std::string fifo = m_root + "/home/.config/mimeapps.list";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  Write("etc/xdg/mimeapps.list", DefaultList("editor.desktop"));
  Write("usr/share/applications/editor.desktop", Entry("system-editor"));

  auto lookup = std::async(std::launch::async, [&] { return posix::DesktopTextEditor(EnvBelow(""), kPath); });
  if (lookup.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "the lookup waits on the FIFO";
    close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // lets it go on
  }
  const std::optional<EditorCommand> command = lookup.get();
  ASSERT_TRUE(command.has_value());
  EXPECT_EQ(command->program, "system-editor");
}

TEST_F(DesktopEditorTest, CandidatesInOrderOfChoice) {
  Write("etc/xdg/mimeapps.list", DefaultList("editor.desktop"));
  Write("usr/share/applications/editor.desktop", Entry("desktop-editor --new %f"));
  EditorEnvironment env = EnvBelow("");
  env.editorCommand = "my-editor -w";

  std::vector<EditorCommand> expected{{"my-editor", {"-w", kPath}}, {"desktop-editor", {"--new", kPath}}};
  for (const std::string& editor : posix::FallbackTextEditors()) expected.push_back({editor, {kPath}});
  EXPECT_EQ(posix::TextEditorCandidates(env, kPath), expected);
}

// Real starts of scripts that stand in for editors. PATH points at a folder of ours for the
// test, so that no editor installed on the machine is ever started.
class TextEditorStartTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    const char* path = std::getenv("PATH");
    m_savedPath = path != nullptr ? path : "";
    std::filesystem::create_directories(m_root + "/path");
    setenv("PATH", (m_root + "/path").c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", m_savedPath.c_str(), 1);
    TempFolderTest::TearDown();
  }

  // An executable script that writes its name and arguments, one a line, then "end", to
  // <root>/started.txt.
  std::string WriteRecorder(const std::string& relative) {
    const std::string script = Write(
        relative, "#!/bin/sh\n{ printf '%s\\n' \"${0##*/}\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; "
                  "echo end; } > '" + m_root + "/started.txt'\n");
    chmod(script.c_str(), 0755);
    return script;
  }

  // The lines the recorder wrote, once complete.
  std::vector<std::string> WaitForStart() {
    std::vector<std::string> lines;
    WaitUntil(
        [&] {
          lines.clear();
          std::ifstream in(m_root + "/started.txt");
          for (std::string line; std::getline(in, line);) lines.push_back(line);
          return !lines.empty() && lines.back() == "end";
        },
        std::chrono::seconds(10));
    if (!lines.empty()) lines.pop_back();
    return lines;
  }

  std::string m_savedPath;
};

TEST_F(TextEditorStartTest, EditorVariableGetsThePathAsOneArgument) {
  WriteRecorder("bin dir/record args");
  const std::string file = Write("my scripts/new script.tps", "[Script]\r\n");
  EditorEnvironment env = EnvBelow("");
  env.editorCommand = "\"" + m_root + "/bin dir/record args\" --new-window";
  ASSERT_TRUE(posix::OpenInTextEditor(env, file));
  EXPECT_EQ(WaitForStart(), (std::vector<std::string>{"record args", "--new-window", file}));
}

TEST_F(TextEditorStartTest, DesktopDefaultIsStartedThroughItsExecLine) {
  WriteRecorder("bin dir/record args");
  Write("etc/xdg/mimeapps.list", DefaultList("recorder.desktop"));
  Write("usr/share/applications/recorder.desktop", Entry("\"" + m_root + "/bin dir/record args\" --from-desktop %U"));
  const std::string file = m_root + "/a b.tps";
  ASSERT_TRUE(posix::OpenInTextEditor(EnvBelow(""), file));
  EXPECT_EQ(WaitForStart(), (std::vector<std::string>{"record args", "--from-desktop", file}));
}

// A configured editor and a desktop default that cannot start give way to the first
// common editor on PATH.
TEST_F(TextEditorStartTest, FallsThroughToTheFirstInstalledCommonEditor) {
  WriteRecorder("path/mousepad");
  WriteRecorder("path/xedit");
  Write("etc/xdg/mimeapps.list", DefaultList("gone.desktop"));
  Write("usr/share/applications/gone.desktop", Entry("tappomat-no-such-editor %f"));
  EditorEnvironment env = EnvBelow("");
  env.editorCommand = m_root + "/no-such-editor";
  ASSERT_TRUE(posix::OpenInTextEditor(env, kPath));
  EXPECT_EQ(WaitForStart(), (std::vector<std::string>{"mousepad", kPath}));
}

TEST_F(TextEditorStartTest, FalseWhenNoEditorStarts) {
  EditorEnvironment env = EnvBelow("");
  env.editorCommand = m_root + "/no-such-editor";
  EXPECT_FALSE(posix::OpenInTextEditor(env, kPath));
}

TEST(HeadlessTextEditorTest, RecordsTheOpenAndReportsTheSetOutcome) {
  HeadlessPlatform platform;
  EXPECT_TRUE(platform.OpenInTextEditor(kPath));
  platform.SetLaunchSucceeds(false);
  EXPECT_FALSE(platform.OpenInTextEditor("/tmp/b.tps"));
  ASSERT_EQ(platform.Launches().size(), 2u);
  EXPECT_EQ(platform.Launches()[0].program, HeadlessPlatform::kTextEditorProgram);
  EXPECT_EQ(platform.Launches()[0].args, std::vector<std::string>{kPath});
  EXPECT_EQ(platform.Launches()[1].args, std::vector<std::string>{"/tmp/b.tps"});
}

}  // namespace
}  // namespace tappomat::test
