#include "storage/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "storage/ini_file.h"
#include "support/temp_folder.h"

namespace tappomat {
namespace {

TEST(SettingsTest, FirstExitWritesTheDefaults) {
  TempFolder folder;
  const Settings settings = ReadSettings(folder.Path());
  EXPECT_EQ(settings.delay, 300);
  EXPECT_EQ(settings.language, 540);
  EXPECT_TRUE(settings.repeat);
  EXPECT_TRUE(settings.onTop);
  WriteSettings(folder.Path(), settings);
  EXPECT_EQ(folder.Get("Tappomat.ini"), "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
}

TEST(SettingsTest, AByteOrderMarkIsReadPastAndKept) {
  TempFolder folder;
  folder.Put("Tappomat.ini", "\xEF\xBB\xBF[Global]\r\nSDelay=70\r\nLang=45\r\n");
  Settings settings = ReadSettings(folder.Path());
  EXPECT_EQ(settings.delay, 70);
  EXPECT_EQ(settings.language, 45);
  settings.delay = 80;
  WriteSettings(folder.Path(), settings);
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "\xEF\xBB\xBF[Global]\r\nSDelay=80\r\nLang=45\r\nRepeat=1\r\nOnTop=1\r\n")
      << "one section, the user's values in place";
}

TEST(SettingsTest, AFifoGivesTheDefaultsWithoutBlockingAndIsNeverReplaced) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "Tappomat.ini").c_str(), 0600), 0);
  const Settings settings = ReadSettings(folder.Path());  // would block for ever
  EXPECT_EQ(settings.delay, Settings{}.delay);
  EXPECT_THROW(WriteSettings(folder.Path(), settings), EWriteError);
  struct stat info {};
  ASSERT_EQ(::stat((folder / "Tappomat.ini").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(SettingsTest, AnOversizedOrUtf16FileIsReplacedByAFreshOne) {
  for (const bool oversized : {true, false}) {
    TempFolder folder;
    if (oversized) {
      folder.Put("Tappomat.ini", "[Global]\r\nSDelay=5\r\n");
      std::filesystem::resize_file(folder / "Tappomat.ini", IniFile::kMaxFileSize + 1);
    } else {
      folder.Put("Tappomat.ini", std::string("\xFF\xFE[\0G\0]\0", 8));
    }
    const Settings settings = ReadSettings(folder.Path());
    EXPECT_EQ(settings.delay, Settings{}.delay);
    WriteSettings(folder.Path(), settings);
    EXPECT_EQ(folder.Get("Tappomat.ini"),
              "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
  }
}

TEST(SettingsTest, ReadTable) {
  struct Case {
    const char* lines;  // the body of section Global
    Settings expected;
  } cases[] = {
      {"Repeat=0\r\n", {.repeat = false}},
      {"Repeat=2\r\n", {.repeat = true}},
      {"Repeat=yes\r\nOnTop=yes\r\n", {}},
      {"OnTop=0\r\n", {.onTop = false}},
      {"Lang=7\r\n", {.language = 7}},
      {"Lang=45\r\n", {.language = 45}},
      {"Lang=$2D\r\n", {.language = 45}},
      {"Lang=4294967296\r\n", {}},  // no int: the default
      {"SDelay=-5\r\n", {.delay = -5}},
      {"SDelay=99999999\r\n", {.delay = 99999999}},
      {"SDelay=0x10\r\n", {.delay = 16}},
      {"SDelay=fast\r\n", {}},
      {"sdelay = 50 \r\nLANG=45\r\nrepeat=0\r\nontop=0\r\n",
       {.delay = 50, .language = 45, .repeat = false, .onTop = false}},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.Put("Tappomat.ini", std::string("[Global]\r\n") + c.lines);
    const Settings read = ReadSettings(folder.Path());
    EXPECT_EQ(read.delay, c.expected.delay) << c.lines;
    EXPECT_EQ(read.language, c.expected.language) << c.lines;
    EXPECT_EQ(read.repeat, c.expected.repeat) << c.lines;
    EXPECT_EQ(read.onTop, c.expected.onTop) << c.lines;
  }
}

TEST(SettingsTest, WriteBackNormalisesBooleansAndKeepsTheRest) {
  TempFolder folder;
  folder.Put("Tappomat.ini",
             "; my settings\r\n"
             "[Global]\r\n"
             "Repeat=2\r\n"
             "Lang=7\r\n"
             "Extra=kept\r\n"
             "\r\n"
             "[Other]\r\n"
             "x=1\r\n");
  WriteSettings(folder.Path(), ReadSettings(folder.Path()));
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "; my settings\r\n"
            "[Global]\r\n"
            "Repeat=1\r\n"
            "Lang=7\r\n"
            "Extra=kept\r\n"
            "SDelay=300\r\n"
            "OnTop=1\r\n"
            "\r\n"
            "[Other]\r\n"
            "x=1\r\n");
}

TEST(SettingsTest, WriteFailureNamesTheSettingsFile) {
  TempFolder folder;
  const std::filesystem::path missing = folder / "no such folder";
  try {
    WriteSettings(missing, Settings{});
    FAIL() << "no error";
  } catch (const EWriteError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unable to write to " + (missing / "Tappomat.ini").string());
  }
}

}  // namespace
}  // namespace tappomat
