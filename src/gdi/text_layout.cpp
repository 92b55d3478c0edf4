#include "gdi/text_layout.h"

#include <algorithm>
#include <utility>

namespace tappomat {

// ---------------------------------------------------------------------------------------
// UTF-8

char32_t NextCodepoint(std::string_view utf8, std::size_t& pos) {
  constexpr char32_t kReplacement = 0xFFFD;
  const auto byte = [&utf8](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
  const unsigned lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  // C0, C1 (overlong) and F5..FF never start a sequence.
  if (lead < 0xC2 || lead > 0xF4) {
    ++pos;
    return kReplacement;
  }
  const int length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  // The second byte's range excludes overlong forms, surrogates and values past U+10FFFF.
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (lead == 0xE0) low = 0xA0;
  if (lead == 0xED) high = 0x9F;
  if (lead == 0xF0) low = 0x90;
  if (lead == 0xF4) high = 0x8F;
  char32_t value = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if (pos + i >= utf8.size()) {
      pos += i;
      return kReplacement;
    }
    const unsigned b = byte(pos + i);
    if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) {
      pos += i;
      return kReplacement;
    }
    value = (value << 6) | (b & 0x3F);
  }
  pos += length;
  return value;
}

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) out.push_back(NextCodepoint(utf8, pos));
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// ---------------------------------------------------------------------------------------
// LayoutLine

std::string LayoutLine::Text() const {
  std::u32string text;
  text.reserve(glyphs.size());
  for (const LayoutGlyph& g : glyphs) text.push_back(g.codepoint);
  return EncodeUtf8(text);
}

int LayoutLine::UnderlineLeft() const {
  return prefix < 0 ? 0 : x + glyphs[static_cast<std::size_t>(prefix)].x;
}

int LayoutLine::UnderlineRight() const {
  if (prefix < 0) return 0;
  return UnderlineLeft() + std::max(1, glyphs[static_cast<std::size_t>(prefix)].advance - 1);
}

// ---------------------------------------------------------------------------------------
// Layout

namespace {

constexpr char32_t kTab = U'\t';
constexpr char32_t kSpace = U' ';

// A character of a line after prefix processing; `prefixed` marks a character that
// followed a single "&".
struct Cell {
  char32_t codepoint;
  bool prefixed;
};
using Cells = std::vector<Cell>;

const Cells kEllipsis{{U'.', false}, {U'.', false}, {U'.', false}};

// Advances with tab expansion: a tab's width depends on where on the line it starts.
class LineMeasure {
 public:
  LineMeasure(TextMeasure& measure, int tabWidth) : m_measure(measure), m_tabWidth(tabWidth) {}

  int AdvanceAt(char32_t c, int x) {
    if (c == kTab) return m_tabWidth > 0 ? (x / m_tabWidth + 1) * m_tabWidth - x : 0;
    return std::max(0, m_measure.Advance(c));
  }

  int Width(const Cells& cells) {
    int x = 0;
    for (const Cell& c : cells) x += AdvanceAt(c.codepoint, x);
    return x;
  }

 private:
  TextMeasure& m_measure;
  int m_tabWidth;
};

// Lines of a multi-line text: CR LF, LF CR, LF and CR each end one.
std::vector<std::u32string_view> SplitParagraphs(std::u32string_view text) {
  std::vector<std::u32string_view> paragraphs;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char32_t c = text[i];
    if (c != U'\r' && c != U'\n') {
      ++i;
      continue;
    }
    paragraphs.push_back(text.substr(start, i - start));
    ++i;
    if (i < text.size() && (text[i] == U'\r' || text[i] == U'\n') && text[i] != c) ++i;
    start = i;
  }
  if (start < text.size()) paragraphs.push_back(text.substr(start));
  return paragraphs;
}

