#include "platform/x11/x11_keymap.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <cstring>

#include "platform/virtual_keys.h"

namespace tappomat {
namespace {

struct KeysymEntry {
  KeySym keysym;
  int virtualKey;
};

// Keys other than letters, digits and function keys, which are ranges.
constexpr KeysymEntry kKeysymTable[] = {
    {XK_BackSpace, VK_BACK},       {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},     {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},        {XK_Pause, VK_PAUSE},
    {XK_Break, VK_CANCEL},         {XK_Caps_Lock, VK_CAPITAL},
    {XK_Escape, VK_ESCAPE},        {XK_space, VK_SPACE},
    {XK_Prior, VK_PRIOR},          {XK_Next, VK_NEXT},
    {XK_End, VK_END},              {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},            {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},          {XK_Down, VK_DOWN},
    {XK_Print, VK_SNAPSHOT},       {XK_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},        {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},         {XK_Menu, VK_APPS},
    {XK_Num_Lock, VK_NUMLOCK},     {XK_Scroll_Lock, VK_SCROLL},
    {XK_Shift_L, VK_SHIFT},        {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},           {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},          {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},
    {XK_semicolon, VK_OEM_1},      {XK_equal, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},      {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},    {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3},          {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},      {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
    {XK_KP_Multiply, VK_MULTIPLY}, {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR}, {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},   {XK_KP_Divide, VK_DIVIDE},
    {XK_KP_Enter, VK_RETURN},      {XK_KP_Home, VK_HOME},
    {XK_KP_End, VK_END},           {XK_KP_Left, VK_LEFT},
    {XK_KP_Up, VK_UP},             {XK_KP_Right, VK_RIGHT},
    {XK_KP_Down, VK_DOWN},         {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Next, VK_NEXT},         {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},     {XK_KP_Begin, VK_CLEAR},
};

struct KeyNameEntry {
  const char* name;
  int virtualKey;
};

// The main block of a US keyboard by XKB key name: rows E (digits) to B.
constexpr KeyNameEntry kKeyNameTable[] = {
    {"TLDE", VK_OEM_3}, {"AE01", '1'},      {"AE02", '2'},       {"AE03", '3'},
    {"AE04", '4'},      {"AE05", '5'},      {"AE06", '6'},       {"AE07", '7'},
    {"AE08", '8'},      {"AE09", '9'},      {"AE10", '0'},       {"AE11", VK_OEM_MINUS},
    {"AE12", VK_OEM_PLUS},
    {"AD01", 'Q'},      {"AD02", 'W'},      {"AD03", 'E'},       {"AD04", 'R'},
    {"AD05", 'T'},      {"AD06", 'Y'},      {"AD07", 'U'},       {"AD08", 'I'},
    {"AD09", 'O'},      {"AD10", 'P'},      {"AD11", VK_OEM_4},  {"AD12", VK_OEM_6},
    {"BKSL", VK_OEM_5},
    {"AC01", 'A'},      {"AC02", 'S'},      {"AC03", 'D'},       {"AC04", 'F'},
    {"AC05", 'G'},      {"AC06", 'H'},      {"AC07", 'J'},       {"AC08", 'K'},
    {"AC09", 'L'},      {"AC10", VK_OEM_1}, {"AC11", VK_OEM_7},
    {"AB01", 'Z'},      {"AB02", 'X'},      {"AB03", 'C'},       {"AB04", 'V'},
    {"AB05", 'B'},      {"AB06", 'N'},      {"AB07", 'M'},       {"AB08", VK_OEM_COMMA},
    {"AB09", VK_OEM_PERIOD}, {"AB10", VK_OEM_2},
};

bool IsKeypadKeysym(KeySym keysym) { return keysym >= XK_KP_Space && keysym <= XK_KP_Equal; }

}  // namespace

int VirtualKeyFromKeysym(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return 'A' + static_cast<int>(keysym - XK_a);
  if (keysym >= XK_A && keysym <= XK_Z) return 'A' + static_cast<int>(keysym - XK_A);
  if (keysym >= XK_0 && keysym <= XK_9) return '0' + static_cast<int>(keysym - XK_0);
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return VK_NUMPAD0 + static_cast<int>(keysym - XK_KP_0);
  // F1..F24 are consecutive in both vocabularies.
  if (keysym >= XK_F1 && keysym <= XK_F24) return VK_F1 + static_cast<int>(keysym - XK_F1);
  for (const KeysymEntry& entry : kKeysymTable) {
    if (entry.keysym == keysym) return entry.virtualKey;
  }
  return 0;
}

int SidedVirtualKeyFromKeysym(KeySym keysym) {
  switch (keysym) {
    case XK_Shift_L: return VK_LSHIFT;
    case XK_Shift_R: return VK_RSHIFT;
    case XK_Control_L: return VK_LCONTROL;
    case XK_Control_R: return VK_RCONTROL;
    case XK_Alt_L:
    case XK_Meta_L: return VK_LMENU;
    case XK_Alt_R:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift: return VK_RMENU;  // AltGr counts as the right Alt key
    default: return 0;
  }
}

int VirtualKeyFromKeyName(std::string_view name) {
  for (const KeyNameEntry& entry : kKeyNameTable) {
    if (name == entry.name) return entry.virtualKey;
  }
  return 0;
}

X11Keymap::X11Keymap(Display* display) : m_display(display) { Rebuild(); }

void X11Keymap::Rebuild() {
  m_generic.fill(0);
  m_sided.fill(0);
  m_keypad.fill(false);
  int minKeycode = 0, maxKeycode = 0;
  XDisplayKeycodes(m_display, &minKeycode, &maxKeycode);
  if (minKeycode < 0) minKeycode = 0;
  if (maxKeycode > 255) maxKeycode = 255;
  // The key names need a description that knows the key-code range, which XkbGetMap gives.
  XkbDescPtr names = XkbGetMap(m_display, 0, XkbUseCoreKbd);
  if (names != nullptr && XkbGetNames(m_display, XkbKeyNamesMask, names) != Success) {
    XkbFreeKeyboard(names, 0, True);
    names = nullptr;
  }
  for (int keycode = minKeycode; keycode <= maxKeycode; ++keycode) {
    const KeySym keysym = XkbKeycodeToKeysym(m_display, static_cast<KeyCode>(keycode), 0, 0);
    int virtualKey = VirtualKeyFromKeysym(keysym);
    if (virtualKey == 0 && names != nullptr && names->names != nullptr &&
        names->names->keys != nullptr && keycode >= names->min_key_code &&
        keycode <= names->max_key_code) {
      const char* name = names->names->keys[keycode].name;
      virtualKey = VirtualKeyFromKeyName({name, strnlen(name, XkbKeyNameLength)});
    }
    m_generic[keycode] = static_cast<std::uint8_t>(virtualKey);
    m_sided[keycode] = static_cast<std::uint8_t>(SidedVirtualKeyFromKeysym(keysym));
    m_keypad[keycode] = IsKeypadKeysym(keysym);
  }
  if (names != nullptr) XkbFreeKeyboard(names, 0, True);
}

int X11Keymap::VirtualKeyOfEvent(const XKeyEvent& event) const {
  if (event.keycode < 256 && m_keypad[event.keycode]) {
    KeySym keysym = NoSymbol;
    unsigned int consumed = 0;
    if (XkbLookupKeySym(m_display, static_cast<KeyCode>(event.keycode), event.state, &consumed,
                        &keysym)) {
      if (const int virtualKey = VirtualKeyFromKeysym(keysym)) return virtualKey;
    }
  }
  return VirtualKey(event.keycode);
}

std::vector<unsigned> X11Keymap::KeycodesOf(int virtualKey) const {
  std::vector<unsigned> keycodes;
  if (virtualKey <= 0) return keycodes;
  for (unsigned keycode = 0; keycode < 256; ++keycode) {
    if (m_generic[keycode] == virtualKey || m_sided[keycode] == virtualKey) keycodes.push_back(keycode);
  }
  return keycodes;
}

}  // namespace tappomat
