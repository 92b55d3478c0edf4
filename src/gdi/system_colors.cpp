#include "gdi/system_colors.h"

#include <array>

namespace tappomat {
namespace {

using ColorTable = std::array<ColorRef, kSysColorCount>;

constexpr ColorTable MakeDefaults() {
  constexpr ColorRef face = RGB(212, 208, 200);
  constexpr ColorRef navy = RGB(10, 36, 106);
  constexpr ColorRef grey = RGB(128, 128, 128);
  constexpr ColorRef white = RGB(255, 255, 255);
  constexpr ColorRef black = RGB(0, 0, 0);
  ColorTable t{};
  t[COLOR_SCROLLBAR] = face;
  t[COLOR_BACKGROUND] = RGB(58, 110, 165);
  t[COLOR_ACTIVECAPTION] = navy;
  t[COLOR_INACTIVECAPTION] = grey;
  t[COLOR_MENU] = face;
  t[COLOR_WINDOW] = white;
  t[COLOR_WINDOWFRAME] = black;
  t[COLOR_MENUTEXT] = black;
  t[COLOR_WINDOWTEXT] = black;
  t[COLOR_CAPTIONTEXT] = white;
  t[COLOR_ACTIVEBORDER] = face;
  t[COLOR_INACTIVEBORDER] = face;
  t[COLOR_APPWORKSPACE] = grey;
  t[COLOR_HIGHLIGHT] = navy;
  t[COLOR_HIGHLIGHTTEXT] = white;
  t[COLOR_BTNFACE] = face;
  t[COLOR_BTNSHADOW] = grey;
  t[COLOR_GRAYTEXT] = grey;
  t[COLOR_BTNTEXT] = black;
  t[COLOR_INACTIVECAPTIONTEXT] = face;
  t[COLOR_BTNHIGHLIGHT] = white;
  t[COLOR_3DDKSHADOW] = RGB(64, 64, 64);
  t[COLOR_3DLIGHT] = face;
  t[COLOR_INFOTEXT] = black;
  t[COLOR_INFOBK] = RGB(255, 255, 225);
  t[25] = black;  // unused index
  t[COLOR_HOTLIGHT] = RGB(0, 0, 128);
  t[COLOR_GRADIENTACTIVECAPTION] = RGB(166, 202, 240);
  t[COLOR_GRADIENTINACTIVECAPTION] = RGB(192, 192, 192);
  t[COLOR_MENUHILIGHT] = navy;
  t[COLOR_MENUBAR] = face;
  return t;
}

constexpr ColorTable kDefaults = MakeDefaults();

ColorTable& Table() {
  static ColorTable table = kDefaults;
  return table;
}

bool IsValidIndex(int index) { return index >= 0 && index < kSysColorCount && index != 25; }

}  // namespace

ColorRef GetSysColor(int index) { return IsValidIndex(index) ? Table()[index] : 0; }

void SetSysColor(int index, ColorRef color) {
  if (IsValidIndex(index)) Table()[index] = color & 0x00FFFFFF;
}

void ResetSysColors() { Table() = kDefaults; }

ColorRef ResolveColor(std::int32_t value) {
  if (value < 0) return GetSysColor(value & 0xFF);
  return static_cast<ColorRef>(value) & 0x00FFFFFF;
}

}  // namespace tappomat
