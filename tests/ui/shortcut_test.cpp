#include "ui/shortcut.h"

#include <gtest/gtest.h>

#include "platform/virtual_keys.h"

namespace tappomat {
namespace {

constexpr std::uint8_t kShift = 1;  // TShiftState bits
constexpr std::uint8_t kAlt = 2;
constexpr std::uint8_t kCtrl = 4;
constexpr std::uint8_t kLeftButton = 8;

TEST(ShortCut, PacksKeyAndModifiersIntoOneValue) {
  EXPECT_EQ(ShortCut('S', kCtrl), 0x4053);
  EXPECT_EQ(ShortCut(VK_F4, kAlt), 0x8073);
  EXPECT_EQ(ShortCut(VK_TAB, kShift | kCtrl | kAlt), 0xE009);
  EXPECT_EQ(ShortCut('A', kLeftButton), 'A');  // mouse buttons are not modifiers
  EXPECT_EQ(ShortCut(0x100, kCtrl), 0);
  EXPECT_EQ(ShortCutToKey(0xE009), (ShortCutKey{VK_TAB, kShift | kCtrl | kAlt}));
  EXPECT_EQ(ShortCutToKey(ShortCut(VK_DELETE, kShift)), (ShortCutKey{VK_DELETE, kShift}));
}

// Each name both ways: ShortCutToText writes it and TextToShortCut reads it back.
TEST(ShortCut, NamesRoundTrip) {
  struct Case {
    TShortCut shortCut;
    const char* text;
  };
  const Case cases[] = {
      {VK_F3, "F3"},
      {VK_F12, "F12"},
      {VK_INSERT, "Ins"},
      {VK_DELETE, "Del"},
      {static_cast<TShortCut>(scCtrl | 'S'), "Ctrl+S"},
      {static_cast<TShortCut>(scCtrl | VK_DELETE), "Ctrl+Del"},
      {static_cast<TShortCut>(scShift | VK_TAB), "Shift+Tab"},
      {static_cast<TShortCut>(scAlt | VK_F1), "Alt+F1"},
      {static_cast<TShortCut>(scShift | scCtrl | scAlt | 'Z'), "Shift+Ctrl+Alt+Z"},
      {VK_ESCAPE, "Esc"},
      {VK_RETURN, "Enter"},
      {VK_SPACE, "Space"},
      {VK_BACK, "BkSp"},
      {VK_TAB, "Tab"},
      {VK_PRIOR, "PgUp"},
      {VK_NEXT, "PgDn"},
      {VK_END, "End"},
      {VK_HOME, "Home"},
      {VK_LEFT, "Left"},
      {VK_UP, "Up"},
      {VK_RIGHT, "Right"},
      {VK_DOWN, "Down"},
      {'0', "0"},
      {static_cast<TShortCut>(scCtrl | '9'), "Ctrl+9"},
      {VK_NUMPAD0 + 5, "Num 5"},
      {VK_ADD, "Num +"},
      {static_cast<TShortCut>(scCtrl | VK_SUBTRACT), "Ctrl+Num -"},
      {VK_MULTIPLY, "Num *"},
      {VK_OEM_PLUS, "="},
      {static_cast<TShortCut>(scCtrl | VK_OEM_COMMA), "Ctrl+,"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.shortCut), c.text) << std::hex << c.shortCut;
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
  }
}

TEST(ShortCut, TextToShortCutIsLenient) {
  struct Case {
    const char* text;
    TShortCut shortCut;
  };
  const Case cases[] = {
      {"ctrl+s", static_cast<TShortCut>(scCtrl | 'S')},
      {"ALT+f4", static_cast<TShortCut>(scAlt | VK_F4)},
      {"Ctrl+Shift+S", static_cast<TShortCut>(scCtrl | scShift | 'S')},  // any order
      {"^C", static_cast<TShortCut>(scCtrl | 'C')},
      {"pgdn", VK_NEXT},
      {"", 0},
      {"Ctrl+", 0},
      {"Ctrl+Nothing", 0},
      {"Hyper+A", 0},
      {"F25", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
  }
}

TEST(ShortCut, KeysWithoutNamesGiveNoText) {
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCutToText(scCtrl), "");
  EXPECT_EQ(ShortCutToText(static_cast<TShortCut>(scCtrl | VK_LWIN)), "");
}

}  // namespace
}  // namespace tappomat
