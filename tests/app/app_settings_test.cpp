// Where the program keeps its files, and the main window reading the settings at start
// and writing them when it goes.
#include <gtest/gtest.h>

#include "app/app_folder.h"
#include "app/main.h"
#include "automation/target.h"
#include "automation/target2.h"
#include "platform/virtual_keys.h"
#include "skin/controls/skinned_bit_btn.h"
#include "skin/controls/skinned_check_box.h"
#include "skin/controls/skinned_list_box.h"
#include "skin/controls/skinned_speed_button.h"
#include "skin/controls/skinned_spin_edit.h"
#include "storage/ini_file.h"
#include "ui/label.h"
#include "support/temp_folder.h"
#include "ui/ui_fixture.h"

namespace tappomat {
namespace {

TEST(AppFolder, ChoiceTable) {
  using Path = std::filesystem::path;
  struct Case {
    const char* name;
    std::optional<Path> option;
    bool exeWritable;
    std::string xdg;
    std::string home;
    std::optional<Path> expected;
  } cases[] = {
      {"--data-dir wins", Path("/data"), true, "/xdg", "/home/u", Path("/data")},
      {"writable executable folder", {}, true, "/xdg", "/home/u", Path("/opt/tappomat")},
      {"XDG_DATA_HOME", {}, false, "/xdg", "/home/u", Path("/xdg/tappomat")},
      {"default under HOME", {}, false, "", "/home/u", Path("/home/u/.local/share/tappomat")},
      {"relative XDG_DATA_HOME ignored", {}, false, "xdg", "/home/u",
       Path("/home/u/.local/share/tappomat")},
      {"neither set: no folder under the current one", {}, false, "", "", std::nullopt},
      {"relative HOME ignored", {}, false, "", "u", std::nullopt},
      {"neither set, writable executable folder", {}, true, "", "", Path("/opt/tappomat")},
  };
  for (const Case& c : cases) {
    AppFolderInputs inputs{c.option, "/opt/tappomat", c.xdg, c.home,
                           [&](const Path&) { return c.exeWritable; }};
    EXPECT_EQ(ChooseAppFolder(inputs), c.expected) << c.name;
  }
}

// The line the program prints when it finds no folder names what is wrong with each
// variable: a relative path is no more "not set" than a missing one.
// Installed by the package system, the program's folder is never its data folder, even for
// root, who may write there: `sudo tappomat` must not leave a Tappomat.ini in /usr/bin.
TEST(AppFolder, AnInstalledProgramKeepsItsFilesUnderTheUsersDataFolder) {
  using Path = std::filesystem::path;
  for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin", "/sbin", "/usr/games"}) {
    AppFolderInputs inputs{{}, folder, "/xdg", "/home/u", [](const Path&) { return true; }};
    EXPECT_EQ(ChooseAppFolder(inputs), Path("/xdg/tappomat")) << folder;
  }
  for (const char* folder : {"/opt/tappomat", "/home/u/tappomat", "/usrlocal/bin"}) {
    AppFolderInputs inputs{{}, folder, "/xdg", "/home/u", [](const Path&) { return true; }};
    EXPECT_EQ(ChooseAppFolder(inputs), Path(folder)) << folder;
  }
}

TEST(AppFolder, NoFolderMessageSaysWhatIsWrongWithEachVariable) {
  const std::string tail =
      " and the program's folder is not writable; give one with --data-dir DIR";
  const struct {
    std::string xdg;
    std::string home;
    std::string reasons;
  } cases[] = {
      {"", "", "HOME and XDG_DATA_HOME are not set"},
      {"", "u", "HOME is not an absolute path ('u'), XDG_DATA_HOME is not set"},
      {"data", "", "HOME is not set, XDG_DATA_HOME is not an absolute path ('data')"},
      {"./data", "~/me", "HOME is not an absolute path ('~/me'), XDG_DATA_HOME is not an "
                         "absolute path ('./data')"},
  };
  for (const auto& c : cases) {
    AppFolderInputs inputs{{}, "/opt/tappomat", c.xdg, c.home,
                           [](const std::filesystem::path&) { return false; }};
    ASSERT_EQ(ChooseAppFolder(inputs), std::nullopt) << c.reasons;
    EXPECT_EQ(NoAppFolderMessage(inputs),
              "no folder for the settings and scripts: " + c.reasons + tail);
  }
}

class AppSettingsTest : public test::UiTest {
 protected:
  AppSettingsTest() { SetApplicationFolder(folder.Path()); }
  ~AppSettingsTest() override { SetApplicationFolder({}); }
  TForm1* Start() {
    TForm1* form = Create<TForm1>(app.get());
    form->Show();
    Pump();
    return form;
  }
  TempFolder folder;
};

TEST_F(AppSettingsTest, FirstRunUsesDefaultsAndWritesThemAtExit) {
  TForm1* form = Start();
  EXPECT_EQ(form->SDelay->Value(), 300);
  EXPECT_TRUE(form->SBRus->Down());
  EXPECT_TRUE(form->CRepeat->Checked());
  EXPECT_FALSE(form->SnRep->Enabled());
  EXPECT_EQ(form->FormStyle(), TFormStyle::fsStayOnTop);
  form->Free();
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
}

TEST_F(AppSettingsTest, TheMainWindowDestroyedByAnotherProgramEndsTheProgramAsAClose) {
  TForm1* form = Start();
  ASSERT_FALSE(app->Terminated());
  NativeEvent destroyed;
  destroyed.type = NativeEvent::Type::Destroyed;
  platform.InjectEvent(WindowSystem::Current().Find(form->Handle())->top.native, destroyed);
  Pump();
  EXPECT_TRUE(app->Terminated());
  form->Free();
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
}

TEST_F(AppSettingsTest, SavedValuesAreAppliedAndWrittenBackAsShown) {
  folder.Put("Tappomat.ini",
             "[Global]\r\nSDelay=99999999\r\nLang=45\r\nRepeat=0\r\nOnTop=0\r\n");
  TForm1* form = Start();
  EXPECT_EQ(form->SDelay->Value(), 86400000);
  EXPECT_TRUE(form->SBEng->Down());
  EXPECT_FALSE(form->CRepeat->Checked());
  EXPECT_TRUE(form->SnRep->Enabled());
  EXPECT_EQ(form->FormStyle(), TFormStyle::fsNormal);
  form->Free();
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=86400000\r\nLang=45\r\nRepeat=0\r\nOnTop=0\r\n");
}

// The XWayland notice is shown at the first start on XWayland only, in the interface
// language, and remembered by the settings once it was shown.
TEST_F(AppSettingsTest, TheXWaylandNoticeShowsOnceAndTheSettingsRememberIt) {
  folder.Put("Tappomat.ini", "[Global]\r\nLang=45\r\n");
  TForm1* form = Start();
  std::string text;
  AnswerDialogs({[&](TForm& dialog) {
    if (TLabel* label = FindControl<TLabel>(dialog)) text = label->Caption();
    Key(VK_RETURN);
  }});
  form->ShowXWaylandNoticeOnce();
  EXPECT_TRUE(DialogsAnswered());
  EXPECT_NE(text.find("log out and choose an X11 session"), std::string::npos) << text;
  form->ShowXWaylandNoticeOnce();  // no second box: an unanswered one would fail the test
  form->Free();
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "[Global]\r\nLang=45\r\nSDelay=300\r\nRepeat=1\r\nOnTop=1\r\nXWaylandNotice=1\r\n");
  form = Start();
  form->ShowXWaylandNoticeOnce();  // remembered from the file
  form->Free();
}

