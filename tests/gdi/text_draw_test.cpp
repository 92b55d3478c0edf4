// Text drawn into bitmaps: colours, clipping, backgrounds, underlines, and one golden
// image of Russian and English text in the fonts the program uses.
#include <string>

#include <gtest/gtest.h>

#include "gdi/device_context.h"
#include "gdi/font_cache.h"
#include "gdi/text.h"
#include "gdi/text_layout.h"
#include "support/golden.h"

namespace tappomat {
namespace {

constexpr Pixel kWhite = MakePixel(255, 255, 255);
constexpr Pixel kMarker = MakePixel(10, 200, 30);  // a background no text colour here uses

LogicalFont Font(int height, bool bold = false, const char* name = "MS Sans Serif") {
  LogicalFont f;
  f.name = name;
  f.height = height;
  f.bold = bold;
  return f;
}

// Pixels of `bitmap` that differ from `background`, inside and outside `inside`.
struct Changes {
  int inside = 0;
  int outside = 0;
};

Changes CountChanges(const Bitmap32& bitmap, Pixel background, const Rect& inside) {
  Changes c;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.At(x, y) == background) continue;
      (inside.Contains(Point{x, y}) ? c.inside : c.outside)++;
    }
  }
  return c;
}

bool RowIs(const Bitmap32& bitmap, int y, int left, int right, Pixel value) {
  for (int x = left; x < right; ++x) {
    if (bitmap.At(x, y) != value) return false;
  }
  return true;
}

TEST(TextDraw, FontsAreAvailable) { EXPECT_TRUE(FontCache::Instance().FontsAvailable()); }

TEST(TextDraw, FullCoverageGivesExactlyTheTextColour) {
  Bitmap32 bmp(60, 20, kWhite);
  DeviceContext dc(bmp);
  dc.SetFont(Font(-13, true));
  dc.SetTextColor(RGB(200, 0, 0));
  dc.SetBkMode(BkMode::Transparent);
  TextOut(dc, 2, 2, "IlH");
  int exact = 0;
  for (Pixel p : bmp.Pixels()) {
    if (p == MakePixel(200, 0, 0)) ++exact;
    // Partly covered pixels lie between the text colour and white, and are opaque.
    EXPECT_EQ(PixelA(p), 255);
    EXPECT_EQ(PixelG(p), PixelB(p));
  }
  EXPECT_GT(exact, 10);
}

TEST(TextDraw, WrittenPixelsBecomeOpaque) {
  Bitmap32 bmp(60, 20, MakePixel(255, 255, 255, 0));
  DeviceContext dc(bmp);
  dc.SetFont(Font(-13));
  dc.SetBkMode(BkMode::Transparent);
  TextOut(dc, 2, 2, "Record");
  int opaque = 0;
  for (Pixel p : bmp.Pixels()) {
    if (PixelA(p) == 255) {
      ++opaque;
      EXPECT_NE(PixelRGB(p), 0xFFFFFFu);
    } else {
      EXPECT_EQ(p, MakePixel(255, 255, 255, 0));
    }
  }
  EXPECT_GT(opaque, 20);
}

TEST(TextDraw, DrawingStaysInsideTheRectangleUnlessNoClip) {
  const Rect rect{10, 10, 40, 20};  // narrower and lower than the text
  const std::string text = "Скрипт: Запись Alt+F1, Старт Alt+F2";
  for (unsigned format : {DT_SINGLELINE, DT_WORDBREAK, DT_SINGLELINE | DT_VCENTER | DT_CENTER}) {
    SCOPED_TRACE(format);
    Bitmap32 bmp(200, 60, kMarker);
    DeviceContext dc(bmp);
    dc.SetFont(Font(-13));
    Rect r = rect;
    DrawText(dc, text, r, format);
    const Changes clipped = CountChanges(bmp, kMarker, rect);
    EXPECT_GT(clipped.inside, 0);
    EXPECT_EQ(clipped.outside, 0);
    EXPECT_EQ(r, rect) << "only DT_CALCRECT changes the rectangle";

    bmp.Fill(kMarker);
    r = rect;
    DrawText(dc, text, r, format | DT_NOCLIP);
    EXPECT_GT(CountChanges(bmp, kMarker, rect).outside, 0);
  }
}

