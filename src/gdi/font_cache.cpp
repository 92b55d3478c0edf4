#include "gdi/font_cache.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string_view>
#include <tuple>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "gdi/font_mapping.h"

namespace tappomat {
namespace {

// Height 0 asks for the default font: the 13-pixel cell of the classic dialog font.
constexpr int kDefaultCellHeight = 13;
// Larger sizes are of no use on screen and would make huge glyph bitmaps.
constexpr int kMaxPixelSize = 1000;
constexpr unsigned kMaxGlyphSide = 4096;

// Light hinting snaps to the pixel grid vertically only: baselines, x-height and
// horizontal strokes stay crisp at 11-13 px while letter shapes and spacing keep their
// design. Every glyph is loaded this way, so measuring and drawing always agree.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct FcConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FcObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct FcFontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

using FtLibraryPtr = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;
using FcConfigPtr = std::unique_ptr<FcConfig, FcConfigDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, FcObjectSetDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;

// Vertical design metrics in font units: the cell is the OS/2 table's usWinAscent +
// usWinDescent; the external leading is what the hhea line gap adds beyond that cell.
struct DesignMetrics {
  long ascent = 0;
  long descent = 0;
  long externalLeading = 0;
  long strikeOutPosition = 0;
  long strikeOutSize = 0;
};

DesignMetrics ReadDesignMetrics(FT_Face face) {
  DesignMetrics m;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  const long hheaAscent = hhea ? hhea->Ascender : face->ascender;
  const long hheaDescent = hhea ? -static_cast<long>(hhea->Descender) : -static_cast<long>(face->descender);
  const long lineGap = hhea ? hhea->Line_Gap : face->height - (hheaAscent + hheaDescent);
  if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    m.ascent = os2->usWinAscent;
    m.descent = os2->usWinDescent;
  } else {
    m.ascent = hheaAscent;
    m.descent = hheaDescent;
  }
  m.externalLeading = std::max(0L, lineGap - ((m.ascent + m.descent) - (hheaAscent + hheaDescent)));
  if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    m.strikeOutPosition = os2->yStrikeoutPosition;
    m.strikeOutSize = os2->yStrikeoutSize;
  } else {
    m.strikeOutPosition = face->units_per_EM * 26 / 100;  // about half the x-height
    m.strikeOutSize = face->underline_thickness;
  }
  return m;
}

// The em size in pixels for a LogicalFont height: negative heights are the em size
// itself; positive ones are the cell (ascent + descent), scaled to an em through the
// face's design cell, rounded to a whole pixel size so glyphs sit on the pixel grid.
int PixelSizeFor(FT_Face face, int height) {
  std::int64_t h = height == 0 ? kDefaultCellHeight : height;
  std::int64_t pixels = 0;
  if (h < 0) {
    pixels = -h;
  } else {
    const DesignMetrics design = ReadDesignMetrics(face);
    const std::int64_t cellUnits = design.ascent + design.descent;
    const std::int64_t upem = face->units_per_EM;
    pixels = cellUnits > 0 ? (h * upem + cellUnits / 2) / cellUnits : h;
  }
  return static_cast<int>(std::clamp<std::int64_t>(pixels, 1, kMaxPixelSize));
}

void CopyBitmap(const FT_Bitmap& bitmap, GlyphBitmap& glyph) {
  if (bitmap.width == 0 || bitmap.rows == 0 || !bitmap.buffer) return;
  if (bitmap.width > kMaxGlyphSide || bitmap.rows > kMaxGlyphSide) return;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
  const int width = static_cast<int>(bitmap.width);
  const int rows = static_cast<int>(bitmap.rows);
  const int pitch = bitmap.pitch;
  glyph.width = width;
  glyph.height = rows;
  glyph.coverage.assign(static_cast<std::size_t>(width) * rows, 0);
  const int grays = std::max(2, static_cast<int>(bitmap.num_grays));
  for (int y = 0; y < rows; ++y) {
    // A negative pitch stores the bottom row first.
    const unsigned char* src =
        pitch >= 0 ? bitmap.buffer + static_cast<std::ptrdiff_t>(y) * pitch
                   : bitmap.buffer + static_cast<std::ptrdiff_t>(rows - 1 - y) * -pitch;
    std::uint8_t* dst = glyph.coverage.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      } else {
        dst[x] = grays == 256 ? src[x] : static_cast<std::uint8_t>(src[x] * 255 / (grays - 1));
      }
    }
  }
}

