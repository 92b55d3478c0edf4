#include "ui/shortcut.h"

#include "platform/virtual_keys.h"

namespace tappomat {
namespace {

// TShiftState bits, spelled out here so that this file needs nothing but the key codes.
constexpr std::uint8_t kShiftBit = 1;
constexpr std::uint8_t kAltBit = 2;
constexpr std::uint8_t kCtrlBit = 4;

constexpr TShortCut kModifierMask = scShift | scCtrl | scAlt;

// Names of the keys that are not letters, digits or function keys. The numeric-pad and
// punctuation names are those of a US layout, so they do not change with the keyboard in
// use.
struct KeyName {
  int key;
  const char* name;
};
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},     {VK_TAB, "Tab"},       {VK_RETURN, "Enter"},   {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},   {VK_PRIOR, "PgUp"},    {VK_NEXT, "PgDn"},      {VK_END, "End"},
    {VK_HOME, "Home"},     {VK_LEFT, "Left"},     {VK_UP, "Up"},          {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},     {VK_INSERT, "Ins"},    {VK_DELETE, "Del"},     {VK_PAUSE, "Pause"},
    {VK_MULTIPLY, "Num *"}, {VK_ADD, "Num +"},    {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num ."},
    {VK_DIVIDE, "Num /"},  {VK_OEM_1, ";"},       {VK_OEM_PLUS, "="},     {VK_OEM_COMMA, ","},
    {VK_OEM_MINUS, "-"},   {VK_OEM_PERIOD, "."},  {VK_OEM_2, "/"},        {VK_OEM_3, "`"},
    {VK_OEM_4, "["},       {VK_OEM_5, "\\"},      {VK_OEM_6, "]"},        {VK_OEM_7, "'"},
};

std::string KeyToName(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) {
    return "Num " + std::string(1, static_cast<char>('0' + key - VK_NUMPAD0));
  }
  if (key >= VK_F1 && key <= VK_F1 + 23) return "F" + std::to_string(key - VK_F1 + 1);
  for (const KeyName& k : kKeyNames) {
    if (k.key == key) return k.name;
  }
  return {};
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Takes `prefix` off the front of `text` when it is there (any case).
bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix)) {
    return false;
  }
  text.remove_prefix(prefix.size());
  return true;
}

}  // namespace

TShortCut ShortCut(int key, std::uint8_t shift) {
  if (key < 0 || key > 0xFF) return 0;
  TShortCut result = static_cast<TShortCut>(key);
  if (shift & kShiftBit) result |= scShift;
  if (shift & kCtrlBit) result |= scCtrl;
  if (shift & kAltBit) result |= scAlt;
  return result;
}

ShortCutKey ShortCutToKey(TShortCut shortCut) {
  ShortCutKey out;
  out.key = shortCut & ~kModifierMask;
  if (shortCut & scShift) out.shift |= kShiftBit;
  if (shortCut & scCtrl) out.shift |= kCtrlBit;
  if (shortCut & scAlt) out.shift |= kAltBit;
  return out;
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = KeyToName(shortCut & 0xFF);
  if (name.empty()) return {};
  std::string result;
  if (shortCut & scShift) result += "Shift+";
  if (shortCut & scCtrl) result += "Ctrl+";
  if (shortCut & scAlt) result += "Alt+";
  return result + name;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut shift = 0;
  for (;;) {
    if (ConsumePrefix(text, "Shift+")) {
      shift |= scShift;
    } else if (ConsumePrefix(text, "^") || ConsumePrefix(text, "Ctrl+")) {
      shift |= scCtrl;
    } else if (ConsumePrefix(text, "Alt+")) {
      shift |= scAlt;
    } else {
      break;
    }
  }
  if (text.empty()) return 0;
  for (int key = 1; key <= 0xFF; ++key) {
    const std::string name = KeyToName(key);
    if (!name.empty() && EqualsIgnoringAsciiCase(text, name)) return static_cast<TShortCut>(key | shift);
  }
  return 0;
}

}  // namespace tappomat
