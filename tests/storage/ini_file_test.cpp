#include "storage/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"
#include "support/utf16_text.h"

namespace tappomat {
namespace {

constexpr char kSample[] =
    "; settings of the clicker\r\n"
    "[Global]\r\n"
    "SDelay=300\r\n"
    "  Lang  =  540  \r\n"
    "\r\n"
    "[Other]\r\n"
    "Name=value with  inner  blanks\r\n";

TEST(IniFileTest, ReadStringFollowsTheProfileRules) {
  const IniFile file = IniFile::Parse(
      "top=ignored\r\n"
      "[Global]\r\n"
      "SDelay=300\r\n"
      "\tLang\t=\t540 \r\n"
      "Empty=\r\n"
      "Twice=first\r\n"
      "Twice=second\r\n"
      "Unix=lf\n"
      "no equals sign\r\n"
      " [ Spaced ] trailing text\r\n"
      "Key=in spaced\r\n"
      "[global]\r\n"
      "Later=not seen\r\n");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"Global", "SDelay", "300"},     {"GLOBAL", "sdelay", "300"},
      {"global", "LANG", "540"},       {"Global", "Empty", ""},
      {"Global", "Twice", "first"},    {"Global", "Unix", "lf"},
      {"Global", "Missing", "dflt"},   {"Missing", "SDelay", "dflt"},
      {"Spaced", "Key", "in spaced"},  {"Global", "Later", "dflt"},
      {"", "top", "dflt"},             {"Global", "no equals sign", "dflt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(file.ReadString(c.section, c.key, "dflt"), c.expected)
        << "[" << c.section << "] " << c.key;
  }
}

TEST(IniFileTest, ReadStringCutsLongValues) {
  const std::string longValue(3000, 'v');
  const IniFile file = IniFile::Parse("[S]\r\nLong=" + longValue + "\r\nExact=" +
                                      std::string(2047, 'e') + "\r\n");
  EXPECT_EQ(file.ReadString("S", "Long", ""), std::string(2047, 'v'));
  EXPECT_EQ(file.ReadString("S", "Exact", ""), std::string(2047, 'e'));
}

TEST(IniFileTest, ReadStringKeepsBytesAsTheyAre) {
  const IniFile file = IniFile::Parse("[S]\r\nName=\xCB\xCA\xCC\x01\xFF\r\n");
  EXPECT_EQ(file.ReadString("S", "Name", ""), "\xCB\xCA\xCC\x01\xFF");
}

TEST(IniFileTest, ReadIntegerTable) {
  struct Case {
    const char* value;
    std::int64_t expected;
  } cases[] = {
      {"42", 42},   {"-5", -5},     {"+7", 7},       {" 12 ", 12},     {"$1F", 31},
      {"0x10", 16}, {"0X1f", 31},   {"-$10", -16},   {"", -1},         {"12abc", -1},
      {"1.5", -1},  {"yes", -1},    {"$", -1},       {"0x", -1},       {"1 2", -1},
      {"9223372036854775807", INT64_MAX},            {"9223372036854775808", -1},
  };
  for (const Case& c : cases) {
    const IniFile file = IniFile::Parse(std::string("[S]\r\nN=") + c.value + "\r\n");
    EXPECT_EQ(file.ReadInteger("S", "N", -1), c.expected) << '"' << c.value << '"';
  }
  EXPECT_EQ(IniFile::Parse("").ReadInteger("S", "N", 77), 77);
}

TEST(IniFileTest, ReadIntegerSeesOnlyTheCutValue) {
  // 2046 zeros and a 7 are an integer of 2047 characters; one more digit falls off.
  const IniFile file = IniFile::Parse("[S]\r\nA=" + std::string(2046, '0') + "7\r\nB=" +
                                      std::string(2047, '0') + "x\r\n");
  EXPECT_EQ(file.ReadInteger("S", "A", -1), 7);
  EXPECT_EQ(file.ReadInteger("S", "B", -1), 0);
}

TEST(IniFileTest, ReadBoolTable) {
  struct Case {
    const char* value;
    bool defaultValue;
    bool expected;
  } cases[] = {
      {"0", true, false},  {"1", false, true},  {"2", false, true},    {"-1", false, true},
      {"$0", true, false}, {"yes", true, true}, {"yes", false, false}, {"", true, true},
  };
  for (const Case& c : cases) {
    const IniFile file = IniFile::Parse(std::string("[S]\r\nB=") + c.value + "\r\n");
    EXPECT_EQ(file.ReadBool("S", "B", c.defaultValue), c.expected) << '"' << c.value << '"';
  }
}

TEST(IniFileTest, WriteReplacesTheKeysLineInPlace) {
  IniFile file = IniFile::Parse(kSample);
  file.WriteString("GLOBAL", "lang", "45");
  EXPECT_EQ(file.Text(),
            "; settings of the clicker\r\n"
            "[Global]\r\n"
            "SDelay=300\r\n"
            "lang=45\r\n"
            "\r\n"
            "[Other]\r\n"
            "Name=value with  inner  blanks\r\n");
}

TEST(IniFileTest, WriteAppendsAtTheEndOfTheSection) {
  IniFile file = IniFile::Parse(kSample);
  file.WriteString("global", "Repeat", "1");
  file.WriteString("Other", "Extra", "x");
  // The blank line before [Other] stays in front of it.
  EXPECT_EQ(file.Text(),
            "; settings of the clicker\r\n"
            "[Global]\r\n"
            "SDelay=300\r\n"
            "  Lang  =  540  \r\n"
            "Repeat=1\r\n"
            "\r\n"
            "[Other]\r\n"
            "Name=value with  inner  blanks\r\n"
            "Extra=x\r\n");
  EXPECT_EQ(file.ReadString("Global", "Repeat", ""), "1");
  file.WriteString("Global", "Repeat", "0");
  EXPECT_EQ(file.ReadString("Global", "Repeat", ""), "0");
}

TEST(IniFileTest, WriteCreatesTheSectionAtTheEnd) {
  struct Case {
    const char* before;
    const char* after;
  } cases[] = {
      {"", "[New]\r\nK=v\r\n"},
      {"[A]\r\nx=1\r\n", "[A]\r\nx=1\r\n[New]\r\nK=v\r\n"},
      {"[A]\r\nx=1", "[A]\r\nx=1\r\n[New]\r\nK=v\r\n"},  // no line end on the last line
      {"; only a comment", "; only a comment\r\n[New]\r\nK=v\r\n"},
      {"[New]", "[New]\r\nK=v\r\n"},
      {"[New]\r\n\r\n\r\n", "[New]\r\nK=v\r\n\r\n\r\n"},
  };
  for (const Case& c : cases) {
    IniFile file = IniFile::Parse(c.before);
    file.WriteString("New", "K", "v");
    EXPECT_EQ(file.Text(), c.after) << '"' << c.before << '"';
  }
}

TEST(IniFileTest, UntouchedTextIsKeptByteForByte) {
  const std::string text =
      "\xEF\xBB\xBF; odd bytes \x01\xFE\r\n"
      "[A]\n"
      "lf only=1\n"
      "  indented = kept  \r\n"
      "\r\n"
      "junk without equals\r\n"
      "[B]\r\n"
      "k=v";
  EXPECT_EQ(IniFile::Parse(text).Text(), text);
  IniFile file = IniFile::Parse(text);
  file.WriteString("A", "lf only", "2");
  EXPECT_EQ(file.Text(),
            "\xEF\xBB\xBF; odd bytes \x01\xFE\r\n"
            "[A]\n"
            "lf only=2\r\n"
            "  indented = kept  \r\n"
            "\r\n"
            "junk without equals\r\n"
            "[B]\r\n"
            "k=v");
}

TEST(IniFileTest, WrittenValueIsOneLine) {
  IniFile file = IniFile::Parse("");
  file.WriteString("S", "K", "first\r\n[Injected]\r\nx=1");
  EXPECT_EQ(file.Text(), "[S]\r\nK=first\r\n");
}

TEST(IniFileTest, MissingFileLoadsEmptyAndSaveCreatesIt) {
  TempFolder folder;
  IniFile file = IniFile::Load(folder / "new.ini");
  EXPECT_TRUE(file.Ok());
  EXPECT_EQ(file.ReadString("S", "K", "d"), "d");
  file.Save();  // nothing written yet: no file appears
  EXPECT_FALSE(std::filesystem::exists(folder / "new.ini"));
  file.WriteString("S", "K", "v");
  file.Save();
  EXPECT_EQ(folder.Get("new.ini"), "[S]\r\nK=v\r\n");
  EXPECT_EQ(IniFile::Load(folder / "new.ini").ReadString("s", "k", ""), "v");
}

TEST(IniFileTest, SaveWritesAllChangesInOneReplacement) {
  TempFolder folder;
  folder.Put("a.ini", kSample);
  IniFile file = IniFile::Load(folder / "a.ini");
  file.WriteString("Global", "SDelay", "10");
  file.WriteString("Third", "K", "v");
  EXPECT_EQ(folder.Get("a.ini"), kSample);  // nothing reaches the disk before Save
  file.Save();
  EXPECT_EQ(folder.Get("a.ini"), IniFile::Parse(folder.Get("a.ini")).Text());
  EXPECT_EQ(folder.Get("a.ini"),
            "; settings of the clicker\r\n"
            "[Global]\r\n"
            "SDelay=10\r\n"
            "  Lang  =  540  \r\n"
            "\r\n"
            "[Other]\r\n"
            "Name=value with  inner  blanks\r\n"
            "[Third]\r\n"
            "K=v\r\n");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.ini"});
}

TEST(IniFileTest, SaveKeepsTheFilePermissions) {
  TempFolder folder;
  folder.Put("a.ini", kSample);
  std::filesystem::permissions(folder / "a.ini", std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_write |
                                                     std::filesystem::perms::group_read);
  IniFile file = IniFile::Load(folder / "a.ini");
  file.WriteString("Global", "SDelay", "1");
  file.Save();
  EXPECT_EQ(std::filesystem::status(folder / "a.ini").permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

TEST(IniFileTest, UnreadableOrOversizedFilesLoadEmptyAndAreNotReplaced) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "folder.ini");
  // A sparse file just over the limit costs no disk space.
  {
    folder.Put("big.ini", "[S]\r\nK=v\r\n");
    std::filesystem::resize_file(folder / "big.ini", IniFile::kMaxFileSize + 1);
  }
  // UTF-16 text cut in the middle of a unit, and UTF-16 text without a byte-order mark.
  const std::string cut("\xFF\xFE[\0S\0]\0\r", 9);
  const std::string unmarked("[\0S\0]\0\r\0\n\0K\0=\0v\0", 16);
  folder.Put("cut.ini", cut);
  folder.Put("unmarked.ini", unmarked);
  for (const char* name : {"folder.ini", "big.ini", "cut.ini", "unmarked.ini"}) {
    IniFile file = IniFile::Load(folder / name);
    EXPECT_FALSE(file.Ok()) << name;
    EXPECT_EQ(file.ReadString("S", "K", "d"), "d") << name;
    file.WriteString("S", "K", "x");
    EXPECT_THROW(file.Save(), EWriteError) << name;
  }
  EXPECT_EQ(std::filesystem::file_size(folder / "big.ini"), IniFile::kMaxFileSize + 1);
  EXPECT_EQ(folder.Get("cut.ini"), cut);
  EXPECT_EQ(folder.Get("unmarked.ini"), unmarked);
}

// A UTF-16 file with a byte-order mark reads as its UTF-8 text, and a save writes it back
// in its own byte order with every unit the program did not write as it was: characters
// beyond the basic plane, and unpaired surrogates, which have no proper UTF-8 form.
TEST(IniFileTest, Utf16FilesAreReadAsUtf8AndSavedBackUnitForUnit) {
  const char16_t highAlone = 0xD83D, lowAlone = 0xDE00;
  const struct {
    const char* name;
    std::u16string value;
    std::string utf8;  // as read
  } cases[] = {
      {"ASCII", u"plain", "plain"},
      {"Cyrillic", u"\u041B\u041A\u041C", "\xD0\x9B\xD0\x9A\xD0\x9C"},
      {"beyond the basic plane", u"\U0001F600", "\xF0\x9F\x98\x80"},
      {"a high surrogate alone", std::u16string(1, highAlone) + u"x", "\xED\xA0\xBDx"},
      {"a low surrogate alone", std::u16string(1, lowAlone) + u"x", "\xED\xB8\x80x"},
      {"swapped pair", std::u16string{lowAlone, highAlone}, "\xED\xB8\x80\xED\xA0\xBD"},
  };
  for (const auto& c : cases) {
    for (const bool bigEndian : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (bigEndian ? ", big-endian" : ", little-endian"));
      TempFolder folder;
      folder.Put("a.ini", Utf16Bytes(u"[S]\r\nK=" + c.value + u"\r\n", bigEndian));
      IniFile file = IniFile::Load(folder / "a.ini");
      ASSERT_TRUE(file.Ok()) << file.Error();
      EXPECT_EQ(file.ReadString("s", "k", ""), c.utf8);
      file.WriteString("S", "N", "1");
      file.Save();
      EXPECT_EQ(folder.Get("a.ini"),
                Utf16Bytes(u"[S]\r\nK=" + c.value + u"\r\nN=1\r\n", bigEndian));
    }
  }
}

