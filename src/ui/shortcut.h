#pragma once
// Menu shortcuts: a TShortCut holds a virtual-key code in the low byte and the modifier
// bits scShift, scCtrl and scAlt above it. The menu code matches key presses against them
// and the classic look writes their names beside menu items; the names are fixed English
// ones ("Ctrl+S", "Shift+Del", "Alt+F4", "PgDn").
#include <cstdint>
#include <string>
#include <string_view>

namespace tappomat {

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// `shift` holds TShiftState bits (ui/shift_state.h: 1 Shift, 2 Alt, 4 Ctrl); the mouse
// bits are ignored. A key code above 0xFF gives 0: it does not fit the low byte.
TShortCut ShortCut(int key, std::uint8_t shift);

struct ShortCutKey {
  int key = 0;              // virtual-key code
  std::uint8_t shift = 0;   // TShiftState bits
  friend bool operator==(const ShortCutKey&, const ShortCutKey&) = default;
};
ShortCutKey ShortCutToKey(TShortCut shortCut);

// "Shift+Ctrl+Alt+" (always in that order) and the key's name; "" for 0
// or a key without a name.
std::string ShortCutToText(TShortCut shortCut);

// The inverse, case-insensitive: modifiers in any order ("^" also means Ctrl), then a key
// name as ShortCutToText writes it. 0 for text it does not know.
TShortCut TextToShortCut(std::string_view text);

}  // namespace tappomat
