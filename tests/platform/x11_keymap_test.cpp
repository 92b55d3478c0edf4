// Key symbols and XKB key names to Windows virtual keys: the tables behind the key events
// and the key-state queries of the X11 backend. No display needed.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "platform/virtual_keys.h"
#include "platform/x11/x11_keymap.h"

namespace tappomat {
namespace {

TEST(X11KeymapTest, KeysymsGiveWindowsVirtualKeys) {
  struct Case {
    KeySym keysym;
    int generic;
    int sided;
  };
  const Case cases[] = {
      {XK_a, 'A', 0},           {XK_Z, 'Z', 0},              {XK_0, '0', 0},
      {XK_9, '9', 0},           {XK_F1, VK_F1, 0},           {XK_F12, VK_F12, 0},
      {XK_Escape, VK_ESCAPE, 0}, {XK_Tab, VK_TAB, 0},        {XK_ISO_Left_Tab, VK_TAB, 0},
      {XK_Return, VK_RETURN, 0}, {XK_BackSpace, VK_BACK, 0}, {XK_space, VK_SPACE, 0},
      {XK_Home, VK_HOME, 0},    {XK_End, VK_END, 0},         {XK_Prior, VK_PRIOR, 0},
      {XK_Next, VK_NEXT, 0},    {XK_Insert, VK_INSERT, 0},   {XK_Delete, VK_DELETE, 0},
      {XK_Left, VK_LEFT, 0},    {XK_Up, VK_UP, 0},           {XK_Right, VK_RIGHT, 0},
      {XK_Down, VK_DOWN, 0},
      {XK_Shift_L, VK_SHIFT, VK_LSHIFT},       {XK_Shift_R, VK_SHIFT, VK_RSHIFT},
      {XK_Control_L, VK_CONTROL, VK_LCONTROL}, {XK_Control_R, VK_CONTROL, VK_RCONTROL},
      {XK_Alt_L, VK_MENU, VK_LMENU},           {XK_Alt_R, VK_MENU, VK_RMENU},
      {XK_ISO_Level3_Shift, VK_MENU, VK_RMENU},
      {XK_semicolon, VK_OEM_1, 0}, {XK_equal, VK_OEM_PLUS, 0},   {XK_comma, VK_OEM_COMMA, 0},
      {XK_minus, VK_OEM_MINUS, 0}, {XK_period, VK_OEM_PERIOD, 0}, {XK_slash, VK_OEM_2, 0},
      {XK_grave, VK_OEM_3, 0},     {XK_bracketleft, VK_OEM_4, 0}, {XK_backslash, VK_OEM_5, 0},
      {XK_bracketright, VK_OEM_6, 0}, {XK_apostrophe, VK_OEM_7, 0},
      {XK_KP_0, VK_NUMPAD0, 0},    {XK_KP_Add, VK_ADD, 0},        {XK_KP_Home, VK_HOME, 0},
      // Symbols of the shifted level or of other scripts have no virtual key of their own.
      {XK_exclam, 0, 0},           {XK_Cyrillic_ef, 0, 0},        {NoSymbol, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyFromKeysym(c.keysym), c.generic) << std::hex << c.keysym;
    EXPECT_EQ(SidedVirtualKeyFromKeysym(c.keysym), c.sided) << std::hex << c.keysym;
  }
}

TEST(X11KeymapTest, KeyNamesGiveTheVirtualKeysOfTheirUsPosition) {
  struct Case {
    const char* name;
    int virtualKey;
  };
  const Case cases[] = {
      {"AC01", 'A'}, {"AD01", 'Q'}, {"AB07", 'M'},  {"AE01", '1'},      {"AE10", '0'},
      {"AE11", VK_OEM_MINUS},       {"TLDE", VK_OEM_3}, {"BKSL", VK_OEM_5}, {"AC11", VK_OEM_7},
      {"AB10", VK_OEM_2},           {"ESC", 0},     {"FK01", 0},        {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(VirtualKeyFromKeyName(c.name), c.virtualKey) << c.name;
}

}  // namespace
}  // namespace tappomat