// The checks every failed save must pass: the error names the file's full path, the old
// bytes are still there and no temporary file is left behind.
void ExpectFailedSave(IniFile& file, const TempFolder& folder, const std::string& name,
                      const std::string& oldBytes) {
  try {
    file.Save();
    FAIL() << "no error";
  } catch (const EWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + (folder / name).string());
  }
  EXPECT_EQ(folder.Get(name), oldBytes);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{name});
}

TEST(IniFileTest, SaveInterruptedAfterAPartialWriteKeepsTheOldFile) {
  for (const std::size_t failAfter : {std::size_t{0}, std::size_t{1}, std::size_t{20}}) {
    TempFolder folder;
    folder.Put("a.ini", kSample);
    IniFile file = IniFile::Load(folder / "a.ini");
    file.WriteString("Global", "SDelay", "999");
    std::size_t written = 0;
    // Writes a few bytes at a time, then reports a full disk, as write() would.
    file.SetWriteFunction([&written, failAfter](int fd, const char* data, std::size_t size) {
      if (written >= failAfter) {
        errno = ENOSPC;
        return ssize_t{-1};
      }
      const std::size_t part = std::min<std::size_t>({size, failAfter - written, 7});
      const ssize_t result = ::write(fd, data, part);
      if (result > 0) written += static_cast<std::size_t>(result);
      return result;
    });
    ExpectFailedSave(file, folder, "a.ini", kSample);
    // The same file saves once the disk has room again.
    file.SetWriteFunction({});
    file.Save();
    EXPECT_EQ(IniFile::Load(folder / "a.ini").ReadInteger("Global", "SDelay", 0), 999);
  }
}

