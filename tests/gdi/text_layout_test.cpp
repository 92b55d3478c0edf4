// DrawText layout rules, checked against the extents of the pieces of text measured with
// the real font, so the expectations hold whatever the exact glyph widths are.
#include "gdi/text_layout.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gdi/font_cache.h"
#include "gdi/text.h"

namespace tappomat {
namespace {

class FontAdvances final : public TextMeasure {
 public:
  explicit FontAdvances(Font& font) : m_font(font) {}
  int Advance(char32_t codepoint) override { return m_font.Advance(codepoint); }

 private:
  Font& m_font;
};

LogicalFont DialogFont() {
  LogicalFont f;
  f.name = "MS Sans Serif";
  f.height = -13;
  return f;
}

class TextLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_font = FontCache::Instance().Get(DialogFont());
    ASSERT_NE(m_font, nullptr) << "no font installed";
    m_metrics = m_font->Metrics();
  }

  int Extent(std::string_view text) const { return GetTextExtent(DialogFont(), text).width; }

  TextLayout Layout(std::string_view text, const Rect& rect, unsigned format) {
    FontAdvances advances(*m_font);
    return LayoutText(text, rect, format, m_metrics, advances);
  }

  static std::vector<std::string> Texts(const TextLayout& layout) {
    std::vector<std::string> texts;
    for (const LayoutLine& line : layout.lines) texts.push_back(line.Text());
    return texts;
  }

  Font* m_font = nullptr;
  TextMetrics m_metrics;
};

// ---------------------------------------------------------------------------------------
// Which text ends up on which line.

struct LineCase {
  const char* what;
  const char* text;
  unsigned format;
  const char* widthOf;  // the rectangle is as wide as this text...
  int slack;            // ...plus this many pixels
  std::vector<std::string> lines;
};

