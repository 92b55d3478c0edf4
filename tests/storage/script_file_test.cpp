#include "storage/script_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/ini_file.h"
#include "support/temp_folder.h"
#include "support/utf16_text.h"
#include "ui/convert.h"

namespace tappomat {

// Found by the test macros for their failure messages.
void PrintTo(const ScriptRow& row, std::ostream* out) {
  *out << "{" << row.x << ", " << row.y << ", " << row.button << ", " << row.delay << "}";
}

namespace {

TEST(ScriptFileTest, ButtonCodeFromKeyText) {
  struct Case {
    const char* text;
    std::int64_t code;
  } cases[] = {
      {"0", 0},
      {"1", 1},
      {"2", 2},
      {"LMB", 0},
      {"RMB", 1},
      {"\xCB\xCA\xCC", 0},              // ЛКМ in Windows-1251
      {"\xCF\xCA\xCC", 1},              // ПКМ in Windows-1251
      {"\xD0\x9B\xD0\x9A\xD0\x9C", 0},  // ЛКМ in UTF-8
      {"\xD0\x9F\xD0\x9A\xD0\x9C", 1},  // ПКМ in UTF-8
      {"rmb", 0},                       // names are compared exactly
      {"Rmb", 0},
      {"\xEF\xCA\xCC", 0},  // пКМ: another byte, no name
      {"12abc", 12},
      {"$10", 16},
      {"-3", -3},
      {"-3x", 0},  // only leading decimal digits count once the text is no integer
      {"", 0},
      {"99999999999999999999", INT64_MAX},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ButtonCodeFromKeyText(c.text), c.code) << '"' << c.text << '"';
  }
}

TEST(ScriptFileTest, LoadTable) {
  struct Case {
    const char* text;
    std::vector<ScriptRow> rows;
  } cases[] = {
      {"", {}},
      {"[Script]\r\nX1=5\r\n", {}},  // no count
      {"[Script]\r\ncount=0\r\nX1=5\r\n", {}},
      {"[Script]\r\ncount=-2\r\nX1=5\r\n", {}},
      {"[Script]\r\ncount=many\r\nX1=5\r\n", {}},
      {"[Script]\r\ncount=1\r\nX1=10\r\nY1=20\r\nKey1=1\r\nDelay1=300\r\nX2=7\r\n",
       {{10, 20, 1, 300}}},
      {"[Script]\r\ncount=3\r\nX1=10\r\nY1=20\r\nKey1=RMB\r\nDelay1=300\r\n",
       {{10, 20, 1, 300}, {}, {}}},
      {"[script]\r\nCOUNT=2\r\nx1=$10\r\ny1=bad\r\nkey1=LMB\r\ndelay1= 5 \r\n"
       "X2=-1\r\nY2=0x20\r\nKey2=\xCF\xCA\xCC\r\nDelay2=1.5\r\n",
       {{16, 0, 0, 5}, {-1, 32, 1, 0}}},
      {"[Script]\r\ncount=4\r\nKey1=rmb\r\nKey2=2\r\nKey3=12abc\r\n",
       {{0, 0, 0, 0}, {0, 0, 2, 0}, {0, 0, 12, 0}, {0, 0, 0, 0}}},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.Put("s.tps", c.text);
    const LoadedScript script = LoadScript(folder / "s.tps");
    EXPECT_EQ(script.rows, c.rows) << c.text;
    EXPECT_FALSE(script.truncated) << c.text;
  }
}

TEST(ScriptFileTest, LoadMissingFileOrFolderIsEmpty) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "x.tps");
  EXPECT_TRUE(LoadScript(folder / "missing.tps").rows.empty());
  EXPECT_TRUE(LoadScript(folder / "x.tps").rows.empty());
  EXPECT_TRUE(LoadScript(folder / "missing.tps").error.empty()) << "a missing file is no error";
}

TEST(ScriptFileTest, AByteOrderMarkIsSkipped) {
  TempFolder folder;
  folder.Put("s.tps", "\xEF\xBB\xBF[Script]\r\ncount=1\r\nX1=4\r\n");
  const LoadedScript script = LoadScript(folder / "s.tps");
  EXPECT_TRUE(script.error.empty());
  ASSERT_EQ(script.rows.size(), 1u);
  EXPECT_EQ(script.rows[0].x, 4);
}

// As an editor saves "Unicode" text: UTF-16 with a byte-order mark. The Cyrillic button
// name reads as its UTF-8 spelling.
TEST(ScriptFileTest, AUtf16ScriptWithAByteOrderMarkLoads) {
  TempFolder folder;
  folder.Put("s.tps",
             Utf16Bytes(u"[Script]\r\ncount=1\r\nX1=4\r\nKey1=\u041F\u041A\u041C\r\n", false));
  const LoadedScript script = LoadScript(folder / "s.tps");
  EXPECT_TRUE(script.error.empty()) << script.error;
  ASSERT_EQ(script.rows.size(), 1u);
  EXPECT_EQ(script.rows[0].x, 4);
  EXPECT_EQ(script.rows[0].button, 1);
}

