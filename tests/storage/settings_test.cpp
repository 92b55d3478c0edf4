#include "storage/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "storage/ini_file.h"
#include "support/temp_folder.h"
#include "support/utf16_text.h"

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

// A settings file the program cannot read is not lost: at exit it is kept beside the
// settings under a name that is not taken, and a fresh file holds the settings, so that
// they work again at the next start.
TEST(SettingsTest, AFileThatCannotBeReadIsKeptAsideAndAFreshOneWritten) {
  const struct {
    const char* name;
    bool oversized;     // else UTF-16 text without a byte-order mark
    const char* keptAs;  // the first free name of the series
  } cases[] = {
      {"too large", true, "Tappomat.ini.too-large.3"},
      {"UTF-16 without a mark", false, "Tappomat.ini.unreadable"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    std::string user;
    if (c.oversized) {
      folder.Put("Tappomat.ini", "[Global]\r\nSDelay=5\r\n");
      // Sparse: just over the limit, at no cost on the disk.
      std::filesystem::resize_file(folder / "Tappomat.ini", IniFile::kMaxFileSize + 1);
      folder.Put("Tappomat.ini.too-large", "kept before");
      folder.Put("Tappomat.ini.too-large.2", "kept before too");
    } else {
      user = std::string("[\0G\0]\0\r\0\n\0", 10);
      folder.Put("Tappomat.ini", user);
    }
    std::string problem;
    const Settings settings = ReadSettings(folder.Path(), &problem);
    EXPECT_EQ(settings.delay, Settings{}.delay);
    EXPECT_NE(problem.find("the settings file " + (folder / "Tappomat.ini").string() +
                           " cannot be read ("),
              std::string::npos)
        << problem;
    EXPECT_NE(problem.find("at exit keeps that file beside it under another name"),
              std::string::npos)
        << problem;

    const SettingsWriteOutcome outcome = WriteSettings(folder.Path(), settings);
    EXPECT_EQ(folder.Get("Tappomat.ini"),
              "[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n");
    EXPECT_EQ(outcome.keptAs, folder / c.keptAs);
    EXPECT_NE(outcome.notice.find("it is kept as " + (folder / c.keptAs).string() +
                                  ", and fresh settings were written to " +
                                  (folder / "Tappomat.ini").string()),
              std::string::npos)
        << outcome.notice;
    if (c.oversized) {
      EXPECT_EQ(std::filesystem::file_size(folder / c.keptAs), IniFile::kMaxFileSize + 1);
      EXPECT_EQ(folder.Get("Tappomat.ini.too-large"), "kept before");
      EXPECT_EQ(folder.Get("Tappomat.ini.too-large.2"), "kept before too");
    } else {
      EXPECT_EQ(folder.Get(c.keptAs), user);
    }
  }
}

// A file just under the limit that the program's lines would take past it: saved in place,
// it could not be read at the next start. It is kept aside as one too large to read is, and
// the settings it held go on in a fresh file.
TEST(SettingsTest, AFileThatWouldGrowPastTheLimitIsKeptAsideAndItsSettingsWritten) {
  TempFolder folder;
  std::string user = "[Global]\r\nSDelay=70\r\nLang=45\r\n[Notes]\r\n; ";
  user += std::string(IniFile::kMaxFileSize - 4 - user.size(), 'x') + "\r\n";
  ASSERT_EQ(user.size(), IniFile::kMaxFileSize - 2);
  folder.Put("Tappomat.ini", user);
  const Settings settings = ReadSettings(folder.Path());
  EXPECT_EQ(settings.delay, 70);
  const SettingsWriteOutcome outcome = WriteSettings(folder.Path(), settings);
  EXPECT_EQ(folder.Get("Tappomat.ini"),
            "[Global]\r\nSDelay=70\r\nLang=45\r\nRepeat=1\r\nOnTop=1\r\n");
  EXPECT_EQ(outcome.keptAs, folder / "Tappomat.ini.too-large");
  EXPECT_TRUE(folder.Get("Tappomat.ini.too-large") == user) << "the user's file, unchanged";
  EXPECT_NE(outcome.notice.find("would have grown past the 64 MiB limit"), std::string::npos)
      << outcome.notice;
}

// As some editors save it: read, and written back in the same encoding with every line the
// program does not write as it was, also characters beyond single-byte text.
TEST(SettingsTest, Utf16FilesAreReadAndWrittenBackInTheirEncoding) {
  // A key of the user's with Cyrillic letters, a character beyond the basic plane and an
  // unpaired surrogate.
  std::u16string own = u"Name=\u041F\u0440\u0438\u0432\u0435\u0442 \U0001F600 ";
  own += static_cast<char16_t>(0xD800);
  own += u"!";
  const std::u16string before = u"; mine\r\n[Global]\r\nSDelay=70\r\nLang=45\r\n" + own +
                                u"\r\n\r\n[Other]\r\nx=1\r\n";
  const std::u16string after = u"; mine\r\n[Global]\r\nSDelay=80\r\nLang=45\r\n" + own +
                               u"\r\nRepeat=1\r\nOnTop=1\r\n\r\n[Other]\r\nx=1\r\n";
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
    TempFolder folder;
    folder.Put("Tappomat.ini", Utf16Bytes(before, bigEndian));
    Settings settings = ReadSettings(folder.Path());
    EXPECT_EQ(settings.delay, 70);
    EXPECT_EQ(settings.language, 45);
    settings.delay = 80;
    WriteSettings(folder.Path(), settings);
    EXPECT_EQ(folder.Get("Tappomat.ini"), Utf16Bytes(after, bigEndian));
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
      {"XWaylandNotice=1\r\n", {.xwaylandNoticeShown = true}},
      {"XWaylandNotice=0\r\n", {}},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.Put("Tappomat.ini", std::string("[Global]\r\n") + c.lines);
    const Settings read = ReadSettings(folder.Path());
    EXPECT_EQ(read.delay, c.expected.delay) << c.lines;
    EXPECT_EQ(read.language, c.expected.language) << c.lines;
    EXPECT_EQ(read.repeat, c.expected.repeat) << c.lines;
    EXPECT_EQ(read.onTop, c.expected.onTop) << c.lines;
    EXPECT_EQ(read.xwaylandNoticeShown, c.expected.xwaylandNoticeShown) << c.lines;
  }
}

// The key of the XWayland notice appears only once the notice was shown.
TEST(SettingsTest, TheXWaylandNoticeKeyIsWrittenOnlyOnceShown) {
  for (const bool shown : {false, true}) {
    TempFolder folder;
    WriteSettings(folder.Path(), {.xwaylandNoticeShown = shown});
    EXPECT_EQ(folder.Get("Tappomat.ini"),
              std::string("[Global]\r\nSDelay=300\r\nLang=540\r\nRepeat=1\r\nOnTop=1\r\n") +
                  (shown ? "XWaylandNotice=1\r\n" : ""));
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
