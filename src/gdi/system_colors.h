#pragma once
// System colours: the colours of the classic look that the window system's default
// painters, DrawEdge and the standard controls use, kept in one table by their COLOR_*
// indices. The defaults are the classic scheme with a warm grey button face
// RGB(212,208,200) (not the plain grey RGB(192,192,192)). The platform layer may replace
// entries at start-up; everything is read and written on the UI thread.
#include <cstdint>

#include "imaging/color.h"

namespace tappomat {

enum SysColorIndex : int {
  COLOR_SCROLLBAR = 0,
  COLOR_BACKGROUND = 1,
  COLOR_ACTIVECAPTION = 2,
  COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4,
  COLOR_WINDOW = 5,
  COLOR_WINDOWFRAME = 6,
  COLOR_MENUTEXT = 7,
  COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9,
  COLOR_ACTIVEBORDER = 10,
  COLOR_INACTIVEBORDER = 11,
  COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13,
  COLOR_HIGHLIGHTTEXT = 14,
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17,
  COLOR_BTNTEXT = 18,
  COLOR_INACTIVECAPTIONTEXT = 19,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21,
  COLOR_3DLIGHT = 22,
  COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24,
  // 25 is unused.
  COLOR_HOTLIGHT = 26,
  COLOR_GRADIENTACTIVECAPTION = 27,
  COLOR_GRADIENTINACTIVECAPTION = 28,
  COLOR_MENUHILIGHT = 29,
  COLOR_MENUBAR = 30,

  // Other names for the same entries.
  COLOR_DESKTOP = COLOR_BACKGROUND,
  COLOR_3DFACE = COLOR_BTNFACE,
  COLOR_3DSHADOW = COLOR_BTNSHADOW,
  COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
  COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
  COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT,
};

constexpr int kSysColorCount = 31;

// The colour of a system colour index; 0 (black) for an index that names none.
ColorRef GetSysColor(int index);

// Replaces one entry (ignored for an unknown index), or restores all the defaults.
void SetSysColor(int index, ColorRef color);
void ResetSysColors();

// The program keeps colours as signed 32-bit values: a negative value
// (high bit set) names a system colour by the index in its low byte — clBtnFace is
// 0x8000000F (0xFF00000F, the other form a stored colour may take, resolves alike). Any
// other value is a ColorRef; its top byte is dropped.
ColorRef ResolveColor(std::int32_t value);

// The value that names a system colour, as ResolveColor reads it.
constexpr std::int32_t SysColorValue(int index) {
  return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(index & 0xFF));
}

}  // namespace tappomat
