#include "ui/accelerator.h"

#include <gtest/gtest.h>

namespace tappomat {
namespace {

TEST(Accelerator, GetHotkeyFindsTheMarkedCharacter) {
  struct Case {
    const char* caption;
    char32_t hotkey;
  };
  const Case cases[] = {
      {"&File", U'F'},
      {"Save &as...", U'A'},
      {"E&xit", U'X'},
      {"No mark", 0},
      {"", 0},
      {"Trailing&", 0},
      {"Fish && Chips", 0},       // a literal ampersand
      {"&&&Both", U'B'},          // literal, then a mark
      {"&One &Two", U'T'},        // the last mark wins
      {"&1 step", U'1'},
      {"&Файл", U'Ф'},            // Cyrillic keeps its letter
      {"&файл", U'Ф'},            // and is upper-cased
      {"&ёлка", U'Ё'},
      {"&über", U'ü'},            // other scripts are left as they are
      {"&\xFF" "bad", 0},         // a mark before a malformed byte marks nothing
      {"&\xD0", 0},               // truncated sequence
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetHotkey(c.caption), c.hotkey) << c.caption;
  }
}

TEST(Accelerator, IsAccelIgnoresCase) {
  struct Case {
    char32_t key;
    const char* caption;
    bool matches;
  };
  const Case cases[] = {
      {U'f', "&File", true},        {U'F', "&File", true},  {U'i', "&File", false},
      {U'x', "E&xit", true},        {U'&', "A && B", false}, {0, "No mark", false},
      {U'д', "&Да", true},          {U'Д', "&да", true},      {U'н', "&Да", false},
      {U'1', "&1 step", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAccel(c.key, c.caption), c.matches) << c.caption << " key " << static_cast<unsigned>(c.key);
  }
}

TEST(Accelerator, StripHotkeyRemovesMarksAndUndoublesAmpersands) {
  struct Case {
    const char* caption;
    const char* stripped;
  };
  const Case cases[] = {
      {"&File", "File"},      {"Save &as...", "Save as..."}, {"Fish && Chips", "Fish & Chips"},
      {"&&&Both", "&Both"},   {"End&", "End"},              {"&Файл", "Файл"},
      {"", ""},               {"plain", "plain"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StripHotkey(c.caption), c.stripped) << c.caption;
  }
}

}  // namespace
}  // namespace tappomat