TEST_F(AppSettingsTest, TheLibraryListShowsTheFoldersScriptsAndF5RefreshesIt) {
  folder.Put("first.tps", "[Script]\r\n");
  TForm1* form = Start();
  EXPECT_EQ(form->SList->Items().Count(), 1);
  EXPECT_EQ(form->SList->Items()[0], "first");
  folder.Put("second.tps", "[Script]\r\n");
  form->SList->SetFocus();
  Key(VK_F5);
  EXPECT_EQ(form->SList->Items().Count(), 2);
  EXPECT_EQ(form->SList->ItemIndex(), -1);
  form->Free();
}

TEST_F(AppSettingsTest, AnUnwritableFolderIsReportedAndTheProgramStillEnds) {
  const std::filesystem::path missing = folder / "gone";
  SetApplicationFolder(missing);
  testing::internal::CaptureStderr();
  TForm1* form = Start();
  std::optional<bool> written;
  form->OnSettingsWritten = [&written](bool ok) { written = ok; };
  form->Free();
  EXPECT_EQ(written, false) << "the program's exit status says so";
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, "tappomat: Unable to write to " + (missing / "Tappomat.ini").string() + "\n");
  ASSERT_EQ(errorBoxes.size(), 1u);
  EXPECT_EQ(errorBoxes[0].second,
            "Unable to write to " + (missing / "Tappomat.ini").string() + ".");
}

// A settings file too large to read: the program says so at start and works with the
// defaults; at exit the user's file is kept beside the settings and a fresh one is
// written, and the box names both.
TEST_F(AppSettingsTest, ASettingsFileTooLargeToReadIsReportedAtStartAndKeptAsideAtExit) {
  folder.Put("Tappomat.ini", "[Global]\r\nSDelay=5\r\n");
  std::filesystem::resize_file(folder / "Tappomat.ini", IniFile::kMaxFileSize + 1);
  const std::string settingsPath = (folder / "Tappomat.ini").string();
  const std::string keptPath = settingsPath + ".too-large";
  testing::internal::CaptureStderr();
  TForm1* form = Start();
  const std::string atStart = testing::internal::GetCapturedStderr();
  EXPECT_NE(atStart.find("tappomat: the settings file " + settingsPath + " cannot be read "
                         "(larger than the 64 MiB limit"),
            std::string::npos)
      << atStart;
  EXPECT_EQ(form->SDelay->Value(), 300);
  EXPECT_TRUE(errorBoxes.empty()) << "no box at start";
  std::optional<bool> written;
  form->OnSettingsWritten = [&written](bool ok) { written = ok; };
  testing::internal::CaptureStderr();
  form->Free();
  const std::string atExit = testing::internal::GetCapturedStderr();
  EXPECT_EQ(written, true);
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
  EXPECT_EQ(std::filesystem::file_size(keptPath), IniFile::kMaxFileSize + 1);
  ASSERT_EQ(errorBoxes.size(), 1u);
  const std::string& box = errorBoxes[0].second;
  EXPECT_NE(box.find("it is kept as " + keptPath + ", and fresh settings were written to " +
                     settingsPath + "."),
            std::string::npos)
      << box;
  EXPECT_NE(atExit.find(keptPath), std::string::npos) << atExit;
}

}  // namespace
}  // namespace tappomat