TEST(ScriptFileTest, LoadCutsAHugeCount) {
  TempFolder folder;
  folder.Put("s.tps", "[Script]\r\ncount=1000000000000\r\nX1=4\r\n");
  const LoadedScript script = LoadScript(folder / "s.tps");
  ASSERT_EQ(script.rows.size(), static_cast<std::size_t>(kMaxScriptRows));
  EXPECT_TRUE(script.truncated);
  EXPECT_EQ(script.rows[0].x, 4);

  folder.Put("s.tps", "[Script]\r\ncount=100000\r\n");
  EXPECT_FALSE(LoadScript(folder / "s.tps").truncated);
}

TEST(ScriptFileTest, FreshSaveOfTwoRows) {
  TempFolder folder;
  const std::vector<ScriptRowText> rows = {{"10", "20", "0", "300"}, {"$10", " 7", "RMB", "-1"}};
  SaveScript(folder / "s.tps", rows);
  EXPECT_EQ(folder.Get("s.tps"),
            "[Script]\r\ncount=2\r\n"
            "X1=10\r\nY1=20\r\nKey1=0\r\nDelay1=300\r\n"
            "X2=16\r\nY2=7\r\nKey2=RMB\r\nDelay2=-1\r\n");
  const std::vector<ScriptRow> expected = {{10, 20, 0, 300}, {16, 7, 1, -1}};
  EXPECT_EQ(LoadScript(folder / "s.tps").rows, expected);
}

TEST(ScriptFileTest, ShorterSaveLeavesTheKeysOfLaterRows) {
  TempFolder folder;
  std::vector<ScriptRowText> rows;
  for (int n = 1; n <= 5; ++n) rows.push_back({IntToStr(n), IntToStr(n * 10), "0", "100"});
  SaveScript(folder / "s.tps", rows);
  rows.resize(3);
  rows[0].x = "99";
  SaveScript(folder / "s.tps", rows);

  const IniFile file = IniFile::Load(folder / "s.tps");
  EXPECT_EQ(file.ReadInteger("Script", "count", 0), 3);
  EXPECT_EQ(file.ReadInteger("Script", "X1", 0), 99);
  EXPECT_EQ(file.ReadInteger("Script", "X5", 0), 5);
  EXPECT_EQ(file.ReadInteger("Script", "Delay4", 0), 100);
  EXPECT_EQ(LoadScript(folder / "s.tps").rows.size(), 3u);
}

TEST(ScriptFileTest, SaveKeepsOtherSectionsAndComments) {
  TempFolder folder;
  folder.Put("s.tps", "; written by hand\r\n[Notes]\r\ntext=kept\r\n[Script]\r\ncount=9\r\n");
  SaveScript(folder / "s.tps", std::vector<ScriptRowText>{{"1", "2", "1", "3"}});
  EXPECT_EQ(folder.Get("s.tps"),
            "; written by hand\r\n[Notes]\r\ntext=kept\r\n[Script]\r\ncount=1\r\n"
            "X1=1\r\nY1=2\r\nKey1=1\r\nDelay1=3\r\n");
}

TEST(ScriptFileTest, BadCellStopsTheSaveBeforeTheFileChanges) {
  TempFolder folder;
  folder.Put("s.tps", "[Script]\r\ncount=0\r\n");
  const std::vector<ScriptRowText> rows = {{"1", "2", "0", "3"}, {"4", "5", "0", "1.5"}};
  try {
    SaveScript(folder / "s.tps", rows);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'1.5' is not a valid integer value");
  }
  EXPECT_EQ(folder.Get("s.tps"), "[Script]\r\ncount=0\r\n");

  // Coordinates must fit 32 bits, as playback reads them; the delay as playback reads it.
  for (const ScriptRowText& row : {ScriptRowText{"99999999999", "1", "0", "1"},
                                   ScriptRowText{"1", "-2147483649", "0", "1"}}) {
    EXPECT_THROW(SaveScript(folder / "s.tps", std::vector<ScriptRowText>{row}), EConvertError);
  }
  EXPECT_EQ(folder.Get("s.tps"), "[Script]\r\ncount=0\r\n");
  SaveScript(folder / "s.tps", std::vector<ScriptRowText>{{"2147483647", "-2147483648", "0", "99999999999"}});
  EXPECT_EQ(folder.Get("s.tps"),
            "[Script]\r\ncount=1\r\nX1=2147483647\r\nY1=-2147483648\r\nKey1=0\r\nDelay1=99999999999\r\n");
}

}  // namespace
}  // namespace tappomat