TEST(IniFileTest, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  TempFolder folder;
  folder.Put("a.ini", kSample);
  IniFile file = IniFile::Load(folder / "a.ini");
  file.WriteString("Global", "SDelay", "999");
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  ExpectFailedSave(file, folder, "a.ini", kSample);
}

TEST(IniFileTest, SaveIntoAMissingFolderFails) {
  TempFolder folder;
  IniFile file = IniFile::Load(folder / "gone" / "a.ini");
  file.WriteString("S", "K", "v");
  try {
    file.Save();
    FAIL() << "no error";
  } catch (const EWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + (folder / "gone/a.ini").string());
  }
}

TEST(IniFileTest, SaveThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "real");
  folder.Put("real/a.ini", "[S]\r\nK=old\r\n");
  std::filesystem::create_symlink("real/a.ini", folder / "relative.ini");
  std::filesystem::create_symlink(folder / "relative.ini", folder / "chain.ini");
  std::filesystem::create_symlink("real/new.ini", folder / "dangling.ini");
  for (const char* link : {"relative.ini", "chain.ini", "dangling.ini"}) {
    IniFile file = IniFile::Load(folder / link);
    file.WriteString("S", "K", link);
    file.Save();
    EXPECT_TRUE(std::filesystem::is_symlink(folder / link)) << link;
    EXPECT_EQ(IniFile::Load(folder / link).ReadString("S", "K", ""), link);
  }
  EXPECT_EQ(folder.Get("real/a.ini"), "[S]\r\nK=chain.ini\r\n");
  EXPECT_EQ(folder.Get("real/new.ini"), "[S]\r\nK=dangling.ini\r\n");
  // Links in a loop name no file at all.
  std::filesystem::create_symlink("loop2.ini", folder / "loop1.ini");
  std::filesystem::create_symlink("loop1.ini", folder / "loop2.ini");
  IniFile loop = IniFile::Load(folder / "loop1.ini");
  loop.WriteString("S", "K", "v");
  EXPECT_THROW(loop.Save(), EWriteError);
}