Cells ApplyPrefixes(std::u32string_view paragraph, unsigned format) {
  Cells cells;
  cells.reserve(paragraph.size());
  for (std::size_t i = 0; i < paragraph.size(); ++i) {
    const char32_t c = paragraph[i];
    if (c != U'&' || (format & DT_NOPREFIX)) {
      cells.push_back({c, false});
    } else if (i + 1 < paragraph.size()) {
      ++i;
      cells.push_back({paragraph[i], paragraph[i] != U'&'});
    }
    // else: a single "&" ending the line is dropped.
  }
  return cells;
}

struct LineBreak {
  std::size_t end;   // the line is cells [start, end)
  std::size_t next;  // the next line starts here
};

std::size_t SkipSpaces(const Cells& cells, std::size_t i) {
  while (i < cells.size() && cells[i].codepoint == kSpace) ++i;
  return i;
}

// Where the line starting at `start` ends with word breaking in `width`.
LineBreak BreakLine(const Cells& cells, std::size_t start, int width, unsigned format, LineMeasure& measure) {
  int x = 0;
  for (std::size_t i = start; i < cells.size(); ++i) {
    const char32_t c = cells[i].codepoint;
    const int advance = measure.AdvanceAt(c, x);
    // Spaces never break a line by themselves; the word after them does.
    if (c != kSpace && i > start && x + advance > width) {
      // The last run of spaces before this word, if some word precedes it on the line.
      std::size_t j = i;
      while (j > start && cells[j - 1].codepoint != kSpace) --j;
      std::size_t runStart = j;
      while (runStart > start && cells[runStart - 1].codepoint == kSpace) --runStart;
      if (j > start && runStart > start) return {runStart, SkipSpaces(cells, runStart)};
      const bool breakWords = (format & (DT_EDITCONTROL | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) == DT_EDITCONTROL;
      if (breakWords) return {i, i};
      // A word wider than the line stays whole.
      std::size_t wordEnd = i;
      while (wordEnd < cells.size() && cells[wordEnd].codepoint != kSpace) ++wordEnd;
      return {wordEnd, SkipSpaces(cells, wordEnd)};
    }
    x += advance;
  }
  return {cells.size(), cells.size()};
}

// The longest start of `line` that fits `width` followed by "..."; just "..." when none.
Cells EndEllipsis(const Cells& line, int width, LineMeasure& measure) {
  const int dotsWidth = measure.Width(kEllipsis);
  std::size_t keep = 0;
  int x = 0;
  for (std::size_t k = 0; k < line.size(); ++k) {
    const int next = x + measure.AdvanceAt(line[k].codepoint, x);
    if (next + dotsWidth > width) break;
    x = next;
    keep = k + 1;
  }
  Cells out(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(keep));
  out.insert(out.end(), kEllipsis.begin(), kEllipsis.end());
  return out;
}

// "head...\tail": as much of the part before the last slash as fits. Returns false when
// the line has no slash.
bool PathEllipsis(Cells& line, int width, LineMeasure& measure) {
  std::size_t slash = line.size();
  for (std::size_t i = line.size(); i-- > 0;) {
    if (line[i].codepoint == U'\\' || line[i].codepoint == U'/') {
      slash = i;
      break;
    }
  }
  if (slash == line.size()) return false;
  const auto candidate = [&](std::size_t keep) {
    Cells out(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(keep));
    out.insert(out.end(), kEllipsis.begin(), kEllipsis.end());
    out.insert(out.end(), line.begin() + static_cast<std::ptrdiff_t>(slash), line.end());
    return out;
  };
  // Widths grow with the characters kept, so the longest fitting head is found by halving.
  std::size_t low = 0;
  std::size_t high = slash;
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (measure.Width(candidate(mid)) <= width) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  line = candidate(low);
  return true;
}

LayoutLine PlaceLine(const Cells& line, unsigned format, LineMeasure& measure) {
  LayoutLine out;
  out.glyphs.reserve(line.size());
  int x = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const int advance = measure.AdvanceAt(line[i].codepoint, x);
    out.glyphs.push_back({line[i].codepoint, x, advance});
    if (line[i].prefixed && !(format & DT_HIDEPREFIX)) out.prefix = static_cast<int>(i);
    x += advance;
  }
  out.width = x;
  return out;
}

}  // namespace

