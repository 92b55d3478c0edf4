#include "ui/canvas.h"

#include <cmath>

#include "gdi/blit.h"
#include "gdi/primitives.h"
#include "gdi/text.h"

namespace tappomat {

ColorRef ColorToRGB(TColor color) { return ResolveColor(color); }

// --- TFont

void TFont::SetName(const std::string& name) {
  if (name == m_name) return;
  m_name = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == m_height) return;
  m_height = height;
  Changed();
}

int TFont::Size() const {
  return static_cast<int>(std::lround(-m_height * 72.0 / 96.0));
}

void TFont::SetSize(int points) { SetHeight(-static_cast<int>(std::lround(points * 96.0 / 72.0))); }

void TFont::SetStyle(TFontStyles style) {
  if (style == m_style) return;
  m_style = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == m_color) return;
  m_color = color;
  Changed();
}

void TFont::SetCharset(std::uint8_t charset) {
  if (charset == m_charset) return;
  m_charset = charset;
  Changed();
}

void TFont::Assign(const TFont& other) {
  if (*this == other) return;
  m_name = other.m_name;
  m_height = other.m_height;
  m_style = other.m_style;
  m_color = other.m_color;
  m_charset = other.m_charset;
  Changed();
}

LogicalFont TFont::ToLogicalFont() const {
  LogicalFont f;
  f.name = m_name;
  f.height = m_height;
  f.bold = (m_style & fsBold) != 0;
  f.italic = (m_style & fsItalic) != 0;
  f.underline = (m_style & fsUnderline) != 0;
  f.strikeOut = (m_style & fsStrikeOut) != 0;
  f.charSet = m_charset;
  return f;
}

bool TFont::operator==(const TFont& other) const {
  return m_name == other.m_name && m_height == other.m_height && m_style == other.m_style &&
         m_color == other.m_color && m_charset == other.m_charset;
}

void TFont::Changed() {
  if (OnChange) OnChange();
}

// --- TCanvas

void TCanvas::FillRect(const Rect& rect) {
  if (!m_dc || m_brush.Style == TBrushStyle::bsClear) return;
  tappomat::FillRect(*m_dc, rect, ColorToRGB(m_brush.Color));
}

void TCanvas::FrameRect(const Rect& rect) {
  if (m_dc) tappomat::FrameRect(*m_dc, rect, ColorToRGB(m_brush.Color));
}

void TCanvas::Rectangle(const Rect& rect) {
  if (!m_dc) return;
  if (m_brush.Style == TBrushStyle::bsClear) {
    tappomat::FrameRect(*m_dc, rect, ColorToRGB(m_pen.Color));
  } else {
    tappomat::Rectangle(*m_dc, rect, ColorToRGB(m_pen.Color), ColorToRGB(m_brush.Color));
  }
}

void TCanvas::LineTo(int x, int y) {
  if (m_dc) DrawLine(*m_dc, m_penPos, {x, y}, ColorToRGB(m_pen.Color));
  m_penPos = {x, y};
}

void TCanvas::Polygon(std::span<const Point> points) {
  if (!m_dc) return;
  if (m_brush.Style == TBrushStyle::bsClear) {
    std::vector<Point> closed(points.begin(), points.end());
    if (!closed.empty()) closed.push_back(closed.front());
    Polyline(*m_dc, closed, ColorToRGB(m_pen.Color));
  } else {
    tappomat::Polygon(*m_dc, points, ColorToRGB(m_pen.Color), ColorToRGB(m_brush.Color));
  }
}

void TCanvas::DrawFocusRect(const Rect& rect) {
  if (m_dc) tappomat::DrawFocusRect(*m_dc, rect);
}

void TCanvas::PrepareText() {
  m_dc->SetFont(m_font.ToLogicalFont());
  m_dc->SetTextColor(ColorToRGB(m_font.Color()));
  if (m_brush.Style == TBrushStyle::bsClear) {
    m_dc->SetBkMode(BkMode::Transparent);
  } else {
    m_dc->SetBkMode(BkMode::Opaque);
    m_dc->SetBkColor(ColorToRGB(m_brush.Color));
  }
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  if (!m_dc) return;
  PrepareText();
  tappomat::TextOut(*m_dc, x, y, text);
  m_penPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const Rect& rect, int x, int y, std::string_view text) {
  if (!m_dc) return;
  DeviceContext::Saver saver(*m_dc);
  m_dc->IntersectClipRect(rect);
  if (m_brush.Style != TBrushStyle::bsClear) tappomat::FillRect(*m_dc, rect, ColorToRGB(m_brush.Color));
  PrepareText();
  m_dc->SetBkMode(BkMode::Transparent);
  tappomat::TextOut(*m_dc, x, y, text);
}

int TCanvas::TextWidth(std::string_view text) const {
  return GetTextExtent(m_font.ToLogicalFont(), text).width;
}

int TCanvas::TextHeight(std::string_view text) const {
  return GetTextExtent(m_font.ToLogicalFont(), text).height;
}

void TCanvas::Draw(int x, int y, const Bitmap32& bitmap) {
  if (!m_dc || bitmap.IsEmpty()) return;
  AlphaBlend(*m_dc, {x, y}, bitmap, bitmap.Bounds(), 255, AlphaMode::PerPixel);
}

void TCanvas::StretchDraw(const Rect& rect, const Bitmap32& bitmap) {
  if (!m_dc || bitmap.IsEmpty() || rect.IsEmpty()) return;
  if (rect.GetSize() == bitmap.GetSize()) return Draw(rect.left, rect.top, bitmap);
  // Stretch into a scratch picture (SRCCOPY keeps alpha), then blend that.
  Bitmap32 scratch(rect.Width(), rect.Height());
  DeviceContext scratchDc(scratch);
  StretchBlt(scratchDc, scratch.Bounds(), bitmap, bitmap.Bounds(), SRCCOPY);
  Draw(rect.left, rect.top, scratch);
}

void TCanvas::CopyRect(const Rect& dest, const TCanvas& canvas, const Rect& source) {
  if (!m_dc || !canvas.m_dc) return;
  const Rect deviceSource = canvas.m_dc->ToDevice(source);
  // Read from a copy: the two canvases may share a bitmap.
  const Bitmap32 copy = canvas.m_dc->Target();
  StretchBlt(*m_dc, dest, copy, deviceSource, SRCCOPY);
}

}  // namespace tappomat