bool FamilyMatches(FcPattern* pattern, std::string_view family) {
  const std::string wanted(family);
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(value, reinterpret_cast<const FcChar8*>(wanted.c_str())) == 0) return true;
  }
  return false;
}

int IntegerOr(FcPattern* pattern, const char* object, int fallback) {
  int value = 0;
  return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

}  // namespace

// One opened font file. Its style comes from fontconfig, which reads it from the file.
class FontFace {
 public:
  FontFace(FtFacePtr face, std::string family, bool bold, bool italic)
      : m_face(std::move(face)), m_family(std::move(family)), m_bold(bold), m_italic(italic) {}

  FT_Face Handle() const { return m_face.get(); }
  const std::string& Family() const { return m_family; }
  bool IsBold() const { return m_bold; }
  bool IsItalic() const { return m_italic; }

 private:
  FtFacePtr m_face;
  std::string m_family;
  bool m_bold;
  bool m_italic;
};

// A face at one pixel size, with the style it has to synthesise, and the glyphs rendered
// at that size by glyph index. Several LogicalFonts (other names, underline, strike-out)
// share one.
class SizedFace {
 public:
  // Null when the face cannot be scaled to the size.
  static std::unique_ptr<SizedFace> Create(FontFace& face, int pixelSize, bool embolden, bool oblique) {
    FT_Size size = nullptr;
    if (FT_New_Size(face.Handle(), &size) != 0) return nullptr;
    auto sized = std::make_unique<SizedFace>(face, size, pixelSize, embolden, oblique);
    if (FT_Activate_Size(size) != 0 ||
        FT_Set_Pixel_Sizes(face.Handle(), 0, static_cast<FT_UInt>(pixelSize)) != 0) {
      return nullptr;
    }
    return sized;
  }
  // Takes over `size`, a size object of `face`.
  SizedFace(FontFace& face, FT_Size size, int pixelSize, bool embolden, bool oblique)
      : m_face(face), m_size(size), m_pixelSize(pixelSize), m_embolden(embolden), m_oblique(oblique) {}
  ~SizedFace() { FT_Done_Size(m_size); }
  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;

  const FontFace& Face() const { return m_face; }
  int PixelSize() const { return m_pixelSize; }
  bool Emboldens() const { return m_embolden; }
  bool Obliques() const { return m_oblique; }

  FT_UInt GlyphIndex(char32_t codepoint) const { return FT_Get_Char_Index(m_face.Handle(), codepoint); }

  const GlyphBitmap& Glyph(FT_UInt index) {
    auto it = m_glyphs.find(index);
    if (it == m_glyphs.end()) it = m_glyphs.emplace(index, Render(index)).first;
    return it->second;
  }

  TextMetrics ComputeMetrics() {
    const FT_Face face = m_face.Handle();
    const DesignMetrics design = ReadDesignMetrics(face);
    const double scale = static_cast<double>(m_pixelSize) / std::max<FT_UShort>(face->units_per_EM, 1);
    const auto pixels = [scale](double units) { return static_cast<int>(std::lround(units * scale)); };
    TextMetrics m;
    m.ascent = pixels(design.ascent);
    m.descent = pixels(design.descent);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - m_pixelSize);
    m.externalLeading = pixels(design.externalLeading);
    const FT_UInt x = GlyphIndex(U'x');
    m.aveCharWidth = x != 0 ? Glyph(x).advance : std::max(1, m_pixelSize / 2);
    m.maxCharWidth = std::max(m.aveCharWidth, pixels(face->max_advance_width));

