// Logical fonts resolved to installed faces: the family table, the two meanings of a
// height, styles, glyph fallback and the metrics the layout relies on.
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gdi/font_cache.h"
#include "gdi/font_mapping.h"
#include "gdi/text.h"

namespace tappomat {
namespace {

LogicalFont Named(const char* name, int height = -13) {
  LogicalFont f;
  f.name = name;
  f.height = height;
  return f;
}

Font& Resolve(const LogicalFont& logical) {
  Font* font = FontCache::Instance().Get(logical);
  if (!font) throw std::runtime_error("no font for " + logical.name);
  return *font;
}

TEST(FontMapping, WindowsNamesResolveToInstalledMetricCompatibleFamilies) {
  struct {
    const char* name;
    std::string_view family;
  } const cases[] = {
      {"MS Sans Serif", kLiberationSans},
      {"Microsoft Sans Serif", kLiberationSans},
      {"Arial", kLiberationSans},
      {"Tahoma", kLiberationSans},
      {"Verdana", kLiberationSans},
      {"Segoe UI", kLiberationSans},
      {"  arial  ", kLiberationSans},
      {"Some Unknown Sans", kLiberationSans},
      {"", kLiberationSans},
      {"Arial Narrow", kLiberationSansNarrow},
      {"ARIAL NARROW", kLiberationSansNarrow},
      {"Courier New", kLiberationMono},
      {"Unknown Mono", kLiberationMono},
      {"Times New Roman", kLiberationSerif},
      {"Unknown Serif", kLiberationSerif},
      {"DejaVu Sans", kFallbackFamily},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MapFontFamily(c.name), c.family);
    // fontconfig found exactly that family, not a substitute.
    EXPECT_EQ(Resolve(Named(c.name)).Family(), c.family);
  }
}

TEST(Font, NegativeHeightIsTheEmSizePositiveTheCell) {
  for (const char* name : {"MS Sans Serif", "Arial Narrow", "Courier New", "Times New Roman"}) {
    SCOPED_TRACE(name);
    for (int size : {8, 11, 13, 16, 24}) {
      SCOPED_TRACE(size);
      const Font& em = Resolve(Named(name, -size));
      EXPECT_EQ(em.PixelSize(), size);
      EXPECT_GT(em.Metrics().height, size);  // the cell adds the internal leading
      EXPECT_EQ(em.Metrics().internalLeading, em.Metrics().height - size);

      const TextMetrics cell = GetTextMetrics(Named(name, size));
      EXPECT_EQ(cell.height, cell.ascent + cell.descent);
      EXPECT_NEAR(cell.height, size, 1);
    }
  }
  // Height 0: the default dialog font, a cell of about 13 pixels.
  EXPECT_NEAR(GetTextMetrics(Named("MS Sans Serif", 0)).height, 13, 1);
}

TEST(Font, MetricsAreConsistentWithMeasuring) {
  const LogicalFont logical = Named("MS Sans Serif", -11);
  Font& font = Resolve(logical);
  const TextMetrics m = font.Metrics();
  EXPECT_EQ(m.height, m.ascent + m.descent);
  EXPECT_GT(m.descent, 0);
  EXPECT_EQ(m.aveCharWidth, font.Advance(U'x'));
  EXPECT_GE(m.maxCharWidth, font.Advance(U'W'));
  EXPECT_GE(m.underlineThickness, 1);
  EXPECT_LE(m.underlineOffset + m.underlineThickness, m.descent);
  EXPECT_GE(m.strikeOutThickness, 1);
  EXPECT_LT(m.strikeOutOffset, m.ascent);

  EXPECT_EQ(GetTextExtent(logical, "Record script"),
            (Size{GetTextExtent(logical, "Record").width + GetTextExtent(logical, " script").width, m.height}));
  EXPECT_EQ(GetTextExtent(logical, "").width, 0);
  // Control characters have no width, measured or drawn.
  EXPECT_EQ(GetTextExtent(logical, "a\tb\r\n").width, GetTextExtent(logical, "ab").width);

  Bitmap32 bmp(4, 4);
  DeviceContext dc(bmp);
  dc.SetFont(logical);
  EXPECT_EQ(GetTextExtent(dc, "Запись"), GetTextExtent(logical, "Запись"));
  EXPECT_EQ(GetTextMetrics(dc), m);
}

TEST(Font, BoldAndItalicUseTheRealFaces) {
  LogicalFont regular = Named("MS Sans Serif", -13);
  LogicalFont bold = regular;
  bold.bold = true;
  LogicalFont italic = regular;
  italic.italic = true;
  for (const char* text : {"Record script", "Скрипт: Запись"}) {
    SCOPED_TRACE(text);
    EXPECT_GT(GetTextExtent(bold, text).width, GetTextExtent(regular, text).width);
  }
  EXPECT_FALSE(Resolve(bold).SynthesizesBold());
  EXPECT_FALSE(Resolve(italic).SynthesizesItalic());
  EXPECT_NE(&Resolve(bold).Glyph(U'a'), &Resolve(regular).Glyph(U'a'));
  EXPECT_NE(&Resolve(italic).Glyph(U'a'), &Resolve(regular).Glyph(U'a'));
}

TEST(Font, CharactersTheFaceLacksComeFromTheFallbackFace) {
  Font& font = Resolve(Named("MS Sans Serif", -13));
  // U+2713 CHECK MARK is in DejaVu Sans, not in Liberation Sans; U+10FFFD is in no font.
  const GlyphBitmap& missing = font.Glyph(0x10FFFD);
  const GlyphBitmap& check = font.Glyph(0x2713);
  EXPECT_NE(&check, &missing);
  EXPECT_GT(check.advance, 0);
  EXPECT_FALSE(check.coverage.empty());
  // The missing-character box is drawn, not nothing.
  EXPECT_GT(missing.advance, 0);
  EXPECT_FALSE(missing.coverage.empty());
}

TEST(Font, GlyphsAreSharedByFontsOfTheSameFaceAndSize) {
  LogicalFont underlined = Named("MS Sans Serif", -13);
  underlined.underline = true;
  Font& a = Resolve(Named("Arial", -13));
  Font& b = Resolve(underlined);
  EXPECT_NE(&a, &b);
  EXPECT_EQ(&a.Glyph(U'Ж'), &b.Glyph(U'Ж'));
  EXPECT_NE(&a.Glyph(U'Ж'), &Resolve(Named("Arial", -11)).Glyph(U'Ж'));
}

TEST(Font, ExtremeHeightsAreClampedNotFatal) {
  for (int height : {1, -1, 100000, -100000, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
    SCOPED_TRACE(height);
    const Font& font = Resolve(Named("Arial", height));
    EXPECT_GE(font.PixelSize(), 1);
    EXPECT_LE(font.PixelSize(), 1000);
  }
}

}  // namespace
}  // namespace tappomat