const LineCase kLineCases[] = {
    {"a line that fits exactly stays whole", "Record the script", DT_WORDBREAK, "Record the script", 0,
     {"Record the script"}},
    {"the word that overflows moves down", "Record the script", DT_WORDBREAK, "Record the", 0,
     {"Record the", "script"}},
    {"one pixel short moves the word down", "xx xx xx", DT_WORDBREAK, "xx xx", -1, {"xx", "xx", "xx"}},
    {"spaces at a break are dropped, spaces inside a line kept", "one  two   three", DT_WORDBREAK, "one  two", 0,
     {"one  two", "three"}},
    {"Cyrillic words break the same way", "Скрипт: Запись Alt+F1", DT_WORDBREAK, "Скрипт: Запись", 0,
     {"Скрипт: Запись", "Alt+F1"}},
    {"a word wider than the line overflows whole", "Supercalifragilistic word", DT_WORDBREAK, "Super", 0,
     {"Supercalifragilistic", "word"}},
    {"DT_EDITCONTROL breaks inside a long word", "xxxxxx", DT_WORDBREAK | DT_EDITCONTROL, "xxx", 0, {"xxx", "xxx"}},
    {"width 1 puts each word on its own line", "line1 line2", DT_WORDBREAK, "", 1, {"line1", "line2"}},
    {"width 1 with DT_EDITCONTROL puts each character on its own line", "ab cd", DT_WORDBREAK | DT_EDITCONTROL, "",
     1, {"a", "b", "c", "d"}},
    {"CR LF, LF CR, LF and CR each end a line", "a\r\nb\n\rc\nd\re", 0, "", 200, {"a", "b", "c", "d", "e"}},
    {"two LFs make an empty line", "a\n\nb", 0, "", 200, {"a", "", "b"}},
    {"a break at the very end adds no line", "a\n", 0, "", 200, {"a"}},
    {"hard breaks and word breaks together", "xx xx\nxx", DT_WORDBREAK, "xx", 0, {"xx", "xx", "xx"}},
    {"DT_SINGLELINE skips CR and LF", "a\r\nb\nc", DT_SINGLELINE, "", 200, {"abc"}},
    {"DT_SINGLELINE ignores DT_WORDBREAK", "Record the script", DT_SINGLELINE | DT_WORDBREAK, "Record", 0,
     {"Record the script"}},
    {"DT_END_ELLIPSIS: the text before the dots fits with them", "Record script", DT_SINGLELINE | DT_END_ELLIPSIS,
     "Record...", 0, {"Record..."}},
    {"DT_END_ELLIPSIS leaves text that fits alone", "Record", DT_SINGLELINE | DT_END_ELLIPSIS, "Record", 0,
     {"Record"}},
    {"DT_END_ELLIPSIS keeps the dots when nothing else fits", "Record", DT_SINGLELINE | DT_END_ELLIPSIS, "", 1,
     {"..."}},
    {"DT_END_ELLIPSIS on each too-wide line of unbroken text", "Record script\nPlay\nRecord script",
     DT_END_ELLIPSIS | DT_NOCLIP, "Record...", 0, {"Record...", "Play", "Record..."}},
    {"DT_END_ELLIPSIS spares a long word inside a wrapped paragraph", "Supercalifragilistic word",
     DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOCLIP, "Supe...", 0, {"Supercalifragilistic", "word"}},
    {"DT_END_ELLIPSIS cuts a long word that ends a paragraph", "word Supercalifragilistic",
     DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOCLIP, "Supe...", 0, {"word", "Supe..."}},
    {"DT_WORD_ELLIPSIS cuts every line that does not fit", "Supercalifragilistic word",
     DT_WORDBREAK | DT_WORD_ELLIPSIS | DT_NOCLIP, "Supe...", 0, {"Supe...", "word"}},
    {"DT_PATH_ELLIPSIS keeps the part after the last backslash", "C:\\Program Files\\Tappomat\\script.tps",
     DT_SINGLELINE | DT_PATH_ELLIPSIS, "C:\\Pro...\\script.tps", 0, {"C:\\Pro...\\script.tps"}},
    {"DT_PATH_ELLIPSIS works with slashes too", "/home/user/scripts/click.tps", DT_SINGLELINE | DT_PATH_ELLIPSIS,
     "/home/us.../click.tps", 0, {"/home/us.../click.tps"}},
    {"DT_PATH_ELLIPSIS without a slash cuts the end", "Record script", DT_SINGLELINE | DT_PATH_ELLIPSIS,
     "Record...", 0, {"Record..."}},
    {"DT_PATH_ELLIPSIS and DT_END_ELLIPSIS when the file name alone is too wide", "C:\\dir\\Supercalifragilistic",
     DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS, "...\\Super...", 0, {"...\\Super..."}},
    {"DT_RTLREADING changes nothing for Latin and Cyrillic", "Record the script Запись",
     DT_WORDBREAK | DT_RTLREADING, "Record the", 0, {"Record the", "script", "Запись"}},
};

TEST_F(TextLayoutTest, LinesBreakAtTheLineEndRules) {
  for (const LineCase& c : kLineCases) {
    SCOPED_TRACE(c.what);
    const int width = Extent(c.widthOf) + c.slack;
    const TextLayout layout = Layout(c.text, Rect{0, 0, width, 1000}, c.format);
    EXPECT_EQ(Texts(layout), c.lines);
    for (const LayoutLine& line : layout.lines) EXPECT_EQ(line.width, Extent(line.Text())) << line.Text();
  }
}

TEST_F(TextLayoutTest, EllipsisTakesAsMuchTextAsFits) {
  const std::string text = "The quick brown fox jumps over the lazy dog";
  for (int width = 20; width < Extent(text); width += 7) {
    const TextLayout layout = Layout(text, Rect{0, 0, width, 50}, DT_SINGLELINE | DT_END_ELLIPSIS);
    ASSERT_EQ(layout.lines.size(), 1u);
    const std::string line = layout.lines[0].Text();
    ASSERT_GE(line.size(), 3u);
    const std::string kept = line.substr(0, line.size() - 3);
    EXPECT_EQ(line.substr(line.size() - 3), "...");
    EXPECT_EQ(text.substr(0, kept.size()), kept);
    EXPECT_LE(layout.lines[0].width, width) << line;
    EXPECT_GT(Extent(text.substr(0, kept.size() + 1) + "..."), width) << line << ": one more character fits";
  }
}