    // FreeType gives the centre of the underline stroke, negative below the baseline.
    m.underlineThickness = std::max(1, pixels(face->underline_thickness));
    const double centre = -face->underline_position * scale;
    m.underlineOffset = static_cast<int>(std::lround(centre - m.underlineThickness / 2.0));
    m.underlineOffset = std::clamp(m.underlineOffset, 0, std::max(0, m.descent - m.underlineThickness));
    m.strikeOutThickness = std::max(1, pixels(design.strikeOutSize));
    m.strikeOutOffset =
        std::clamp(pixels(design.strikeOutPosition), m.strikeOutThickness, std::max(m.strikeOutThickness, m.ascent));
    return m;
  }

 private:
  GlyphBitmap Render(FT_UInt index) {
    GlyphBitmap glyph;
    const FT_Face face = m_face.Handle();
    if (FT_Activate_Size(m_size) != 0 || FT_Load_Glyph(face, index, kLoadFlags) != 0) return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (m_embolden) FT_GlyphSlot_Embolden(slot);
    if (m_oblique) FT_GlyphSlot_Oblique(slot);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
      return glyph;
    }
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    CopyBitmap(slot->bitmap, glyph);
    return glyph;
  }

  FontFace& m_face;
  FT_Size m_size;
  int m_pixelSize;
  bool m_embolden;
  bool m_oblique;
  std::unordered_map<FT_UInt, GlyphBitmap> m_glyphs;
};

// ---------------------------------------------------------------------------------------
// Font

Font::Font(SizedFace& primary, SizedFace* fallback)
    : m_primary(&primary), m_fallback(fallback), m_metrics(primary.ComputeMetrics()) {}

const GlyphBitmap& Font::FindGlyph(char32_t codepoint) {
  static const GlyphBitmap kNothing;
  const bool control = codepoint < 0x20 || (codepoint >= 0x7F && codepoint < 0xA0);
  if (codepoint < m_common.size()) {
    const GlyphBitmap*& slot = m_common[codepoint];
    if (!slot) slot = control ? &kNothing : &Lookup(codepoint);
    return *slot;
  }
  auto it = m_others.find(codepoint);
  if (it == m_others.end()) it = m_others.emplace(codepoint, &Lookup(codepoint)).first;
  return *it->second;
}

const GlyphBitmap& Font::Lookup(char32_t codepoint) {
  if (const FT_UInt index = m_primary->GlyphIndex(codepoint)) return m_primary->Glyph(index);
  if (m_fallback) {
    if (const FT_UInt index = m_fallback->GlyphIndex(codepoint)) return m_fallback->Glyph(index);
  }
  return m_primary->Glyph(0);
}

const std::string& Font::Family() const { return m_primary->Face().Family(); }
int Font::PixelSize() const { return m_primary->PixelSize(); }
bool Font::SynthesizesBold() const { return m_primary->Emboldens(); }
bool Font::SynthesizesItalic() const { return m_primary->Obliques(); }

// ---------------------------------------------------------------------------------------
// FontCache

namespace {

struct LogicalFontHash {
  std::size_t operator()(const LogicalFont& f) const {
    std::size_t h = std::hash<std::string>{}(f.name);
    const auto mix = [&h](std::size_t v) { h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
    mix(static_cast<std::size_t>(static_cast<unsigned>(f.height)));
    mix((f.bold ? 1u : 0u) | (f.italic ? 2u : 0u) | (f.underline ? 4u : 0u) | (f.strikeOut ? 8u : 0u));
    mix(f.charSet);
    return h;
  }
};

}  // namespace

struct FontCache::State {
  using FaceQuery = std::tuple<std::string, bool, bool>;          // family, bold, italic
  using SizedKey = std::tuple<const FontFace*, int, bool, bool>;  // face, pixels, embolden, oblique

  // Declared so that fonts go first and the library last on destruction.
  FtLibraryPtr library;
  FcConfigPtr config;
  std::map<std::string, std::unique_ptr<FontFace>> facesByFile;  // "path#index"
  std::map<FaceQuery, FontFace*> faceQueries;                      // null: not installed
  std::map<SizedKey, std::unique_ptr<SizedFace>> sizedFaces;
  std::unordered_map<LogicalFont, std::unique_ptr<Font>, LogicalFontHash> fonts;  // null: unusable
  LogicalFont lastLogical;
  Font* lastFont = nullptr;
  bool hasLast = false;

  WarningSink warn;
  std::set<std::string> warnedFamilies;
  bool anyFontSearched = false;
  FontFace* anyFont = nullptr;

