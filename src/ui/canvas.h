#pragma once
// TCanvas and its tools TFont, TBrush and TPen: stateful drawing over a gdi
// DeviceContext. A control's canvas is attached to the context of the paint in progress
// (TCustomControl and TGraphicControl do that around Paint) and detached afterwards;
// drawing on a detached canvas does nothing.
//
// Colours are TColor values (gdi ResolveColor): negative values name system colours
// (clBtnFace …), others are ColorRefs.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "gdi/device_context.h"
#include "gdi/logical_font.h"
#include "gdi/system_colors.h"
#include "imaging/bitmap32.h"

namespace tappomat {

using TColor = std::int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBtnFace = SysColorValue(COLOR_BTNFACE);
constexpr TColor clWindow = SysColorValue(COLOR_WINDOW);
constexpr TColor clWindowText = SysColorValue(COLOR_WINDOWTEXT);
constexpr TColor clBtnText = SysColorValue(COLOR_BTNTEXT);
constexpr TColor clInfoBk = SysColorValue(COLOR_INFOBK);
constexpr TColor clInfoText = SysColorValue(COLOR_INFOTEXT);
constexpr TColor clHighlight = SysColorValue(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColorValue(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SysColorValue(COLOR_GRAYTEXT);
constexpr TColor clBtnShadow = SysColorValue(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SysColorValue(COLOR_BTNHIGHLIGHT);

// TColor to the ColorRef gdi draws with.
ColorRef ColorToRGB(TColor color);

enum TFontStyleBits : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// A font as controls keep it. Size is in points at 96 dpi: Height = -round(Size * 96 / 72).
class TFont {
 public:
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name);
  int Height() const { return m_height; }
  void SetHeight(int height);
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return m_style; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return m_color; }
  void SetColor(TColor color);
  std::uint8_t Charset() const { return m_charset; }
  void SetCharset(std::uint8_t charset);

  // Copies every attribute (one OnChange when something differs).
  void Assign(const TFont& other);
  LogicalFont ToLogicalFont() const;
  bool operator==(const TFont& other) const;

  std::function<void()> OnChange;

 private:
  void Changed();

  std::string m_name = "MS Sans Serif";
  int m_height = -11;
  TFontStyles m_style = 0;
  TColor m_color = clWindowText;
  std::uint8_t m_charset = DEFAULT_CHARSET;
};

enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TPen {
  TColor Color = clBlack;
};

class TCanvas {
 public:
  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The context drawn on (null: detached).
  DeviceContext* Handle() const { return m_dc; }
  void SetHandle(DeviceContext* dc) { m_dc = dc; }

  TFont& Font() { return m_font; }
  TBrush& Brush() { return m_brush; }
  TPen& Pen() { return m_pen; }
  Point PenPos() const { return m_penPos; }

  void FillRect(const Rect& rect);  // with the brush (nothing for bsClear)
  void FrameRect(const Rect& rect);  // with the brush colour, not the pen
  void Rectangle(const Rect& rect);  // pen frame, brush inside
  void MoveTo(int x, int y) { m_penPos = {x, y}; }
  void LineTo(int x, int y);
  void Polygon(std::span<const Point> points);
  void DrawFocusRect(const Rect& rect);
  // Text with the font; the brush fills behind it unless its style is bsClear.
  void TextOut(int x, int y, std::string_view text);
  // TextOut clipped to `rect`.
  void TextRect(const Rect& rect, int x, int y, std::string_view text);
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;
  // Blends a premultiplied-alpha bitmap with its top-left corner at (x, y).
  void Draw(int x, int y, const Bitmap32& bitmap);
  // The same, stretched to `rect`.
  void StretchDraw(const Rect& rect, const Bitmap32& bitmap);
  // Copies `source` of another canvas onto `dest` of this one (stretching if sizes differ).
  void CopyRect(const Rect& dest, const TCanvas& canvas, const Rect& source);

 private:
  // Font and colours of the tools into the context before text.
  void PrepareText();

  DeviceContext* m_dc = nullptr;
  TFont m_font;
  TBrush m_brush;
  TPen m_pen;
  Point m_penPos;
};

}  // namespace tappomat