TEST(IniFileTest, ANameNearTheLengthLimitCanBeSaved) {
  TempFolder folder;
  const std::string name = std::string(251, 'n') + ".tps";  // 255 bytes, the longest name
  IniFile file = IniFile::Load(folder / name);
  file.WriteString("S", "K", "v");
  file.Save();
  EXPECT_EQ(folder.Get(name), "[S]\r\nK=v\r\n");
}

TEST(IniFileTest, SaveBeyondTheFileSizeLimitFailsAndLeavesNoTemporaryFile) {
  TempFolder folder;
  folder.Put("a.ini", "[S]\r\nK=old\r\n");
  // In a child, as the program does: SIGXFSZ ignored, a small file-size limit.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    IniFile file = IniFile::Load(folder / "a.ini");
    file.WriteString("S", "K", std::string(2000, 'x'));
    try {
      file.Save();
    } catch (const EWriteError&) {
      ::_exit(3);
    }
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by a signal";
  EXPECT_EQ(WEXITSTATUS(status), 3) << "the failure was reported";
  EXPECT_EQ(folder.Get("a.ini"), "[S]\r\nK=old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1)
      << "no temporary file left";
}

TEST(IniFileTest, ErrorNamesTheFullPathOfARelativeName) {
  TempFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  IniFile file = IniFile::Load("missing-folder/a.ini");
  std::filesystem::current_path(previous);
  file.WriteString("S", "K", "v");
  try {
    file.Save();
    FAIL() << "no error";
  } catch (const EWriteError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Unable to write to " + (folder / "missing-folder/a.ini").string());
  }
}

// A byte that is no UTF-8 has no UTF-16 form: rather than change it, the save fails and
// the file stays as it was.
TEST(IniFileTest, BytesThatAreNoUtf8AreNotSavedIntoAUtf16File) {
  TempFolder folder;
  const std::string before = Utf16Bytes(u"[S]\r\nK=v\r\n", false);
  for (const char* value : {"\xCB\xCA\xCC", "\xC0\x80", "\xED\xA0", "\xF4\x90\x80\x80"}) {
    folder.Put("a.ini", before);
    IniFile file = IniFile::Load(folder / "a.ini");
    file.WriteString("S", "K", value);
    ExpectFailedSave(file, folder, "a.ini", before);
  }
}

// What is saved must load again: a file that a written line would take past the size Load
// accepts is refused, and stays as it was.
TEST(IniFileTest, SaveRefusesAFileLargerThanTheReadLimit) {
  TempFolder folder;
  std::string text = "[S]\r\nK=old\r\n; ";
  text += std::string(IniFile::kMaxFileSize - 2 - text.size(), 'x') + "\r\n";
  folder.Put("a.ini", text);
  IniFile file = IniFile::Load(folder / "a.ini");
  ASSERT_TRUE(file.Ok()) << "exactly at the limit";
  file.WriteString("S", "N", "1");
  EXPECT_THROW(file.Save(), EFileTooLarge);
  EXPECT_TRUE(folder.Get("a.ini") == text) << "the old file, untouched";
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.ini"});
}

}  // namespace
}  // namespace tappomat
