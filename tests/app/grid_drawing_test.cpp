// The script grid's button and delay columns: the texts in both languages and with both
// decimal separators, and what a real grid shows once its OnDrawCell hands each cell to
// DrawScriptCell.
#include "app/grid_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <utility>

#include "gdi/font_cache.h"
#include "gdi/text.h"
#include "ui/form.h"
#include "ui/string_grid.h"
#include "ui/ui_fixture.h"

namespace tappomat {
namespace {

constexpr int kRussian = 0;
constexpr int kEnglish = 45;

// `pattern` with every "#" replaced by the decimal separator.
std::string WithSeparator(std::string pattern, const std::string& separator) {
  for (std::size_t at = pattern.find('#'); at != std::string::npos;
       at = pattern.find('#', at + separator.size())) {
    pattern.replace(at, 1, separator);
  }
  return pattern;
}

TEST(DelayText, DurationsInBothLanguagesAndWithBothSeparators) {
  // "#" stands for the user's decimal separator; the comma of the minute form is literal.
  struct Case {
    std::int64_t ms;
    const char* russian;
    const char* english;
  };
  const Case cases[] = {
      {300, "300 мс", "300 ms"},
      {0, "0 мс", "0 ms"},
      {-5, "-5 мс", "-5 ms"},
      {-1000, "-1000 мс", "-1000 ms"},  // every negative pause stays in milliseconds
      {999, "999 мс", "999 ms"},
      {1000, "1 сек", "1 sec"},
      {1001, "1#001 сек", "1#001 sec"},  // the fraction keeps its leading zeros
      {1010, "1#01 сек", "1#01 sec"},
      {1500, "1#5 сек", "1#5 sec"},
      {59000, "59 сек", "59 sec"},
      {59999, "59#999 сек", "59#999 sec"},
      {60000, "1:0,0", "1:0,0"},
      {60001, "1:0,1", "1:0,1"},
      {61500, "1:1,500", "1:1,500"},
      {3723004, "62:3,4", "62:3,4"},
      {86400000, "1440:0,0", "1440:0,0"},  // the longest pause the fields accept
  };
  for (const std::string separator : {",", "."}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::to_string(c.ms) + " with '" + separator + "'");
      EXPECT_EQ(DelayText(c.ms, GridTextsFor(kRussian, separator)),
                WithSeparator(c.russian, separator));
      EXPECT_EQ(DelayText(c.ms, GridTextsFor(kEnglish, separator)),
                WithSeparator(c.english, separator));
    }
  }
}

TEST(ButtonText, OnlyExactlyZeroIsTheLeftButton) {
  const std::pair<const char*, bool> cases[] = {
      {"0", true}, {"1", false}, {"2", false}, {"-1", false}, {"00", false}, {" 0", false},
  };
  for (const auto& [code, left] : cases) {
    SCOPED_TRACE(code);
    EXPECT_EQ(ButtonText(code, GridTextsFor(kRussian, ",")), left ? "ЛКМ" : "ПКМ");
    EXPECT_EQ(ButtonText(code, GridTextsFor(kEnglish, ",")), left ? "LMB" : "RMB");
  }
  // Any language code but English's is Russian.
  EXPECT_EQ(ButtonText("0", GridTextsFor(7, ",")), "ЛКМ");
}

// A grid laid out as the main window's script grid, whose OnDrawCell records each cell's
// pixels just before and just after DrawScriptCell.
class ScriptGridDrawingTest : public test::UiTest {
 protected:
  struct Drawn {
    Bitmap32 before;
    Bitmap32 after;
    TColor background;
    TColor textColor;
    LogicalFont font;
  };