namespace tappomat {
namespace {

// A machine without the mapped families and without the fallback family: text is drawn
// in whatever scalable font is installed, and a warning names the missing families once.
TEST(FontCacheWithoutTheUsualFonts, AnyInstalledFontStandsInWithOneWarningPerFamily) {
  const std::string mono = "/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf";
  if (!std::filesystem::exists(mono)) GTEST_SKIP() << mono << " is not installed";
  std::vector<std::string> warnings;
  FontCache cache({mono}, [&](const std::string& text) { warnings.push_back(text); });
  Font* font = cache.Get(LogicalFont{"MS Sans Serif", -11});
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->Family(), "Liberation Mono");
  EXPECT_NE(cache.Get(LogicalFont{"MS Sans Serif", -14, true}), nullptr);
  ASSERT_EQ(warnings.size(), 1u) << "once per missing family";
  EXPECT_EQ(warnings[0],
            "tappomat: the font family \"Liberation Sans\" is not installed, nor \"DejaVu Sans\"; "
            "text is drawn in \"Liberation Mono\" instead (on Debian: apt-get install "
            "fonts-liberation fonts-dejavu-core)");
  cache.Get(LogicalFont{"Arial Narrow", -13});
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_NE(warnings[1].find("\"Liberation Sans Narrow\""), std::string::npos);
}

TEST(FontCacheWithoutTheUsualFonts, NoFontAtAllIsSaidOnce) {
  std::vector<std::string> warnings;
  FontCache cache({}, [&](const std::string& text) { warnings.push_back(text); });
  EXPECT_EQ(cache.Get(LogicalFont{"MS Sans Serif", -11}), nullptr);
  EXPECT_EQ(cache.Get(LogicalFont{"MS Sans Serif", -12}), nullptr);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("nor any other usable font: text cannot be shown"), std::string::npos);
}

}  // namespace
}  // namespace tappomat