TEST(TextDraw, ClipRegionAndOriginAreRespected) {
  Bitmap32 bmp(120, 40, kMarker);
  DeviceContext dc(bmp);
  dc.SetFont(Font(-13));
  dc.SetOrigin({20, 5});
  dc.ExcludeClipRect({10, 0, 30, 40});  // device columns 30..49
  TextOut(dc, 0, 0, "WWWWWWWWWW");
  const Changes c = CountChanges(bmp, kMarker, Rect{30, 0, 50, 40});
  EXPECT_EQ(c.inside, 0);
  EXPECT_GT(c.outside, 0);
  // Nothing left of the origin, nothing above it.
  EXPECT_EQ(CountChanges(bmp, kMarker, Rect{20, 5, 120, 40}).outside, 0);
}

TEST(TextDraw, OpaqueModeFillsTheTextExtentFirst) {
  const LogicalFont font = Font(-13);
  const Size extent = GetTextExtent(font, "Name");
  for (BkMode mode : {BkMode::Opaque, BkMode::Transparent}) {
    Bitmap32 bmp(80, 30, kWhite);
    DeviceContext dc(bmp);
    dc.SetFont(font);
    dc.SetBkMode(mode);
    dc.SetBkColor(RGB(0, 0, 255));
    TextOut(dc, 5, 5, "Name");
    const Pixel blue = MakePixel(0, 0, 255);
    const Pixel corner = mode == BkMode::Opaque ? blue : kWhite;
    // The top row of the cell holds no glyph pixels in this font (internal leading).
    EXPECT_EQ(bmp.At(5, 5), corner);
    EXPECT_EQ(bmp.At(5 + extent.width - 1, 5 + extent.height - 1), corner);
    EXPECT_EQ(bmp.At(5 + extent.width, 5), kWhite);
    EXPECT_EQ(bmp.At(5, 5 + extent.height), kWhite);
    EXPECT_EQ(bmp.At(4, 5), kWhite);
  }
}