  ScriptGridDrawingTest() {
    form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(40, 40, 300, 200);
    grid = Create<TStringGrid>(form);
    grid->SetBounds(1, 1, 236, 150);
    grid->SetColCount(6);
    grid->SetRowCount(5);
    grid->SetFixedCols(0);
    grid->SetFixedRows(1);
    grid->SetDefaultRowHeight(16);
    const int widths[] = {13, 24, 39, 39, 31, 63};
    for (int col = 0; col < 6; ++col) grid->SetColWidths(col, widths[col]);
    grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    grid->SetColor(RGB(242, 242, 242));
    const char* rows[5][6] = {
        {"", " №", " X", " Y", " Btn", " Delay"},
        {"+", "1", "10", "20", "0", "300"},       // the selected row
        {"", "2", "30", "40", "1", "61500"},
        {"", "3", "50", "60", "", ""},            // empty button and delay cells
        {"", "4", "70", "80", "-1", "abc"},       // a delay that is not a number
    };
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 6; ++col) grid->SetCells(col, row, rows[row][col]);
    grid->SetParent(form);
    grid->OnDrawCell = [this](TComponent*, int col, int row, const Rect& rect,
                              TGridDrawState state) {
      TCanvas& canvas = *grid->Canvas();
      Drawn d{Copy(rect), {}, canvas.Brush().Color, canvas.Font().Color(),
              canvas.Font().ToLogicalFont()};
      DrawScriptCell(canvas, *grid, col, row, rect, state, GridTextsFor(kEnglish, "."));
      d.after = Copy(rect);
      drawn[{col, row}] = std::move(d);
    };
    form->Show();
    Pump();
  }

  // The cell's pixels as the grid's paint context holds them.
  Bitmap32 Copy(const Rect& rect) const {
    const DeviceContext& dc = *grid->Canvas()->Handle();
    const Rect device = dc.ToDevice(rect).Intersect(dc.Target().Bounds());
    Bitmap32 copy(device.Width(), device.Height());
    for (int y = 0; y < device.Height(); ++y)
      for (int x = 0; x < device.Width(); ++x)
        copy.At(x, y) = dc.Target().At(device.left + x, device.top + y);
    return copy;
  }

  // What a cell of the size of `d` looks like with `text` drawn by `format` in its colours.
  static Bitmap32 Expected(const Drawn& d, std::string_view text, unsigned format) {
    Bitmap32 cell(d.before.Width(), d.before.Height(), PixelFromColor(ColorToRGB(d.background)));
    DeviceContext dc(cell);
    dc.SetFont(d.font);
    dc.SetTextColor(ColorToRGB(d.textColor));
    dc.SetBkMode(BkMode::Transparent);
    Rect rect = cell.Bounds();
    DrawText(dc, text, rect, format);
    return cell;
  }

  static bool SameColors(const Bitmap32& a, const Bitmap32& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    return std::equal(a.Pixels().begin(), a.Pixels().end(), b.Pixels().begin(),
                      [](Pixel p, Pixel q) { return PixelRGB(p) == PixelRGB(q); });
  }

  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
  std::map<std::pair<int, int>, Drawn> drawn;  // by (col, row)
};

TEST_F(ScriptGridDrawingTest, ButtonAndDelayCellsShowNamesAndDurations) {
  ASSERT_TRUE(FontCache::Instance().FontsAvailable());
  ASSERT_EQ(drawn.size(), 6u * 5u);
  const unsigned centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  const struct {
    int col, row;
    const char* text;
    unsigned format;
  } replaced[] = {
      {4, 1, "LMB", centred},   {5, 1, "300 ms", DT_WORDBREAK},
      {4, 2, "RMB", centred},   {5, 2, "1:1,500", DT_WORDBREAK},
      {4, 4, "RMB", centred},
  };
  for (const auto& c : replaced) {
    SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row));
    const Drawn& d = drawn.at({c.col, c.row});
    const Bitmap32 expected = Expected(d, c.text, c.format);
    EXPECT_TRUE(SameColors(d.after, expected));
    EXPECT_FALSE(SameColors(d.before, expected));  // the raw code or number is gone
  }
  // The selected row keeps the highlight colours, the others the grid's own.
  EXPECT_EQ(drawn.at({4, 1}).background, clHighlight);
  EXPECT_EQ(drawn.at({4, 2}).background, static_cast<TColor>(RGB(242, 242, 242)));

  // Everything else keeps the standard painting: other columns, the header, empty cells
  // and a delay that does not convert.
  for (const auto& [cell, d] : drawn) {
    const int col = cell.first;
    const int row = cell.second;
    const bool custom = std::any_of(std::begin(replaced), std::end(replaced),
                                    [&](const auto& c) { return c.col == col && c.row == row; });
    if (!custom) {
      EXPECT_TRUE(SameColors(d.before, d.after)) << col << "," << row;
    }
  }
}

TEST_F(ScriptGridDrawingTest, LongDurationWrapsAndIsClippedToItsCell) {
  // A duration wider than its column (here the column is narrowed; with the standard
  // font every duration fits 63 pixels) breaks before the unit, and of the second line only
  // what fits the 16-pixel row shows: nothing spills into the row below.
  grid->SetColWidths(5, 40);
  Bitmap32 below, belowAfter;  // the cell under it around the drawing
  const TDrawCellEvent inner = grid->OnDrawCell;
  grid->OnDrawCell = [&, inner](TComponent* s, int col, int row, const Rect& rect,
                                TGridDrawState state) {
    if (col == 5 && row == 2) below = Copy(grid->CellRect(5, 3));
    inner(s, col, row, rect, state);
    if (col == 5 && row == 2) belowAfter = Copy(grid->CellRect(5, 3));
  };
  grid->SetCells(5, 2, "59999");
  grid->Invalidate();
  Pump();
  const Drawn& d = drawn.at({5, 2});
  ASSERT_GT(GetTextExtent(d.font, "59.999 sec").width, d.before.Width());
  EXPECT_TRUE(SameColors(d.after, Expected(d, "59.999 sec", DT_WORDBREAK)));
  EXPECT_FALSE(SameColors(d.after, Expected(d, "59.999 sec", DT_SINGLELINE)));  // it did wrap
  EXPECT_TRUE(SameColors(below, belowAfter));
}

}  // namespace
}  // namespace tappomat