TextLayout LayoutText(std::string_view utf8, const Rect& rect, unsigned format, const TextMetrics& metrics,
                      TextMeasure& measure) {
  int tabChars = 8;
  if (format & DT_TABSTOP) {
    // Bits 8-15 are the tab width then, not flags.
    if (const int chars = static_cast<int>((format >> 8) & 0xFF)) tabChars = chars;
    format &= ~0xFF00u;
  }
  const bool singleLine = format & DT_SINGLELINE;
  if (singleLine) format &= ~DT_WORDBREAK;
  const bool noClip = format & (DT_NOCLIP | DT_CALCRECT);
  const int width = rect.Width();

  TextLayout layout;
  layout.lineHeight = metrics.height + ((format & DT_EXTERNALLEADING) ? metrics.externalLeading : 0);
  const int lineHeight = layout.lineHeight;
  LineMeasure lineMeasure(measure, (format & DT_EXPANDTABS) ? tabChars * metrics.aveCharWidth : 0);

  std::u32string text = DecodeUtf8(utf8);
  if (text.empty()) {
    layout.bounds = {rect.left, rect.top, rect.left, rect.top + (singleLine ? lineHeight : 0)};
    layout.height = lineHeight;
    return layout;
  }
  std::vector<std::u32string_view> paragraphs;
  if (singleLine) {
    std::erase_if(text, [](char32_t c) { return c == U'\r' || c == U'\n'; });
    paragraphs.push_back(text);
  } else {
    paragraphs = SplitParagraphs(text);
  }

  int y = rect.top;
  if (singleLine && (format & DT_VCENTER)) {
    y = rect.top + rect.Height() / 2 - metrics.height / 2;
  } else if (singleLine && (format & DT_BOTTOM)) {
    y = rect.bottom - metrics.height;
  }
  int maxWidth = 0;
  bool lastLine = false;
  for (std::size_t p = 0; p < paragraphs.size() && !lastLine; ++p) {
    const Cells cells = ApplyPrefixes(paragraphs[p], format);
    std::size_t start = 0;
    do {
      lastLine = !noClip && y + ((format & DT_EDITCONTROL) ? 2 * lineHeight - 1 : lineHeight) > rect.bottom;
      const LineBreak lineBreak = (format & DT_WORDBREAK) ? BreakLine(cells, start, width, format, lineMeasure)
                                                          : LineBreak{cells.size(), cells.size()};
      Cells line(cells.begin() + static_cast<std::ptrdiff_t>(start),
                 cells.begin() + static_cast<std::ptrdiff_t>(lineBreak.end));
      const bool endsParagraph = lineBreak.next >= cells.size();
      const bool moreText = !endsParagraph || p + 1 < paragraphs.size();

      bool fits = lineMeasure.Width(line) <= width;
      if (!fits && (format & DT_PATH_ELLIPSIS)) {
        if (!PathEllipsis(line, width, lineMeasure)) line = EndEllipsis(line, width, lineMeasure);
        fits = lineMeasure.Width(line) <= width;
      }
      if ((!fits && (format & DT_WORD_ELLIPSIS)) ||
          ((format & DT_END_ELLIPSIS) && ((lastLine && moreText) || (endsParagraph && !fits)))) {
        line = EndEllipsis(line, width, lineMeasure);
      }

      LayoutLine placed = PlaceLine(line, format, lineMeasure);
      if (format & DT_CENTER) {
        placed.x = (rect.left + rect.right - placed.width) / 2;
      } else if (format & DT_RIGHT) {
        placed.x = rect.right - placed.width;
      } else {
        placed.x = rect.left;
      }
      placed.y = y;
      maxWidth = std::max(maxWidth, placed.width);
      layout.lines.push_back(std::move(placed));
      y += lineHeight;
      start = lineBreak.next;
    } while (start < cells.size() && !lastLine);
  }

  layout.bounds = {rect.left, rect.top, rect.left + maxWidth, y};
  layout.height = y - rect.top;
  if (layout.height == 0) layout.height = 1;
  return layout;
}

}  // namespace tappomat
