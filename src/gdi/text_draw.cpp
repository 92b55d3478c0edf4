// Text measuring and drawing: lays text out with text_layout.cpp and renders the glyphs
// FontCache provides into the device context's bitmap.
//
// Pixels: a glyph's coverage blends the text colour over the pixel below it, channel by
// channel (d + (t - d) * coverage / 255, rounded); every pixel a glyph, underline or
// background touches gets alpha 255, as the result is opaque text on an opaque surface.
#include <algorithm>
#include <vector>

#include "gdi/font_cache.h"
#include "gdi/text.h"
#include "gdi/text_layout.h"

namespace tappomat {
namespace {

class FontMeasure final : public TextMeasure {
 public:
  explicit FontMeasure(Font* font) : m_font(font) {}
  int Advance(char32_t codepoint) override { return m_font ? m_font->Advance(codepoint) : 0; }

 private:
  Font* m_font;
};

// What DrawText draws of each line.
enum class LineParts { Text, UnderlineOnly };

// Writes the pieces of laid-out lines into the bitmap of one device context, inside the
// clip rectangles of one call.
class TextPainter {
 public:
  // `limit` (logical) further restricts drawing beyond the clip region; null: no limit.
  TextPainter(DeviceContext& dc, Font& font, const Rect* limit) : m_dc(dc), m_font(font) {
    const Rect bound = limit ? dc.ToDevice(*limit) : dc.Target().Bounds();
    dc.ForEachClipRect(bound, [this](const Rect& r) { m_clip.push_back(r); });
  }

  void DrawLine(const LayoutLine& line, LineParts parts) {
    if (m_clip.empty()) return;
    const TextMetrics& m = m_font.Metrics();
    const LogicalFont& logical = m_dc.Font();
    const int baseline = line.y + m.ascent;  // the first row below the baseline
    const int right = line.x + line.width;
    if (parts == LineParts::Text) {
      if (m_dc.GetBkMode() == BkMode::Opaque) {
        Fill({line.x, line.y, right, line.y + m.height}, PixelFromColor(m_dc.BkColor()));
      }
      for (const LayoutGlyph& g : line.glyphs) {
        if (g.codepoint != U'\t') DrawGlyph(m_font.Glyph(g.codepoint), line.x + g.x, baseline);
      }
      const Pixel text = PixelFromColor(m_dc.TextColor());
      if (logical.underline) {
        const int top = baseline + m.underlineOffset;
        Fill({line.x, top, right, top + m.underlineThickness}, text);
      }
      if (logical.strikeOut) {
        const int top = baseline - m.strikeOutOffset;
        Fill({line.x, top, right, top + m.strikeOutThickness}, text);
      }
    }
    if (line.prefix >= 0) {
      // One pixel thick, on the second row below the baseline, clear of the glyphs, but
      // inside the cell for fonts with a tiny descent.
      const int row = std::min(baseline + 1, line.y + m.height - 1);
      Fill({line.UnderlineLeft(), row, line.UnderlineRight(), row + 1}, PixelFromColor(m_dc.TextColor()));
    }
  }

 private:
  void Fill(const Rect& logical, Pixel value) {
    const Rect device = m_dc.ToDevice(logical);
    Bitmap32& target = m_dc.Target();
    for (const Rect& clip : m_clip) {
      const Rect part = device.Intersect(clip);
      for (int y = part.top; y < part.bottom; ++y) {
        std::fill(target.Row(y) + part.left, target.Row(y) + part.right, value);
      }
    }
  }

  void DrawGlyph(const GlyphBitmap& glyph, int penX, int baseline) {
    if (glyph.coverage.empty()) return;
    const Point origin = m_dc.ToDevice(Point{penX + glyph.left, baseline - glyph.top});
    const Rect box = Rect::FromSize(origin.x, origin.y, glyph.width, glyph.height);
    const ColorRef color = m_dc.TextColor();
    const int tr = GetRValue(color);
    const int tg = GetGValue(color);
    const int tb = GetBValue(color);
    const Pixel solid = PixelFromColor(color);
    Bitmap32& target = m_dc.Target();
    for (const Rect& clip : m_clip) {
      const Rect part = box.Intersect(clip);
      for (int y = part.top; y < part.bottom; ++y) {
        const std::uint8_t* coverage = glyph.coverage.data() +
                                       static_cast<std::size_t>(y - box.top) * glyph.width + (part.left - box.left);
        Pixel* row = target.Row(y);
        for (int x = part.left; x < part.right; ++x) {
          const int c = *coverage++;
          if (c == 0) continue;
          if (c == 255) {
            row[x] = solid;
            continue;
          }
          const Pixel d = row[x];
          const auto mix = [c](int dst, int src) { return static_cast<std::uint8_t>((dst * (255 - c) + src * c + 127) / 255); };
          row[x] = MakePixel(mix(PixelR(d), tr), mix(PixelG(d), tg), mix(PixelB(d), tb), 255);
        }
      }
    }
  }

  DeviceContext& m_dc;
  Font& m_font;
  std::vector<Rect> m_clip;  // device coordinates
};

}  // namespace

TextMetrics GetTextMetrics(const LogicalFont& font) {
  const Font* f = FontCache::Instance().Get(font);
  return f ? f->Metrics() : TextMetrics{};
}

TextMetrics GetTextMetrics(const DeviceContext& dc) { return GetTextMetrics(dc.Font()); }

Size GetTextExtent(const LogicalFont& font, std::string_view utf8) {
  Font* f = FontCache::Instance().Get(font);
  if (!f) return {};
  int width = 0;
  for (std::size_t pos = 0; pos < utf8.size();) width += f->Advance(NextCodepoint(utf8, pos));
  return {width, f->Metrics().height};
}

Size GetTextExtent(const DeviceContext& dc, std::string_view utf8) { return GetTextExtent(dc.Font(), utf8); }

int DrawText(DeviceContext& dc, std::string_view utf8, Rect& rect, unsigned format) {
  // With DT_TABSTOP bits 8-15 carry the tab width, so they are not flags.
  const unsigned flags = (format & DT_TABSTOP) ? (format & ~0xFF00u) : format;
  Font* font = FontCache::Instance().Get(dc.Font());
  if (!font) {
    // No font at all: the text measures nothing.
    if (flags & DT_CALCRECT) rect = {rect.left, rect.top, rect.left, rect.top};
    return 0;
  }
  FontMeasure measure(font);
  const TextLayout layout = LayoutText(utf8, rect, format, font->Metrics(), measure);
  if (flags & DT_CALCRECT) {
    rect.right = layout.bounds.right;
    rect.bottom = layout.bounds.bottom;
    return layout.height;
  }
  TextPainter painter(dc, *font, (flags & DT_NOCLIP) ? nullptr : &rect);
  const LineParts parts = (flags & DT_PREFIXONLY) ? LineParts::UnderlineOnly : LineParts::Text;
  for (const LayoutLine& line : layout.lines) painter.DrawLine(line, parts);
  return layout.height;
}

void TextOut(DeviceContext& dc, int x, int y, std::string_view utf8) {
  Font* font = FontCache::Instance().Get(dc.Font());
  if (!font) return;
  FontMeasure measure(font);
  const TextLayout layout = LayoutText(utf8, Rect{x, y, x, y}, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_LEFT,
                                       font->Metrics(), measure);
  TextPainter painter(dc, *font, nullptr);
  for (const LayoutLine& line : layout.lines) painter.DrawLine(line, LineParts::Text);
}

}  // namespace tappomat