  FontFace* FindFace(std::string_view family, bool bold, bool italic);
  FontFace* FindAnyFace();
  void WarnMissing(std::string_view family, const FontFace* used);
  FontFace* OpenFace(FcPattern* candidate, std::string_view family);
  SizedFace* GetSized(FontFace& face, int pixelSize, bool embolden, bool oblique);
  std::unique_ptr<Font> MakeFont(const LogicalFont& logical);
};

// The installed face of `family` closest to the style: fontconfig lists the family's
// faces (exact family name only, so nothing else can stand in) and the one with the
// right slant, the nearest weight and the most normal width wins. A missing bold or
// italic face gives the regular one; the caller synthesises the style.
FontFace* FontCache::State::FindFace(std::string_view family, bool bold, bool italic) {
  FaceQuery query{std::string(family), bold, italic};
  if (auto it = faceQueries.find(query); it != faceQueries.end()) return it->second;
  FontFace* found = nullptr;
  if (config && library) {
    FcPatternPtr pattern(FcPatternCreate());
    FcObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH,
                                            static_cast<char*>(nullptr)));
    if (pattern && objects &&
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(std::get<0>(query).c_str()))) {
      FcFontSetPtr set(FcFontList(config.get(), pattern.get(), objects.get()));
      std::vector<std::pair<long, FcPattern*>> candidates;
      for (int i = 0; set && i < set->nfont; ++i) {
        FcPattern* p = set->fonts[i];
        if (!FamilyMatches(p, family)) continue;
        const int weight = IntegerOr(p, FC_WEIGHT, FC_WEIGHT_REGULAR);
        const int slant = IntegerOr(p, FC_SLANT, FC_SLANT_ROMAN);
        const int width = IntegerOr(p, FC_WIDTH, FC_WIDTH_NORMAL);
        const bool slanted = slant != FC_SLANT_ROMAN;
        const long score = (slanted != italic ? 1000 : 0) +
                           std::abs(weight - (bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR)) +
                           2L * std::abs(width - FC_WIDTH_NORMAL);
        candidates.emplace_back(score, p);
      }
      // Equal scores are ordered by file name, so the choice does not depend on the
      // order of fontconfig's cache.
      std::sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        FcChar8* fa = nullptr;
        FcChar8* fb = nullptr;
        FcPatternGetString(a.second, FC_FILE, 0, &fa);
        FcPatternGetString(b.second, FC_FILE, 0, &fb);
        return std::strcmp(fa ? reinterpret_cast<const char*>(fa) : "", fb ? reinterpret_cast<const char*>(fb) : "") < 0;
      });
      for (const auto& candidate : candidates) {
        if ((found = OpenFace(candidate.second, family))) break;
      }
    }
  }
  faceQueries.emplace(std::move(query), found);
  return found;
}

FontFace* FontCache::State::OpenFace(FcPattern* candidate, std::string_view family) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(candidate, FC_FILE, 0, &file) != FcResultMatch || !file) return nullptr;
  const int index = IntegerOr(candidate, FC_INDEX, 0);
  const std::string path = reinterpret_cast<const char*>(file);
  const std::string key = path + "#" + std::to_string(index);
  if (auto it = facesByFile.find(key); it != facesByFile.end()) return it->second.get();
  FT_Face raw = nullptr;
  if (FT_New_Face(library.get(), path.c_str(), index, &raw) != 0) return nullptr;
  FtFacePtr face(raw);
  // Only outline fonts can be drawn at any size and synthesised.
  if (!FT_IS_SCALABLE(raw) || raw->units_per_EM == 0) return nullptr;
  const bool bold = IntegerOr(candidate, FC_WEIGHT, FC_WEIGHT_REGULAR) >= FC_WEIGHT_DEMIBOLD;
  const bool italic = IntegerOr(candidate, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  auto owned = std::make_unique<FontFace>(std::move(face), std::string(family), bold, italic);
  FontFace* result = owned.get();
  facesByFile.emplace(key, std::move(owned));
  return result;
}

