#pragma once
// Text output: DrawText with the DT_* flag set, TextOut, text extents and font metrics.
// Every caption, label, grid cell and menu item of the window system and the skin engine
// is drawn through these functions, so the layout rules are the same everywhere (see
// text_layout.h for the details of each flag).
//
// Fonts come from FontCache (font_cache.h). When no font file could be found at all the
// functions draw nothing and measure zero; FontCache::FontsAvailable() tells.
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "imaging/geometry.h"

namespace tappomat {

// DrawText format flags, with the numeric values Windows gives them.
inline constexpr unsigned DT_TOP = 0x00000000;
inline constexpr unsigned DT_LEFT = 0x00000000;
inline constexpr unsigned DT_CENTER = 0x00000001;
inline constexpr unsigned DT_RIGHT = 0x00000002;
inline constexpr unsigned DT_VCENTER = 0x00000004;
inline constexpr unsigned DT_BOTTOM = 0x00000008;
inline constexpr unsigned DT_WORDBREAK = 0x00000010;
inline constexpr unsigned DT_SINGLELINE = 0x00000020;
inline constexpr unsigned DT_EXPANDTABS = 0x00000040;
inline constexpr unsigned DT_TABSTOP = 0x00000080;  // bits 8-15 then give the tab width in characters
inline constexpr unsigned DT_NOCLIP = 0x00000100;
inline constexpr unsigned DT_EXTERNALLEADING = 0x00000200;
inline constexpr unsigned DT_CALCRECT = 0x00000400;
inline constexpr unsigned DT_NOPREFIX = 0x00000800;
inline constexpr unsigned DT_INTERNAL = 0x00001000;  // accepted, no effect
inline constexpr unsigned DT_EDITCONTROL = 0x00002000;
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x00008000;
inline constexpr unsigned DT_MODIFYSTRING = 0x00010000;  // accepted, no effect: the text is const
inline constexpr unsigned DT_RTLREADING = 0x00020000;    // accepted, no effect (see text_layout.h)
inline constexpr unsigned DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x00080000;  // accepted, no effect
inline constexpr unsigned DT_HIDEPREFIX = 0x00100000;
inline constexpr unsigned DT_PREFIXONLY = 0x00200000;

// Font metrics in pixels. The first seven describe the character cell
// and widths; the last four place the underline and strike-out lines.
struct TextMetrics {
  int ascent = 0;           // baseline to the top of the cell
  int descent = 0;          // baseline to the bottom of the cell
  int height = 0;           // ascent + descent: the cell height and the line height
  int internalLeading = 0;  // height minus the em size
  int externalLeading = 0;  // extra space the font suggests between lines
  int aveCharWidth = 0;     // width of 'x'; tab stops are 8 of these
  int maxCharWidth = 0;
  int underlineOffset = 0;     // first row of the underline, counted down from the baseline row
  int underlineThickness = 0;  // rows, at least 1
  int strikeOutOffset = 0;     // first row of the strike-out line, counted up from the baseline
  int strikeOutThickness = 0;  // rows, at least 1

  friend bool operator==(const TextMetrics&, const TextMetrics&) = default;
};

// Metrics of a font; all zero when no font is available.
TextMetrics GetTextMetrics(const LogicalFont& font);
TextMetrics GetTextMetrics(const DeviceContext& dc);

// Width of the text as drawn (the sum of the characters' whole-pixel advances, without
// prefix or tab processing; control characters have no width) and the font's cell height.
Size GetTextExtent(const LogicalFont& font, std::string_view utf8);
Size GetTextExtent(const DeviceContext& dc, std::string_view utf8);

// Formats UTF-8 text in `rect` (logical coordinates) with dc.Font(), dc.TextColor() and,
// in BkMode::Opaque, dc.BkColor() behind each line. Returns the height of the text: the
// offset from rect.top to the bottom of the last line drawn (which includes the offset
// of DT_VCENTER and DT_BOTTOM). With DT_CALCRECT nothing is drawn and
// rect.right and rect.bottom are set to bound the text.
int DrawText(DeviceContext& dc, std::string_view utf8, Rect& rect, unsigned format);

// Draws one line of text with its top-left corner at (x, y) (TA_TOP | TA_LEFT), without
// prefix or tab processing, clipped only by the clip region of `dc`; in BkMode::Opaque
// the text extent is filled with dc.BkColor() first.
void TextOut(DeviceContext& dc, int x, int y, std::string_view utf8);

}  // namespace tappomat