// ---------------------------------------------------------------------------------------
// Prefixes

struct PrefixCase {
  const char* text;
  unsigned format;
  const char* shown;
  char32_t underlined;  // 0: none
};

const PrefixCase kPrefixCases[] = {
    {"&File", 0, "File", U'F'},
    {"Save &As", 0, "Save As", U'A'},
    {"Drag && drop", 0, "Drag & drop", 0},
    {"&&&x", 0, "&x", U'x'},
    {"&Open &Recent", 0, "Open Recent", U'R'},  // only the last prefix of a line
    {"Menu&", 0, "Menu", 0},
    {"&Файл", 0, "Файл", U'Ф'},
    {"&File", DT_NOPREFIX, "&File", 0},
    {"&File", DT_HIDEPREFIX, "File", 0},
    {"&File", DT_PREFIXONLY, "File", U'F'},
};

TEST_F(TextLayoutTest, PrefixesDrawTheNextCharacterAndUnderlineTheLast) {
  for (const PrefixCase& c : kPrefixCases) {
    SCOPED_TRACE(c.text);
    const TextLayout layout = Layout(c.text, Rect{0, 0, 300, 50}, DT_SINGLELINE | c.format);
    ASSERT_EQ(layout.lines.size(), 1u);
    const LayoutLine& line = layout.lines[0];
    EXPECT_EQ(line.Text(), c.shown);
    if (c.underlined == 0) {
      EXPECT_EQ(line.prefix, -1);
    } else {
      ASSERT_GE(line.prefix, 0);
      EXPECT_EQ(line.glyphs[static_cast<std::size_t>(line.prefix)].codepoint, c.underlined);
    }
  }
}

TEST_F(TextLayoutTest, PrefixUnderlineSpansTheCharacterLessOnePixel) {
  const TextLayout layout = Layout("Save &As", Rect{10, 0, 300, 50}, DT_SINGLELINE);
  const LayoutLine& line = layout.lines.at(0);
  EXPECT_EQ(line.UnderlineLeft(), 10 + Extent("Save "));
  EXPECT_EQ(line.UnderlineRight(), 10 + Extent("Save A") - 1);
}

TEST_F(TextLayoutTest, EachLineUnderlinesItsOwnPrefix) {
  const TextLayout layout = Layout("&Open\nSave &As", Rect{0, 0, 300, 100}, 0);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.lines[0].prefix, 0);
  EXPECT_EQ(layout.lines[1].prefix, 5);
}

// ---------------------------------------------------------------------------------------
// Tabs

TEST_F(TextLayoutTest, TabsExpandToMultiplesOfEightAverageCharacters) {
  const int stop = 8 * m_metrics.aveCharWidth;
  ASSERT_GT(stop, 0);
  struct {
    const char* text;
    unsigned format;
    int bAt;  // x of the 'b'
  } const cases[] = {
      {"a\tb", DT_EXPANDTABS, stop},
      {"\t\tb", DT_EXPANDTABS, 2 * stop},
      // Text ending exactly on a stop moves on to the next one ('x' is the average width).
      {"xxxxxxxx\tb", DT_EXPANDTABS, 2 * stop},
      {"a\tb", DT_EXPANDTABS | DT_TABSTOP | (2u << 8), 2 * m_metrics.aveCharWidth},
      {"a\tb", 0, Extent("a")},  // without DT_EXPANDTABS a tab has no width
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const TextLayout layout = Layout(c.text, Rect{0, 0, 500, 50}, DT_SINGLELINE | c.format);
    const LayoutLine& line = layout.lines.at(0);
    EXPECT_EQ(line.glyphs.back().codepoint, U'b');
    EXPECT_EQ(line.glyphs.back().x, c.bAt);
    EXPECT_EQ(line.width, c.bAt + Extent("b"));
  }
}