// Fontconfig's best match for a plain sans face among whatever is installed: a stand-in
// when neither the mapped family nor the fallback family is there.
FontFace* FontCache::State::FindAnyFace() {
  if (anyFontSearched) return anyFont;
  anyFontSearched = true;
  if (!config || !library) return nullptr;
  FcPatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
  if (!pattern) return nullptr;
  FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  FcFontSetPtr sorted(FcFontSort(config.get(), pattern.get(), FcTrue, nullptr, &result));
  for (int i = 0; sorted && i < sorted->nfont && !anyFont; ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(sorted->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch || !family) continue;
    anyFont = OpenFace(sorted->fonts[i], reinterpret_cast<const char*>(family));
  }
  return anyFont;
}

void FontCache::State::WarnMissing(std::string_view family, const FontFace* used) {
  if (!warn || !warnedFamilies.emplace(family).second) return;
  std::string text = "tappomat: the font family \"" + std::string(family) + "\" is not installed";
  if (family != kFallbackFamily && !FindFace(kFallbackFamily, false, false))
    text += ", nor \"" + std::string(kFallbackFamily) + "\"";
  if (used) {
    text += "; text is drawn in \"" + used->Family() + "\" instead";
  } else {
    text += ", nor any other usable font: text cannot be shown";
  }
  warn(text + " (on Debian: apt-get install fonts-liberation fonts-dejavu-core)");
}

SizedFace* FontCache::State::GetSized(FontFace& face, int pixelSize, bool embolden, bool oblique) {
  const SizedKey key{&face, pixelSize, embolden, oblique};
  if (auto it = sizedFaces.find(key); it != sizedFaces.end()) return it->second.get();
  std::unique_ptr<SizedFace> sized = SizedFace::Create(face, pixelSize, embolden, oblique);
  SizedFace* result = sized.get();
  if (sized) sizedFaces.emplace(key, std::move(sized));
  return result;
}

std::unique_ptr<Font> FontCache::State::MakeFont(const LogicalFont& logical) {
  const std::string_view family = MapFontFamily(logical.name);
  FontFace* mapped = FindFace(family, logical.bold, logical.italic);
  FontFace* fallback = FindFace(kFallbackFamily, logical.bold, logical.italic);
  FontFace* any = mapped || fallback ? nullptr : FindAnyFace();
  if (!mapped) WarnMissing(family, fallback ? fallback : any);
  if (!fallback) fallback = any;
  for (FontFace* face : {mapped, fallback}) {
    if (!face) continue;
    const int pixels = PixelSizeFor(face->Handle(), logical.height);
    SizedFace* primary = GetSized(*face, pixels, logical.bold && !face->IsBold(), logical.italic && !face->IsItalic());
    if (!primary) continue;
    SizedFace* second = nullptr;
    if (fallback && fallback != face) {
      second = GetSized(*fallback, pixels, logical.bold && !fallback->IsBold(),
                        logical.italic && !fallback->IsItalic());
    }
    return std::make_unique<Font>(*primary, second);
  }
  return nullptr;
}

FontCache::FontCache() : m_state(std::make_unique<State>()) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) == 0) m_state->library.reset(library);
  m_state->config.reset(FcInitLoadConfigAndFonts());
  m_state->warn = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
}

FontCache::FontCache(const std::vector<std::string>& fontFiles, WarningSink warn)
    : m_state(std::make_unique<State>()) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) == 0) m_state->library.reset(library);
  m_state->config.reset(FcConfigCreate());
  for (const std::string& file : fontFiles)
    FcConfigAppFontAddFile(m_state->config.get(), reinterpret_cast<const FcChar8*>(file.c_str()));
  m_state->warn = std::move(warn);
}

FontCache::~FontCache() = default;

FontCache& FontCache::Instance() {
  static FontCache instance;
  return instance;
}

Font* FontCache::Get(const LogicalFont& logical) {
  State& s = *m_state;
  if (s.hasLast && s.lastLogical == logical) return s.lastFont;
  auto it = s.fonts.find(logical);
  if (it == s.fonts.end()) it = s.fonts.emplace(logical, s.MakeFont(logical)).first;
  s.lastLogical = logical;
  s.lastFont = it->second.get();
  s.hasLast = true;
  return s.lastFont;
}

bool FontCache::FontsAvailable() { return Get(LogicalFont{}) != nullptr; }

}  // namespace tappomat
