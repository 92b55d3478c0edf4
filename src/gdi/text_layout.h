#pragma once
// Text layout for DrawText: line breaking, prefix ("&") handling, tab expansion,
// ellipses and alignment, computed from character advances alone so that it can be
// tested without pixels. text_draw.cpp lays out and then renders; tests call LayoutText
// directly. UTF-8 decoding for all text functions lives here too.
//
// The rules of DrawText:
// - DT_SINGLELINE: one line; CR and LF break nothing and are not drawn. DT_VCENTER and
//   DT_BOTTOM place that line (top + height/2 - textHeight/2, bottom - textHeight); they
//   mean nothing without DT_SINGLELINE. DT_WORDBREAK is ignored with DT_SINGLELINE.
// - Otherwise "\r\n", "\n\r", "\n" and "\r" each end a line; a break at the very end of the
//   text does not start another line.
// - DT_WORDBREAK: a line that would grow wider than the rectangle breaks at the last run
//   of spaces before the word that overflows; that run of spaces is dropped (spaces at
//   the end of a line are invisible, so dropping them changes only the measured width).
//   Several spaces inside a line are kept.
//   Only spaces are break opportunities. A word wider than the rectangle is kept whole and
//   overflows, unless DT_EDITCONTROL (without DT_WORD_ELLIPSIS or DT_PATH_ELLIPSIS) breaks
//   it after the last character that fits (at least one per line).
// - Without DT_NOCLIP (and without DT_CALCRECT, which implies it), layout stops after the
//   first line that reaches below the rectangle; with DT_EDITCONTROL one line earlier, at
//   the line whose successor would reach more than a pixel below it (top + 2 * lineHeight
//   - 1 > bottom). The lines after would be clipped away anyway.
// - DT_EXPANDTABS: a tab moves to the next multiple of 8 average character widths (or the
//   count in bits 8-15 with DT_TABSTOP) from the start of the line; strictly the next, so
//   text ending exactly on a stop moves a whole stop. Without it a tab has no width.
// - Prefixes, unless DT_NOPREFIX: "&x" draws x and underlines it, "&&" draws one "&", and
//   a single "&" at the end of a line is dropped. When a line has several prefixed
//   characters only the last is underlined. DT_HIDEPREFIX removes the
//   "&"s but underlines nothing; DT_PREFIXONLY lays out the same text (the drawing code
//   then draws only the underline).
// - Ellipses, always three dots "..." (fits the width together with the text before it;
//   if even the dots alone do not fit they are kept anyway):
//   DT_END_ELLIPSIS cuts a line that does not fit when it is the end of a paragraph (so
//   every too-wide line of single-line and unbroken text, but not a long word in the middle
//   of a word-wrapped paragraph), and ends the last line shown with "..." when clipping
//   at the bottom of the rectangle leaves text unshown.
//   DT_WORD_ELLIPSIS cuts every line that does not fit.
//   DT_PATH_ELLIPSIS takes characters out before the last "\" or "/" of a line that does
//   not fit ("C:\Pro...\file.txt"); without a slash it cuts the end like DT_END_ELLIPSIS.
//   If the result still does not fit, DT_END_ELLIPSIS or DT_WORD_ELLIPSIS cut its end too.
// - Alignment per line: DT_CENTER puts a line at (left + right - width) / 2, DT_RIGHT at
//   right - width.
// - DT_RTLREADING changes nothing: it would reverse the reading order only for Hebrew
//   and Arabic text in fonts of those character sets; Latin and Cyrillic text looks the
//   same either way. DT_INTERNAL, DT_MODIFYSTRING and DT_NOFULLWIDTHCHARBREAK are accepted
//   and ignored.
// - Line height: the font's height, plus its external leading with DT_EXTERNALLEADING.
// - Empty text: no lines; DrawText still returns the line height, and DT_CALCRECT gives
//   an empty rectangle (right = left, bottom = top), one line high with DT_SINGLELINE.
// - The return value (TextLayout::height) is the bottom of the last line minus rect.top;
//   when that is 0 it is 1 instead.
#include <string>
#include <string_view>
#include <vector>

#include "gdi/text.h"
#include "imaging/geometry.h"

namespace tappomat {

// Reads one character from UTF-8 text at `pos` and moves `pos` past it. An invalid or
// truncated sequence gives U+FFFD and moves past its longest valid-looking start (at least
// one byte), so decoding always ends.
char32_t NextCodepoint(std::string_view utf8, std::size_t& pos);
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

// The advances the layout measures with; a Font in the drawing code, a fake in tests.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Whole pixels from one pen position to the next.
  virtual int Advance(char32_t codepoint) = 0;
};

struct LayoutGlyph {
  char32_t codepoint = 0;  // tabs stay in the line (with their width) and draw nothing
  int x = 0;               // from the line's left edge
  int advance = 0;
};

struct LayoutLine {
  std::vector<LayoutGlyph> glyphs;
  int x = 0;  // left edge, in the coordinates of the layout rectangle
  int y = 0;  // top edge
  int width = 0;
  int prefix = -1;  // index of the glyph to underline, -1 for none

  // The line's characters as UTF-8.
  std::string Text() const;
  // Columns [left, right) of the prefix underline (one pixel shorter than the character's
  // advance); empty when the line has none.
  int UnderlineLeft() const;
  int UnderlineRight() const;
};

struct TextLayout {
  std::vector<LayoutLine> lines;
  int lineHeight = 0;
  Rect bounds;     // what DT_CALCRECT returns
  int height = 0;  // what DrawText returns
};

// Lays out `utf8` in `rect` by the DrawText `format` (see the rules above). `metrics`
// gives the line height, external leading and tab width.
TextLayout LayoutText(std::string_view utf8, const Rect& rect, unsigned format, const TextMetrics& metrics,
                      TextMeasure& measure);

}  // namespace tappomat