TEST_F(TextLayoutTest, TabStopWidthBitsAreNotFlags) {
  // 4 << 8 is the DT_CALCRECT bit; with DT_TABSTOP it is a tab width of 4 characters.
  const TextLayout layout = Layout("a\tb", Rect{0, 0, 500, 0}, DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
  EXPECT_EQ(layout.lines.at(0).glyphs.back().x, 4 * m_metrics.aveCharWidth);
}

// ---------------------------------------------------------------------------------------
// Positions

TEST_F(TextLayoutTest, HorizontalAlignmentIsPerLine) {
  const Rect rect{10, 0, 111, 100};
  const TextLayout centred = Layout("Play\nRecord script", rect, DT_CENTER);
  ASSERT_EQ(centred.lines.size(), 2u);
  EXPECT_EQ(centred.lines[0].x, (10 + 111 - Extent("Play")) / 2);
  EXPECT_EQ(centred.lines[1].x, (10 + 111 - Extent("Record script")) / 2);
  const TextLayout right = Layout("Play\nRecord script", rect, DT_RIGHT);
  EXPECT_EQ(right.lines[0].x, 111 - Extent("Play"));
  EXPECT_EQ(right.lines[1].x, 111 - Extent("Record script"));
  const TextLayout left = Layout("Play", rect, DT_LEFT);
  EXPECT_EQ(left.lines[0].x, 10);
}

TEST_F(TextLayoutTest, VerticalAlignmentOnlyWithSingleLine) {
  const int h = m_metrics.height;
  ASSERT_EQ(h % 2, 1) << "an odd height tells top + (height - h) / 2 from top + height / 2 - h / 2";
  const Rect rect{0, 10, 100, 50};
  struct {
    unsigned format;
    int y;
  } const cases[] = {
      {DT_SINGLELINE | DT_TOP, 10},
      {DT_SINGLELINE | DT_VCENTER, 10 + 40 / 2 - h / 2},
      {DT_SINGLELINE | DT_BOTTOM, 50 - h},
      {DT_VCENTER, 10},
      {DT_BOTTOM, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    const TextLayout layout = Layout("Play", rect, c.format);
    ASSERT_EQ(layout.lines.size(), 1u);
    EXPECT_EQ(layout.lines[0].y, c.y);
    // The height returned is measured from the top of the rectangle to the text's bottom.
    EXPECT_EQ(layout.height, c.y + h - 10);
  }
}

TEST_F(TextLayoutTest, ExternalLeadingIsAddedOnlyWhenAskedFor) {
  TextMetrics metrics = m_metrics;
  metrics.externalLeading = 3;
  FontAdvances advances(*m_font);
  const TextLayout plain = LayoutText("a\nb", Rect{0, 0, 100, 100}, 0, metrics, advances);
  const TextLayout leading = LayoutText("a\nb", Rect{0, 0, 100, 100}, DT_EXTERNALLEADING, metrics, advances);
  EXPECT_EQ(plain.lines.at(1).y, metrics.height);
  EXPECT_EQ(leading.lines.at(1).y, metrics.height + 3);
  EXPECT_EQ(leading.height, 2 * (metrics.height + 3));
}

// ---------------------------------------------------------------------------------------
// DT_CALCRECT bounds and the height returned

TEST_F(TextLayoutTest, CalcRectBoundsTheText) {
  const int h = m_metrics.height;
  struct {
    const char* what;
    const char* text;
    unsigned format;
    int width;
    int boundsWidth;
    int lines;
  } const cases[] = {
      {"single line: the text's width", "Record script", DT_SINGLELINE, 1, Extent("Record script"), 1},
      {"word break: narrowed to the widest line", "Record the script", DT_WORDBREAK, Extent("Record the") + 3,
       Extent("Record the"), 2},
      {"word break: widened for a long word", "Supercalifragilistic word", DT_WORDBREAK, Extent("Super"),
       Extent("Supercalifragilistic"), 2},
      {"several lines: the widest", "one\nthree\ntwo", 0, 1, Extent("three"), 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Rect rect{5, 7, 5 + c.width, 8};
    const TextLayout layout = Layout(c.text, rect, DT_CALCRECT | c.format);
    EXPECT_EQ(layout.bounds, (Rect{5, 7, 5 + c.boundsWidth, 7 + c.lines * h}));
    EXPECT_EQ(layout.height, c.lines * h);
  }
}

TEST_F(TextLayoutTest, EmptyTextIsOneLineHighOnlyInSingleLineMode) {
  const int h = m_metrics.height;
  const Rect rect{10, 10, 100, 100};
  const TextLayout multi = Layout("", rect, DT_CALCRECT);
  EXPECT_EQ(multi.bounds, (Rect{10, 10, 10, 10}));
  EXPECT_EQ(multi.height, h);
  const TextLayout single = Layout("", rect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(single.bounds, (Rect{10, 10, 10, 10 + h}));
  EXPECT_EQ(single.height, h);
  EXPECT_TRUE(Layout("", rect, 0).lines.empty());
}

TEST_F(TextLayoutTest, ClippingStopsAfterTheLineThatReachesTheBottom) {
  const int h = m_metrics.height;
  const std::string text = "one\ntwo\nthree";
  // The second line is cut by the bottom edge; the third would be invisible.
  const Rect cut{0, 0, 200, 2 * h - 1};
  EXPECT_EQ(Texts(Layout(text, cut, 0)), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(Texts(Layout(text, cut, DT_NOCLIP)), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(Texts(Layout(text, cut, DT_CALCRECT)).size(), 3u);
  // DT_END_ELLIPSIS marks the last line shown when more text follows.
  EXPECT_EQ(Texts(Layout(text, cut, DT_END_ELLIPSIS)), (std::vector<std::string>{"one", "two..."}));
  // DT_EDITCONTROL does not start a line on the bottom edge.
  const Rect exact{0, 0, 200, 2 * h};
  EXPECT_EQ(Texts(Layout(text, exact, 0)).size(), 3u);
  EXPECT_EQ(Texts(Layout(text, exact, DT_EDITCONTROL)).size(), 2u);
  EXPECT_EQ(Layout(text, exact, DT_EDITCONTROL).height, 2 * h);
}

// ---------------------------------------------------------------------------------------
// UTF-8

TEST(Utf8, InvalidSequencesBecomeReplacementCharacters) {
  constexpr char32_t R = 0xFFFD;
  struct {
    const char* what;
    std::string bytes;
    std::u32string text;
  } const cases[] = {
      {"ASCII and Cyrillic", "Aж", U"A\u0436"},
      {"three and four bytes", "\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u20AC\U0001F600"},
      {"truncated at the end", "a\xD0", {U'a', R}},
      {"truncated before ASCII", "\xE2\x82z", {R, U'z'}},
      {"stray continuation byte", "\x80z", {R, U'z'}},
      {"overlong slash", "\xC0\xAF", {R, R}},
      {"overlong three bytes", "\xE0\x80\xAF", {R, R, R}},
      {"surrogate", "\xED\xA0\x80", {R, R, R}},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", {R, R, R, R}},
      {"invalid lead", "\xFF\xFE", {R, R}},
      {"NUL is a character", std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DecodeUtf8(c.bytes), c.text);
  }
}

TEST(Utf8, EveryByteSequenceDecodesAndRoundTripsWhenValid) {
  // All two-byte inputs and a lead byte with every continuation pattern: decoding must
  // always advance and never read past the end.
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
      const std::u32string text = DecodeUtf8(bytes);
      ASSERT_GE(text.size(), 1u);
      ASSERT_LE(text.size(), 2u);
      if (text.find(0xFFFD) == std::u32string::npos) {
        ASSERT_EQ(EncodeUtf8(text), bytes);
      }
    }
  }
  const std::u32string sample = U"Скрипт: Запись Alt+F1 \u20AC \U0001F600";
  EXPECT_EQ(DecodeUtf8(EncodeUtf8(sample)), sample);
}

}  // namespace
}  // namespace tappomat