TEST(TextDraw, PrefixUnderlineIsDrawnUnlessHidden) {
  const LogicalFont font = Font(-13);
  const TextMetrics m = GetTextMetrics(font);
  const int row = 2 + m.ascent + 1;
  const int left = 2 + GetTextExtent(font, "Save ").width;
  const int right = 2 + GetTextExtent(font, "Save A").width - 1;
  struct {
    unsigned format;
    bool underline;
    bool text;
  } const cases[] = {
      {0, true, true},
      {DT_HIDEPREFIX, false, true},
      {DT_NOPREFIX, false, true},
      {DT_PREFIXONLY, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    Bitmap32 bmp(120, 30, kWhite);
    DeviceContext dc(bmp);
    dc.SetFont(font);
    Rect r{2, 2, 118, 28};
    DrawText(dc, "Save &As", r, DT_SINGLELINE | c.format);
    EXPECT_EQ(RowIs(bmp, row, left, right, MakePixel(0, 0, 0)), c.underline);
    if (c.format == DT_PREFIXONLY) {
      EXPECT_EQ(CountChanges(bmp, kWhite, Rect{left, row, right, row + 1}).outside, 0);
    }
    EXPECT_EQ(CountChanges(bmp, kWhite, Rect{0, 0, 120, row}).inside > 0, c.text);
  }
}

TEST(TextDraw, FontUnderlineAndStrikeOutSpanTheText) {
  LogicalFont font = Font(-13);
  font.underline = true;
  font.strikeOut = true;
  const TextMetrics m = GetTextMetrics(font);
  const int width = GetTextExtent(font, "Record").width;
  Bitmap32 bmp(80, 30, kWhite);
  DeviceContext dc(bmp);
  dc.SetFont(font);
  dc.SetBkMode(BkMode::Transparent);
  TextOut(dc, 3, 4, "Record");
  const int baseline = 4 + m.ascent;
  EXPECT_TRUE(RowIs(bmp, baseline + m.underlineOffset, 3, 3 + width, MakePixel(0, 0, 0)));
  EXPECT_TRUE(RowIs(bmp, baseline - m.strikeOutOffset, 3, 3 + width, MakePixel(0, 0, 0)));
  EXPECT_EQ(bmp.At(3 + width, baseline + m.underlineOffset), kWhite);
}

TEST(TextDraw, CalcRectDrawsNothingAndMatchesTheLayout) {
  Bitmap32 bmp(100, 60, kMarker);
  DeviceContext dc(bmp);
  dc.SetFont(Font(-11));
  const int h = GetTextMetrics(dc).height;
  Rect r{4, 6, 4 + GetTextExtent(dc, "Record the").width, 6};
  const int height = DrawText(dc, "Record the script", r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(height, 2 * h);
  EXPECT_EQ(r, (Rect{4, 6, 4 + GetTextExtent(dc, "Record the").width, 6 + 2 * h}));
  EXPECT_EQ(CountChanges(bmp, kMarker, bmp.Bounds()).inside, 0);

  // Drawn into the rectangle it computed, the text is not cut.
  EXPECT_EQ(DrawText(dc, "Record the script", r, DT_WORDBREAK), 2 * h);
  EXPECT_EQ(CountChanges(bmp, kMarker, r).outside, 0);
}

TEST(TextDraw, BrokenUtf8DrawsReplacementCharacters) {
  const LogicalFont font = Font(-13);
  EXPECT_EQ(GetTextExtent(font, "a\xFF" "b").width, GetTextExtent(font, "a\xEF\xBF\xBD" "b").width);
  Bitmap32 a(60, 20, kWhite);
  Bitmap32 b(60, 20, kWhite);
  DeviceContext dcA(a);
  DeviceContext dcB(b);
  dcA.SetFont(font);
  dcB.SetFont(font);
  TextOut(dcA, 2, 2, "\xD0\xE2\x82");
  TextOut(dcB, 2, 2, "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(a, b);
}

// The fonts and sizes of the program's dialogs, grid and menus. Look at the golden image
// when it changes: Cyrillic and Latin glyphs, no boxes, crisp baselines.
TEST(TextDraw, RussianAndEnglishGolden) {
  struct Row {
    LogicalFont font;
    const char* text;
  };
  const char* const script = "Скрипт: Запись Alt+F1, Старт Alt+F2   Script: Record Alt+F1, Play Alt+F2";
  const Row rows[] = {
      {Font(-11), script},
      {Font(-11, true), script},
      {Font(-13), script},
      {Font(-13, true), script},
      {Font(-11, false, "Arial Narrow"), script},
      {Font(-11, true, "Arial Narrow"), script},
      {Font(-13, false, "Arial Narrow"), script},
      {Font(-13, true, "Arial Narrow"), script},
      {Font(-11), "Съешь же ещё этих мягких французских булок, да выпей же чаю"},
      {Font(-13), "Съешь же ещё этих мягких французских булок, да выпей же чаю"},
      {Font(-11), "The quick brown fox jumps over the lazy dog 0123456789"},
      {Font(-13), "The quick brown fox jumps over the lazy dog 0123456789"},
      {Font(-13, true), "&Файл  &Правка  Сохранить &как...  &File  &Edit  Save &As..."},
  };
  Bitmap32 bmp(480, 196, kWhite);
  DeviceContext dc(bmp);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkMode(BkMode::Transparent);
  int y = 3;
  for (const Row& row : rows) {
    dc.SetFont(row.font);
    Rect r{4, y, 476, 196};
    y += DrawText(dc, row.text, r, DT_SINGLELINE | DT_END_ELLIPSIS) + 1;
  }
  EXPECT_LE(y, 196);
  EXPECT_TRUE(test::MatchesGolden(bmp, "text_ru_en"));
}

}  // namespace
}  // namespace tappomat
