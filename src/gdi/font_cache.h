#pragma once
// FontCache: turns LogicalFonts into FreeType faces and keeps them, with their rendered
// glyphs, for the life of the process. Font files are found through fontconfig by their
// exact family name (font_mapping.h says which family) and opened by path, so no other
// installed font can stand in silently: when neither the mapped family nor the fallback
// family is installed, the best installed scalable font is used and a warning names the
// missing families, once per family. The text functions (text_draw.cpp) are its callers;
// nothing else touches FreeType. Single-threaded, like the window system.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gdi/logical_font.h"
#include "gdi/text.h"

namespace tappomat {

class SizedFace;

// One rendered glyph: 8-bit coverage placed relative to the pen position on the baseline.
struct GlyphBitmap {
  int advance = 0;  // whole pixels from this pen position to the next
  int left = 0;     // columns from the pen position to the bitmap's first column
  int top = 0;      // rows from the bitmap's first row down to the baseline
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width x height, rows top-down, 0 (none) to 255 (full)
};

// A LogicalFont made real: a face at one pixel size (bold or italic synthesised when the
// family has no such face), the fallback face for characters it lacks, the metrics, and
// the characters' glyphs. Owned by FontCache; pointers stay valid for the process.
class Font {
 public:
  Font(SizedFace& primary, SizedFace* fallback);
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const TextMetrics& Metrics() const { return m_metrics; }

  // The glyph drawn for a character: from the primary face, else from the fallback face,
  // else the primary face's missing-character box. C0 and C1 control characters have no
  // glyph and no width, so that measuring and drawing agree whatever the font maps them to.
  const GlyphBitmap& Glyph(char32_t codepoint) {
    if (codepoint < m_common.size() && m_common[codepoint]) return *m_common[codepoint];
    return FindGlyph(codepoint);
  }
  int Advance(char32_t codepoint) { return Glyph(codepoint).advance; }

  // What the font resolved to, for tests and diagnostics.
  const std::string& Family() const;
  int PixelSize() const;
  bool SynthesizesBold() const;
  bool SynthesizesItalic() const;

 private:
  const GlyphBitmap& FindGlyph(char32_t codepoint);
  const GlyphBitmap& Lookup(char32_t codepoint);

  SizedFace* m_primary;
  SizedFace* m_fallback;  // null when the primary face is the fallback family itself
  TextMetrics m_metrics;
  // Latin and Cyrillic, the characters nearly all text uses, found without hashing; null
  // until first used.
  std::array<const GlyphBitmap*, 0x500> m_common{};
  std::unordered_map<char32_t, const GlyphBitmap*> m_others;
};

class FontCache {
 public:
  using WarningSink = std::function<void(const std::string&)>;

  // The process's cache over the system's fonts; warnings go to standard error.
  static FontCache& Instance();
  // A cache over only the given font files, with its own warning sink (tests).
  FontCache(const std::vector<std::string>& fontFiles, WarningSink warn);
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // The font for `logical`, made on first use: its mapped family, else the fallback
  // family, else the best installed scalable font; null when no font can be loaded.
  Font* Get(const LogicalFont& logical);

  // False when not even the default font can be loaded; text then draws nothing and
  // measures zero. For a diagnostic at start-up.
  bool FontsAvailable();

 private:
  FontCache();

  struct State;  // FreeType library, fontconfig configuration, faces and fonts
  std::unique_ptr<State> m_state;
};

}  // namespace tappomat
